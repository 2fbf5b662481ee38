#include "table/window/tform1.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>
#include <QToolTip>

#include <chrono>

#include "lan/net_fields.h"
#include "online/endpoints.h"
#include "records/tfhistory.h"
#include "records/tformpassword.h"
#include "records/tformtopten.h"
#include "table/fonts.h"
#include "table/form_speed.h"
#include "table/window/help_about.h"
#include "widgets/balloon_hint.h"
#include "widgets/dialog_design.h"
#include "widgets/fireworks.h"
#include "widgets/message_box.h"
#include "widgets/program_picture.h"
#include "widgets/qor_cards_button.h"

namespace tarvel {

namespace {

constexpr int kIntroInterval = 20;  // ms, intro animation
constexpr int kMenuInterval = 20;   // ms, main menu animation


QString ForDisplay(const QString& text) { return DisplayText(text); }

// Resource modules lie beside the program (or in its parent); downloads land
// in the data folder when the program's folders cannot be written.
QStringList ModuleFolders(const TForm1::Options& options) {
  return {options.programFolder, options.dataFolder};
}

WindowAudio::Places AudioPlaces(const TForm1::Options& options) {
  WindowAudio::Places places;
  places.moduleFolders = ModuleFolders(options);
  places.tempFolder = options.tempFolder.isEmpty() ? QDir::tempPath() : options.tempFolder;
  places.radio.radioFolder = QDir::cleanPath(QDir(options.dataFolder).absoluteFilePath(QStringLiteral("..")));
  places.radio.shippedFolder = options.programFolder;
  if (!options.servicesBase.empty()) {
    const ServiceEndpoints endpoints(options.servicesBase);
    places.playlist = endpoints.Address(Endpoint::Playlist);
    places.musicFolder = endpoints.Address(Endpoint::MusicFolder);
    places.radio.listAddress = endpoints.Address(Endpoint::DownloadFolder) + kStationListFile;
  }
  return places;
}

std::uint64_t ClockSeed() {
  return static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

std::mt19937_64 BackRandom(const std::optional<std::uint64_t>& seed) {
  if (seed) return std::mt19937_64(*seed ^ 0x9E3779B97F4A7C15ULL);
  return std::mt19937_64(ClockSeed());
}

// Name plates: the computer seats in blue, the local player in green,
// announcements in red.
char PlateColourOfSeat(int seat) { return seat == 3 ? 'g' : 'b'; }
constexpr char kAnnouncementColour = 'r';

// The table buttons: red with white text, or the purple design's style.
void ColourTableButton(TQorCardsButton* button, bool purple) {
  button->SetLook(purple ? TColorSB::QCards : TColorSB::QRed, purple ? kPurpleText : QColor(255, 255, 255));
  button->SetColorMouse(QColor(255, 255, 0));
}

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
      audio_(this, settings_, AudioPlaces(options_), options_.seed.value_or(ClockSeed())),
      backRandom_(BackRandom(options_.seed)),
      random_(options_.seed ? DeckRandom(*options_.seed) : DeckRandom()),
      pictures_(ModuleFolders(options_),
                [this](const QString& text) { ShowModuleMessage(text); },
                [this] { return static_cast<int>(backRandom_() % 10) + 1; }),
      view_(state_, settings_, pictures_),
      flight_(*this),
      driver_(state_, *this, random_),
      online_(std::make_unique<OnlineSession>(options_.servicesBase, options_.programFolder, options_.dataFolder,
                                              driver_)),
      gif_([this] { return GifFrame(); }) {
  account_ = std::make_unique<AccountController>(*this, *this, online_->Requests(),
                                                 SharedFolder(options_.dataFolder) / std::string(kUserFileName));
  FormCreate();
  lan_ = std::make_unique<lan::LanConnection>(state_, *this, driver_, random_, *this);
  CreateTournament();
  // The online start-up waits for the first frame, and for whatever the frame
  // already queued, so a slow or absent server never delays the window.
  connect(this, &TForm1::IntroFramePainted, this,
          [this] { QTimer::singleShot(0, this, [this] { StartOnline(); }); });
}

TForm1::~TForm1() { timer1_.stop(); }

void TForm1::SetMessageSink(MessageSink* sink) { messages_ = sink ? sink : &dialogSink_; }

void TForm1::SetSoundPlayer(SoundPlayer* player) { sound_ = player ? player : &audio_.Effects(); }

void TForm1::ApplySoundSettings() {
  state_.SoundOn = settings_.SoundOn;
  audio_.ApplySettings();
}

void TForm1::TellAudioScreen() {
  const WindowAudio::Screen screen = introShown_  ? WindowAudio::Screen::Intro
                                     : menuShown_ ? WindowAudio::Screen::Menu
                                                  : WindowAudio::Screen::Table;
  audio_.ScreenChanged(screen, geometry_.Factors.S, height());
}

QPushButton* TForm1::Button6() const { return menu_->Button("Button6"); }
QPushButton* TForm1::Button7() const { return button7_; }
QPushButton* TForm1::Button8() const { return button8_; }
QPushButton* TForm1::Button11() const { return menu_->Button("Button11"); }
QPushButton* TForm1::MemberButton(int row) const { return menu_->MemberRow(row); }
QPushButton* TForm1::Button9() const { return menu_->Button("Button9"); }
QPushButton* TForm1::BHistory() const { return menu_->Button("BHistory"); }
QPushButton* TForm1::BMode() const { return menu_->Button("BMode"); }

void TForm1::SetDialogRunner(std::function<int(QDialog&)> runner) { dialogRunner_ = std::move(runner); }

std::filesystem::path TForm1::DataPath() const { return std::filesystem::path(options_.dataFolder.toStdString()); }

std::filesystem::path TForm1::ClubPath() const {
  // On the menu the "Multiplayer" setting chooses the club; a game keeps the
  // club it was started with.
  const bool net = TableShown() ? state_.NetGame : settings_.NetGame;
  return DataPath() / (net ? kNetClubFile : kLocalClubFile);
}

QString TForm1::Text(WordId id, int row) const { return WordText(id, settings_.Language, row); }

QString TForm1::ProductWord() const { return Text(WordId::Tarvel); }

// ---------------------------------------------------------------------------
// Creation and start-up

void TForm1::FormCreate() {
  // Every stored game is counted by the statistics service; without the
  // services the report fails quietly.
  finishHooks_.reportGame = [this](const FinishedGame& game, const StoredGame&) {
    ReportedGame reported;
    reported.againstComputer = !game.netGame && !state_.TourGame;
    reported.playerKon = static_cast<std::int32_t>(game.playerKon);
    reported.result = static_cast<std::int32_t>(game.gameResult);
    reported.lanHost = game.netGame && state_.NetRole == 1;
    bool accepted = false;
    online_->Requests().ReportGame(GameReportFields(reported), accepted);
  };
  // The account views read the account service's rating list and the
  // logged-in account's passport.
  WorldTopSources accountSources;
  accountSources.accountRating = [this](std::vector<TQorTop10>& rows) { return account_->ReadRatingRows(rows); };
  accountSources.accountPassport = [this](std::string& nick, std::string& city) {
    return account_->Passport(nick, city);
  };
  worldTop_ = std::make_unique<WorldTopTen>(
      WorldTopContext{*this, settings_, online_->Requests(), DataPath(), std::move(accountSources)});
  finishHooks_.enterWorldTopTen = [this](std::int64_t cycleScore) {
    worldTop_->OpenWriteWindow(static_cast<std::int32_t>(cycleScore));
  };
  setWindowTitle(ProductWord());
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  move(0, 0);
  SetClientSize(QSize(kReferenceWidth, kReferenceHeight));
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(colours);

  menu_ = new MainMenu(*this, settings_, *this);
  menu_->SetServiceHandler(MenuService::Account, [this] { account_->OpenAccountWindow(); });
  account_->AttachIcon(menu_->Service(MenuService::Account));
  finishHooks_.finishAccountGame = [this](const FinishedGame& game) { return account_->FinishGame(game); };
  finishHooks_.enterAccountTopTen = [this](std::int64_t score) { return account_->EnterAccountTopTen(score); };
  CreateCommunity();
  CreateTableButtons();
  guide_ = new TableGuide(this, state_, settings_, view_, driver_,
                          [this](int slot, MouseButton which) { return HandSlotUp(slot, which); });
  CreatePopupMenu();
  HideTableElements();
  helpFolder_ = DefaultHelpFolder();
  menu_->SetServiceHandler(MenuService::WorldTopTen,
                           [this] { worldTop_->MenuCommand(online_->Directory().topTenPaused); });

  calendar_ = new CalendarSheets(this, *this);
  view_.SetChangeSink([this](const QRect& rect) {
    update(rect);
    guide_->Changed();
  });
  // The rest of the start-up follows the first frame. Connected first, it
  // runs before the sound and the online steps, which rely on it.
  connect(this, &TForm1::IntroFramePainted, this, [this] { FinishStartUp(); }, Qt::QueuedConnection);
  // Sound starts only once the first frame is on the screen.
  connect(this, &TForm1::IntroFramePainted, this, [this] { audio_.FirstFramePainted(); }, Qt::QueuedConnection);
  menu_->SetRadioIcon(audio_.Icon());
  connect(audio_.Icon(), &RadioIcon::Pressed, this, [this](Qt::MouseButton button) {
    audio_.RadioCommand(button == Qt::RightButton, this, *messages_);
  });

  connect(&timer1_, &QTimer::timeout, this, &TForm1::Timer1Timer);
  introShown_ = true;
  menuShown_ = false;
}

void TForm1::CreateTableButtons() {
  button7_ = new TQorCardsButton(this);
  button7_->setObjectName(QStringLiteral("Button7"));
  connect(button7_, &QPushButton::clicked, this, &TForm1::Button7Click);
  button8_ = new TQorCardsButton(this);
  button8_->setObjectName(QStringLiteral("Button8"));
  connect(button8_, &QPushButton::clicked, this, &TForm1::Button8Click);
}

void TForm1::CreatePopupMenu() {
  popup_ = new QMenu(this);
  genCount_ = popup_->addAction(QString(), this, &TForm1::GenCountClick);
  quit_ = popup_->addAction(QString(), this, &TForm1::QuitClick);
  changeName_ = popup_->addAction(QString(), this, &TForm1::ChangeNameClick);
  popup_->addSeparator();
  speed_ = popup_->addAction(QString(), this, &TForm1::SpeedClick);
  optionsAction_ = popup_->addAction(QString(), this, &TForm1::OptionsClick);
  // The conventions and the comment page belong to other games of the
  // family: their items carry texts but are never shown.
  convention_ = popup_->addAction(QString());
  convention_->setVisible(false);
  popup_->addSeparator();
  help_ = popup_->addAction(QString(), this, &TForm1::HelpClick);
  comment_ = popup_->addAction(QString());
  comment_->setVisible(false);
  about_ = popup_->addAction(QString(), this, &TForm1::AboutClick);
  popup_->addSeparator();
  radio_ = popup_->addAction(QString(), this, &TForm1::RadioClick);
  chat_ = popup_->addAction(QString(), this, &TForm1::ChatClick);
  genCount_->setEnabled(false);
  quit_->setEnabled(false);
  changeName_->setEnabled(false);
  // Radio and chat wait for the intro to end.
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
  for (QPushButton* button : findChildren<QPushButton*>()) cursors_.Attach(button, CursorRole::Hand);
  for (MusicButton* button : audio_.Buttons().Buttons()) cursors_.Attach(button, CursorRole::Hand);
}

bool TForm1::StartUp() {
  StartIntro();
  return FinishStartUp();
}

// Only what the intro's first frame needs runs before it: the rest of the
// start-up waits for that frame (FinishStartUp), the menu's pictures follow
// (WarmUpMenu).
void TForm1::StartIntro() {
  if (startedUp_) return;
  startedUp_ = true;

  // 1. The settings; a size given on the command line holds for this run.
  const std::filesystem::path file =
      std::filesystem::path(options_.dataFolder.toStdString()) / std::string(kSettingsFileName);
  const ServiceLineDefaults services{DefaultTopTenServiceLine(), DefaultStatServiceLine()};
  settings_ = LoadSettings(file, services).Values;
  // Whatever this run saves must read back whole, also after a first run.
  FillUnreadableFields(settings_, services);
  loadedWindowSize_ = settings_.WindowSize;
  if (options_.windowSizeOverride >= 1 && options_.windowSizeOverride <= 5)
    settings_.WindowSize = static_cast<std::uint8_t>(options_.windowSizeOverride);

  // 2. The intro, with the font names reset to the program's own.
  ResetFontNames(settings_);
  ShowIntro(false);
  timer1_.start(kIntroInterval);
}

bool TForm1::FinishStartUp() {
  StartIntro();
  if (startUpFinished_) return !clubCheckFailed_;
  startUpFinished_ = true;
  // Counted as failed until it has passed: a click on the intro or a close
  // while its message box is up neither opens the menu nor writes files.
  clubCheckFailed_ = true;

  // 3. The club files; a failed check has told the user and ends the run.
  if (!CheckClubFiles(*this, settings_.Language, DataPath(),
                      QCoreApplication::applicationDirPath().toStdString())) {
    close();
    return false;
  }
  clubCheckFailed_ = false;

  // 5. Cursors; 6. the buttons' look. The intro shows no background: the
  // menu design's is read when the intro is left (ApplyWindowSize), so its
  // megabyte and a half is not held beside the intro's pictures.
  LoadCursors();
  ApplyCursors();
  ApplyNewButtons(this, settings_.NewButtons);

  // 7. Hints in red.
  QPalette hints = QToolTip::palette();
  hints.setColor(QPalette::ToolTipText, QColor(255, 0, 0));
  QToolTip::setPalette(hints);

  // 8. Texts; 9. the music. The online start report and the stored
  // account's login follow the first frame (StartOnline).
  ApplyLanguage(true);
  if (!audio_.PrepareMusic()) ShowModuleMessage(Text(WordId::CantCreateMusicFile));

  SyncStateWithSettings();
  // After the sound and online steps already queued by the first frame.
  QTimer::singleShot(0, this, &TForm1::WarmUpMenu);
  return true;
}

void TForm1::WarmUpMenu() {
  // What leaving the intro needs, read while the intro runs, so that the
  // menu comes up at once after the click.
  LoadGraphicsModule();
  menu_->LoadPictures();
}

void TForm1::SyncStateWithSettings() {
  state_.FlyCards = settings_.FlyCards;
  state_.SoundOn = settings_.SoundOn;
  state_.Language = settings_.Language;
  state_.GameTo8 = settings_.GameTo8;
  state_.DeadHeat = settings_.DeadHeat;
}

void TForm1::ApplyLanguage(bool) {
  // The main window's part; the options dialog re-labels itself.
  setWindowTitle(ProductWord());
  menu_->ApplyLanguage();
  button7_->setText(WordText(captions_[0], settings_.Language));
  button8_->setText(WordText(captions_[1], settings_.Language));
  const std::array<std::pair<QAction*, WordId>, 11> items{{{genCount_, WordId::GeneralScore},
                                                           {quit_, WordId::ExitToMenu},
                                                           {changeName_, WordId::ChangeName},
                                                           {speed_, WordId::Speed},
                                                           {optionsAction_, WordId::Options},
                                                           {convention_, WordId::Convention},
                                                           {help_, WordId::Help},
                                                           {comment_, WordId::Comment},
                                                           {about_, WordId::About},
                                                           {radio_, WordId::Radio},
                                                           {chat_, WordId::Chat}}};
  for (const auto& [item, word] : items) item->setText(Text(word));
  if (menuShown_) {
    ShowClubMembers();
    ShowCalendar();
  }
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
                  QString::fromLatin1(kVersionText), Text(WordId::IntroClickToBegin)},
                 cards, ProgramPicture(QStringLiteral("Logo")));
    // The intro stands in the middle of the screen, as the menu will.
    CentreOnScreen();
  }
  update();
}

