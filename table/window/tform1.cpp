#include "table/window/tform1.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>
#include <QToolTip>

#include <chrono>

#include "online/endpoints.h"
#include "table/fonts.h"
#include "table/form_speed.h"
#include "table/window/future_parts.h"
#include "table/window/menu_button.h"

namespace tarvel {

namespace {

constexpr int kIntroInterval = 20;  // ms, intro animation
constexpr const char* kVersionText = "V 5.7f";

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Texts keep the word table's LF CR line breaks; a message box shows one
// break for the pair.
QString ForDisplay(QString text) {
  text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  return text;
}

std::mt19937_64 BackRandom(const std::optional<std::uint64_t>& seed) {
  if (seed) return std::mt19937_64(*seed ^ 0x9E3779B97F4A7C15ULL);
  return std::mt19937_64(static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

// Name plates: the computer seats in blue, the local player in green,
// announcements in red.
char PlateColourOfSeat(int seat) { return seat == 3 ? 'g' : 'b'; }
constexpr char kAnnouncementColour = 'r';

// Colours of the purple design: the buttons' face and their text.
const QColor kPurpleFace(120, 0, 200);
const QColor kPurpleText(0xC8, 0xAF, 0x32);

}  // namespace

WordId WordOf(TableWord word) {
  switch (word) {
    case TableWord::ToBegin: return WordId::ToBegin;
    case TableWord::OK: return WordId::Ok;
    case TableWord::NextRound: return WordId::NextRound;
    case TableWord::ToSumUpOfGame: return WordId::ToSumUpOfGame;
    case TableWord::ExitToMenu: return WordId::ExitToMenu;
    case TableWord::Twenty: return WordId::Twenty;
    case TableWord::Forty: return WordId::Forty;
    case TableWord::ICloseGame: return WordId::ICloseGame;
    case TableWord::Game: return WordId::Game;
    case TableWord::ExpectationOfServer: return WordId::ExpectServer;
    case TableWord::LeaveToMenu: return WordId::LeaveToMenuQuestion;
    case TableWord::LeaveGame:
    case TableWord::DataWillBeLost: break;
  }
  return WordId::CloseGameConfirm;
}

QString WordText(WordId id, int language, int row) { return FromUtf8(Word(id, language, row)); }

QString WordText(TableWord word, int language) {
  // The close confirmation keeps both of its texts in one entry: row 0 the
  // warning, row 1 the question.
  const int row = word == TableWord::LeaveGame ? 1 : 0;
  return WordText(WordOf(word), language, row);
}

ReferenceRect ContinueButtonRect() { return {5, 415, 145, 445}; }
ReferenceRect ExitButtonRect() { return {5, 455, 145, 485}; }

TForm1::TForm1(MatchState& state, Settings& settings, Options options, QWidget* parent)
    : QWidget(parent),
      state_(state),
      settings_(settings),
      options_(std::move(options)),
      backRandom_(BackRandom(options_.seed)),
      random_(options_.seed ? DeckRandom(*options_.seed) : DeckRandom()),
      pictures_(options_.dataFolder,
                [this](const QString& text) { ShowModuleMessage(text); },
                [this] { return static_cast<int>(backRandom_() % 10) + 1; }),
      view_(state_, settings_, pictures_),
      flight_(*this),
      driver_(state_, *this, random_) {
  FormCreate();
  lan_ = std::make_unique<lan::LanConnection>(state_, *this, driver_, random_, *this);
}

TForm1::~TForm1() { timer1_.stop(); }

void TForm1::SetMessageSink(MessageSink* sink) { messages_ = sink ? sink : &dialogSink_; }

void TForm1::SetSoundPlayer(SoundPlayer* player) { sound_ = player ? player : &silentPlayer_; }

QPushButton* TForm1::Button6() const { return button6_; }
QPushButton* TForm1::Button7() const { return button7_; }
QPushButton* TForm1::Button8() const { return button8_; }
QPushButton* TForm1::Button11() const { return button11_; }

QString TForm1::Text(WordId id, int row) const { return WordText(id, settings_.Language, row); }

QString TForm1::ProductWord() const { return Text(WordId::Tarvel); }

// ---------------------------------------------------------------------------
// Creation and start-up

void TForm1::FormCreate() {
  setWindowTitle(ProductWord());
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  move(0, 0);
  SetClientSize(QSize(kReferenceWidth, kReferenceHeight));
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(colours);

  CreateMenuButtons();
  CreateTableButtons();
  CreatePopupMenu();
  HideTableElements();
  button6_->hide();
  button11_->hide();

  view_.SetChangeSink([this](const QRect& rect) { update(rect); });
  LoadCursors();
  menuLeft_ = ProgramPicture(QStringLiteral("PngMenu1"));
  menuRight_ = ProgramPicture(QStringLiteral("PngMenu2"));
  InitAudioLibrary();

  connect(&timer1_, &QTimer::timeout, this, &TForm1::Timer1Timer);
  introShown_ = true;
  menuShown_ = false;
}

void TForm1::CreateMenuButtons() {
  button6_ = new MenuButton(this);
  button6_->setObjectName(QStringLiteral("Button6"));
  button6_->SetColours(QColor(0, 0, 128), QColor(0, 255, 255));
  connect(button6_, &QPushButton::clicked, this, &TForm1::Button6Click);
  button11_ = new MenuButton(this);
  button11_->setObjectName(QStringLiteral("Button11"));
  connect(button11_, &QPushButton::clicked, this, &TForm1::Button11Click);
}

void TForm1::CreateTableButtons() {
  button7_ = new MenuButton(this);
  button7_->setObjectName(QStringLiteral("Button7"));
  connect(button7_, &QPushButton::clicked, this, &TForm1::Button7Click);
  button8_ = new MenuButton(this);
  button8_->setObjectName(QStringLiteral("Button8"));
  connect(button8_, &QPushButton::clicked, this, &TForm1::Button8Click);
}

void TForm1::CreatePopupMenu() {
  popup_ = new QMenu(this);
  genCount_ = popup_->addAction(QString(), this, &TForm1::GenCountClick);
  quit_ = popup_->addAction(QString(), this, &TForm1::QuitClick);
  changeName_ = popup_->addAction(QString());
  popup_->addSeparator();
  speed_ = popup_->addAction(QString(), this, &TForm1::SpeedClick);
  popup_->addSeparator();
  radio_ = popup_->addAction(QString());
  chat_ = popup_->addAction(QString());
  genCount_->setEnabled(false);
  quit_->setEnabled(false);
  // The name window, the radio and the chat are not part of this program
  // yet: their items stay visible but disabled.
  changeName_->setEnabled(false);
  radio_->setEnabled(false);
  chat_->setEnabled(false);
}

void TForm1::LoadCursors() {
  for (CursorRole role : {CursorRole::Arrow, CursorRole::Hand, CursorRole::Wait, CursorRole::Edit})
    cursors_.SetFrames(role, LoadOwnCursor(role));
}

void TForm1::ApplyCursors() {
  cursors_.SetOwnCursors(settings_.OwnCursor);
  cursors_.Attach(this, CursorRole::Arrow);
  for (QPushButton* button : {static_cast<QPushButton*>(button6_), static_cast<QPushButton*>(button11_),
                              static_cast<QPushButton*>(button7_), static_cast<QPushButton*>(button8_)})
    cursors_.Attach(button, CursorRole::Hand);
}

bool TForm1::StartUp() {
  if (startedUp_) return !clubCheckFailed_;
  startedUp_ = true;

  // 1. The settings; a size given on the command line holds for this run.
  const std::filesystem::path file =
      std::filesystem::path(options_.dataFolder.toStdString()) / std::string(kSettingsFileName);
  settings_ = LoadSettings(file, ServiceLineDefaults{DefaultTopTenServiceLine(),
                                                     DefaultStatServiceLine()})
                  .Values;
  loadedWindowSize_ = settings_.WindowSize;
  if (options_.windowSizeOverride >= 1 && options_.windowSizeOverride <= 5)
    settings_.WindowSize = static_cast<std::uint8_t>(options_.windowSizeOverride);

  // 2. The intro, with the font names reset to the program's own.
  ResetFontNames(settings_);
  ShowIntro(false);

  // 3. The club files; a failed check has told the user and ends the run.
  if (!CheckClubFiles(options_.dataFolder, settings_)) {
    clubCheckFailed_ = true;
    close();
    return false;
  }

  // 5. Cursors; 6. background of the main menu design and the radio list.
  ApplyCursors();
  ReloadBackground(settings_.MenuDesignPurple);
  LoadRadioList(options_.dataFolder, settings_);

  // 7. Hints in red.
  QPalette hints = QToolTip::palette();
  hints.setColor(QPalette::ToolTipText, QColor(255, 0, 0));
  QToolTip::setPalette(hints);

  // 8. Texts; 9. the online start report, the account and the music.
  ApplyLanguage(true);
  ReportStartToStatistics(settings_);
  LoginStoredAccount(options_.dataFolder);
  PrepareMusic(settings_.MusicOn);

  SyncStateWithSettings();
  timer1_.start(kIntroInterval);
  return true;
}

void TForm1::SyncStateWithSettings() {
  state_.FlyCards = settings_.FlyCards;
  state_.SoundOn = settings_.SoundOn;
  state_.Language = settings_.Language;
  state_.GameTo8 = settings_.GameTo8;
  state_.DeadHeat = settings_.DeadHeat;
}

void TForm1::ApplyLanguage(bool) {
  // The options dialog does not exist yet, so only the main window's part
  // applies whatever `mainOnly` says.
  setWindowTitle(ProductWord());
  button6_->setText(Text(WordId::NewPlayer));
  button11_->setText(Text(WordId::Exit));
  button7_->setText(WordText(captions_[0], settings_.Language));
  button8_->setText(WordText(captions_[1], settings_.Language));
  if (!introShown_) LoadTitlePicture();
  genCount_->setText(Text(WordId::GeneralScore));
  quit_->setText(Text(WordId::ExitToMenu));
  changeName_->setText(Text(WordId::ChangeName));
  speed_->setText(Text(WordId::Speed));
  radio_->setText(Text(WordId::Radio));
  chat_->setText(Text(WordId::Chat));
  if (lan_) lan_->Chat().SetHint(Text(WordId::Send));
  update();
}

// ---------------------------------------------------------------------------
// Screens, sizes and fonts

void TForm1::ShowIntro(bool tick) {
  if (tick) {
    intro_.Tick();
  } else {
    std::array<QImage, 4> cards;
    const char* aces[4] = {"Ch5A", "Bu5A", "Kr5A", "Pi5A"};
    for (std::size_t i = 0; i < cards.size(); ++i) cards[i] = ProgramPicture(QString::fromLatin1(aces[i]));
    intro_.Build({ProductWord(), Text(WordId::ReleaseDate), Text(WordId::IntroSubtitle),
                  QString::fromLatin1(kVersionText)},
                 cards, ProgramPicture(QStringLiteral("Logo")));
  }
  update();
}

void TForm1::Image1Click() {
  if (!introShown_ || !startedUp_) return;
  timer1_.stop();
  introShown_ = false;
  ApplyWindowSize();
  LoadTitlePicture();
  ShowMainMenu();
}

QSize TForm1::WorkArea() const {
  const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
  return where ? where->availableGeometry().size() : QSize(kReferenceWidth, kReferenceHeight);
}

void TForm1::SetClientSize(QSize size) { setFixedSize(size); }

void TForm1::CentreOnScreen() {
  const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
  if (where == nullptr) return;
  if (geometry_.WindowSize == kFullScreen) {
    move(where->availableGeometry().topLeft());
    return;
  }
  move(where->geometry().topLeft() + CentredOnScreen(where->geometry().size(), frameGeometry().size()));
}

void TForm1::ApplyWindowSize() {
  geometry_ = GeometryForWindowSize(settings_.WindowSize, WorkArea());
  SetClientSize(geometry_.Client);
  ReloadBackground(TableShown() ? settings_.TableDesignPurple : settings_.MenuDesignPurple);
  ApplyFonts();
  LayoutMenu();
  CentreOnScreen();
  // LoadDeck falls back to deck 0 (and back set 0) by itself, with the
  // message, when a module is missing; it reloads the backs too.
  pictures_.LoadDeck(settings_, geometry_);
  // Recording a game as GIF works only in the small window.
  if (geometry_.WindowSize != kSmallWindow) settings_.SaveGif = false;
}

void TForm1::ApplyFonts() {
  const double k = geometry_.WindowSize == kSmallWindow ? 1.0 : 0.9;
  const int height = RoundHalfEven(FontHeight(settings_, 20, FontRole::Decor) * geometry_.Factors.S * k);
  const QFont normal = RoleFont(settings_, FontRole::Decor, height, false);
  button6_->setFont(normal);
  button11_->setFont(normal);
  button8_->setFont(normal);
  button7_->setFont(RoleFont(settings_, FontRole::Decor, height, true));
}

void TForm1::LayoutMenu() {
  // Reference rectangles on the 760 x 500 grid, placed like every other
  // element of the window.
  const Scale& f = geometry_.Factors;
  const auto place = [&](QWidget* button, int left, int top, int width, int height) {
    button->setGeometry(tarvel::ScaleLeft(f, left, width), tarvel::ScaleTop(f, top, height),
                        tarvel::ScaleSize(f, width), tarvel::ScaleSize(f, height));
  };
  place(button6_, 280, 425, 200, 30);
  place(button11_, 330, 465, 100, 30);
}

void TForm1::LoadTitlePicture() {
  // The title in the current language; the larger windows take the picture
  // drawn at twice the size so that it is not blown up.
  const QString name = QStringLiteral("Cap") + FromUtf8(PictureSuffix(settings_.Language));
  caption_ = geometry_.Factors.S > 1.0 ? ProgramPicture(name + QLatin1Char('B')) : QImage();
  if (caption_.isNull()) caption_ = ProgramPicture(name);
}

void TForm1::ReloadBackground(bool purple) {
  pictures_.LoadBackground(settings_, purple, geometry_);
  if (TableShown()) view_.Refresh();
  update();
}

void TForm1::ShowMainMenu() {
  SetClientSize(geometry_.Client);
  CentreOnScreen();
  genCount_->setEnabled(false);
  quit_->setEnabled(false);
  changeName_->setEnabled(false);
  const bool fromTable = TableShown();
  introShown_ = false;
  menuShown_ = true;
  HideTableElements();
  const bool purple = settings_.MenuDesignPurple;
  button6_->SetColours(purple ? kPurpleFace : QColor(0, 0, 128), purple ? kPurpleText : QColor(0, 255, 255));
  button11_->SetColours(purple ? kPurpleFace : QColor(200, 0, 0), purple ? kPurpleText : QColor(255, 255, 255));
  if (fromTable && settings_.MenuDesignPurple != settings_.TableDesignPurple) ReloadBackground(purple);
  LayoutMenu();
  button6_->show();
  button11_->show();
  button6_->setFocus();
  cursors_.Attach(this, CursorRole::Arrow);
  // The first main menu has no animated pictures: the timer rests until a
  // game starts.
  timer1_.stop();
  update();
}

void TForm1::HideTableElements() {
  button7_->hide();
  button8_->hide();
  if (lan_) lan_->Chat().SetVisible(false);
}

void TForm1::LayoutTable() {
  button6_->hide();
  button11_->hide();
  introShown_ = false;
  menuShown_ = false;
  if (settings_.TableDesignPurple != settings_.MenuDesignPurple) ReloadBackground(settings_.TableDesignPurple);
  const bool purple = settings_.TableDesignPurple;
  button7_->SetColours(purple ? kPurpleFace : QColor(200, 0, 0), purple ? kPurpleText : QColor(255, 255, 255));
  button8_->SetColours(purple ? kPurpleFace : QColor(200, 0, 0), purple ? kPurpleText : QColor(255, 255, 255));
  view_.SetLayout(LayoutFor(geometry_, pictures_.NarrowCards()));
  PlaceTableButtons();
  lan_->Chat().Place(Layout().Rect(Element::Edit1), Layout().Rect(Element::BitBtn1),
                     RoleFont(settings_, FontRole::Serif, Layout().EditFontHeight));
  lan_->Chat().SetVisible(state_.NetGame);
}

void TForm1::PlaceTableButtons() {
  button7_->setGeometry(ScaledRect(geometry_.Factors, ContinueButtonRect()));
  button8_->setGeometry(ScaledRect(geometry_.Factors, ExitButtonRect()));
}

// ---------------------------------------------------------------------------
// Painting

void TForm1::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  if (flightWork_ != nullptr) {
    painter.drawImage(area, *flightWork_, area);
    return;
  }
  if (introShown_) {
    painter.fillRect(area, Qt::black);
    painter.drawImage(area, intro_.Frame(), area);
    if (!introFramePainted_ && !intro_.Frame().isNull()) {
      introFramePainted_ = true;
      emit IntroFramePainted();
    }
    return;
  }
  if (TableShown()) {
    painter.drawImage(area, view_.Buffer(), area);
    return;
  }
  painter.fillRect(area, pictures_.WindowColour());
  const QImage& background = pictures_.Background();
  if (background.isNull()) return;
  painter.drawImage(0, 0, background);
  const Scale& f = geometry_.Factors;
  painter.drawImage(tarvel::ScaleLeft(f, 7, 160), tarvel::ScaleTop(f, 290, 200), menuLeft_);
  painter.drawImage(tarvel::ScaleLeft(f, 592, 160), tarvel::ScaleTop(f, 290, 200), menuRight_);
  if (!caption_.isNull()) {
    const QRect title(tarvel::ScaleLeft(f, 180, 400), tarvel::ScaleTop(f, 12, 70),
                      tarvel::ScaleSize(f, 400), tarvel::ScaleSize(f, 70));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(title, caption_);
  }
}

QImage TForm1::Snapshot() { return grab().toImage(); }

// ---------------------------------------------------------------------------
// Input

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!startedUp_) StartUp();
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (FormCloseQuery()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const QRect hand = Layout().Rect(Element::ImageCards3);
  if (TableShown() && hand.contains(at)) {
    ImageCards3MouseMove(at - hand.topLeft());
  } else {
    cursors_.Attach(this, CursorRole::Arrow);
  }
  QWidget::mouseMoveEvent(event);
}

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (introShown_) {
    if (event->button() == Qt::LeftButton) Image1Click();
    return;
  }
  if (!TableShown()) return;
  const QRect hand = Layout().Rect(Element::ImageCards3);
  const QRect table = Layout().Rect(Element::ImageStol);
  if (hand.contains(at)) {
    ImageCards3MouseUp(event->button(), at - hand.topLeft());
  } else if (table.contains(at)) {
    ImageStolMouseUp(event->button(), at - table.topLeft());
  }
}

