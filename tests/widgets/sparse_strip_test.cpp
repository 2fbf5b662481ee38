// Animation strips held as runs of visible pixels: every frame composed on
// demand equals the same frame of the whole decoded strip, and broken
// pictures give strips without frames.
#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>

#include "widgets/program_picture.h"
#include "widgets/sparse_strip.h"

namespace tarvel {
namespace {

QByteArray ProgramPictureBytes(const QString& name) {
  ProgramPicture(name);  // registers the compiled-in pictures
  QFile file(QStringLiteral(":/tarvel/") + name + QStringLiteral(".png"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SparseStrip, EveryFrameEqualsTheWholeStripsFrame) {
  struct Case {
    const char* strip;
    const char* under;  // drawn under each frame, or nothing
    QSize frame;
    int frames;
  };
  const Case cases[] = {{"GifMenu1", "PngMenu1", {160, 200}, 16},
                        {"GifMenu2", "PngMenu2", {160, 200}, 16},
                        {"Flames", nullptr, {12, 26}, 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.strip);
    const QImage under = c.under != nullptr ? ProgramPicture(QString::fromLatin1(c.under)) : QImage();
    // The whole strip composed at once, each frame over the picture under it.
    QImage whole = ProgramPicture(QString::fromLatin1(c.strip));
    ASSERT_FALSE(whole.isNull());
    if (!under.isNull()) {
      QPainter painter(&whole);
      painter.setCompositionMode(QPainter::CompositionMode_DestinationOver);
      for (int f = 0; f < c.frames; ++f) painter.drawImage(QPoint(f * c.frame.width(), 0), under);
    }
    const SparseStrip strip = SparseStrip::ProgramStrip(QString::fromLatin1(c.strip), c.frame);
    ASSERT_EQ(strip.Frames(), c.frames);
    QImage frame;
    for (int f = 0; f < c.frames; ++f) {
      strip.ComposeOver(f, under, frame);
      EXPECT_EQ(frame, whole.copy(QRect(QPoint(f * c.frame.width(), 0), c.frame))) << "frame " << f;
    }
  }
}

TEST(SparseStrip, BrokenPicturesGiveNoFramesAndLeaveThePictureUnder) {
  const QByteArray good = ProgramPictureBytes(QStringLiteral("GifMenu1"));
  ASSERT_GT(good.size(), 100);
  QByteArray flipped = good;
  flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x55);
  const QByteArray inputs[] = {QByteArray(), QByteArray("not a picture"), good.left(8), good.left(60),
                               good.left(good.size() / 2), flipped};
  const QImage under = ProgramPicture(QStringLiteral("PngMenu1"));
  for (const QByteArray& bytes : inputs) {
    const SparseStrip strip = SparseStrip::Decode(bytes, QSize(160, 200));
    EXPECT_EQ(strip.Frames(), 0) << bytes.size();
    QImage frame;
    strip.ComposeOver(0, under, frame);
    EXPECT_EQ(frame, under) << bytes.size();
  }
  // Frames wider than the picture: none.
  EXPECT_EQ(SparseStrip::Decode(good, QSize(4000, 200)).Frames(), 0);
}

}  // namespace
}  // namespace tarvel
