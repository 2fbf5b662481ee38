#include "online/accounts/profile_card.h"

#include <QPainter>

#include "online/accounts/account_pictures.h"

namespace tarvel {
namespace {

constexpr int kFrameLeft = 10;
constexpr int kFrameTop = 30;
constexpr int kLinesLeft = 250;
constexpr int kLineStep = 24;

}  // namespace

ProfileCard::ProfileCard(QWidget* parent) : QWidget(parent) { setMinimumSize(560, 360); }

void ProfileCard::SetData(ProfileCardData data, const QString& noConnect) {
  data_ = std::move(data);
  noConnect_ = noConnect;
  update();
}

void ProfileCard::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  QFont font = painter.font();
  font.setPixelSize(15);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(128, 0, 0));
  painter.drawText(QRect(0, 2, width(), 24), Qt::AlignCenter, data_.title);

  const QImage frame = AccountPicture(QStringLiteral("GAcFrame"));
  painter.drawImage(kFrameLeft, kFrameTop, frame);
  const QImage photo = data_.photo.isNull()
                           ? AccountPicture(data_.sex == 'W' ? QStringLiteral("GAcNoF") : QStringLiteral("GAcNoM"))
                           : data_.photo;
  painter.drawImage(QRect(kFrameLeft + 10, kFrameTop + 10, kPhotoWidth, kPhotoHeight), photo);

  int y = kFrameTop + frame.height() + 4;
  painter.setPen(QColor(0, 0, 128));
  for (const QString& line : {data_.nick, data_.city, data_.country, data_.date}) {
    if (line.isEmpty()) continue;
    painter.drawText(QRect(kFrameLeft, y, frame.width(), 20), Qt::AlignCenter, line);
    y += 18;
    font.setBold(false);
    painter.setFont(font);
  }

  font.setPixelSize(13);
  painter.setFont(font);
  if (!data_.connected) {
    painter.setPen(Qt::red);
    painter.drawText(QRect(kLinesLeft, kFrameTop, width() - kLinesLeft, kLineStep), Qt::AlignLeft | Qt::AlignVCenter,
                     noConnect_);
    return;
  }
  painter.setPen(Qt::black);
  y = kFrameTop;
  const auto& order = ProfileFieldOrder();
  for (std::size_t i = 0; i < order.size(); ++i) {
    const std::string& value = data_.info.*order[i];
    if (value.empty()) continue;
    painter.drawImage(kLinesLeft, y + 2, AccountPicture(ProfileIconName(i)));
    const QRect line(kLinesLeft + 26, y, width() - kLinesLeft - 30, kLineStep);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(QString::fromStdString(value), Qt::ElideRight, line.width()));
    y += kLineStep;
  }
}

}  // namespace tarvel
