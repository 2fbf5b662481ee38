// The main window. It shows, one after the other, the intro screen, the main
// menu and the game table on the same client area, and it is the engine's
// port: every drawing, flight, bubble, button change and sound that the rules
// ask for happens here, through the table toolkit.
//
// Painting never shows a half-drawn table: the table is composed off-screen
// (TableView's buffer) and copied in one block; while a card flies the window
// paints from the flight's work copy instead.
//
// While a flight, a pause or a modal question runs, the game driver is busy
// and the turn timer and every click do nothing.
#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "calendar/calendar_sheets.h"
#include "engine/game_driver.h"
#include "engine/match_state.h"
#include "engine/rules.h"
#include "engine/table_events.h"
#include "settings/options/options_host.h"
#include "online/worldtop/world_top_ten.h"
#include "records/end_of_game.h"
#include "records/game_record.h"
#include "records/gif_recorder.h"
#include "records/records_host.h"
#include "lan/lan_connection.h"
#include "online/accounts/account_controller.h"
#include "online/accounts/account_host.h"
#include "online/community/community.h"
#include "online/tour_state.h"
#include "online/tournament/tour_lobby_host.h"
#include "online/tourtable/tour_connection.h"
#include "settings/settings_file.h"
#include "settings/words/words.h"
#include "widgets/word_text.h"
#include "table/flight.h"
#include "table/layout.h"
#include "table/pictures.h"
#include "table/table_view.h"
#include "table/window/cursor_animator.h"
#include "table/window/intro_screen.h"
#include "table/window/main_menu.h"
#include "table/window/message_sink.h"
#include "table/window/online_session.h"
#include "table/window/sound_player.h"
#include "table/window/table_guide.h"
#include "table/window/window_audio.h"

class QAction;
class QDialog;
class QLabel;
class QMenu;
class QPushButton;

