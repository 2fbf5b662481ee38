#include "media/music_buttons.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include "settings/words/words.h"

namespace tarvel {

namespace {

constexpr int kPlayerTickMs = 500;
constexpr int kHintMs = 5000;

QString WordOf(WordId id, int language) {
  const std::string_view text = Word(id, language);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A round dark button with a light ring; the glyph in white.
void DrawFace(QPainter& p, const QRectF& area) {
  QRadialGradient face(area.center() - QPointF(8, 10), area.width() * 0.7);
  face.setColorAt(0.0, QColor(90, 100, 130));
  face.setColorAt(1.0, QColor(20, 24, 40));
  p.setPen(QPen(QColor(200, 200, 220), 2));
  p.setBrush(face);
  p.drawEllipse(area.adjusted(2, 2, -2, -2));
}

}  // namespace

MusicButton::MusicButton(Kind kind, const MusicPlayer& player, QWidget* parent)
    : QWidget(parent), kind_(kind), player_(player) {
  setFixedSize(kSize, kSize);
  setAttribute(Qt::WA_TranslucentBackground);
}

void MusicButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  // A pressed button is drawn one pixel lower and to the right.
  const QPointF shift = pressed_ ? QPointF(1, 1) : QPointF(0, 0);
  p.translate(shift);
  const QRectF area(0, 0, kSize - 1, kSize - 1);
  DrawFace(p, area);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(245, 245, 245));
  const QPointF c = area.center();
  switch (kind_) {
    case Kind::PlayPause:
      if (player_.Record().Play) {
        p.drawRect(QRectF(c.x() - 10, c.y() - 12, 7, 24));
        p.drawRect(QRectF(c.x() + 3, c.y() - 12, 7, 24));
      } else {
        p.drawPolygon(QPolygonF({c + QPointF(-8, -13), c + QPointF(-8, 13), c + QPointF(14, 0)}));
      }
      break;
    case Kind::Next:
      p.drawPolygon(QPolygonF({c + QPointF(-13, -11), c + QPointF(-13, 11), c + QPointF(3, 0)}));
      p.drawPolygon(QPolygonF({c + QPointF(-1, -11), c + QPointF(-1, 11), c + QPointF(14, 0)}));
      break;
    case Kind::Volume: {
      // "-" on the left part, "+" on the right: where a click lowers or raises.
      p.drawRect(QRectF(8, 40, 10, 3));
      p.drawRect(QRectF(kSize - 19, 40, 10, 3));
      p.drawRect(QRectF(kSize - 15.5, 36.5, 3, 10));
      QFont font = p.font();
      font.setPixelSize(14);
      font.setBold(true);
      p.setFont(font);
      p.setPen(QColor(255, 255, 0));
      p.drawText(QRectF(0, 23 - 9, kSize, 18), Qt::AlignCenter, QString::number(player_.Record().Volume));
      break;
    }
  }
}

void MusicButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  update();
}

void MusicButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  update();
  const QPoint at = event->position().toPoint();
  if (rect().contains(at)) emit Released(at.x());
}

void MusicButton::enterEvent(QEnterEvent* event) {
  if (!hint_.isEmpty()) QToolTip::showText(event->globalPosition().toPoint(), hint_, this, rect(), kHintMs);
  QWidget::enterEvent(event);
}

MusicButtons::MusicButtons(MusicPlayer& player, QWidget* window, Language language)
    : player_(player), language_(std::move(language)) {
  for (MusicButton::Kind kind : {MusicButton::Kind::PlayPause, MusicButton::Kind::Next, MusicButton::Kind::Volume}) {
    auto* button = new MusicButton(kind, player_, window);
    button->setObjectName(QStringLiteral("MusicButton%1").arg(static_cast<int>(kind)));
    button->hide();
    buttons_[static_cast<std::size_t>(kind) - 1] = button;
    connect(button, &MusicButton::Released, this, [this, kind](int x) {
      switch (kind) {
        case MusicButton::Kind::PlayPause: player_.PlayPause(); break;
        case MusicButton::Kind::Next: player_.Next(); break;
        case MusicButton::Kind::Volume: player_.VolumeClick(x); break;
      }
    });
  }
  timer_.setInterval(kPlayerTickMs);
  connect(&timer_, &QTimer::timeout, &player_, &MusicPlayer::Tick);
  connect(&player_, &MusicPlayer::Changed, this, &MusicButtons::Refresh);
}

void MusicButtons::Show(bool allowed, int clientHeight) {
  allowed_ = allowed;
  clientHeight_ = clientHeight;
  Refresh();
}

bool MusicButtons::Visible() const { return buttons_[0]->isVisible(); }

void MusicButtons::Refresh() {
  const bool show = allowed_ && player_.Record().Create;
  const int language = language_ ? language_() : 0;
  const QString song = player_.SongHint();
  Button(MusicButton::Kind::PlayPause)->SetHint(song.isEmpty() ? WordOf(WordId::MusicPlayPause, language) : song);
  Button(MusicButton::Kind::Next)->SetHint(WordOf(WordId::MusicNext, language));
  Button(MusicButton::Kind::Volume)->SetHint(WordOf(WordId::Volume, language));
  int x = 10;
  for (MusicButton* button : buttons_) {
    button->move(x, clientHeight_ - 70);
    button->setVisible(show);
    if (show) button->raise();
    button->update();
    x += 65;
  }
  // The player's clock runs only while a song plays: at rest it costs nothing.
  if (player_.Record().Play) {
    if (!timer_.isActive()) timer_.start();
  } else {
    timer_.stop();
  }
}

}  // namespace tarvel
