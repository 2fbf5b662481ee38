// The lobby "WORLD ONLINE TOURNAMENT": ten tables of three place buttons, the
// own standing, the welcome line of the tournament server and its picture.
// Taking a place opens the table connection (TourTableLink); the table side
// closes the lobby at the first deal (CloseLobby) and opens a new one after
// the game. The window cannot be closed while this player holds a place.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QStringList>
#include <QTimer>

#include <array>

#include "online/tour_requests.h"
#include "online/tournament/lobby_rules.h"
#include "online/tournament/tour_lobby_host.h"
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
  // A press of the place button (table 1..10, place 1..3).
  void PressPlace(int table, int place);
  // Closes the lobby (the first deal of a game); the place is used up.
  void CloseLobby();

  // What the window shows.
  TQorCardsButton* PlaceButton(int table, int place) const;
  QString WelcomeText() const;
  // The six rows of the own standing, "Nick: value" each.
  QStringList StandingTexts() const;
  bool ServerPictureOn() const { return serverOn_; }
  TQorCardsButton* ButtonRefresh() const { return refresh_; }
  TQorCardsButton* ButtonClose() const { return close_; }
  TQorCardsButton* ButtonTopTen() const { return topTen_; }

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void ReadStanding();
  void ShowTables(bool ok);
  void ReleaseOwnPlaces(int fromPlace, int lastPlace);
  void TakePlace(int table, int place);
  void GiveUpPlace(int table, int place);
  void ErrorTick();
  void TryAutoTake();
  void OpenTopTen();
  void FollowHolding();

  TourLobbyContext context_;
  int language_;
  TourTables tables_;
  bool tablesRead_ = false;
  bool serverOn_ = false;
  QString welcome_;
  QStringList standing_;
  std::array<std::array<TQorCardsButton*, 3>, kTourTables> places_{};
  std::array<QLabel*, kTourTables> tableLabels_{};
  QLabel* welcomeLabel_ = nullptr;
  QLabel* serverPicture_ = nullptr;
  TQorCardsButton* refresh_ = nullptr;
  TQorCardsButton* close_ = nullptr;
  TQorCardsButton* topTen_ = nullptr;
  QTimer refreshTimer_;
  QTimer errorTimer_;
  int autoTable_ = 0;
  int autoPlace_ = 0;
  bool closing_ = false;
};

}  // namespace tarvel