namespace tarvel {

class TQorCardsButton;
class TFormTour;

// The word-table entry of an engine word.
WordId WordOf(TableWord word);
// Its text in a language (several-row entries pick their row), UTF-8.
QString WordText(TableWord word, int language);

// Reference rectangles (left, top, right, bottom on the 760 x 500 grid) of
// the two table buttons, below the local player's score board and left of
// the local hand.
class TFormPassword;

ReferenceRect ContinueButtonRect();
ReferenceRect ExitButtonRect();

class TForm1 : public QWidget,
               public TableEvents,
               public FlightSurface,
               public CalendarHost,
               public OptionsHost,
               public RecordsHost,
               public WorldTopHost,
               public MainMenuHost,
               public AccountHost,
               public lan::LanWindow,
               public CommunityHost,
               public TourLobbyHost,
               public tour::TourFront {
  Q_OBJECT

 public:
  struct Options {
    QString dataFolder;          // the program's data folder, ending in '/'
    QString programFolder;       // the executable's folder: modules are looked up there first
    int windowSizeOverride = 0;  // 1..5 for this run only; 0 = the settings
    std::optional<std::uint64_t> seed;
    std::string servicesBase;    // base address of the online services
    QString tempFolder;          // the MIDI song's file; empty = the system's
    QDate date;                  // the day the calendar shows; invalid = today
  };

  TForm1(MatchState& state, Settings& settings, Options options, QWidget* parent = nullptr);
  ~TForm1() override;

  // Collaborators that tests replace. Null restores the normal one. The
  // window does not own them.
  void SetMessageSink(MessageSink* sink);
  void SetSoundPlayer(SoundPlayer* player);
  // Shows the records windows (name dialog, history, top ten, game
  // information, end of game); tests answer them without blocking. Empty
  // restores QDialog::exec.
  void SetDialogRunner(std::function<int(QDialog&)> runner);
  // What the online part adds to the end of a game.
  void SetFinishGameHooks(FinishGameHooks hooks) { finishHooks_ = std::move(hooks); }

  // The whole start-up sequence at once (tests); the window runs its first
  // part after its first show and the rest after the intro's first frame.
  // Runs once. False when the club check stopped the program.
  bool StartUp();
  // The intro is built and animated (the settings are read).
  bool StartedUp() const { return startedUp_; }
  // The start-up after the intro's first frame has run (the club files are
  // checked, the texts, cursors and music prepared).
  bool StartUpFinished() const { return startUpFinished_; }

  // SoundOn and MusicOn were changed (options): they take effect at once.
  void ApplySoundSettings();
  WindowAudio& Audio() { return audio_; }

  bool IntroShown() const { return introShown_; }
  bool MenuShown() const { return menuShown_; }
  bool TableShown() const { return !introShown_ && !menuShown_; }

  // Event handlers, named after the control and the event.
  void Timer1Timer();
  void Image1Click();   // leaves the intro
  void Button6Click();  // "New Player"
  // A network game whose waiting window closed confirmed: the new game starts.
  void StartNetworkGame();
  void Button11Click(); // "Exit"
  void Button7Click();  // the continue button
  void Button8Click();  // "Exit to menu"
  void BHistoryClick(); // "History"
  void BModeClick();    // "Mode": score or rating in the member rows
  void ChangeNameClick();
  void ShowClubMembers();
  void ImageCards3MouseMove(QPoint inHand);
  void ImageCards3MouseUp(Qt::MouseButton button, QPoint inHand);
  void ImageStolMouseUp(Qt::MouseButton button, QPoint inTable);
  void GenCountClick();
  void QuitClick();
  void SpeedClick();
  // Opens the options dialog (the "Options" command).
  void OptionsClick();
  void HelpClick();
  void AboutClick();
  void RadioClick();
  void ChatClick();
  bool FormCloseQuery();

  // Screens and layout.
  void ShowIntro(bool tick);
  // false: sets the main menu up; true: one step of its animations.
  void ShowMainMenu(bool tick);
  void ApplyWindowSize() override;
  void ApplyFonts() override;
  void ApplyLanguage(bool mainOnly);
  void LayoutTable() override;

  // What tests and the screenshot hook look at.
  const MatchState& State() const { return state_; }
  const Settings& CurrentSettings() const { return settings_; }
  const TableLayout& Layout() const { return view_.Layout(); }
  const TableView& View() const { return view_; }
  const CardPictures& Pictures() const { return pictures_; }
  const WindowGeometry& Geometry() const { return geometry_; }
  const GameDriver& Driver() const { return driver_; }
  const IntroScreen& Intro() const { return intro_; }
  // The newcomer's guide: hand focus and cues, turn marker, balloons, note.
  TableGuide& Guide() { return *guide_; }
  lan::LanConnection& Lan() { return *lan_; }
  QPushButton* Button6() const;
  QPushButton* Button7() const;
  QPushButton* Button8() const;
  QPushButton* Button11() const;
  QPushButton* MemberButton(int row) const;  // 1..5
  QPushButton* Button9() const;
  QPushButton* BHistory() const;
  QPushButton* BMode() const;
  QPushButton* Panel4() const { return menu_->Header(); }
  const ClubMember& Member() const { return member_; }
  GifRecorder& Gif() { return gif_; }
  QTimer& Timer1() { return timer1_; }
  CursorAnimator& Cursors() { return cursors_; }
  QMenu* PopupMenu() const { return popup_; }
  QAction* GenCountAction() const { return genCount_; }
  QAction* QuitAction() const { return quit_; }
  QAction* SpeedAction() const { return speed_; }
  QAction* ChangeNameAction() const { return changeName_; }
  QAction* OptionsAction() const { return optionsAction_; }
  QAction* HelpAction() const { return help_; }
  QAction* AboutAction() const { return about_; }
  QAction* RadioAction() const { return radio_; }
  QAction* ChatAction() const { return chat_; }
  // The main menu: member rows, counter figures and service pictures are
  // fed through it.
  MainMenu& Menu() { return *menu_; }
  const MainMenu& Menu() const { return *menu_; }
  // The folder of the help pages (tests point it elsewhere).
  void SetHelpFolder(const QString& folder) { helpFolder_ = folder; }
  // True when a right click at this point would open the pop-up menu.
  bool PopupAttachedAt(QPoint point) const;
  // The game counter's balloon: "General number of game: 31" over
  // "Number of round in a current cycle: 1 / 30".
  const QString& CounterTitle() const { return counterTitle_; }
  const QString& CounterHint() const { return counterHint_; }
  // The window as it is on screen now (what the paint handler shows).
  QImage Snapshot();
  // A card flight is running.
  bool Flying() const { return flightWork_ != nullptr; }
  // The online services (requests, the service directory's state).
  OnlineSession& Online() { return *online_; }
  // The online start-up steps have run (they run once, after the first frame).
  bool OnlineStarted() const { return onlineStarted_; }
  // Statistics, news and chat.
  Community& Communities() { return *community_; }

  // CommunityHost (tform1_community.cpp).
  QWidget* CommunityParent() override { return this; }
  bool CommunityMenuShown() const override { return menuShown_; }
  bool CommunityGameRunning() const override;
  void SetNewsSiren(bool on) override;
  void SetChatSiren(bool on) override;
  void PlayCommunitySound(const char* name) override;
  int RunCommunityWindow(QDialog& window) override;
  void InformCommunity(const QString& title, const QString& text) override;
  void SaveCommunitySettings() override;

  // The player's account.
  AccountController& Account() { return *account_; }

  // The online tournament (tform1_tournament.cpp). The main menu's picture
  // opens the lobby ("Log in to your account!" without a login).
  void OpenTournament();
  // Without a person: the lobby takes place `place` of `table` as soon as it
  // offers it; `refreshMs` shortens the lobby's refresh (tests).
  void AutoTournament(int table, int place, int refreshMs);
  TFormTour* TourLobby() const;
  tour::TourConnection& TourTable() { return *tourLink_; }
  const TourState& Tournament() const { return tour_; }
  // The results of the summed-up game by place 1..3 at a tournament table,
  // by seat elsewhere (index 0 unused).
  SeatResults ResultsInOrder() const;

  // TourLobbyHost.
  QWidget* TourParent() override { return this; }
  const Settings& TourSettings() const override { return settings_; }
  TourAccount TourPlayer() const override;
  QFont TourSerifFont(int size, bool bold) const override;
  void PlayTourSound(const char* name) override;
  void InformTour(const QString& text) override;
  bool OpenWorldTopTenAtTournament() override;

  // tour::TourFront.
  void ShowTableChat(int colour, const std::string& utf8Text) override;
  void ClearTableChat() override;
  void EnableTableChat(bool enabled) override;
  void TableGameStarts() override;
  std::string NickOfPlace(int place) override;
  void DrawMoveClock(int seat, int seconds) override;
  void ShowTableEnd(tour::TableEnd end, int seat) override;

  // The calendar sheets of the main menu.
  CalendarSheets& Calendar() { return *calendar_; }

  // CalendarHost.
  bool ReadCalendarModule(const std::function<void()>& read) override;
  QDate CalendarToday() const override;
  bool CalendarMenuShown() const override { return menuShown_; }

  // FlightSurface.
  QImage GrabClient() override;
  void BeginFlight(const QImage& work) override;
  void ShowRect(const QRect& rect) override;
  void EndFlight() override;

  // TableEvents.
  void ChooseBack() override;
  void StopMusic() override;
  void ShowTable() override;
  void DrawDeck(Suit trump) override;
  PlayerRecord LoadPlayerRecord() override;
  void ShowWaitingForDeal() override;
  void ShowGameCounter(std::int32_t kon, std::int32_t cycle) override;
  void DrawHand(int seat, bool faceUp) override;
  void ShowTrumpCard(int seat, int slot) override;
  void PlaceCardOnTable(int seat, int fromSlot, int position, CardCode card,
                        bool animated) override;
  void ClearTable() override;
  void FlyTrickTo(int winner) override;
  void Pause(int milliseconds) override;
  void DrawBoard(int seat, bool highlight, std::int32_t corner, std::int32_t middle,
                 std::int32_t top) override;
  void ShowBubbleName(int seat) override;
  void ShowBubbleWord(int seat, TableWord word, bool closing) override;
  void SetButtonCaption(TableButton button, TableWord caption) override;
  void SetButtonVisible(TableButton button, bool visible) override;
  void SetButtonEnabled(TableButton button, bool enabled) override;
  void SetMenuCommandEnabled(MenuCommand command, bool enabled) override;
  void SetTimerInterval(int milliseconds) override;
  void StartTimer() override;
  void StopTimer() override;
  void CloseHintBalloon() override;
  void SetHelpContext(int context) override;
  void PlaySound(std::string_view name, bool wait) override;
  void SpeakCard(CardCode card) override;
  void SendMove(int seat, int slot) override;
  void SendDeal(const MatchState& state, int firstPlayer) override;
  void SendTrickCollected() override;
  void RequestNextDeal() override;
  void SendGameResults(const SeatResults& results) override;
  void PassMoveClock(int seat) override;
  void RestartMoveClock() override;
  void StopTableClocks() override;
  void SetChatEnabled(bool enabled) override;
  void LeaveTournamentTable(bool showStatistics) override;
  void CloseNetwork() override;
  void ShowResults(const ResultsFigures& figures) override;
  void StoreGame(std::int32_t result) override;
  bool Confirm(TableWord first, std::string_view separator, TableWord second) override;
  void StopTableAnimations() override;
  void WritePlayerList() override;
  void WriteSettings() override;
  void ShowMainMenu() override;

  // OptionsHost (tform1_options.cpp).
  void ApplyLanguage() override;
  bool LoadDeck() override;
  bool LoadBacks() override;
  bool ReloadBackground() override;
  std::array<QImage, 4> SampleCards() override;
  QImage GraphicsPicture(const QString& name) override;
  void NetGameChanged() override;
  void MusicChanged() override;
  void GifAnimationChanged() override;
  void PlaySettingsChanged() override;
  void ApplyCursors(QWidget* dialog) override;
  void ButtonsChanged() override;
  void RadioListChanged() override;
  void OpenSpeedWindow(QWidget* parent) override;
  QSize ScreenSize() override;
  QSize ClientSizeOf(int windowSize) override;
  QString ProgramFolder() override;
  QString DataFolder() override;
  std::string DownloadAddress(const QString& fileName) override;
  void PlayEffectSound(const char* name) override;
  void ShowMessage(QWidget* parent, const QString& text) override;

  // RecordsHost.
  QWidget* HostWindow() override { return this; }
  void Inform(const QString& text) override;
  void PlayRecordsSound(std::string_view name) override;
  int RunModal(QDialog& dialog) override;

  // MainMenuHost.
  void PlayCommandSound() override;
  void StartNewGame(int memberSlot) override;
  void CloseMainWindow() override;
  bool RunPlayerNameWindow(int memberSlot) override;
  void OpenMemberPasswordWindow(int row) override;
  void OpenTopTenWindow() override;
  void OpenOptionsDialog() override;
  void OpenHistoryWindow() override;
  void ReloadClubList() override;

  // AccountHost.
  const Settings& AccountSettings() const override { return settings_; }
  bool AskAccount(const QString& text) override;
  void AccountChanged() override;
  void StartAccountTableGame() override;

  // lan::LanWindow.
  QWidget* LanParent() override { return this; }
  int LanLanguage() const override { return settings_.Language; }
  void ShowChatLine(int colour, const QString& text) override;
  void ClearChatBox() override;
  void ShowLanError(const QString& text) override;
  void LeaveTableToMenu() override;
  void ToggleOpenHands() override;

 signals:
  // The first intro frame has been painted (start-up time, screenshots).
  void IntroFramePainted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void FormCreate();
  void CreateCommunity();
  void CreateTournament();
  // "Exit to menu" after a tournament game: the own standing read again,
  // the points gained and the new rating into the history.
  void StoreTournamentGame();
  // The nick of another place from the tournament service into its seat's
  // name, retried while another request runs.
  void ReadTourNick(int place, int attempts);
  void LoadGraphicsModule();
  void CreateTableButtons();
  QImage GifFrame();
  std::filesystem::path DataPath() const;
  std::filesystem::path ClubPath() const;
  void CreatePopupMenu();
  void LoadCursors();
  void ApplyCursors();
  void SetClientSize(QSize size);
  void CentreOnScreen();
  QSize WorkArea() const;
  void PlaceTableButtons();
  // A new game on the table: local (StartNewGame) or networked.
  void BeginGame();
  // With "Multiplayer": the name dialog's network fields open the connection
  // before the dialog closes.
  void AddNetworkFields(TFormPassword& dialog);
  void HideTableElements();
  void TellAudioScreen();
  void SyncStateWithSettings();
  void ShowModuleMessage(const QString& text);
  TQorCardsButton* ButtonOf(TableButton button) const;
  QString Text(WordId id, int row = 0) const;
  QString ProductWord() const;
  bool ReloadBackground(bool purple);
  // The table again after its pictures or size changed.
  void RedrawTable();
  void ShowCalendar();
  int TablePositionAt(QPoint inWindow) const;
  void UpdateHandCursor(QPoint inHand);
  // A click, or its key, on slot `slot` of the local hand.
  HandClickResult HandSlotUp(int slot, MouseButton which);
  // The start-up in three steps: the intro (before the first frame), the
  // rest of the sequence (after it), the menu's pictures (after that).
  void StartIntro();
  bool FinishStartUp();
  void WarmUpMenu();
  void StartOnline();

  MatchState& state_;
  Settings& settings_;
  Options options_;
  std::uint8_t loadedWindowSize_ = 1;  // the settings' value, saved back
  bool clubCheckFailed_ = false;       // nothing is written on the way out

  DialogMessageSink dialogSink_;
  MessageSink* messages_ = &dialogSink_;
  WindowAudio audio_;
  SoundPlayer* sound_ = &audio_.Effects();

  std::mt19937_64 backRandom_;  // random backs of sets 8..11
  DeckRandom random_;
  CardPictures pictures_;
  TableView view_;
  CardFlight flight_;
  GameDriver driver_;
  CursorAnimator cursors_;
  IntroScreen intro_;
  QTimer timer1_;
  std::unique_ptr<OnlineSession> online_;
  bool onlineStarted_ = false;
  std::unique_ptr<Community> community_;
  std::unique_ptr<lan::LanConnection> lan_;
  std::unique_ptr<AccountController> account_;
  TourState tour_;
  std::unique_ptr<tour::TourConnection> tourLink_;
  QTimer moveClock_;             // the tournament move clock, 1000 ms
  QPointer<TFormTour> lobby_;
  int tourRefreshMs_ = kTourRefreshMs;
  int autoTable_ = 0;            // AutoTournament's place, taken once
  int autoPlace_ = 0;
  bool tourChatWired_ = false;   // the chat entry's lines also go to the table
  bool openHands_ = false;  // the hidden view: opponents' hands face up

  WindowGeometry geometry_;
  bool startedUp_ = false;
  bool startUpFinished_ = false;
  bool graphicsLoaded_ = false;
  bool introShown_ = true;
  bool menuShown_ = false;
  bool introFramePainted_ = false;
  bool closeConfirmed_ = false;
  int helpContext_ = 0;
  QString counterTitle_;
  QString counterHint_;
  const QImage* flightWork_ = nullptr;

  MainMenu* menu_ = nullptr;  // owned as a child object
  TableGuide* guide_ = nullptr;  // owned as a child object
  QString helpFolder_;

  TQorCardsButton* button7_ = nullptr;   // continue
  TQorCardsButton* button8_ = nullptr;   // "Exit to menu"
  std::array<TableWord, 2> captions_{TableWord::ToBegin, TableWord::ExitToMenu};

  CalendarSheets* calendar_ = nullptr;

  ClubMember member_;               // who plays the next or current game
  int historySelection_ = 0;        // the history window's file, for the run
  std::function<int(QDialog&)> dialogRunner_;
  FinishGameHooks finishHooks_;
  std::unique_ptr<WorldTopTen> worldTop_;
  GifRecorder gif_;

  QMenu* popup_ = nullptr;
  QAction* genCount_ = nullptr;
  QAction* quit_ = nullptr;
  QAction* changeName_ = nullptr;
  QAction* speed_ = nullptr;
  QAction* optionsAction_ = nullptr;
  QAction* convention_ = nullptr;
  QAction* help_ = nullptr;
  QAction* comment_ = nullptr;
  QAction* about_ = nullptr;
  QAction* radio_ = nullptr;
  QAction* chat_ = nullptr;
};

}  // namespace tarvel
