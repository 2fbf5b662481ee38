// The lobby "WORLD ONLINE TOURNAMENT": ten tables of three place buttons, the
// own standing, the welcome line of the tournament server and its picture.
// Taking a place opens the table connection (TourTableLink); the table side
// closes the lobby at the first deal (CloseLobby) and opens a new one after
// the game. The window cannot be closed while this player holds a place.
//
// Requests run synchronously; a timer tick that falls while another request
// of the program runs waits for the next tick, so that a request refused for
// being nested is never taken for a server that went off.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QStringList>
#include <QTimer>

#include <array>

#include "online/tour_requests.h"
#include "online/tournament/lobby_rules.h"
#include "online/tournament/tour_lobby_host.h"
#include "settings/words/words.h"
#include "widgets/qor_cards_button.h"

namespace tarvel {

class TFormTour : public QDialog {
  Q_OBJECT

 public:
  // Opens the lobby: the own player from the account, the own standing, the
  // external address, the tables; starts the refresh and error timers.
  explicit TFormTour(TourLobbyContext context, QWidget* parent = nullptr);

  // Without a person: on every refresh, while this player holds no place,
  // presses place `place` of `table` when that button offers "Take the
  // place of". Also tries at once.
  void AutoTake(int table, int place);

  // The refresh timer's work (also "Refresh"): own standing, tables, server.
  void RefreshLobby();
  // A press of the place button (table 1..10, place 1..3); nothing while
  // the button is disabled.
  void PressPlace(int table, int place);
  // Closes the lobby (the first deal of a game); the caller has given up the
  // lobby place (OwnTable 0). Delete the window later, not at once: this may
  // be called while the lobby waits for a reply.
  void CloseLobby();
  // Closing ("Close", Escape, the window's close box): refused while this
  // player holds a place.
  void reject() override;

  // What the window shows.
  TQorCardsButton* PlaceButton(int table, int place) const;
  QString WelcomeText() const { return welcome_->text(); }
  // The six rows of the own standing, "Nick: value" each.
  QStringList StandingTexts() const;
  bool ServerPictureOn() const { return serverOn_; }
  TQorCardsButton* ButtonRefresh() const { return refresh_; }
  TQorCardsButton* ButtonClose() const { return close_; }
  TQorCardsButton* ButtonTopTen() const { return topTen_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  LobbyHold Hold() const;
  void SetHold(LobbyHold hold);
  void ReadStanding();
  void ShowTables(bool ok);
  void Release(int table, int firstPlace, int lastPlace);
  void TakePlace(int table, int place);
  void GiveUpPlace(int table, int place);
  void RefreshTick();
  void ErrorTick();
  void TryAutoTake();
  void OpenTopTen();
  QString Word(WordId id) const;

  TourLobbyContext context_;
  int language_;
  TourTables tables_;
  bool serverOn_ = false;
  bool busy_ = false;  // a press, refresh or message box is under way
  std::array<std::array<TQorCardsButton*, kTourPlaces>, kTourTables> places_{};
  QLabel* welcome_ = nullptr;
  QLabel* serverPicture_ = nullptr;
  std::array<QLabel*, 6> standingValues_{};
  TQorCardsButton* refresh_ = nullptr;
  TQorCardsButton* close_ = nullptr;
  TQorCardsButton* topTen_ = nullptr;
  QTimer refreshTimer_;
  QTimer errorTimer_;
  int autoTable_ = 0;
  int autoPlace_ = 0;
};

}  // namespace tarvel