void TForm1::StartOnline() {
  if (onlineStarted_ || !startUpFinished_ || clubCheckFailed_) return;
  onlineStarted_ = true;
  // A copy of the "idd" distribution sends no start report and so has
  // nothing of it to save.
  const ClubRead club = ReadClubFile(ClubPath());
  const bool reportStart = club.state != ClubState::Valid || ClubTag(club.lines) != "idd";
  online_->StartUp(settings_, reportStart);
  audio_.PrepareRadio();
  if (reportStart) WriteSettings();
  // The counter display shows the world statistics: distinct machines as the
  // club's members and every start as the Windows figure. No Android copy
  // reports to these services, so that figure stays 0.
  TQorStat stat;
  if (online_->Requests().ReadStatistics(stat)) menu_->SetCounterFigures(CounterFigures{stat.Stat2, stat.Stat1, 0});
  account_->AutoLogin();
}

void TForm1::Image1Click() {
  if (!introShown_ || !FinishStartUp()) return;
  StartOnline();
  timer1_.stop();
  // The intro is never shown again: its pictures go. It counts as shown
  // until the menu takes over (ShowMainMenu): in between, the window is on
  // no table, so the new size neither lays out nor draws one.
  intro_ = IntroScreen();
  // Read after the first frame already, unless the click came first.
  LoadGraphicsModule();
  ApplyWindowSize();
  radio_->setEnabled(true);
  chat_->setEnabled(true);
  ShowMainMenu(false);
  audio_.IntroLeft();
}

