#include "records/tformcount.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>

#include "records/records_host.h"
#include "widgets/dialog_design.h"

namespace tarvel {

TFormCount::TFormCount(const Settings& settings, const QString& playerName, const TCount& count, QWidget* parent)
    : QDialog(parent) {
  const int language = settings.Language;
  setWindowTitle(RecordsWord(WordId::Player, language) + QLatin1Char(' ') + playerName);
  auto* grid = new QGridLayout(this);
  auto* heading = new QLabel(RecordsWord(WordId::InformationAboutGame, language), this);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  heading->setAlignment(Qt::AlignCenter);
  grid->addWidget(heading, 0, 0, 1, 2);

  const std::array<std::pair<WordId, const std::string*>, 7> rows = {{
      {WordId::GeneralNumberOfGame, &count.Count_KonAll},
      {WordId::RoundInCycle, &count.Count_KonCur},
      {WordId::InitialScore, &count.Count_ScoBeg},
      {WordId::CurrentScore, &count.Count_ScoCur},
      {WordId::GeneralScoreLabel, &count.Count_ScoAll},
      {WordId::InitialRating, &count.Count_ReiBeg},
      {WordId::CurrentRating, &count.Count_ReiCur},
  }};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    auto* caption = new QLabel(RecordsWord(rows[i].first, language), this);
    caption->setObjectName(QStringLiteral("Label%1a").arg(row));
    values_[i] = new QLabel(QString::fromStdString(*rows[i].second).trimmed(), this);
    values_[i]->setObjectName(QStringLiteral("Label%1b").arg(row));
    values_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(caption, row, 0);
    grid->addWidget(values_[i], row, 1);
  }
  button1_ = new TQorCardsButton(RecordsWord(WordId::DialogOk, language), this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setDefault(true);
  grid->addWidget(button1_, 8, 0, 1, 2, Qt::AlignCenter);
  connect(button1_, &QPushButton::clicked, this, &QDialog::accept);
  ApplyDialogDesign(this, settings);
}

QString TFormCount::Value(int row) const {
  return row >= 1 && row <= 7 ? values_[static_cast<std::size_t>(row) - 1]->text() : QString();
}

}  // namespace tarvel
