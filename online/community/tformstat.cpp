#include "online/community/tformstat.h"

#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>

#include "online/community/service_text.h"
#include "settings/passport_name.h"
#include "online/service_requests.h"
#include "widgets/dialog_design.h"
#include "widgets/qor_cards_button.h"
#include "widgets/word_text.h"

namespace tarvel {
namespace {

constexpr int kValueWidth = 160;
constexpr const char* kDefaultNick = "Incognito";

}  // namespace

TFormStat::TFormStat(Settings& settings, ServiceRequests& requests, std::function<void()> saveSettings,
                     QWidget* parent)
    : QDialog(parent), settings_(settings), requests_(requests), saveSettings_(std::move(saveSettings)) {
  const int language = settings_.Language;
  setWindowTitle(WordText(WordId::Statistics, language));
  askNick_ = [this, language](QString& nick) {
    bool ok = false;
    nick = QInputDialog::getText(this, WordText(WordId::Nick, language), WordText(WordId::Nick, language),
                                 QLineEdit::Normal, nick, &ok);
    return ok;
  };
  auto* grid = new QGridLayout(this);
  auto* heading = new QLabel(WordText(WordId::WorldStats, language), this);
  heading->setObjectName(QStringLiteral("Heading"));
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.4);
  heading->setFont(bold);
  heading->setAlignment(Qt::AlignCenter);
  grid->addWidget(heading, 0, 0, 1, 2);
  for (int row = 0; row < kStatRows; ++row) {
    grid->addWidget(new QLabel(WordText(WordId::StatRows, language, row), this), row + 1, 0);
    QLabel* value = PlainLabel(this, QStringLiteral("Value%1").arg(row + 1));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setFixedWidth(kValueWidth);
    values_[static_cast<std::size_t>(row)] = value;
    grid->addWidget(value, row + 1, 1);
  }
  like_ = new TQorCardsButton(WordText(WordId::ILikeThisGame, language), this);
  like_->setObjectName(QStringLiteral("BLike"));
  auto* close = new TQorCardsButton(WordText(WordId::Close, language), this);
  close->setObjectName(QStringLiteral("BClose"));
  close->setDefault(true);
  grid->addWidget(like_, kStatRows + 1, 0);
  grid->addWidget(close, kStatRows + 1, 1);
  connect(like_, &QPushButton::clicked, this, &TFormStat::LikeClick);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  ApplyDialogDesign(this, settings_);

  read_ = requests_.ReadStatistics(stat_);
  if (read_) {
    ShowStat(stat_);
  } else {
    values_[0]->setText(WordText(WordId::NoConnect, language));
  }
  like_->setEnabled(read_ && !settings_.LikeSent);
}

void TFormStat::ShowStat(const TQorStat& stat) {
  const std::array<QString, kStatRows> shown{
      QString::number(stat.Stat1),    QString::number(stat.Stat2),
      QString::number(stat.Stat3),    ServiceLine(ShownName(stat.Stat4, kNickLimit)),
      QString::number(stat.StatX[0]), QString::number(stat.StatX[1]),
      QString::number(stat.StatX[2]), QString::number(stat.StatX[3]),
      QString::number(stat.StatX[4]), QString::number(stat.StatX[5])};
  for (std::size_t row = 0; row < shown.size(); ++row) ShowCut(values_[row], shown[row], kValueWidth);
}

QString TFormStat::Value(int row) const {
  return row >= 0 && row < kStatRows ? values_[static_cast<std::size_t>(row)]->text() : QString();
}

void TFormStat::LikeClick() {
  if (!like_->isEnabled()) return;
  if (settings_.Nick == kDefaultNick) {
    QString nick;
    do {
      if (!askNick_(nick)) return;
    } while (CheckPassportName(nick.toStdString(), kNickLimit) == kNameRefused);
    settings_.Nick = nick.toStdString();
  }
  bool accepted = false;
  if (!requests_.Vote(settings_.Nick, accepted) || !accepted) return;
  like_->setEnabled(false);
  ++stat_.Stat3;
  stat_.Stat4 = settings_.Nick;
  ShowStat(stat_);
  settings_.LikeSent = true;
  if (saveSettings_) saveSettings_();
}

}  // namespace tarvel