void TForm1::keyPressEvent(QKeyEvent* event) {
  if (introShown_) return;  // the intro reacts to the key's release
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (TableShown()) {
        if (button7_->isVisible() && button7_->isEnabled()) Button7Click();
      } else if (auto* button = qobject_cast<QPushButton*>(focusWidget());
                 button != nullptr && button->isVisible() && button->isEnabled()) {
        button->click();
      }
      return;
    case Qt::Key_Escape:
      if (TableShown()) QuitClick();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void TForm1::keyReleaseEvent(QKeyEvent* event) {
  if (introShown_ && !event->isAutoRepeat()) {
    Image1Click();
    return;
  }
  QWidget::keyReleaseEvent(event);
}

bool TForm1::PopupAttachedAt(QPoint point) const {
  if (!TableShown()) return true;
  for (Element area : {Element::ImageCards3, Element::ImageStol, Element::ImageKoloda})
    if (Layout().Rect(area).contains(point)) return false;
  return true;
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) {
  if (PopupAttachedAt(event->pos())) popup_->exec(event->globalPos());
}

bool TForm1::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QRect counter = Layout().Rect(Element::ImageKon);
    if (TableShown() && !counterHint_.isEmpty() && counter.contains(help->pos())) {
      QToolTip::showText(help->globalPos(), counterHint_, this, counter, 5000);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QWidget::event(event);
}

// ---------------------------------------------------------------------------
// The driver's handlers

void TForm1::Timer1Timer() {
  if (introShown_) {
    ShowIntro(true);
    return;
  }
  if (menuShown_) return;
  driver_.onTimerTick();
}

void TForm1::Button6Click() {
  if (!menuShown_) return;
  PlaySound("WOpenFo", false);
  // Until the player name window exists, a new game is always played under
  // the name of the settings, as a new player, against the computer.
  SyncStateWithSettings();
  state_.NetGame = false;
  state_.TourGame = false;
  timer1_.stop();
  driver_.startNewGame();
  button7_->setFocus();
  update();
}

void TForm1::Button11Click() {
  if (!menuShown_) return;
  close();
}

void TForm1::Button7Click() {
  if (!TableShown()) return;
  driver_.onContinue();
}

void TForm1::Button8Click() {
  if (!TableShown()) return;
  const bool wasActive = state_.DealActive;
  driver_.onExitToMenu();
  if (wasActive && !state_.DealActive) ShowMainMenu();
}

void TForm1::UpdateHandCursor(QPoint inHand) {
  const int slot = view_.CardAt(3, inHand.x());
  cursors_.Attach(this, driver_.onHandHover(slot) ? CursorRole::Hand : CursorRole::Arrow);
}

void TForm1::ImageCards3MouseMove(QPoint inHand) {
  if (driver_.busy()) return;
  UpdateHandCursor(inHand);
}

void TForm1::ImageCards3MouseUp(Qt::MouseButton button, QPoint inHand) {
  if (!state_.DealActive || driver_.busy()) return;
  const int slot = view_.CardAt(3, inHand.x());
  if (slot == 0) return;
  const MouseButton which = button == Qt::RightButton  ? MouseButton::Right
                            : button == Qt::LeftButton ? MouseButton::Left
                                                       : MouseButton::Middle;
  driver_.onHandClick(slot, which);
  if (TableShown()) UpdateHandCursor(inHand);
}

int TForm1::TablePositionAt(QPoint inWindow) const {
  // Later cards lie on top of earlier ones: test the last played first.
  for (int position = 3; position >= 1; --position) {
    if (!state_.Trick[static_cast<std::size_t>(position)].IsCard()) continue;
    const int seat = SeatOfTrickPosition(state_, position);
    if (seat == 0) continue;
    const QRect card(TablePlace(Layout(), seat), QSize(Layout().Card.Width, Layout().Card.Height));
    if (card.contains(inWindow)) return position;
  }
  return 0;
}

void TForm1::ImageStolMouseUp(Qt::MouseButton button, QPoint inTable) {
  if (button != Qt::RightButton || !state_.DealActive) return;
  const int position = TablePositionAt(inTable + Layout().Rect(Element::ImageStol).topLeft());
  if (position != 0) driver_.onTableRightClick(position);
}

void TForm1::GenCountClick() {
  if (!TableShown()) return;
  driver_.onOverallScore();
}

void TForm1::QuitClick() { driver_.onQuit(TableShown()); }

void TForm1::SpeedClick() {
  PlaySound("WOpenFo", false);
  // Modal for the user, but not a nested event loop: the speed changes at
  // once through the track bar and the window deletes itself on close.
  auto* form = new TFormSpeed(settings_, this);
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->setWindowModality(Qt::ApplicationModal);
  form->show();
}

bool TForm1::FormCloseQuery() {
  if (closeConfirmed_) return true;
  if (clubCheckFailed_) {
    closeConfirmed_ = true;
    return true;
  }
  if (!driver_.onCloseQuery(TableShown())) return false;
  closeConfirmed_ = true;
  timer1_.stop();
  StopGifRecording();
  StopMusicPlayer();
  return true;
}

// ---------------------------------------------------------------------------
// FlightSurface

QImage TForm1::GrabClient() { return view_.Buffer(); }

void TForm1::BeginFlight(const QImage& work) { flightWork_ = &work; }

void TForm1::ShowRect(const QRect& rect) { repaint(rect); }

void TForm1::EndFlight() {
  flightWork_ = nullptr;
  update();
}

// ---------------------------------------------------------------------------
// TableEvents

void TForm1::ChooseBack() { pictures_.ChooseBack(settings_); }

void TForm1::StopMusic() { StopMusicPlayer(); }

void TForm1::ShowTable() {
  for (Element e : {Element::ImageCards1, Element::ImageCards2, Element::ImageCards3, Element::ImageTab1,
                    Element::ImageTab2, Element::ImageTab3, Element::ImageSay1, Element::ImageSay2,
                    Element::ImageSay3, Element::ImageStol, Element::ImageKon})
    view_.SetVisible(e, true);
  // All cards are dealt: the talon stays hidden under the game counter, and
  // the message area belongs to network games.
  view_.SetVisible(Element::ImageKoloda, false);
  view_.SetVisible(Element::ImageMemo, state_.NetGame);
  view_.ClearTable();
  for (int seat = 1; seat <= 3; ++seat) view_.DrawPlate(seat, QString(), PlateColourOfSeat(seat));
  view_.Refresh();
  update();
}

void TForm1::DrawDeck(Suit trump) { view_.DrawDeck(trump); }

PlayerRecord TForm1::LoadPlayerRecord() {
  // No club file yet: the player of the settings plays as a new player.
  PlayerRecord record;
  record.name = settings_.PlayerName;
  return record;
}

void TForm1::ShowWaitingForDeal() {
  for (int seat = 1; seat <= 2; ++seat) view_.DrawHand(seat, false);
  // Over the host's hand: seat 2 on place 2, seat 1 on place 3.
  view_.DrawPlate(lan::SeatOfPlace(1, state_.NetRole), WordText(TableWord::ExpectationOfServer, settings_.Language),
                  kAnnouncementColour);
  lan_->EnableChat(false);
}

void TForm1::ShowGameCounter(std::int32_t kon, std::int32_t cycle) {
  counterHint_ = WordText(TableWord::Game, settings_.Language) + QStringLiteral(": ") + QString::number(kon) +
                 QStringLiteral(" / ") + QString::number(cycle);
  // This is the deal start's last step: the deal number, the reset values
  // and the seat names are in place, so the counter, the boards and the name
  // plates of the new deal are drawn here.
  view_.DrawCounter();
  for (int seat = 1; seat <= 3; ++seat) {
    const auto at = static_cast<std::size_t>(seat);
    view_.DrawBoard(seat, seat == state_.Turn, true, kBoardClear, state_.GamePoints[at], state_.Taken[at]);
    ShowBubbleName(seat);
  }
}

void TForm1::DrawHand(int seat, bool faceUp) { view_.DrawHand(seat, faceUp || openHands_); }

void TForm1::ShowTrumpCard(int seat, int slot) {
  if (seat != 3) view_.DrawHandShowingSlot(seat, slot);
}

void TForm1::PlaceCardOnTable(int seat, int fromSlot, int, CardCode card, bool animated) {
  if (animated) {
    view_.FlyCardToTable(flight_, seat, fromSlot, card, settings_.Speed);
  } else {
    view_.PutCardOnTable(seat, card);
  }
}

void TForm1::ClearTable() { view_.ClearTable(); }

void TForm1::FlyTrickTo(int winner) { view_.FlyTrickTo(flight_, winner, settings_.Speed); }

void TForm1::Pause(int milliseconds) { CardFlight::WaitWithEventLoop(milliseconds); }

void TForm1::DrawBoard(int seat, bool highlight, std::int32_t corner, std::int32_t middle, std::int32_t top) {
  view_.DrawBoard(seat, highlight, false, corner, middle, top);
}

void TForm1::ShowBubbleName(int seat) {
  if (seat < 1 || seat > 3) return;
  view_.DrawPlate(seat, QString::fromStdString(state_.SeatNames[static_cast<std::size_t>(seat)]),
                  PlateColourOfSeat(seat));
}

void TForm1::ShowBubbleWord(int seat, TableWord word, bool closing) {
  QString text = WordText(word, settings_.Language);
  if (closing) text += QStringLiteral(". ") + WordText(TableWord::ICloseGame, settings_.Language);
  view_.DrawPlate(seat, text, kAnnouncementColour);
}

MenuButton* TForm1::ButtonOf(TableButton button) const {
  return button == TableButton::Continue ? button7_ : button8_;
}

void TForm1::SetButtonCaption(TableButton button, TableWord caption) {
  captions_[button == TableButton::Continue ? 0 : 1] = caption;
  ButtonOf(button)->setText(WordText(caption, settings_.Language));
}

void TForm1::SetButtonVisible(TableButton button, bool visible) { ButtonOf(button)->setVisible(visible); }

void TForm1::SetButtonEnabled(TableButton button, bool enabled) { ButtonOf(button)->setEnabled(enabled); }

void TForm1::SetMenuCommandEnabled(MenuCommand command, bool enabled) {
  (command == MenuCommand::Quit ? quit_ : genCount_)->setEnabled(enabled);
}

void TForm1::SetTimerInterval(int milliseconds) { timer1_.setInterval(milliseconds); }

void TForm1::StartTimer() { timer1_.start(); }

void TForm1::StopTimer() { timer1_.stop(); }

void TForm1::CloseHintBalloon() { QToolTip::hideText(); }

void TForm1::SetHelpContext(int context) { helpContext_ = context; }

void TForm1::PlaySound(std::string_view name, bool wait) {
  sound_->PlaySoundResource(FromUtf8(name), wait, settings_.SoundOn);
}

void TForm1::SpeakCard(CardCode card) { sound_->SpeakCard(card, settings_.Language); }

// The network operations go to the LAN connection; the tournament ones are
// reached only at a tournament table, which this window cannot open yet.
void TForm1::SendMove(int, int slot) {
  if (!state_.TourGame) lan_->SendMove(slot);
}
void TForm1::SendDeal(const MatchState&, int firstPlayer) { lan_->SendDeal(firstPlayer); }
void TForm1::SendTrickCollected() {
  if (!state_.TourGame) lan_->SendTrickCollected();
}
void TForm1::SetChatEnabled(bool enabled) { lan_->EnableChat(enabled); }
void TForm1::CloseNetwork() { lan_->CloseNetwork(); }
void TForm1::RequestNextDeal() {}
void TForm1::SendGameResults(const SeatResults&) {}
void TForm1::PassMoveClock(int) {}
void TForm1::RestartMoveClock() {}
void TForm1::StopTableClocks() {}
void TForm1::LeaveTournamentTable(bool) {}

void TForm1::ShowResults(const ResultsFigures& figures) { ShowGameResultsWindow(this, figures); }

void TForm1::StoreGame(std::int32_t result) { StoreGameResult(options_.dataFolder, result); }

bool TForm1::Confirm(TableWord first, std::string_view separator, TableWord second) {
  const QString text =
      WordText(first, settings_.Language) + FromUtf8(separator) + WordText(second, settings_.Language);
  return messages_->Ask(this, ProductWord(), ForDisplay(text), Text(WordId::Yes), Text(WordId::No));
}

void TForm1::StopTableAnimations() {
  // The table's only animation is the card flight, which runs inside the
  // operation that started it and is over before a menu command can act.
}

void TForm1::WritePlayerList() { tarvel::WritePlayerList(options_.dataFolder); }

void TForm1::WriteSettings() {
  if (clubCheckFailed_) return;
  Settings stored = settings_;
  // A size given on the command line holds for this run only.
  if (options_.windowSizeOverride != 0 && stored.WindowSize == options_.windowSizeOverride)
    stored.WindowSize = loadedWindowSize_;
  const std::filesystem::path file =
      std::filesystem::path(options_.dataFolder.toStdString()) / std::string(kSettingsFileName);
  if (!SaveSettings(file, stored))
    messages_->Inform(this, ProductWord(), ForDisplay(Text(WordId::CantSaveOptions)));
}

// ---------------------------------------------------------------------------
// lan::LanWindow

void TForm1::StartNetworkGame() {
  if (!menuShown_) return;
  SyncStateWithSettings();
  state_.TourGame = false;
  timer1_.stop();
  driver_.startNewGame();
  button7_->setFocus();
  update();
}

void TForm1::ShowChatLine(int colour, const QString& text) {
  // The box drops the kind letter of the message the line came in.
  view_.AddMessage(colour, QStringLiteral("s") + text);
}

void TForm1::ClearChatBox() { view_.ClearMessages(); }

void TForm1::ShowLanError(const QString& text) { messages_->Inform(this, Text(WordId::Error), ForDisplay(text)); }

void TForm1::LeaveTableToMenu() {
  ShowMainMenu();
  timer1_.start();
  PrepareMusic(settings_.MusicOn);
}

void TForm1::ToggleOpenHands() {
  openHands_ = !openHands_;
  if (!TableShown()) return;
  for (int seat = 1; seat <= 2; ++seat) view_.DrawHand(seat, openHands_);
}

void TForm1::ShowModuleMessage(const QString& text) { messages_->Inform(this, ProductWord(), ForDisplay(text)); }

}  // namespace tarvel