QSize TForm1::WorkArea() const {
  // The client area of a full-screen window: the work area less the frame,
  // so that the framed window fits it.
  const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
  if (where == nullptr) return QSize(kReferenceWidth, kReferenceHeight);
  return where->availableGeometry().size() - (frameGeometry().size() - geometry().size());
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
  if (menuShown_) menu_->Show(geometry_);
  CentreOnScreen();
  // LoadDeck falls back to deck 0 (and back set 0) by itself, with the
  // message, when a module is missing; it reloads the backs too.
  pictures_.LoadDeck(settings_, geometry_);
  // Recording a game as GIF works only in the small window.
  if (geometry_.WindowSize != kSmallWindow) settings_.SaveGif = false;
  menu_->ResetClocks();
  RedrawTable();  // a size chosen in the options during a game
}

void TForm1::ApplyFonts() {
  const double k = geometry_.WindowSize == kSmallWindow ? 1.0 : 0.9;
  const int height = RoundHalfEven(FontHeight(settings_, 20, FontRole::Decor) * geometry_.Factors.S * k);
  const QFont normal = RoleFont(settings_, FontRole::Decor, height, false);
  // The score panels: a fixed-pitch font, small in the small window.
  QFont panels = geometry_.WindowSize == kSmallWindow
                     ? RoleFont(settings_, FontRole::Fixed, FontHeight(settings_, 11, FontRole::Fixed), true)
                     : RoleFont(settings_, FontRole::Conew,
                                FontHeight(settings_, tarvel::ScaleSize(geometry_.Factors, 16), FontRole::Conew), true);
  panels.setFixedPitch(true);
  panels.setStyleHint(QFont::Monospace);
  menu_->ApplyFonts(normal, panels);
  button8_->setFont(normal);
  button7_->setFont(RoleFont(settings_, FontRole::Decor, height, true));
}

