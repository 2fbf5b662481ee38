#include "table/form_speed.h"

#include "settings/words/words.h"
#include "table/flight.h"
#include "table/fonts.h"
#include "widgets/dialog_design.h"
#include "widgets/fireworks.h"
#include "widgets/qor_cards_button.h"
#include "widgets/word_text.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>

#include <algorithm>
#include <cmath>

namespace tarvel {

namespace {

constexpr int kIconFrames = 12;


}  // namespace

TFormSpeed::TFormSpeed(Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings)
{
    setFixedSize(340, 280);
    setModal(true);

    prompt_ = new QLabel(this);
    prompt_->setGeometry(20, 24, 300, 28);
    prompt_->setAlignment(Qt::AlignCenter);

    trackBar_ = new QSlider(Qt::Horizontal, this);
    trackBar_->setRange(1, 6);
    trackBar_->setPageStep(1);
    trackBar_->setTickPosition(QSlider::TicksBelow);
    trackBar_->setTickInterval(1);
    trackBar_->setGeometry(40, 90, 260, 32);
    trackBar_->setValue(std::clamp<int>(settings_.Speed, 1, 6));
    connect(trackBar_, &QSlider::valueChanged, this, &TFormSpeed::SpeedChanged);

    // The labels 1 to 6 under the ticks of the track bar.
    for (int value = 1; value <= 6; ++value) {
        auto* label = new QLabel(QString::number(value), this);
        const int x = 40 + 8 + (value - 1) * (260 - 16) / 5;
        label->setGeometry(x - 10, 124, 20, 18);
        label->setAlignment(Qt::AlignCenter);
    }

    icon_ = new QLabel(this);
    icon_->setGeometry(146, 152, 48, 48);
    iconTimer_.setInterval(SpeedIconInterval(settings_.Speed));
    connect(&iconTimer_, &QTimer::timeout, this, &TFormSpeed::NextIconFrame);

    ok_ = new TQorCardsButton(this);
    ok_->setGeometry(120, 222, 100, 30);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &TFormSpeed::OkClick);

    ApplyLanguage();
    ApplyDesign();
}

void TFormSpeed::ApplyLanguage()
{
    setWindowTitle(WordText(WordId::ChoiceOfSpeed, settings_.Language));
    prompt_->setText(WordText(WordId::SelectFlightSpeed, settings_.Language));
    ok_->setText(WordText(WordId::Ok, settings_.Language));
    const QFont font = RoleFont(settings_, FontRole::Serif, FontHeight(settings_, 16, FontRole::Serif));
    prompt_->setFont(font);
    ok_->setFont(RoleFont(settings_, FontRole::Decor, FontHeight(settings_, 16, FontRole::Decor), true));
}

void TFormSpeed::ApplyDesign()
{
    ApplyDialogDesign(this, settings_);
    icon_->setVisible(settings_.DialogDesignPurple);
    if (settings_.DialogDesignPurple) {
        DrawIcon();
    }
}

void TFormSpeed::showEvent(QShowEvent* event)
{
    trackBar_->setValue(std::clamp<int>(settings_.Speed, 1, 6));
    ApplyLanguage();
    ApplyDesign();
    iconTimer_.setInterval(SpeedIconInterval(settings_.Speed));
    if (settings_.DialogDesignPurple) {
        iconTimer_.start();
    } else {
        iconTimer_.stop();
    }
    QDialog::showEvent(event);
}

void TFormSpeed::SpeedChanged(int value)
{
    settings_.Speed = static_cast<std::uint8_t>(std::clamp(value, 1, 6));
    iconTimer_.setInterval(SpeedIconInterval(settings_.Speed));
}

void TFormSpeed::OkClick()
{
    iconTimer_.stop();
    if (settings_.SaluteButtons) {
        Fireworks();
    }
    accept();
}

void TFormSpeed::NextIconFrame()
{
    iconFrame_ = (iconFrame_ + 1) % kIconFrames;
    DrawIcon();
}

void TFormSpeed::DrawIcon()
{
    // A card that spins about its upright axis: the faster the flight, the
    // faster it turns.
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double angle = 2.0 * 3.14159265358979 * iconFrame_ / kIconFrames;
    const double width = 30.0 * std::abs(std::cos(angle));
    const bool front = std::cos(angle) >= 0.0;
    const QRectF card(24.0 - width / 2.0, 6.0, std::max(width, 1.0), 36.0);
    painter.setPen(QPen(QColor(60, 0, 110), 1.5));
    painter.setBrush(front ? QColor(250, 250, 245) : QColor(200, 175, 50));
    painter.drawRoundedRect(card, 3.0, 3.0);
    if (front && width > 10.0) {
        QPainterPath heart;
        const QPointF c = card.center();
        const double s = width / 30.0;
        heart.moveTo(c.x(), c.y() + 7 * s);
        heart.cubicTo(c.x() - 10 * s, c.y() - 1 * s, c.x() - 5 * s, c.y() - 9 * s, c.x(), c.y() - 3 * s);
        heart.cubicTo(c.x() + 5 * s, c.y() - 9 * s, c.x() + 10 * s, c.y() - 1 * s, c.x(), c.y() + 7 * s);
        painter.fillPath(heart, QColor(200, 0, 40));
    }
    painter.end();
    icon_->setPixmap(pixmap);
}

}  // namespace tarvel
