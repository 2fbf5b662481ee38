// Screenshots of the newcomer's guide for the documentation and reviews:
// "cues" (a turn with the playable cards glowing and the keyboard focus),
// "refused" (a card refused by its key, with the note saying why), "balloon"
// (the balloon over a score board cell) and "dealend" (the end-of-deal line).
#pragma once

#include <QImage>
#include <QString>

namespace tarvel {

class TForm1;

struct GuideShot {
  bool handled = false;  // the state's moment is here: do not play on
  QImage picture;        // save this; null while the moment still forms
};

// One step of a screenshot run of a guide state while the game is played on
// by the run itself: at the state's moment brings the window there and hands
// back its picture (with an open balloon drawn in).
GuideShot GuideScreenshotStep(TForm1& window, const QString& state);

}  // namespace tarvel
