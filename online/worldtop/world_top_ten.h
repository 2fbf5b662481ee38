// The world top ten commands: the main menu's side picture (the read window,
// or the paused service's message), the read window at a given view, and the
// write window at the end of a local cycle.
#pragma once

#include <cstdint>

#include "online/worldtop/worldtop_host.h"

namespace tarvel {

class WorldTopTen {
 public:
  explicit WorldTopTen(WorldTopContext context) : context_(std::move(context)) {}

  // The main menu's command; `paused` as the service directory said.
  void MenuCommand(bool paused);
  // The read window at `view` 1..7; 0 opens the view last chosen.
  void OpenReadWindow(int view = 0);
  // The club's champions in the read window's local mode (the purple
  // design's "Top Ten"): the network club's when `network`.
  void OpenClubWindow(bool network);
  // The write window with the cycle's score.
  void OpenWriteWindow(std::int32_t score);

 private:
  WorldTopContext context_;
  int view_ = 3;  // the view last chosen in a read window during this run
};

}  // namespace tarvel
