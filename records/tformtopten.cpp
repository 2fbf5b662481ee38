#include "records/tformtopten.h"

#include <QKeyEvent>
#include <QPainter>

#include "records/club_file.h"
#include "records/records_host.h"

namespace tarvel {

namespace {

constexpr int kWidth = 450;
constexpr int kHeight = 420;
constexpr int kFirstRowY = 150;
constexpr int kRowStep = 24;
constexpr int kScoreRight = 380;

}  // namespace

std::optional<std::array<ClubTopTenRow, 10>> ReadClubTopTen(const std::filesystem::path& clubFile) {
  const ClubRead club = ReadClubFile(clubFile);
  if (club.state != ClubState::Valid) return std::nullopt;
  std::array<ClubTopTenRow, 10> rows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string& line = club.lines[kClubMembers + i];
    rows[i] = {FromRecordBytes(line.substr(0, 20)).trimmed(), FromRecordBytes(line.substr(20, 6)).trimmed()};
  }
  return rows;
}

TFormTopTen::TFormTopTen(int language, const std::filesystem::path& clubFile, bool network, QWidget* parent)
    : QDialog(parent),
      title_(network ? QStringLiteral("WINDOWS. NET GAMES") : QStringLiteral("WINDOWS. LOCAL GAMES WITH PC")),
      topTenWord_(RecordsWord(WordId::TopTen, language)),
      scoreWord_(RecordsWord(WordId::Score, language)) {
  setWindowTitle(topTenWord_);
  setFixedSize(kWidth, kHeight);
  if (const auto rows = ReadClubTopTen(clubFile)) rows_ = *rows;
}

QString TFormTopTen::Name(int place) const {
  return place >= 1 && place <= 10 ? rows_[static_cast<std::size_t>(place) - 1].name : QString();
}

QString TFormTopTen::Score(int place) const {
  return place >= 1 && place <= 10 ? rows_[static_cast<std::size_t>(place) - 1].score : QString();
}

void TFormTopTen::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(255, 255, 240));
  QFont font = painter.font();
  font.setPixelSize(18);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(128, 0, 0));
  painter.drawText(QRect(0, 85 - 24, kWidth, 30), Qt::AlignCenter, title_);
  font.setPixelSize(15);
  painter.setFont(font);
  painter.drawText(QRect(60, kFirstRowY - 30, 200, 22), Qt::AlignLeft | Qt::AlignVCenter, topTenWord_);
  painter.drawText(QRect(kScoreRight - 100, kFirstRowY - 30, 100, 22), Qt::AlignRight | Qt::AlignVCenter,
                   scoreWord_);
  font.setBold(false);
  painter.setFont(font);
  for (int place = 1; place <= 10; ++place) {
    const int y = kFirstRowY + (place - 1) * kRowStep;
    painter.setPen(place <= 3 ? QColor(255, 0, 0) : QColor(0, 0, 128));
    painter.drawText(QRect(30, y, 30, 22), Qt::AlignRight | Qt::AlignVCenter, QString::number(place) + '.');
    painter.drawText(QRect(70, y, 220, 22), Qt::AlignLeft | Qt::AlignVCenter, Name(place));
    painter.drawText(QRect(kScoreRight - 90, y, 90, 22), Qt::AlignRight | Qt::AlignVCenter, Score(place));
  }
}

void TFormTopTen::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace tarvel