bool TForm1::ReloadBackground(bool purple) {
  const bool loaded = pictures_.LoadBackground(settings_, purple, geometry_);
  if (TableShown()) view_.Refresh();
  update();
  return loaded;
}

void TForm1::ShowMainMenu() { ShowMainMenu(false); }

void TForm1::ShowMainMenu(bool tick) {
  if (tick) {
    menu_->Tick();
    return;
  }
  SetClientSize(geometry_.Client);
  CentreOnScreen();
  timer1_.setInterval(kMenuInterval);
  genCount_->setEnabled(false);
  quit_->setEnabled(false);
  changeName_->setEnabled(false);
  const bool fromTable = TableShown();
  introShown_ = false;
  menuShown_ = true;
  HideTableElements();
  if (fromTable && settings_.MenuDesignPurple != settings_.TableDesignPurple)
    ReloadBackground(settings_.MenuDesignPurple);
  menu_->Show(geometry_);
  account_->RefreshIcon();
  ShowClubMembers();
  ShowCalendar();
  ApplyNewButtons(this, settings_.NewButtons);
  Button6()->setFocus();
  cursors_.Attach(this, CursorRole::Arrow);
  timer1_.start();
  TellAudioScreen();
  update();
  community_->MenuBuilt();
}

void TForm1::ShowCalendar() {
  // The sheets keep their 60 x 100 pixels in every window size; only their
  // places follow the positions' scales.
  const Scale& f = geometry_.Factors;
  const Scale positions{f.X, f.Y, 1.0};
  const auto sheet = [&](int left) {
    return QRect(tarvel::ScaleLeft(positions, left, kSheetWidth), tarvel::ScaleTop(positions, 95, kSheetHeight),
                 kSheetWidth, kSheetHeight);
  };
  calendar_->ShowCalendar(sheet(150), sheet(550), settings_.Language);
}

bool TForm1::ReadCalendarModule(const std::function<void()>& read) {
  const QString module = QString::fromLatin1(kCalendarModule);
  return WithModule(ModuleFolders(options_), module, read);
}

QDate TForm1::CalendarToday() const { return options_.date.isValid() ? options_.date : QDate::currentDate(); }

void TForm1::HideTableElements() {
  button7_->hide();
  button8_->hide();
  guide_->Hide();
  if (lan_) lan_->Chat().SetVisible(false);
}

