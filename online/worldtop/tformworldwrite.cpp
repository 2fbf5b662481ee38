#include "online/worldtop/tformworldwrite.h"

#include <QPainter>
#include <QTimer>

#include "online/worldtop/worldtop_paint.h"
#include "settings/options/form_passport.h"
#include "settings/passport_name.h"
#include "widgets/dialog_design.h"
#include "widgets/word_text.h"

namespace tarvel {
namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 250;
constexpr const char* kDefaultNick = "Incognito";

}  // namespace

TFormWorldWrite::TFormWorldWrite(WorldTopContext& context, std::int32_t score, QWidget* parent)
    : QDialog(parent), context_(context), language_(context.settings.Language), score_(score) {
  setObjectName(QStringLiteral("FormWorldWrite"));
  setWindowTitle(WordText(WordId::WorldTopTen, language_));
  setFixedSize(kWidth, kHeight);
  const auto button = [this](WordId word, const char* name, int left) {
    auto* b = new TQorCardsButton(WordText(word, language_), this);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(left, kHeight - 46, 120, 30);
    return b;
  };
  send_ = button(WordId::Send, "ButtonSend", 15);
  passport_ = button(WordId::Passport, "ButtonPassport", 150);
  close_ = button(WordId::Close, "ButtonClose", 285);
  send_->setDefault(true);
  connect(send_, &QPushButton::clicked, this, &TFormWorldWrite::ButtonSendClick);
  connect(passport_, &QPushButton::clicked, this, &TFormWorldWrite::ButtonPassportClick);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  const Settings& s = context_.settings;
  send_->setEnabled(CheckPassportName(s.Nick, kNickLimit) >= kNameCyrillic &&
                    CheckPassportName(s.City, kCityLimit) > kNameRefused);
  ApplyDialogDesign(this, context_.settings);
}

void TFormWorldWrite::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  // A player who never named himself is asked for a passport first; "Send"
  // keeps the state it opened with.
  if (context_.settings.Nick == kDefaultNick) QTimer::singleShot(0, this, &TFormWorldWrite::EditPassport);
}

void TFormWorldWrite::EditPassport() {
  TFormPassport passport(context_.settings, this);
  context_.host.RunModal(passport);
  update();
}

void TFormWorldWrite::ButtonPassportClick() {
  EditPassport();
  // After an edit here only Latin nicks are sent (the other platforms' lists
  // show no Cyrillic), and nothing once a result went out.
  const Settings& s = context_.settings;
  send_->setEnabled(!sent_ && CheckPassportName(s.Nick, kNickLimit) == kNameLatin &&
                    CheckPassportName(s.City, kCityLimit) > kNameRefused);
}

void TFormWorldWrite::ButtonSendClick() {
  if (sent_) return;
  const Settings& s = context_.settings;
  TopTenEntry entry;
  entry.list = kWorldList;
  entry.nick = s.Nick;
  entry.city = s.City;
  entry.country = s.Country;
  entry.score = score_;
  entry.r7 = s.Sex;
  std::int32_t place = -1;
  if (!context_.requests.WriteTopTen(entry, place)) {
    context_.host.Inform(WordText(WordId::CantWriteResult, language_));
    return;
  }
  sent_ = true;
  place_ = place;
  send_->setEnabled(false);
  update();
}

void TFormWorldWrite::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintListPanel(painter, QRect(10, 10, kWidth - 20, kHeight - 70));
  PaintPassport(painter, QPoint(30, 22), context_.settings, language_);
  QFont font = painter.font();
  font.setPixelSize(18);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(128, 0, 0));
  painter.drawText(QRect(30, 105, kWidth - 60, 28), Qt::AlignLeft | Qt::AlignVCenter,
                   WordText(WordId::YourScore, language_) + QStringLiteral(": ") + QString::number(score_));
  if (sent_ && place_ != -1) {
    painter.setPen(QColor(0, 128, 0));
    painter.drawText(QRect(30, 138, kWidth - 60, 28), Qt::AlignLeft | Qt::AlignVCenter,
                     WordText(WordId::YourPlace, language_) + QStringLiteral(": ") + QString::number(place_));
  }
}

}  // namespace tarvel
