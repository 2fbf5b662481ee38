#include "online/accounts/account_pictures.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

#include "widgets/program_picture.h"

namespace tarvel {
namespace {

constexpr std::array<const char*, kProfileFieldCount> kIcons{
    "GAcAbout", "GAcAbout",  "GAcAbout",    "GAcTelephone", "GAcEMail",  "GAcWebSite",    "GAcSkype",
    "GAcOK",    "GAcVK",     "GAcTelegram", "GAcFaceBook",  "GAcTwitter", "GAcInstagramm", "GAcYouTube"};

struct IconLook {
  const char* name;
  QColor colour;
  const char* letter;
};

constexpr int kIconSize = 20;

QImage Canvas(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

QImage Lamp(const QColor& colour) {
  QImage image = Canvas(24, 24);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QRadialGradient glow(QPointF(9, 8), 12);
  glow.setColorAt(0, colour.lighter(180));
  glow.setColorAt(1, colour.darker(130));
  painter.setPen(QPen(QColor(60, 60, 60), 1.2));
  painter.setBrush(glow);
  painter.drawEllipse(QRectF(2.5, 2.5, 19, 19));
  return image;
}

// A head and shoulders, in the colours of a sex.
QImage Figure(int width, int height, const QColor& colour, const QColor& ground) {
  QImage image = Canvas(width, height);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(image.rect(), ground);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  const qreal w = width;
  const qreal h = height;
  painter.drawEllipse(QRectF(w * 0.32, h * 0.14, w * 0.36, h * 0.34));
  QPainterPath body;
  body.moveTo(w * 0.1, h);
  body.cubicTo(w * 0.12, h * 0.55, w * 0.88, h * 0.55, w * 0.9, h);
  painter.drawPath(body);
  return image;
}

QImage Frame() {
  QImage image = Canvas(kPhotoWidth + 20, kPhotoHeight + 20);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient gold(0, 0, image.width(), image.height());
  gold.setColorAt(0, QColor(212, 175, 55));
  gold.setColorAt(0.5, QColor(255, 236, 160));
  gold.setColorAt(1, QColor(150, 110, 30));
  QPainterPath ring;
  ring.addRoundedRect(QRectF(image.rect()), 8, 8);
  ring.addRect(QRectF(10, 10, kPhotoWidth, kPhotoHeight));
  painter.fillPath(ring, gold);
  return image;
}

QImage Icon(const IconLook& look) {
  QImage image = Canvas(kIconSize, kIconSize);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(look.colour);
  painter.drawRoundedRect(QRectF(1, 1, kIconSize - 2, kIconSize - 2), 4, 4);
  QFont font;
  font.setPixelSize(12);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(image.rect(), Qt::AlignCenter, QString::fromLatin1(look.letter));
  return image;
}

QImage Drawn(const QString& name) {
  if (name == QLatin1String("LampR24")) return Lamp(QColor(220, 20, 20));
  if (name == QLatin1String("LampY24")) return Lamp(QColor(240, 200, 0));
  if (name == QLatin1String("LampG24")) return Lamp(QColor(20, 180, 40));
  if (name == QLatin1String("Account48")) return Figure(48, 48, QColor(136, 0, 226), Qt::transparent);
  if (name == QLatin1String("GAcNoM")) return Figure(kPhotoWidth, kPhotoHeight, QColor(70, 90, 150), QColor(225, 230, 240));
  if (name == QLatin1String("GAcNoF")) return Figure(kPhotoWidth, kPhotoHeight, QColor(170, 70, 120), QColor(245, 228, 236));
  if (name == QLatin1String("GAcFrame")) return Frame();
  static const IconLook kLooks[] = {
      {"GAcAbout", QColor(90, 90, 90), "i"},     {"GAcTelephone", QColor(40, 150, 60), "T"},
      {"GAcEMail", QColor(200, 120, 0), "@"},    {"GAcWebSite", QColor(30, 100, 200), "W"},
      {"GAcSkype", QColor(0, 170, 240), "S"},    {"GAcOK", QColor(240, 130, 0), "OK"},
      {"GAcVK", QColor(70, 120, 180), "VK"},     {"GAcTelegram", QColor(40, 160, 220), "T"},
      {"GAcFaceBook", QColor(60, 90, 150), "f"}, {"GAcTwitter", QColor(30, 160, 240), "t"},
      {"GAcInstagramm", QColor(190, 50, 130), "I"}, {"GAcYouTube", QColor(220, 0, 0), "Y"}};
  for (const IconLook& look : kLooks)
    if (name == QLatin1String(look.name)) return Icon(look);
  return {};
}

}  // namespace

QImage AccountPicture(const QString& name) {
  const QImage own = ProgramPicture(name);
  return own.isNull() ? Drawn(name) : own;
}

QString LampName(FieldLamp lamp) {
  switch (lamp) {
    case FieldLamp::Red: return QStringLiteral("LampR24");
    case FieldLamp::Yellow: return QStringLiteral("LampY24");
    case FieldLamp::Green: return QStringLiteral("LampG24");
  }
  return {};
}

QString LampName(AccountState state) {
  switch (state) {
    case AccountState::LoggedOut: return LampName(FieldLamp::Red);
    case AccountState::LoggedIn: return LampName(FieldLamp::Yellow);
    case AccountState::RatingGame: return LampName(FieldLamp::Green);
  }
  return {};
}

QString ProfileIconName(std::size_t index) {
  return index < kIcons.size() ? QString::fromLatin1(kIcons[index]) : QString();
}

bool IsAccountPhoto(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  return reader.format() == "jpeg" && reader.size() == QSize(kPhotoWidth, kPhotoHeight);
}

}  // namespace tarvel
