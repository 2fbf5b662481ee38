#include "online/tournament/tform_tour_top_ten.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QRadioButton>

#include "online/online_top_ten.h"
#include "online/tour_requests.h"
#include "online/worldtop/worldtop_paint.h"
#include "widgets/dialog_design.h"
#include "widgets/word_text.h"

namespace tarvel {
namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 470;
constexpr int kRowsTop = 78;
constexpr int kPitch = 31;
constexpr int kMedalSize = 24;
// Place, flag, sex picture, nick, city and value; the medal before them.
const RowColumns kColumns{40, 74, 98, 118, 130, 252, 170, kWidth - 22};

const std::array<WordId, 3> kKindWords = {WordId::Score, WordId::Rating, WordId::Games};

std::int32_t OwnValue(const TQorClient& own, char kind) {
  return kind == 'r' ? own.Rating : kind == 'k' ? own.Kon : own.Score;
}

}  // namespace

TFormTourTopTen::TFormTourTopTen(ServiceRequests& requests, const Settings& settings, const TQorClient& own,
                                 QWidget* parent)
    : QDialog(parent), requests_(requests), own_(own), language_(settings.Language) {
  setObjectName(QStringLiteral("FormTourTopTen"));
  setWindowTitle(WordText(WordId::TournamentTopTen, language_));
  setFixedSize(kWidth, kHeight);

  auto* box = new QGroupBox(this);
  box->setGeometry(12, 8, kWidth - 24, 48);
  auto* layout = new QHBoxLayout(box);
  auto* group = new QButtonGroup(this);
  for (std::size_t i = 0; i < kinds_.size(); ++i) {
    auto* radio = new QRadioButton(WordText(kKindWords[i], language_), box);
    const char kind = kOnlineTopKinds[i];
    radio->setObjectName(QStringLiteral("RadioKind") + QLatin1Char(kind));
    group->addButton(radio);
    layout->addWidget(radio);
    connect(radio, &QRadioButton::clicked, this, [this, kind] { SetKind(kind); });
    kinds_[i] = radio;
  }
  kinds_[0]->setChecked(true);

  auto* close = new TQorCardsButton(WordText(WordId::Close, language_), this);
  close->setObjectName(QStringLiteral("ButtonClose"));
  close->setGeometry(kWidth - 140, kHeight - 42, 120, 30);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  ApplyDialogDesign(this, settings);
  SetKind('s');
}

void TFormTourTopTen::SetKind(char kind) {
  kind_ = kind;
  for (std::size_t i = 0; i < kinds_.size(); ++i) kinds_[i]->setChecked(kOnlineTopKinds[i] == kind);
  TopTenList entries;
  const bool ok = ReadOnlineTopTen(requests_, kind, entries);
  rows_ = RowsOfList(ok, entries, TopWhere::City, true, language_);
  std::int32_t place = -1;
  ownPlace_ = WordText(WordId::YourPlace, language_) + QStringLiteral(": ");
  if (ReadTourOwnPlace(requests_, kind, own_, place) && place > 0) ownPlace_ += QString::number(place);
  else ownPlace_ += QLatin1Char('-');
  const std::size_t index = static_cast<std::size_t>(kind == 'r' ? 1 : kind == 'k' ? 2 : 0);
  ownPlace_ += QStringLiteral("    ") + WordText(kKindWords[index], language_) + QStringLiteral(": ") +
               QString::number(OwnValue(own_, kind));
  update();
}

QStringList TFormTourTopTen::ListTexts() const {
  if (rows_.failed) return {WordText(WordId::NoConnect, language_)};
  QStringList texts;
  for (const TopRow& row : rows_.rows) texts << QStringList{row.place, row.nick, row.where, row.score}.join(QLatin1Char(' '));
  return texts;
}

void TFormTourTopTen::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintListPanel(painter, QRect(12, kRowsTop - 8, kWidth - 24, 10 * kPitch + 52));
  QFont font = painter.font();
  font.setPixelSize(13);
  painter.setFont(font);
  if (rows_.failed) {
    painter.setPen(QColor(200, 0, 0));
    painter.drawText(QRect(kColumns.place, kRowsTop, 300, kPitch), Qt::AlignLeft | Qt::AlignVCenter,
                     ListTexts().front());
  }
  for (std::size_t i = 0; i < rows_.rows.size(); ++i) {
    const TopRow& row = rows_.rows[i];
    const int top = kRowsTop + static_cast<int>(i) * kPitch;
    if (row.rank >= 1 && row.rank <= 10)
      painter.drawPixmap(14, top + (kPitch - kMedalSize) / 2,
                         QPixmap(QStringLiteral(":/tarvel/GPlace%1.png").arg(row.rank, 2, 10, QLatin1Char('0'))));
    PaintTopRow(painter, row, kColumns, top, kPitch);
  }
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(128, 0, 0));
  painter.drawText(QRect(24, kRowsTop + 10 * kPitch + 6, kWidth - 48, 30), Qt::AlignLeft | Qt::AlignVCenter, ownPlace_);
}

}  // namespace tarvel
