// Message boxes without a person, the fireworks strip, balloon hints and the
// auxiliary window design.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include <cstdio>
#include <functional>

#include <unistd.h>

#include "widgets/balloon_hint.h"
#include "widgets/dialog_design.h"
#include "widgets/fireworks.h"
#include "widgets/message_box.h"

namespace tarvel {
namespace {

// Standard error as a file, read back after the call.
QString CaptureStderr(const std::function<void()>& call) {
  std::fflush(stderr);
  FILE* file = std::tmpfile();
  const int saved = dup(fileno(stderr));
  dup2(fileno(file), fileno(stderr));
  call();
  std::fflush(stderr);
  dup2(saved, fileno(stderr));
  close(saved);
  std::rewind(file);
  QByteArray text;
  char buffer[512];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, file)) text.append(buffer, static_cast<qsizetype>(n));
  std::fclose(file);
  return QString::fromLocal8Bit(text);
}

TEST(MessageBoxes, UnattendedRunsWriteAndAnswerTheDefault) {
  SetUnattended(true);
  bool answer = true;
  const QString out = CaptureStderr([&] {
    InformBox(nullptr, QStringLiteral("Tarvel"), QStringLiteral("Can`t save options!"), QString());
    answer = AskBox(nullptr, QStringLiteral("Tarvel"), QStringLiteral("Leave?\nSure?"), QStringLiteral("Yes"),
                    QStringLiteral("No"));
  });
  SetUnattended(false);
  EXPECT_FALSE(answer);  // No is the default
  EXPECT_TRUE(out.contains(QStringLiteral("message: Tarvel: Can`t save options! -> OK"))) << out.toStdString();
  EXPECT_TRUE(out.contains(QStringLiteral("question: Tarvel: Leave? Sure? -> No"))) << out.toStdString();
  EXPECT_EQ(DisplayText(QStringLiteral("a\n\rb")), QStringLiteral("a\nb"));
}

TEST(MessageBoxes, NotAvailableYetInEveryLanguage) {
  EXPECT_EQ(NotAvailableYetText(0), QStringLiteral("This feature is not available yet."));
  for (int language = 0; language < 10; ++language) EXPECT_FALSE(NotAvailableYetText(language).isEmpty()) << language;
  EXPECT_TRUE(NotAvailableYetText(10).isEmpty());
}

// `image` as the bytes of a PNG file.
QByteArray Png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

TEST(FireworksStrip, OnlyAWholeStripSwitchesTheEffectOn) {
  const QSize frame(kFireworksSize, kFireworksSize);
  SetFireworksStrip({});
  EXPECT_FALSE(FireworksAvailable());
  EXPECT_FALSE(Fireworks(QPoint(50, 50)));  // returns at once, nothing shown
  EXPECT_TRUE(FireworksFrame(0).isNull());

  // A strip of the wrong size counts as none.
  SetFireworksStrip(SparseStrip::Decode(Png(QImage(100, 100, QImage::Format_ARGB32)), frame));
  EXPECT_FALSE(FireworksAvailable());

  QImage strip(kFireworksFrames * kFireworksSize, kFireworksSize, QImage::Format_ARGB32);
  for (int x = 0; x < strip.width(); ++x)
    for (int y = 0; y < strip.height(); ++y) strip.setPixel(x, y, qRgba(x / kFireworksSize, 0, 0, 255));
  SetFireworksStrip(SparseStrip::Decode(Png(strip), frame));
  ASSERT_TRUE(FireworksAvailable());
  EXPECT_EQ(FireworksFrame(7).size(), QSize(100, 100));
  EXPECT_EQ(qRed(FireworksFrame(7).pixel(50, 50)), 7);
  EXPECT_TRUE(FireworksFrame(30).isNull());
  EXPECT_TRUE(Fireworks(QPoint(200, 200)));
  SetFireworksStrip({});
}

TEST(Balloon, OpensAtAControlAndClosesWhenThePointerLeaves) {
  QWidget window;
  window.resize(300, 200);
  auto* control = new QLabel(QStringLiteral("x"), &window);
  control->setGeometry(20, 20, 60, 30);
  window.show();
  BalloonHint* balloon = BalloonHint::Show(QStringLiteral("Download"), QStringLiteral("QorCGraph1.rcc"), control);
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(BalloonHint::Current(), balloon);
  EXPECT_EQ(balloon->Title(), QStringLiteral("Download"));
  EXPECT_TRUE(balloon->isVisible());
  // A second balloon replaces the first.
  QPointer<BalloonHint> first = balloon;
  balloon = BalloonHint::Show(QStringLiteral("T"), QStringLiteral("t"), control);
  QCoreApplication::processEvents();
  EXPECT_TRUE(first.isNull() || !first->isVisible());
  QPointer<BalloonHint> second = balloon;
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(control, &leave);
  QCoreApplication::processEvents();
  EXPECT_TRUE(second.isNull() || !second->isVisible());
  EXPECT_EQ(BalloonHint::Show(QStringLiteral("T"), QStringLiteral("t"), nullptr), nullptr);
  // A balloon for a painted part of a widget (one that tracks the pointer)
  // closes when the pointer leaves that part, not only the widget.
  window.setMouseTracking(true);
  QPointer<BalloonHint> part =
      BalloonHint::Show(QStringLiteral("T"), QStringLiteral("t"), &window, QString(), QRect(0, 0, 10, 10));
  QMouseEvent inside(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &inside);
  QCoreApplication::processEvents();
  ASSERT_FALSE(part.isNull());
  EXPECT_TRUE(part->isVisible());
  QMouseEvent outside(QEvent::MouseMove, QPointF(50, 50), QPointF(50, 50), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &outside);
  QCoreApplication::processEvents();
  EXPECT_TRUE(part.isNull() || !part->isVisible());
}

TEST(DialogDesign, SchemesColourTheWindowAndItsButtons) {
  struct Case {
    bool purple;
    int scheme;
    TColorSB buttons;
  };
  for (const Case& c : {Case{false, 1, TColorSB::QBlue}, Case{false, 2, TColorSB::QNavy},
                        Case{false, 3, TColorSB::QRed}, Case{true, 2, TColorSB::QCards}}) {
    Settings settings;
    settings.DialogDesignPurple = c.purple;
    settings.DialogScheme = static_cast<std::uint8_t>(c.scheme);
    settings.NewButtons = c.purple;
    QWidget window;
    window.resize(200, 100);
    auto* ok = new TQorCardsButton(&window);
    ApplyDialogDesign(&window, settings);
    EXPECT_EQ(ok->ColorSB(), c.buttons) << c.scheme;
    EXPECT_EQ(ok->AltLook(), c.purple);
    EXPECT_EQ(window.palette().color(QPalette::Window), DialogLookFor(settings).window);
  }
  Settings purple;
  purple.DialogDesignPurple = true;
  EXPECT_EQ(DialogLookFor(purple).text, kPurpleText);
  EXPECT_FALSE(DialogLookFor(purple).picture);
  SetPurpleDialogBackground([] { return QImage(10, 10, QImage::Format_RGB32); });
  EXPECT_TRUE(DialogLookFor(purple).picture);
  SetPurpleDialogBackground({});
}

}  // namespace
}  // namespace tarvel