void TForm1::LayoutTable() {
  menu_->Hide();
  calendar_->HideCalendar();
  introShown_ = false;
  menuShown_ = false;
  if (settings_.TableDesignPurple != settings_.MenuDesignPurple) ReloadBackground(settings_.TableDesignPurple);
  const bool purple = settings_.TableDesignPurple;
  ColourTableButton(button7_, purple);
  ColourTableButton(button8_, purple);
  changeName_->setEnabled(true);
  view_.SetLayout(LayoutFor(geometry_, pictures_.NarrowCards()));
  PlaceTableButtons();
  guide_->Place(Layout());
  TellAudioScreen();
  lan_->Chat().Place(Layout().Rect(Element::Edit1), Layout().Rect(Element::BitBtn1),
                     RoleFont(settings_, FontRole::Serif, Layout().EditFontHeight));
  lan_->Chat().SetVisible(state_.NetGame || state_.TourGame);
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
  // The menu's animations ask for small scattered areas (six flames, two
  // displays): each is painted on its own rather than their bounding box.
  const QImage& background = pictures_.Background();
  for (const QRect& part : event->region()) {
    painter.setClipRect(part);
    painter.fillRect(part, pictures_.WindowColour());
    if (background.isNull()) continue;
    painter.drawImage(part, background, part);
    menu_->Paint(painter, part);
  }
}

QImage TForm1::Snapshot() { return grab().toImage(); }

// ---------------------------------------------------------------------------
// Input

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The window is mapped as soon as this returns; the intro is built just
  // after, before the server's first expose asks for a frame.
  if (!startedUp_) QMetaObject::invokeMethod(this, &TForm1::StartIntro, Qt::QueuedConnection);
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
    guide_->Hover(0);
  }
  QWidget::mouseMoveEvent(event);
}

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (introShown_) {
    if (event->button() == Qt::LeftButton) Image1Click();
    return;
  }
  if (menuShown_) {
    if (event->button() == Qt::LeftButton) menu_->TitleClick(at);
    return;
  }
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
  if (TableShown()) {
    // A focused table button keeps Enter and Space; the hand takes its keys.
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    const bool buttonKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                           event->key() == Qt::Key_Space;
    if (buttonKey && (button == button7_ || button == button8_) && button->isVisible() && button->isEnabled()) {
      button->click();
      return;
    }
    if (guide_->KeyPressed(event->key())) return;
  }
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (TableShown()) {
        // The continue button, or "Exit to menu" once the game is summed up.
        if (button7_->isVisible() && button7_->isEnabled()) {
          Button7Click();
        } else if (button8_->isVisible() && button8_->isEnabled()) {
          Button8Click();
        }
      } else if (auto* button = qobject_cast<QPushButton*>(focusWidget());
                 button != nullptr && button->isVisible() && button->isEnabled()) {
        button->click();
      }
      return;
    case Qt::Key_Escape:
      if (TableShown()) {
        QuitClick();
      } else if (menuShown_ &&
                 messages_->Ask(this, ProductWord(), ForDisplay(Text(WordId::CloseGameConfirm, 1)),
                                Text(WordId::Yes), Text(WordId::No))) {
        // Closing from the menu asks nothing more and writes the settings.
        close();
      }
      return;
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
    case Qt::Key_4:
    case Qt::Key_5:
      if (menuShown_) {
        menu_->MemberKey(event->key() - Qt::Key_0);
        return;
      }
      QWidget::keyPressEvent(event);
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
    const std::optional<TableHint> hint =
        TableShown() ? guide_->HintAt(help->pos(), tarvel::CounterHint{counterTitle_, counterHint_}) : std::nullopt;
    if (hint) {
      if (BalloonHint::Current() == nullptr || BalloonHint::Current()->Area() != hint->area)
        BalloonHint::Show(hint->title, hint->text, this, FontFamily(settings_, FontRole::Decor), hint->area);
    } else {
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
  if (menuShown_) {
    ShowMainMenu(true);
    return;
  }
  driver_.onTimerTick();
}

void TForm1::Button6Click() { menu_->Button6Click(); }

bool TForm1::RunPlayerNameWindow(int) {
  TFormPassword dialog(settings_, [this](const QString& text) { Inform(text); }, this);
  dialog.PrepareNewPlayer(QString::fromStdString(settings_.PlayerName));
  AddNetworkFields(dialog);
  if (RunModal(dialog) != QDialog::Accepted) return false;
  // The settings keep the last name typed for the next new player.
  settings_.PlayerName = dialog.TypedName().toStdString();
  member_ = dialog.Member();
  return true;
}

void TForm1::OpenMemberPasswordWindow(int row) {
  if (row == kClubMembers && account_->HoldsMemberRow(settings_.NetGame)) {
    account_->PlayFromMemberRow();
    return;
  }
  const std::optional<ClubMember> member = MemberOfLine(ReadClubFile(ClubPath()).lines, row);
  if (!member) return;
  TFormPassword dialog(settings_, [this](const QString& text) { Inform(text); }, this);
  dialog.PrepareMember(*member);
  AddNetworkFields(dialog);
  if (RunModal(dialog) != QDialog::Accepted) return;
  member_ = dialog.Member();
  StartNewGame(row);
}

void TForm1::StartNewGame(int) {
  // With "Multiplayer" the name dialog has opened the connection already.
  if (!settings_.NetGame) state_.NetGame = false;
  BeginGame();
}

void TForm1::AddNetworkFields(TFormPassword& dialog) {
  if (!settings_.NetGame) return;
  auto* fields = new lan::NetFields(settings_, settings_.Language);
  fields->SetExternalAddressLookup([this] {
    std::string address;
    return online_->Requests().ReadExternalAddress(address) ? QString::fromStdString(address) : QString();
  });
  if (!options_.servicesBase.empty()) {
    const ServiceEndpoints endpoints(options_.servicesBase);
    fields->SetRouterHelpUrl(QUrl(QString::fromStdString(endpoints.Address(Endpoint::RouterHelp))));
  }
  dialog.SetExtraWidget(fields);
  fields->Prepare();
  dialog.SetAcceptGate([this, fields, &dialog](std::function<void()> accept) {
    if (!fields->Confirm()) return false;
    const std::string name = dialog.TypedName().toStdString();
    auto done = [accept = std::move(accept)](bool confirmed) {
      if (confirmed) accept();
    };
    if (fields->Host()) return lan_->OpenHost(fields->Port(), name, std::move(done));
    lan_->OpenClient(fields->Address(), fields->Port(), name, std::move(done));
    return true;
  });
}

