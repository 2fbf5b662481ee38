#include "lan/tform_wait.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/words/words.h"

namespace tarvel::lan {
namespace {

QString Text(WordId id, int language) {
  const std::string_view text = Word(id, language);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TFormWait::TFormWait(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFormWait"));
  setModal(true);
  auto* column = new QVBoxLayout(this);
  // A running bar stands for the animated picture: it moves while the
  // window waits, without any picture resource.
  animation_ = new QProgressBar(this);
  animation_->setRange(0, 0);
  animation_->setTextVisible(false);
  column->addWidget(animation_);
  firstLine_ = new QLabel(this);
  column->addWidget(firstLine_);
  for (QLabel*& line : players_) {
    line = new QLabel(this);
    column->addWidget(line);
  }
  auto* buttons = new QHBoxLayout;
  ok_ = new QPushButton(this);
  cancel_ = new QPushButton(this);
  ok_->setObjectName(QStringLiteral("Ok"));
  cancel_->setObjectName(QStringLiteral("Cancel"));
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  column->addLayout(buttons);
  setMinimumWidth(360);

  timer_.setInterval(1000);
  connect(&timer_, &QTimer::timeout, this, &TFormWait::Tick);
  connect(ok_, &QPushButton::clicked, this, [this] {
    confirmed_ = true;
    accept();
  });
  connect(cancel_, &QPushButton::clicked, this, &TFormWait::reject);
  connect(this, &QDialog::finished, this, [this] {
    timer_.stop();
    animation_->setRange(0, 1);  // the animation stops
  });
}

void TFormWait::Prepare(bool host, int language) {
  language_ = language;
  confirmed_ = false;
  setWindowTitle(Text(WordId::PleaseWait, language));
  firstLine_->setText(Text(host ? WordId::ExpectConnection : WordId::ExpectGame, language));
  players_[0]->setText(Text(WordId::SecondPlayerConnected, language));
  players_[1]->setText(Text(WordId::ThirdPlayerConnected, language));
  for (QLabel* line : players_) line->hide();
  ok_->setText(Text(WordId::DialogOk, language));
  cancel_->setText(Text(WordId::Cancel, language));
  ok_->setEnabled(false);
  cancel_->setEnabled(true);
  cancel_->setDefault(true);
  animation_->setRange(0, 0);
  timer_.start();
}

void TFormWait::PlayerJoined(int netClients2) {
  players_[0]->show();
  if (netClients2 >= 1) players_[1]->show();
  ok_->setEnabled(true);
  cancel_->setEnabled(false);
  ok_->setDefault(true);
}

void TFormWait::reject() {
  // Escape and the window's close button count as "Cancel", and like it they
  // do nothing once a player has joined.
  if (!cancel_->isEnabled()) return;
  emit Cancelled();
  QDialog::reject();
}

void TFormWait::Confirm() {
  confirmed_ = true;
  accept();
}

void TFormWait::Tick() {
  if (noGameSeen_ && noGameSeen_()) firstLine_->setText(Text(WordId::NoAccessibleGames, language_));
}

}  // namespace tarvel::lan
