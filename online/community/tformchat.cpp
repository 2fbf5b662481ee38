#include "online/community/tformchat.h"

#include <QCheckBox>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QTime>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <vector>

#include "online/chat_board.h"
#include "online/community/service_text.h"
#include "settings/passport_name.h"
#include "online/service_requests.h"
#include "widgets/dialog_design.h"
#include "widgets/message_box.h"
#include "widgets/qor_cards_button.h"
#include "widgets/passport_pictures.h"
#include "widgets/word_text.h"

namespace tarvel {
namespace {

constexpr int kBoxWidth = 560;
constexpr int kBoxHeight = 50;
constexpr int kLineLeft = 72;
constexpr int kLineWidth = kBoxWidth - kLineLeft - 6;
const QColor kNavy(0, 0, 128);

// "GNew": a gold star marking a message newer than the last one seen.
QPixmap NewPicture() {
  QPixmap picture(20, 20);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath star;
  for (int i = 0; i < 10; ++i) {
    const double radius = i % 2 == 0 ? 9.5 : 4.0;
    const double angle = -M_PI / 2 + i * M_PI / 5;
    const QPointF point(10 + radius * std::cos(angle), 10 + radius * std::sin(angle));
    if (i == 0) star.moveTo(point); else star.lineTo(point);
  }
  star.closeSubpath();
  painter.setPen(QPen(QColor(160, 100, 0), 1));
  painter.setBrush(QColor(255, 200, 0));
  painter.drawPath(star);
  return picture;
}

}  // namespace

TFormChat::TFormChat(Settings& settings, ServiceRequests& requests, std::filesystem::path folder,
                     std::function<void()> openPassport, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      requests_(requests),
      folder_(std::move(folder)),
      openPassport_(std::move(openPassport)),
      notice_(ReadChatNotice(folder_)) {
  const int language = settings_.Language;
  inform_ = [this, language](const QString& title, const QString& text) {
    InformBox(this, title, text, WordText(WordId::DialogOk, language));
  };
  setWindowTitle(WordText(WordId::QorGamesChat, language));
  auto* column = new QVBoxLayout(this);

  auto* list = new QWidget(this);
  list->setObjectName(QStringLiteral("List"));
  list->setFixedSize(kBoxWidth, kChatBoxes * kBoxHeight);
  for (int k = 0; k < kChatBoxes; ++k) {
    Box& box = boxes_[static_cast<std::size_t>(k)];
    box.frame = new QWidget(list);
    box.frame->setGeometry(0, k * kBoxHeight, kBoxWidth, kBoxHeight);
    const QString n = QString::number(k + 1);
    box.number = PlainLabel(box.frame, QStringLiteral("Number") + n);
    box.number->setGeometry(4, 4, 30, 20);
    box.flag = new QLabel(box.frame);
    box.flag->setGeometry(34, 7, 20, 14);
    box.sex = new QLabel(box.frame);
    box.sex->setGeometry(55, 6, 16, 16);
    box.header = PlainLabel(box.frame, QStringLiteral("Header") + n);
    box.header->setGeometry(kLineLeft, 4, kLineWidth, 20);
    box.fresh = new QLabel(box.frame);
    box.fresh->setPixmap(NewPicture());
    box.fresh->setGeometry(48, 26, 20, 20);
    box.text = PlainLabel(box.frame, QStringLiteral("Text") + n);
    box.text->setGeometry(kLineLeft, 26, kLineWidth, 20);
    QPalette navy = box.text->palette();
    navy.setColor(QPalette::WindowText, kNavy);
    box.text->setPalette(navy);
    box.frame->hide();
  }
  listMessage_ = PlainLabel(list, QStringLiteral("ListMessage"));
  listMessage_->setGeometry(0, 0, kBoxWidth, kBoxHeight);
  listMessage_->setAlignment(Qt::AlignCenter);
  column->addWidget(list);

  auto* sendRow = new QHBoxLayout;
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("Edit1"));
  edit_->setMaxLength(kChatTextLimit);
  send_ = new TQorCardsButton(WordText(WordId::Send, language), this);
  send_->setObjectName(QStringLiteral("BSend"));
  sendRow->addWidget(edit_, 1);
  sendRow->addWidget(send_);
  column->addLayout(sendRow);

  bottom_ = new QCheckBox(WordText(WordId::LastMessageAtBottom, language), this);
  bottom_->setObjectName(QStringLiteral("CheckBottom"));
  bottom_->setChecked(notice_.lastAtBottom);
  openOnNew_ = new QCheckBox(WordText(WordId::OpenOnNewMessage, language), this);
  openOnNew_->setObjectName(QStringLiteral("CheckOpen"));
  openOnNew_->setChecked(notice_.openOnNew);
  column->addWidget(bottom_);
  column->addWidget(openOnNew_);

  auto* buttons = new QHBoxLayout;
  passport_ = new TQorCardsButton(WordText(WordId::Passport, language), this);
  passport_->setObjectName(QStringLiteral("BPassport"));
  auto* close = new TQorCardsButton(WordText(WordId::Close, language), this);
  close->setObjectName(QStringLiteral("BClose"));
  buttons->addWidget(passport_);
  buttons->addStretch(1);
  buttons->addWidget(close);
  column->addLayout(buttons);

  // Enter belongs to the edit box: no button takes it as the default.
  for (QPushButton* button : std::initializer_list<QPushButton*>{send_, passport_, close}) button->setAutoDefault(false);
  connect(edit_, &QLineEdit::returnPressed, this, &TFormChat::SendClick);
  connect(send_, &QPushButton::clicked, this, &TFormChat::SendClick);
  connect(bottom_, &QCheckBox::toggled, this, &TFormChat::BottomClick);
  connect(openOnNew_, &QCheckBox::toggled, this, [this](bool checked) {
    notice_.openOnNew = checked;
    SaveNotice();
  });
  connect(passport_, &QPushButton::clicked, this, [this] {
    if (openPassport_) openPassport_();
    EnableEdit();
  });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(&timer_, &QTimer::timeout, this, &TFormChat::TimerTick);
  timer_.setInterval(kChatTimerMs);
  timer_.start();
  ApplyDialogDesign(this, settings_);

  EnableEdit();
  DrawList();
}

void TFormChat::EnableEdit() {
  const bool may = MayChat(settings_) && !sent_;
  edit_->setEnabled(may);
  send_->setVisible(!sent_);
  send_->setEnabled(may);
}

void TFormChat::SaveNotice() { WriteChatNotice(folder_, notice_); }

void TFormChat::ShowEntry(const Box& box, const TQorRecord& entry, bool fresh) {
  box.number->setText(QString::number(entry.Score) + QLatin1Char('.'));
  box.flag->setPixmap(QPixmap::fromImage(CountryFlag(entry.Country)));
  box.sex->setPixmap(QPixmap::fromImage(SexPicture(entry.R07)));
  const QString header = ServiceLine(ShownName(entry.City, kCityLimit)) + QStringLiteral(" : ") +
                         ServiceLine(ShownChatText(entry.R09)) + QLatin1Char(' ') + ServiceLine(entry.R08) +
                         QStringLiteral(" : ") + ServiceLine(ShownName(entry.Nick, kNickLimit));
  ShowCut(box.header, header, kLineWidth);
  ShowCut(box.text, ServiceLine(ShownChatText(entry.R10)), kLineWidth);
  box.fresh->setVisible(fresh);
  box.frame->show();
}

void TFormChat::DrawList() {
  for (const Box& box : boxes_) box.frame->hide();
  TopTenList board;
  if (!requests_.ReadTopTen(kChatList, board)) {
    listMessage_->setText(WordText(WordId::NoConnect, settings_.Language));
    return;
  }
  listMessage_->clear();
  std::vector<const TQorRecord*> messages;
  for (const TQorRecord& entry : board)
    if (entry.Nick != "#") messages.push_back(&entry);
  const auto count = static_cast<int>(messages.size());
  for (int i = 0; i < count; ++i) {
    // At the bottom the newest message takes the lowest box.
    const int box = notice_.lastAtBottom ? kChatBoxes - 1 - i : i;
    const TQorRecord& entry = *messages[static_cast<std::size_t>(i)];
    ShowEntry(boxes_[static_cast<std::size_t>(box)], entry, entry.Score > notice_.lastSeen);
  }
  if (board.front().Score != notice_.lastSeen) {
    notice_.lastSeen = board.front().Score;
    SaveNotice();
  }
}

void TFormChat::TimerTick() {
  sent_ = false;
  bottom_->setEnabled(true);
  EnableEdit();
  DrawList();
}

void TFormChat::SendClick() {
  if (edit_->text().isEmpty() || !edit_->isEnabled()) return;
  const QLocale locale = QLocale::system();
  const std::string when =
      ChatTimeField(locale.toString(QTime::currentTime(), QLocale::ShortFormat).toStdString(),
                    locale.toString(QDate::currentDate(), QLocale::ShortFormat).toStdString(),
                    WordText(WordId::Tarvel, settings_.Language).toStdString());
  std::int32_t number = 0;
  if (!PostChatMessage(requests_, settings_, edit_->text().toStdString(), when, number)) {
    inform_(windowTitle(), WordText(WordId::CantSendMessage, settings_.Language));
    return;
  }
  edit_->clear();
  sent_ = true;
  EnableEdit();
  DrawList();
  notice_.lastSeen = std::max(notice_.lastSeen, number);
  SaveNotice();
}

void TFormChat::BottomClick(bool checked) {
  notice_.lastAtBottom = checked;
  SaveNotice();
  DrawList();
  bottom_->setEnabled(false);
}

const TFormChat::Box* TFormChat::Shown(int box) const {
  if (box < 0 || box >= kChatBoxes) return nullptr;
  const Box& shown = boxes_[static_cast<std::size_t>(box)];
  return shown.frame->isVisibleTo(this) ? &shown : nullptr;
}

QString TFormChat::BoxNumber(int box) const { return Shown(box) ? Shown(box)->number->text() : QString(); }
QString TFormChat::BoxHeader(int box) const { return Shown(box) ? Shown(box)->header->text() : QString(); }
QString TFormChat::BoxText(int box) const { return Shown(box) ? Shown(box)->text->text() : QString(); }
bool TFormChat::BoxFresh(int box) const { return Shown(box) && Shown(box)->fresh->isVisibleTo(this); }

QString TFormChat::ListMessage() const { return listMessage_->text(); }

QPushButton* TFormChat::SendButton() const { return send_; }
QPushButton* TFormChat::PassportButton() const { return passport_; }

}  // namespace tarvel