void TForm1::BeginGame() {
  BalloonHint::CloseCurrent();
  SyncStateWithSettings();
  state_.TourGame = false;
  timer1_.stop();
  driver_.startNewGame();
  button7_->setFocus();
  update();
}

void TForm1::ShowClubMembers() {
  const int mode = settings_.ClubMode == 2 ? 2 : 1;
  const ClubRead club = ReadClubFile(ClubPath());
  const int maxWidth = tarvel::ScaleSize(geometry_.Factors, 361);
  const QFontMetrics metrics(menu_->MemberRow(1)->font());
  std::array<QString, kMenuRows> rows;
  std::array<bool, kMenuRows> members{};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string line = club.state == ClubState::Valid ? club.lines[i] : EmptyMemberLine();
    rows[i] = MemberButtonCaption(
        line, mode, [&metrics](const QString& text) { return metrics.horizontalAdvance(text); }, maxWidth);
    members[i] = MemberOfLine(club.lines, static_cast<int>(i) + 1).has_value() && club.state == ClubState::Valid;
  }
  if (account_->HoldsMemberRow(settings_.NetGame)) {
    rows[kClubMembers - 1] = account_->MemberRowText(mode);
    members[kClubMembers - 1] = true;
  }
  menu_->SetMemberRows(rows, members);
}

void TForm1::ReloadClubList() { ShowClubMembers(); }

void TForm1::OpenTopTenWindow() {
  if (settings_.MenuDesignPurple) {
    worldTop_->OpenClubWindow(ClubPath().filename() == std::filesystem::path(kNetClubFile));
    return;
  }
  TFormTopTen form(settings_.Language, ClubPath(), state_.NetGame, this);
  RunModal(form);
}

void TForm1::OpenHistoryWindow() {
  TFHistory form(settings_, DataPath(), historySelection_, this);
  RunModal(form);
}

void TForm1::ChangeNameClick() {
  if (!TableShown()) return;
  TFormPassword dialog(settings_, [this](const QString& text) { Inform(text); }, this);
  dialog.PrepareNewPlayer(QString::fromStdString(settings_.PlayerName));
  if (RunModal(dialog) != QDialog::Accepted) return;
  if (RenameMember(ClubPath(), member_, dialog.Member()) == ClubWrite::DiskError)
    Inform(Text(WordId::DiskWriteError));
  state_.PlayerName = FromRecordBytes(member_.MemberName).trimmed().toStdString();
  state_.SeatNames[3] = state_.PlayerName;
  Inform(Text(WordId::NameChanged) + QLatin1Char(' ') + QString::fromStdString(state_.PlayerName));
  ShowBubbleName(3);
}

void TForm1::Button11Click() { menu_->Button11Click(); }

void TForm1::BHistoryClick() { menu_->BHistoryClick(); }

void TForm1::BModeClick() { menu_->BModeClick(); }

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
  guide_->Hover(view_.CardAt(3, inHand.x()));
}

void TForm1::ImageCards3MouseUp(Qt::MouseButton button, QPoint inHand) {
  if (!state_.DealActive || driver_.busy()) return;
  const int slot = view_.CardAt(3, inHand.x());
  if (slot == 0) return;
  const MouseButton which = button == Qt::RightButton  ? MouseButton::Right
                            : button == Qt::LeftButton ? MouseButton::Left
                                                       : MouseButton::Middle;
  HandSlotUp(slot, which);
  if (TableShown()) UpdateHandCursor(inHand);
}

