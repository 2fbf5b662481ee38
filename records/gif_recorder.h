// Recording each deal as an animated GIF in the folder GIFGame.
//
// The capture timer takes at most one picture of the table per 100 ms tick;
// a picture equal to the previous one adds no frame, and a deal keeps at
// most 250 frames. Pictures go to an encoder thread, so recording never
// holds up play: each frame is written one step behind, because its delay
// is known only when the next frame arrives (the last frame of a deal shows
// for 5 seconds). The file is written under a temporary name and renamed
// when complete, so a crash never leaves half a GIF under the final name.
#pragma once

#include <QImage>
#include <QTimer>

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace tarvel {

inline constexpr int kGifTickMs = 100;
inline constexpr int kGifMaxFrames = 250;
inline constexpr int kGifLastFrameMs = 5000;
inline constexpr std::string_view kGifFolder = "GIFGame";

// "2024.05.17-14.05.33.gif" for that moment, local time.
std::string GifFileName(const std::tm& when);

class GifRecorder {
 public:
  // `capture` takes the picture of the table (window or screen area).
  explicit GifRecorder(std::function<QImage()> capture);
  ~GifRecorder();
  GifRecorder(const GifRecorder&) = delete;
  GifRecorder& operator=(const GifRecorder&) = delete;

  // Deal start: a new recording into `folder`/GIFGame with `delayMs`
  // between frames; the first frame is taken at once. A recording still
  // running is saved first.
  void Start(const std::filesystem::path& folder, int delayMs);
  // A capture timer tick (TimerGIF).
  void TimerGIFTimer();
  // End of a deal, quit or close: one last capture, then the file is
  // finished. Returns the file written, or an empty path when nothing was
  // recording or the file could not be written.
  std::filesystem::path Save();

  bool Recording() const { return static_cast<bool>(encoder_); }
  int Frames() const { return frames_; }
  QTimer& TimerGIF() { return timer_; }

 private:
  class Encoder;
  void Capture();

  std::function<QImage()> capture_;
  QTimer timer_;
  std::unique_ptr<Encoder> encoder_;
  QImage previous_;
  int frames_ = 0;
  int delayMs_ = 1000;
};

}  // namespace tarvel
