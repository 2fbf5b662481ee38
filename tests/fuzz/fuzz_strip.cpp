// Fuzz target of the animation strip reader (the fireworks strip comes from
// a graphics module, a file downloaded from outside): any bytes give a strip
// of whole frames or none, never a crash, and every frame composes to a
// premultiplied picture of the frame size.
#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QSize>

#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "widgets/sparse_strip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QSize frameSize(4, 4);  // the seeds are strips of 4 x 4 frames
  const tarvel::SparseStrip strip = tarvel::SparseStrip::Decode(bytes, frameSize);
  TARVEL_FUZZ_CHECK(strip.Frames() >= 0 && strip.Frames() <= (1 << 15) / frameSize.width());
  TARVEL_FUZZ_CHECK(strip.FrameSize() == frameSize);
  QImage frame;
  for (int index = -1; index <= strip.Frames(); ++index) {
    strip.ComposeOver(index, QImage(), frame);
    TARVEL_FUZZ_CHECK(frame.size() == frameSize);
    TARVEL_FUZZ_CHECK(frame.format() == QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < frame.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
      for (int x = 0; x < frame.width(); ++x) {
        const QRgb p = line[x];
        TARVEL_FUZZ_CHECK(qRed(p) <= qAlpha(p) && qGreen(p) <= qAlpha(p) && qBlue(p) <= qAlpha(p));
        // Outside the frames everything is transparent.
        TARVEL_FUZZ_CHECK(index >= 0 && index < strip.Frames() ? true : p == 0);
      }
    }
  }
  return 0;
}
