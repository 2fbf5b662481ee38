// The main menu on the main window's client area: the club header and the
// five member rows, the command buttons, the title band, the title and
// subtitle pictures, the two animated pictures, the candles with their six
// flames, the clock and the counter display, and the small pictures of the
// online services. It owns the menu's part of the command table.
//
// The menu paints its pictures into the window's paint (Paint) and advances
// its animations on the window's 20 ms timer (Tick); a tick asks the window
// to repaint only the areas that changed.
#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QTime>

#include <array>
#include <functional>
#include <optional>

#include "settings/settings_file.h"
#include "table/layout.h"
#include "table/main_menu_layout.h"
#include "widgets/sparse_strip.h"

class QPainter;
class QPushButton;
class QWidget;

namespace tarvel {

class TQorCardsButton;
class ServicePicture;

// What the menu's commands need of the main window.
class MainMenuHost {
 public:
  virtual ~MainMenuHost() = default;
  // The sound every command plays first ("WOpenFo").
  virtual void PlayCommandSound() = 0;
  // "New Player" succeeded: start a new game on the table.
  virtual void StartNewGame(int memberSlot) = 0;
  // "Exit".
  virtual void CloseMainWindow() = 0;
  // Commands whose windows belong to other parts go to their entry points.
  virtual bool RunPlayerNameWindow(int memberSlot) = 0;
  virtual void OpenMemberPasswordWindow(int row) = 0;
  virtual void OpenTopTenWindow() = 0;
  virtual void OpenOptionsDialog() = 0;
  virtual void OpenHistoryWindow() = 0;
  // The club list of `ClubMode` changed.
  virtual void ReloadClubList() = 0;
};

// The online figures of the counter display.
struct CounterFigures {
  int ClubMembers = 0;
  int Windows = 0;
  int Android = 0;
};

// The small pictures of the online services, in their order on the menu.
enum class MenuService { WorldTopTen, Statistics, Account, Tournament, News, Chat, MakerSite };

class MainMenu : public QObject {
  Q_OBJECT

 public:
  MainMenu(QWidget& window, Settings& settings, MainMenuHost& host);
  ~MainMenu() override;

  // ShowMainMenu(false) of the menu's own elements: lays them out for the
  // window's geometry, colours them for the menu design, sets their texts,
  // loads the pictures and restarts the animations and the clocks.
  void Show(const WindowGeometry& geometry);
  // Decodes the menu's animated pictures (Show does it when nobody did).
  void LoadPictures();
  // Hides every element of the menu.
  void Hide();
  bool Shown() const { return shown_; }
  // ShowMainMenu(true): one 20 ms step of the animations.
  void Tick();
  // The menu's pictures over the background, inside `area`.
  void Paint(QPainter& painter, const QRect& area) const;

  // Texts of the buttons, the header and the title pictures.
  void ApplyLanguage();
  void ApplyFonts(const QFont& buttons, const QFont& rows);
  // The clocks start again from the current time.
  void ResetClocks();

  // The club's rows: up to five texts, an empty text an empty row (a click
  // on it does nothing).
  void SetMemberRows(const std::array<QString, kMenuRows>& rows);
  // The same, where a row's text shows even without a member (the club's
  // empty places): only rows with a member can be pressed.
  void SetMemberRows(const std::array<QString, kMenuRows>& rows, const std::array<bool, kMenuRows>& members);
  // Live figures for the counter display; nothing shows "NO CONNECT".
  void SetCounterFigures(std::optional<CounterFigures> figures);
  // Gives a service picture its window: it becomes clickable. An empty
  // function disables it again (shown greyed, with a hint).
  void SetServiceHandler(MenuService service, std::function<void()> open);
  // The siren of a service picture: blue at the news, red at the chat.
  void SetSiren(MenuService service, bool on);
  bool Siren(MenuService service) const;

  // The radio icon (owned by the window's audio), placed and shown with
  // the menu in the larger windows.
  void SetRadioIcon(QWidget* icon);

  // Input the window passes on.
  bool TitleClick(QPoint at);   // true when `at` was on the title
  void MemberKey(int digit);    // the digits 1..5

  // The commands of the buttons.
  void Button6Click();
  void MemberRowClick(int row);
  void Button9Click();
  void Button10Click();
  void Button11Click();
  void BHistoryClick();
  void BModeClick();

  // What tests and the screenshot hook look at.
  const MainMenuLayout& Layout() const { return layout_; }
  QPushButton* Button(const char* name) const;
  QPushButton* MemberRow(int row) const;  // 1..5
  QPushButton* Header() const;
  QWidget* Service(MenuService service) const;
  int GifFrame() const { return gifFrame_; }
  int FlameStep() const { return flameStep_; }
  const QImage& Clock() const { return clockImage_; }
  const QImage& Counter() const { return counterImage_; }
  const QImage& CaptionPicture() const { return caption_; }

 private:
  void CreateButtons();
  void Colour();
  void Place();
  void LoadTitlePictures();
  void DrawClock(const QTime& now);
  void DrawCounterDisplay(const QTime& now);
  void ComposeGifFrames();
  void Run(bool fireworks, const std::function<void()>& command);

  QWidget& window_;
  Settings& settings_;
  MainMenuHost& host_;
  WindowGeometry geometry_;
  MainMenuLayout layout_;
  bool shown_ = false;
  std::array<bool, kMenuRows> members_{};  // the rows that hold a member

  TQorCardsButton* panel4_ = nullptr;
  std::array<TQorCardsButton*, kMenuRows> rows_{};
  TQorCardsButton* button6_ = nullptr;
  TQorCardsButton* button9_ = nullptr;
  TQorCardsButton* button10_ = nullptr;
  TQorCardsButton* button11_ = nullptr;
  TQorCardsButton* bHistory_ = nullptr;
  TQorCardsButton* bMode_ = nullptr;
  std::array<ServicePicture*, kServicePictures> services_{};
  QWidget* radioIcon_ = nullptr;

  QImage titleBand_;
  QImage caption_;  // recoloured, at its place's size
  QImage elite_;
  // "GifMenu1", "GifMenu2" over the side pictures "PngMenu1", "PngMenu2": the
  // frame on screen is composed when it changes.
  struct Animation {
    SparseStrip Strip;
    QImage Side;
    QImage Frame;
  };
  std::array<Animation, 2> gifs_;
  std::array<QImage, 2> candles_;
  QImage flames_;
  int gifFrame_ = 0;
  int ticks_ = 0;  // 20 ms steps since the menu was shown
  bool gifWasOn_ = false;
  int flameStep_ = 0;

  QImage clockImage_;
  QImage counterImage_;
  int clockKey_ = -1;    // minute and colon last drawn
  int counterKey_ = -1;  // second last drawn
  std::optional<CounterFigures> figures_;
};

}  // namespace tarvel