HandClickResult TForm1::HandSlotUp(int slot, MouseButton which) {
  if (!state_.DealActive || driver_.busy()) return HandClickResult::Ignored;
  // A card that is played now is saluted first (with the graphics module).
  // The salute runs a local event loop: the driver is busy meanwhile, so no
  // tick, peer message or second click acts in the middle of this click.
  if (which == MouseButton::Left && settings_.SaluteCards && driver_.onHandHover(slot))
    driver_.runBusy([] { Fireworks(); });
  const HandClickResult result = driver_.onHandClick(slot, which);
  guide_->HandClicked(slot, result);
  return result;
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

void TForm1::QuitClick() {
  driver_.onQuit(TableShown());
  if (!state_.DealActive) gif_.Save();
}

void TForm1::SpeedClick() {
  PlaySound("WOpenFo", false);
  // Modal for the user, but not a nested event loop: the speed changes at
  // once through the track bar and the window deletes itself on close.
  auto* form = new TFormSpeed(settings_, this);
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->setWindowModality(Qt::ApplicationModal);
  form->show();
}

void TForm1::HelpClick() {
  PlaySound("WOpenFo", false);
  OpenHelp(this, *messages_, settings_.Language, helpFolder_);
}

void TForm1::AboutClick() {
  PlaySound("WOpenFo", false);
  auto* form = new TFormAbout(settings_, this);
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->setWindowModality(Qt::ApplicationModal);
  form->show();
}

void TForm1::RadioClick() {
  PlaySound("WOpenFo", false);
  audio_.RadioCommand(true, this, *messages_);
}

void TForm1::ChatClick() {
  PlaySound("WOpenFo", false);
  community_->OpenChat();
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
  gif_.Save();
  audio_.Close();
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

void TForm1::StopMusic() { audio_.ScreenChanged(WindowAudio::Screen::Table, geometry_.Factors.S, height()); }

void TForm1::ShowTable() {
  guide_->DealStarted();
  for (Element e : {Element::ImageCards1, Element::ImageCards2, Element::ImageCards3, Element::ImageTab1,
                    Element::ImageTab2, Element::ImageTab3, Element::ImageSay1, Element::ImageSay2,
                    Element::ImageSay3, Element::ImageStol, Element::ImageKon})
    view_.SetVisible(e, true);
  // All cards are dealt: the talon stays hidden under the game counter, and
  // the message area belongs to network games.
  view_.SetVisible(Element::ImageKoloda, false);
  view_.SetVisible(Element::ImageMemo, state_.NetGame || state_.TourGame);
  for (Element e : {Element::ImTimer1, Element::ImTimer2, Element::ImTimer3}) view_.SetVisible(e, state_.TourGame);
  view_.ClearTable();
  for (int seat = 1; seat <= 3; ++seat) view_.DrawPlate(seat, QString(), PlateColourOfSeat(seat));
  view_.Refresh();
  update();
}

void TForm1::DrawDeck(Suit trump) { view_.DrawDeck(trump); }

PlayerRecord TForm1::LoadPlayerRecord() {
  if (state_.TourGame) {
    const TQorClient& own = tour_.TourClient;
    return PlayerRecord{own.Kon + 1, own.Score, static_cast<double>(own.Rating), own.Nick};
  }
  return member_.MemberSlot == kAccountSlot ? account_->PlayerRecordForGame() : PlayerRecordOf(member_);
}

void TForm1::ShowWaitingForDeal() {
  for (int seat = 1; seat <= 2; ++seat) view_.DrawHand(seat, false);
  // Over the host's hand: seat 2 on place 2, seat 1 on place 3.
  view_.DrawPlate(lan::SeatOfPlace(1, state_.NetRole), WordText(TableWord::ExpectationOfServer, settings_.Language),
                  kAnnouncementColour);
  lan_->EnableChat(false);
}

void TForm1::ShowGameCounter(std::int32_t kon, std::int32_t cycle) {
  // The round of the cycle counts 1..30; a tournament counts its session.
  counterTitle_ = Text(WordId::GeneralNumberOfGame) + QLatin1Char(' ') + QString::number(kon);
  if (state_.TourGame) {
    counterHint_ = Text(WordId::RoundInSession) + QLatin1Char(' ') + QString::number(kon);
  } else {
    const int round = cycle > 0 && kon % cycle != 0 ? kon % cycle : cycle;
    counterHint_ = Text(WordId::RoundInCycle) + QLatin1Char(' ') + QString::number(round) + QStringLiteral(" / ") +
                   QString::number(cycle);
  }
  // This is the deal start's last step: the deal number, the reset values
  // and the seat names are in place, so the counter, the boards and the name
  // plates of the new deal are drawn here.
  view_.DrawCounter();
  // Each deal is recorded as a GIF of its own while the setting is on.
  if (settings_.SaveGif) gif_.Start(DataPath(), settings_.GifDelay);
  for (int seat = 1; seat <= 3; ++seat) {
    const auto at = static_cast<std::size_t>(seat);
    view_.DrawBoard(seat, seat == state_.Turn, true, kBoardClear, state_.GamePoints[at], state_.Taken[at]);
    guide_->BoardDrawn(seat, seat == state_.Turn);
    ShowBubbleName(seat);
  }
}

void TForm1::DrawHand(int seat, bool faceUp) {
  view_.DrawHand(seat, faceUp || openHands_);
  guide_->HandDrawn(seat);
}

void TForm1::ShowTrumpCard(int seat, int slot) {
  if (seat == 3) return;
  view_.DrawHandShowingSlot(seat, slot);
  guide_->TrumpShown(seat, slot);
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
  guide_->BoardDrawn(seat, highlight);
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

TQorCardsButton* TForm1::ButtonOf(TableButton button) const {
  return button == TableButton::Continue ? button7_ : button8_;
}

void TForm1::SetButtonCaption(TableButton button, TableWord caption) {
  captions_[button == TableButton::Continue ? 0 : 1] = caption;
  // These captions come when a deal has been scored: its recording ends.
  if (caption == TableWord::NextRound || caption == TableWord::ToSumUpOfGame) {
    gif_.Save();
    guide_->DealScored();
  }
  ButtonOf(button)->setText(WordText(caption, settings_.Language));
}

void TForm1::SetButtonVisible(TableButton button, bool visible) { ButtonOf(button)->setVisible(visible); }

void TForm1::SetButtonEnabled(TableButton button, bool enabled) {
  ButtonOf(button)->setEnabled(enabled);
  // The exit button opens when the game has been summed up.
  if (button == TableButton::Exit && enabled && state_.GameSummed) guide_->GameSummed(state_.GameResult);
}

void TForm1::SetMenuCommandEnabled(MenuCommand command, bool enabled) {
  (command == MenuCommand::Quit ? quit_ : genCount_)->setEnabled(enabled);
}

void TForm1::SetTimerInterval(int milliseconds) { timer1_.setInterval(milliseconds); }

void TForm1::StartTimer() { timer1_.start(); }

void TForm1::StopTimer() { timer1_.stop(); }

void TForm1::CloseHintBalloon() {
  QToolTip::hideText();
  BalloonHint::CloseCurrent();
}

void TForm1::SetHelpContext(int context) { helpContext_ = context; }

void TForm1::PlaySound(std::string_view name, bool wait) {
  sound_->PlaySoundResource(FromUtf8(name), wait, settings_.SoundOn);
}

void TForm1::SpeakCard(CardCode card) { sound_->SpeakCard(card, settings_.Language); }

// The network operations go to the LAN connection; those of a tournament
// table are in tform1_tournament.cpp.
void TForm1::SendDeal(const MatchState&, int firstPlayer) { lan_->SendDeal(firstPlayer); }
void TForm1::SetChatEnabled(bool enabled) { lan_->EnableChat(enabled); }
void TForm1::CloseNetwork() { lan_->CloseNetwork(); }

void TForm1::ShowResults(const ResultsFigures& figures) {
  ShowGameResults(*this, settings_, QString::fromStdString(state_.PlayerName), figures,
                  member_.MemberSlot == kAccountSlot && !figures.overallView);
}

void TForm1::StoreGame(std::int32_t) {
  if (state_.TourGame) {
    StoreTournamentGame();
    return;
  }
  FinishGame(*this, settings_.Language, DataPath(), state_, member_, finishHooks_);
}

bool TForm1::AskAccount(const QString& text) {
  return messages_->Ask(this, ProductWord(), text, Text(WordId::Yes), Text(WordId::No));
}

void TForm1::AccountChanged() {
  account_->RefreshIcon();
  if (menuShown_) ShowClubMembers();
}

void TForm1::StartAccountTableGame() {
  member_ = NewMember(ToRecordBytes(QString::fromStdString(account_->Session().User().Nick)), "");
  member_.MemberSlot = kAccountSlot;
  state_.NetGame = false;
  BeginGame();
}

bool TForm1::Confirm(TableWord first, std::string_view separator, TableWord second) {
  const QString text =
      WordText(first, settings_.Language) + FromUtf8(separator) + WordText(second, settings_.Language);
  return messages_->Ask(this, ProductWord(), ForDisplay(text), Text(WordId::Yes), Text(WordId::No));
}

void TForm1::StopTableAnimations() {
  // The table's only animation is the card flight, which runs inside the
  // operation that started it and is over before a menu command can act.
}

void TForm1::WritePlayerList() {
  // The club files are rewritten whole at every change and cache nothing:
  // there is no player list left to write.
}

void TForm1::WriteSettings() {
  if (clubCheckFailed_) return;
  Settings stored = settings_;
  FillUnreadableFields(stored, ServiceLineDefaults{DefaultTopTenServiceLine(), DefaultStatServiceLine()});
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
  if (menuShown_) BeginGame();
}

void TForm1::ShowChatLine(int colour, const QString& text) {
  // The box drops the kind letter of the message the line came in.
  view_.AddMessage(colour, QStringLiteral("s") + text);
}

void TForm1::ClearChatBox() { view_.ClearMessages(); }

void TForm1::ShowLanError(const QString& text) { messages_->Inform(this, Text(WordId::Error), ForDisplay(text)); }

void TForm1::LeaveTableToMenu() { ShowMainMenu(); }

void TForm1::ToggleOpenHands() {
  openHands_ = !openHands_;
  if (!TableShown()) return;
  for (int seat = 1; seat <= 2; ++seat) view_.DrawHand(seat, openHands_);
}

void TForm1::ShowModuleMessage(const QString& text) { messages_->Inform(this, ProductWord(), ForDisplay(text)); }

void TForm1::Inform(const QString& text) { messages_->Inform(this, ProductWord(), ForDisplay(text)); }

void TForm1::PlayRecordsSound(std::string_view name) { PlaySound(name, false); }

int TForm1::RunModal(QDialog& dialog) { return dialogRunner_ ? dialogRunner_(dialog) : dialog.exec(); }

QImage TForm1::GifFrame() {
  if (settings_.GifArea == 2) {
    QScreen* where = screen();
    if (where != nullptr) return where->grabWindow(0, x(), y(), frameGeometry().width(), frameGeometry().height()).toImage();
  }
  return Snapshot();
}

// ---------------------------------------------------------------------------
// The main menu's commands

void TForm1::PlayCommandSound() { PlaySound("WOpenFo", false); }

void TForm1::CloseMainWindow() { close(); }

void TForm1::LoadGraphicsModule() {
  if (graphicsLoaded_) return;
  graphicsLoaded_ = true;
  // The fireworks and the purple pictures of the auxiliary windows; without
  // the module both are simply off.
  const QString module = QString::fromLatin1(kModuleGraphics.data(), static_cast<qsizetype>(kModuleGraphics.size()));
  SparseStrip fireworks;
  QByteArray purple;
  WithModule(ModuleFolders(options_), module, [&] {
    // Sparks on thirty frames: held as their runs, not as a 1.2 MB strip.
    QFile strip(PictureRef{module, QStringLiteral("GTouch"), false}.ResourcePath());
    if (strip.open(QIODevice::ReadOnly))
      fireworks = SparseStrip::Decode(strip.readAll(), QSize(kFireworksSize, kFireworksSize));
    // The purple ground is kept as its file (a few hundred kilobytes), not
    // as the 6 MB picture.
    QFile file(PurpleBackgroundPicture().ResourcePath());
    if (file.open(QIODevice::ReadOnly)) purple = file.readAll();
  });
  SetFireworksStrip(std::move(fireworks));
  if (purple.isEmpty()) {
    SetPurpleDialogBackground({});
  } else {
    SetPurpleDialogBackground([purple] { return QImage::fromData(purple, "JPEG"); });
  }
}

}  // namespace tarvel
