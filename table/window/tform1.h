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
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "engine/game_driver.h"
#include "engine/match_state.h"
#include "engine/rules.h"
#include "engine/table_events.h"
#include "lan/lan_connection.h"
#include "settings/settings_file.h"
#include "settings/words/words.h"
#include "table/flight.h"
#include "table/layout.h"
#include "table/pictures.h"
#include "table/table_view.h"
#include "table/window/cursor_animator.h"
#include "table/window/intro_screen.h"
#include "table/window/message_sink.h"
#include "table/window/sound_player.h"

class QAction;
class QMenu;
class QPushButton;

namespace tarvel {

class MenuButton;

// The word-table entry of an engine word.
WordId WordOf(TableWord word);
// Its text in a language (several-row entries pick their row), UTF-8.
QString WordText(TableWord word, int language);
QString WordText(WordId id, int language, int row = 0);

// Reference rectangles (left, top, right, bottom on the 760 x 500 grid) of
// the two table buttons, below the local player's score board and left of
// the local hand.
ReferenceRect ContinueButtonRect();
ReferenceRect ExitButtonRect();

class TForm1 : public QWidget, public TableEvents, public FlightSurface, public lan::LanWindow {
  Q_OBJECT

 public:
  struct Options {
    QString dataFolder;          // the program's data folder, ending in '/'
    int windowSizeOverride = 0;  // 1..5 for this run only; 0 = the settings
    std::optional<std::uint64_t> seed;
    std::string servicesBase;    // base address of the online services
  };

  TForm1(MatchState& state, Settings& settings, Options options, QWidget* parent = nullptr);
  ~TForm1() override;

  // Collaborators that tests replace. Null restores the normal one. The
  // window does not own them.
  void SetMessageSink(MessageSink* sink);
  void SetSoundPlayer(SoundPlayer* player);

  // The start-up sequence; runs once, on the first show (or when a test
  // calls it). False when the club check stopped the program.
  bool StartUp();
  bool StartedUp() const { return startedUp_; }

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
  void ImageCards3MouseMove(QPoint inHand);
  void ImageCards3MouseUp(Qt::MouseButton button, QPoint inHand);
  void ImageStolMouseUp(Qt::MouseButton button, QPoint inTable);
  void GenCountClick();
  void QuitClick();
  void SpeedClick();
  bool FormCloseQuery();

  // Screens and layout.
  void ShowIntro(bool tick);
  void ApplyWindowSize();
  void ApplyFonts();
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
  lan::LanConnection& Lan() { return *lan_; }
  QPushButton* Button6() const;
  QPushButton* Button7() const;
  QPushButton* Button8() const;
  QPushButton* Button11() const;
  QTimer& Timer1() { return timer1_; }
  CursorAnimator& Cursors() { return cursors_; }
  QMenu* PopupMenu() const { return popup_; }
  QAction* GenCountAction() const { return genCount_; }
  QAction* QuitAction() const { return quit_; }
  QAction* SpeedAction() const { return speed_; }
  // True when a right click at this point would open the pop-up menu.
  bool PopupAttachedAt(QPoint point) const;
  // The game counter's hint ("Game: 1 / 30").
  const QString& CounterHint() const { return counterHint_; }
  // The window as it is on screen now (what the paint handler shows).
  QImage Snapshot();
  // A card flight is running.
  bool Flying() const { return flightWork_ != nullptr; }

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
  void CreateMenuButtons();
  void CreateTableButtons();
  void CreatePopupMenu();
  void LoadCursors();
  void ApplyCursors();
  void SetClientSize(QSize size);
  void CentreOnScreen();
  QSize WorkArea() const;
  void LayoutMenu();
  void PlaceTableButtons();
  void HideTableElements();
  void SyncStateWithSettings();
  void ShowModuleMessage(const QString& text);
  MenuButton* ButtonOf(TableButton button) const;
  QString Text(WordId id, int row = 0) const;
  QString ProductWord() const;
  void ReloadBackground(bool purple);
  void LoadTitlePicture();
  int TablePositionAt(QPoint inWindow) const;
  void UpdateHandCursor(QPoint inHand);

  MatchState& state_;
  Settings& settings_;
  Options options_;
  std::uint8_t loadedWindowSize_ = 1;  // the settings' value, saved back
  bool clubCheckFailed_ = false;       // nothing is written on the way out

  DialogMessageSink dialogSink_;
  MessageSink* messages_ = &dialogSink_;
  SoundPlayer silentPlayer_;
  SoundPlayer* sound_ = &silentPlayer_;

  std::mt19937_64 backRandom_;  // random backs of sets 8..11
  DeckRandom random_;
  CardPictures pictures_;
  TableView view_;
  CardFlight flight_;
  GameDriver driver_;
  CursorAnimator cursors_;
  IntroScreen intro_;
  QTimer timer1_;
  std::unique_ptr<lan::LanConnection> lan_;
  bool openHands_ = false;  // the hidden view: opponents' hands face up

  WindowGeometry geometry_;
  bool startedUp_ = false;
  bool introShown_ = true;
  bool menuShown_ = false;
  bool introFramePainted_ = false;
  bool closeConfirmed_ = false;
  int helpContext_ = 0;
  QString counterHint_;
  const QImage* flightWork_ = nullptr;

  QImage menuLeft_;   // "PngMenu1"
  QImage menuRight_;  // "PngMenu2"
  QImage caption_;    // "Cap" + picture suffix

  MenuButton* button6_ = nullptr;   // "New Player"
  MenuButton* button11_ = nullptr;  // "Exit"
  MenuButton* button7_ = nullptr;   // continue
  MenuButton* button8_ = nullptr;   // "Exit to menu"
  std::array<TableWord, 2> captions_{TableWord::ToBegin, TableWord::ExitToMenu};

  QMenu* popup_ = nullptr;
  QAction* genCount_ = nullptr;
  QAction* quit_ = nullptr;
  QAction* changeName_ = nullptr;
  QAction* speed_ = nullptr;
  QAction* radio_ = nullptr;
  QAction* chat_ = nullptr;
};

}  // namespace tarvel
