#include "records/tformendgame.h"

#include <QMouseEvent>
#include <QPainter>

#include "records/records_host.h"

namespace tarvel {

namespace {

constexpr int kWidth = 450;
constexpr int kHeight = 360;
constexpr std::array<int, 4> kLineY = {100, 175, 250, 325};

}  // namespace

EndGameText EndGameTextFor(int language, int place, std::int64_t cycleScore, bool network) {
  const auto word = [language](WordId id) { return RecordsWord(id, language); };
  QString result = word(WordId::ResultLabel) + QString::number(cycleScore);
  if (place == 1) {
    return {{word(WordId::Congratulations), word(WordId::YourResultBest), result,
             word(network ? WordId::BachelorOfOrder : WordId::MasterOfOrder)},
            {32, 28, 22, 22},
            QColor(128, 0, 128),
            "WFiBest"};
  }
  if (place >= 2 && place <= 10) {
    return {{word(WordId::Congratulations), word(WordId::GoodResult), result, word(WordId::HittedTopTen)},
            {32, 28, 22, 22},
            QColor(128, 0, 0),
            "WFiGood"};
  }
  if (place > 10) result += QStringLiteral(" ; ") + word(WordId::PlaceLabel) + QString::number(place);
  return {{word(WordId::OurRegrets), word(WordId::ResultKeepsToWishBest), result, word(WordId::NotHittedTopTen)},
          {32, 20, 22, 20},
          QColor(0, 0, 128),
          "WFiBads"};
}

TFormEndGame::TFormEndGame(int language, int place, std::int64_t cycleScore, bool network, QWidget* parent)
    : QDialog(parent), text_(EndGameTextFor(language, place, cycleScore, network)), language_(language), place_(place) {
  setWindowTitle(RecordsWord(WordId::CompletionOfGame, language));
  setFixedSize(kWidth, kHeight + 20);
}

void TFormEndGame::SetAccountGame() {
  if (place_ == 1) text_.lines[3] = RecordsWord(WordId::VicePresidentOfOrder, language_);
  update();
}

void TFormEndGame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(255, 255, 230));
  for (std::size_t i = 0; i < text_.lines.size(); ++i) {
    QFont font = painter.font();
    font.setPixelSize(text_.heights[i]);
    font.setBold(i == 0);
    painter.setFont(font);
    painter.setPen(i == 2 ? QColor(0, 128, 0) : text_.colour);
    const QRect band(50, kLineY[i] - text_.heights[i], kWidth - 50, text_.heights[i] + 8);
    painter.drawText(band, Qt::AlignCenter | Qt::TextWordWrap, text_.lines[i]);
  }
}

void TFormEndGame::mouseReleaseEvent(QMouseEvent* event) {
  // A click anywhere closes the window, as does Esc or Enter.
  if (event->button() == Qt::LeftButton) accept();
}

}  // namespace tarvel
