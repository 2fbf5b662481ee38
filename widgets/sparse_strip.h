// An animation strip (frames of one size side by side in one PNG picture)
// held as the runs of visible pixels of each frame. Sparkles, stars and
// flashes cover a few per cent of their frames: a strip of sixteen 160 x 200
// frames takes about twenty kilobytes this way instead of two megabytes of
// mostly transparent pixels. The picture is decoded row by row, so the whole
// strip is never held at once, not even while it is read; a frame is put
// together when it is shown.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

namespace tarvel {

class SparseStrip {
 public:
  SparseStrip() = default;

  // The PNG picture `png` cut into frames of `frameSize` from the left (a
  // rest narrower than a frame is left out). A picture that cannot be read
  // gives a strip without frames: each of its frames is fully transparent.
  static SparseStrip Decode(const QByteArray& png, QSize frameSize);
  // The same of the compiled-in picture `name` (":/tarvel/<name>.png").
  static SparseStrip ProgramStrip(const QString& name, QSize frameSize);

  int Frames() const { return static_cast<int>(frames_.size()); }
  QSize FrameSize() const { return frameSize_; }

  // Frame `index` laid over `under` into `into` (made premultiplied ARGB32
  // of the frame size unless it is already): exactly what drawing `under`
  // under that frame of the whole decoded strip with QPainter's
  // DestinationOver gives. A null `under` leaves the frame alone; an index
  // beyond the frames gives `under` alone.
  void ComposeOver(int index, const QImage& under, QImage& into) const;

 private:
  struct Run {
    std::uint16_t Y = 0;
    std::uint16_t X = 0;
    std::uint16_t Length = 0;
  };
  struct Frame {
    std::vector<Run> Runs;         // top to bottom, left to right
    std::vector<QRgb> Pixels;      // premultiplied, the runs' pixels one after another
  };

  void TakeRow(int y, const QRgb* row);

  QSize frameSize_;
  std::vector<Frame> frames_;
};

}  // namespace tarvel
