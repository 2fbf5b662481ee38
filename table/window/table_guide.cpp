#include "table/window/table_guide.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

#include "table/deal_explanation.h"
#include "table/fonts.h"
#include "widgets/word_text.h"

namespace tarvel {

namespace {

constexpr int kRefusedMs = 700;    // the red outline of a refused card
constexpr int kBusyRetryMs = 15;   // a refresh waits for the running handler
constexpr int kNoteSmallestFont = 7;
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;

}  // namespace

ReferenceRect NoteBoxRect() { return {505, 245, 750, 365}; }

// ---------------------------------------------------------------------------
// The note box

NoteBox::NoteBox(QWidget* parent, const Settings& settings) : QWidget(parent), settings_(settings) {
  setObjectName(QStringLiteral("NoteBox"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  hide();
}

void NoteBox::SetText(const QString& text) {
  text_ = text;
  Fit();
  setVisible(!text_.isEmpty());
  update();
}

void NoteBox::Place(const QRect& rect, int preferredHeight) {
  setGeometry(rect);
  preferredHeight_ = preferredHeight;
  Fit();
}

QRect NoteBox::TextArea() const {
  const int inset = std::max(4, height() / 16);
  return rect().adjusted(inset + 2, inset, -inset - 2, -inset);
}

void NoteBox::Fit() {
  const QRect area = TextArea();
  font_ = FittingFont(RoleFont(settings_, FontRole::Serif, preferredHeight_), preferredHeight_, kNoteSmallestFont,
                      [&](const QFont& font) {
                        const QRect need = QFontMetrics(font).boundingRect(area, kTextFlags, text_);
                        return need.width() <= area.width() && need.height() <= area.height();
                      });
}

void NoteBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal edge = std::max(1.5, height() / 60.0);
  painter.setPen(QPen(QColor(184, 134, 11), edge));
  painter.setBrush(QColor(255, 252, 238, 235));
  painter.drawRoundedRect(QRectF(rect()).adjusted(edge, edge, -edge, -edge), 8, 8);
  painter.setFont(font_);
  painter.setPen(QColor(50, 35, 10));
  painter.drawText(TextArea(), kTextFlags, text_);
}

// ---------------------------------------------------------------------------
// The guide

TableGuide::TableGuide(QWidget* window, const MatchState& state, const Settings& settings, TableView& view,
                       const GameDriver& driver, std::function<HandClickResult(int, MouseButton)> handClick)
    : QObject(window),
      window_(window),
      state_(state),
      settings_(settings),
      view_(view),
      driver_(driver),
      handClick_(std::move(handClick)),
      note_(new NoteBox(window, settings)) {
  refresh_.setSingleShot(true);
  connect(&refresh_, &QTimer::timeout, this, &TableGuide::Refresh);
  refusedTimer_.setSingleShot(true);
  refusedTimer_.setInterval(kRefusedMs);
  connect(&refusedTimer_, &QTimer::timeout, this, [this] {
    refused_ = 0;
    Changed();
  });
  view_.SetHandOverlay([this](int seat, QPainter& painter, const CardPositions& positions, int count) {
    if (seat == 3) PaintCues(painter, positions, count);
  });  if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

bool TableGuide::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  // Only the window's own controls, never a text field (the chat line).
  if (widget == nullptr || widget == window_ || !window_->isAncestorOf(widget) ||
      widget->testAttribute(Qt::WA_InputMethodEnabled))
    return false;
  const HandKey action = HandKeyOf(static_cast<QKeyEvent*>(event)->key()).action;
  // Enter and Space stay with the focused control.
  if (action == HandKey::None || action == HandKey::Play) return false;
  return KeyPressed(static_cast<QKeyEvent*>(event)->key());
}

HandCues TableGuide::CurrentCues() const {
  return HandCuesFor(driver_, state_, hover_, focus_, keyboardUsed_, refused_);
}

void TableGuide::PaintCues(QPainter& painter, const CardPositions& positions, int count) {
  // While a handler runs the hand may be half-way through a move: the cues
  // come back when it is over.
  painted_ = driver_.busy() ? HandCues{} : CurrentCues();
  const CardGeometry& card = view_.Layout().Card;
  PaintHandCues(painter, positions, count, QSize(card.Width, card.Height), painted_);
}

int TableGuide::FirstPlayable() const {
  for (int slot = 1; slot <= std::min<int>(state_.HandCount[3], 8); ++slot)
    if (driver_.onHandHover(slot)) return slot;
  return StepFocus(state_, 0, 1);
}

void TableGuide::RefreshNow() {
  refresh_.stop();
  Refresh();
}

void TableGuide::Refresh() {
  if (driver_.busy()) {
    refresh_.start(kBusyRetryMs);
    return;
  }
  if (pendingKey_ != 0) {
    // The key acts now as if pressed now, through the window's own handler.
    const int key = pendingKey_;
    pendingKey_ = 0;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(window_, &press);
  }
  if (!state_.DealActive) return;
  const bool myTurn = driver_.humanMayPlay();
  focus_ = ClampFocus(state_, focus_);
  if (myTurn && keyboardUsed_ && focus_ == 0) focus_ = FirstPlayable();
  if (CurrentCues() != painted_ && view_.IsVisible(Element::ImageCards3)) view_.DrawHand(3, true);
  // The turn marker stays on the seat to move while a trick is open.
  if (state_.Turn >= 1 && state_.Turn <= 3) {
    for (int seat = 1; seat <= 3; ++seat) {
      const bool want = seat == state_.Turn;
      if (marked_[static_cast<std::size_t>(seat)] == want) continue;
      view_.DrawBoard(seat, want, false, kBoardLeave, kBoardLeave, kBoardLeave);
      BoardDrawn(seat, want);
    }
  }
  if (myTurn && noteKind_ == NoteKind::None) {
    ShowNote(NoteKind::Turn, WordText(WordId::YourTurn, settings_.Language));
  } else if (!myTurn && (noteKind_ == NoteKind::Turn || noteKind_ == NoteKind::Refusal)) {
    ShowNote(NoteKind::None, QString());
  }
}

bool TableGuide::KeyPressed(int key) {
  const HandKeyPress press = HandKeyOf(key);
  if (press.action == HandKey::None || !state_.DealActive) return false;
  if (driver_.busy()) {
    pendingKey_ = key;
    refresh_.start(kBusyRetryMs);
    return true;
  }
  switch (press.action) {
    case HandKey::Previous:
    case HandKey::Next:
      keyboardUsed_ = true;
      focus_ = StepFocus(state_, focus_, press.action == HandKey::Next ? 1 : -1);
      Changed();
      return true;
    case HandKey::Speak:
      if (focus_ == 0) return false;
      handClick_(focus_, MouseButton::Right);
      return true;
    case HandKey::Play:
      // Outside the player's turn Enter belongs to the continue button.
      if (!driver_.humanMayPlay()) return false;
      if (!keyboardUsed_ || focus_ == 0) {
        // The first press shows where the focus is rather than playing an
        // unseen card.
        keyboardUsed_ = true;
        focus_ = FirstPlayable();
        Changed();
        return true;
      }
      handClick_(focus_, MouseButton::Left);
      return true;
    case HandKey::Slot:
      if (press.slot <= state_.HandCount[3]) {
        keyboardUsed_ = true;
        focus_ = press.slot;
        handClick_(press.slot, MouseButton::Left);
        Changed();
      }
      return true;
    case HandKey::None: break;
  }
  return false;
}

void TableGuide::Hover(int slot) {
  if (slot == hover_) return;
  hover_ = slot;
  Changed();
}

void TableGuide::HandClicked(int slot, HandClickResult result) {
  if (result == HandClickResult::Refused) {
    refused_ = slot;
    refusedTimer_.start();
    ShowNote(NoteKind::Refusal, RefusalLine(state_, slot, settings_.Language));
  } else if (result == HandClickResult::Played) {
    refused_ = 0;
    if (noteKind_ == NoteKind::Turn || noteKind_ == NoteKind::Refusal) ShowNote(NoteKind::None, QString());
  }
  Changed();
}

void TableGuide::HandDrawn(int seat) {
  if (seat == trump_.seat) trump_ = {};
}

void TableGuide::DealStarted() {
  ShowNote(NoteKind::None, QString());
  focus_ = 0;
  refused_ = 0;
  hover_ = 0;
  trump_ = {};
  marked_.fill(false);
}

void TableGuide::DealScored() { ShowNote(NoteKind::DealEnd, DealEndLine(DealFiguresOf(state_), settings_.Language)); }

void TableGuide::GameSummed(std::int32_t result) {
  QString text = GameEndLine(result, settings_.Language);
  if (noteKind_ == NoteKind::DealEnd) text = note_->Text() + QLatin1Char('\n') + text;
  ShowNote(NoteKind::GameEnd, text);
}

void TableGuide::Hide() {
  ShowNote(NoteKind::None, QString());
  hover_ = 0;
}

void TableGuide::Place(const TableLayout& layout) {
  note_->Place(ScaledRect(layout.Factors, NoteBoxRect()), ScaleSize(layout.Factors, 15));
}

void TableGuide::ShowNote(NoteKind kind, const QString& text) {
  noteKind_ = kind;
  note_->SetText(text);
}

std::optional<TableHint> TableGuide::HintAt(QPoint at, const CounterHint& counter) const {
  return TableHintAt(at, view_, state_, settings_.Language, trump_, counter);
}

}  // namespace tarvel
