// The game driver: the continue button, the turn timer, clicks on the hand
// and the table, the menu commands, and the busy flag, with a recording port.
#include "game_driver.h"

#include <gtest/gtest.h>

#include <string>

#include "recording_events.h"
#include "test_hands.h"

namespace tarvel {
namespace {

using testing::C;
using testing::RecordingEvents;
using testing::SetHand;

// A local game: seat 1 leads the first deal (a new player).
struct Table {
  MatchState state;
  RecordingEvents events;
  DeckRandom random{2024};
  GameDriver driver{state, events, random};

  Table() { driver.startNewGame(); }

  void PressToBegin() { driver.onContinue(); }
  int FirstLegalSlot() const {
    for (int slot = 1; slot <= state.HandCount[3]; ++slot) {
      if (!IsIllegalCard(state, slot)) return slot;
    }
    return 0;
  }
  int FirstIllegalSlot() const {
    for (int slot = 1; slot <= state.HandCount[3]; ++slot) {
      if (IsIllegalCard(state, slot)) return slot;
    }
    return 0;
  }
  int CardsInHands() const { return state.HandCount[1] + state.HandCount[2] + state.HandCount[3]; }
};

// A deal in play with the given hands, trump spades, `first` to lead.
void Arrange(MatchState& s, const char* h1, const char* h2, const char* h3, int first) {
  s.Trump = SuitSpades;
  SetHand(s, 1, h1);
  SetHand(s, 2, h2);
  SetHand(s, 3, h3);
  s.Trick.fill(NoCard);
  s.PlayedLog.fill(NoCard);
  s.PlayedCount = 1;
  s.LedSuit = NoSuit;
  s.TrickPos = 1;
  s.Leader = s.PrevLeader = s.Turn = static_cast<std::uint8_t>(first);
  s.Taken.fill(0);
  s.DealStage = StagePlaying;
  s.DealActive = true;
}

TEST(GameDriver, BeforeToBeginNothingMoves) {
  Table t;
  ASSERT_EQ(t.state.Turn, 1);
  ASSERT_EQ(t.state.DealStage, StageDealt);
  t.events.Clear();
  t.driver.onTimerTick();
  t.driver.onHandClick(1, MouseButton::Left);
  EXPECT_EQ(t.CardsInHands(), 24);
  EXPECT_EQ(t.events.Count("PlaceCardOnTable"), 0);
  EXPECT_FALSE(t.driver.onHandHover(1));

  t.events.Clear();
  t.PressToBegin();
  EXPECT_EQ(t.state.DealStage, StagePlaying);
  EXPECT_EQ(t.events.calls.front(), "CloseHintBalloon");
  EXPECT_TRUE(t.events.Has("SetButtonEnabled Continue off"));
  EXPECT_TRUE(t.events.Has("SetButtonCaption Continue OK"));
  EXPECT_TRUE(t.events.Has("StartTimer"));
  EXPECT_TRUE(t.events.Has("SetHelpContext 5"));
  EXPECT_EQ(t.CardsInHands(), 24);  // the press itself plays nothing
}

TEST(GameDriver, OneComputerCardPerTickAndNothingUntilOk) {
  Table t;
  t.PressToBegin();
  t.events.Clear();
  t.driver.onTimerTick();
  EXPECT_EQ(t.state.HandCount[1], 7);
  EXPECT_EQ(t.state.Turn, 2);
  EXPECT_TRUE(t.events.Has("SetTimerInterval 300"));
  t.driver.onTimerTick();
  EXPECT_EQ(t.state.HandCount[2], 7);
  EXPECT_EQ(t.state.Turn, 3);
  // The timer never plays for the human.
  t.driver.onTimerTick();
  EXPECT_EQ(t.state.HandCount[3], 8);
  EXPECT_EQ(t.state.Turn, 3);
  const int slot = t.FirstLegalSlot();
  ASSERT_NE(slot, 0);
  EXPECT_TRUE(t.driver.onHandHover(slot));
  t.events.Clear();
  t.driver.onHandClick(slot, MouseButton::Left);
  EXPECT_EQ(t.state.HandCount[3], 7);
  EXPECT_EQ(t.state.Turn, TurnTrickComplete);
  EXPECT_TRUE(t.events.Has("SetButtonEnabled Continue on"));
  // Nothing moves until OK is pressed.
  const MatchState waiting = t.state;
  t.driver.onTimerTick();
  t.driver.onHandClick(1, MouseButton::Left);
  EXPECT_TRUE(t.state == waiting);
  t.driver.onContinue();
  EXPECT_EQ(t.state.Turn, t.state.Leader);
  EXPECT_EQ(t.state.TrickPos, 1);
  EXPECT_EQ(t.state.PlayedCount, 4);
  EXPECT_EQ(t.events.Count("SendTrickCollected"), 0);  // a local game sends nothing
}

TEST(GameDriver, IllegalClickOnlySoundsWrong) {
  Table t;
  Arrange(t.state, "9c", "Kh", "9h 10c As", 1);
  t.state.Trump = SuitSpades;
  ASSERT_TRUE(PlayCard(t.state, t.events, 1, 1, false));  // 9c led
  ASSERT_TRUE(PlayCard(t.state, t.events, 2, 1, false));
  ASSERT_EQ(t.state.Turn, 3);
  const int illegal = t.FirstIllegalSlot();
  ASSERT_NE(illegal, 0);
  EXPECT_FALSE(t.driver.onHandHover(illegal));
  const MatchState before = t.state;
  t.events.Clear();
  t.driver.onHandClick(illegal, MouseButton::Left);
  EXPECT_TRUE(t.state == before);
  EXPECT_EQ(t.events.calls, (std::vector<std::string>{"PlaySound WWrongs"}));
  // With sounds off the illegal click does nothing at all.
  t.state.SoundOn = false;
  t.events.Clear();
  t.driver.onHandClick(illegal, MouseButton::Left);
  EXPECT_TRUE(t.events.calls.empty());
}

TEST(GameDriver, RightClickSpeaksAndNeverPlays) {
  Table t;
  t.PressToBegin();
  t.driver.onTimerTick();
  t.driver.onTimerTick();
  ASSERT_EQ(t.state.Turn, 3);
  const int slot = t.FirstLegalSlot();
  const CardCode card = t.state.Hands[3][static_cast<std::size_t>(slot)];
  t.events.Clear();
  t.driver.onHandClick(slot, MouseButton::Right);
  EXPECT_EQ(t.state.HandCount[3], 8);
  EXPECT_EQ(t.events.calls,
            (std::vector<std::string>{"SpeakCard " + std::to_string(DeckNumber(card))}));
  // A middle click neither speaks nor plays.
  t.events.Clear();
  t.driver.onHandClick(slot, MouseButton::Middle);
  EXPECT_TRUE(t.events.calls.empty());
  // Clicks beside the cards do nothing.
  for (int outside : {0, -1, 9, 100}) {
    t.driver.onHandClick(outside, MouseButton::Left);
    t.driver.onHandClick(outside, MouseButton::Right);
  }
  EXPECT_TRUE(t.events.calls.empty());
  // The table: the card at each trick position is spoken, empty ones not.
  t.driver.onTableRightClick(1);
  EXPECT_TRUE(t.events.Has("SpeakCard " + std::to_string(DeckNumber(t.state.Trick[1]))));
  t.events.Clear();
  t.driver.onTableRightClick(3);
  t.driver.onTableRightClick(0);
  t.driver.onTableRightClick(4);
  EXPECT_TRUE(t.events.calls.empty());
}

TEST(GameDriver, TimerByMode) {
  struct Row {
    const char* mode;
    bool net;
    int role;
    int clients2;
    bool tour;
    int turn;
    bool plays;
  };
  const Row rows[] = {
      {"local, seat 1", false, 0, -1, false, 1, true},
      {"local, seat 2", false, 0, -1, false, 2, true},
      {"LAN host, one client, seat 2", true, 1, 0, false, 2, true},
      {"LAN host, one client, seat 1 is remote", true, 1, 0, false, 1, false},
      {"LAN host, two clients", true, 1, 1, false, 2, false},
      {"LAN client", true, 2, 0, false, 2, false},
      {"tournament", false, 0, -1, true, 2, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.mode);
    Table t;
    Arrange(t.state, "9h Ah", "9c Ac", "9d Ad", row.turn);
    t.state.NetGame = row.net;
    t.state.NetRole = static_cast<std::uint8_t>(row.role);
    t.state.NetClients2 = row.clients2;
    t.state.TourGame = row.tour;
    t.events.Clear();
    t.driver.onTimerTick();
    const int left = t.state.HandCount[static_cast<std::size_t>(row.turn)];
    EXPECT_EQ(left, row.plays ? 1 : 2);
    EXPECT_EQ(t.events.Has("SendMove " + std::to_string(row.turn) + " 1") ||
                  t.events.Has("SendMove " + std::to_string(row.turn) + " 2"),
              row.plays && row.net);
  }
}

TEST(GameDriver, TicksAndClicksDuringAFlightAreIgnored) {
  Table t;
  t.PressToBegin();
  bool sawBusy = false;
  t.events.duringBlockingCall = [&] {
    sawBusy = sawBusy || t.driver.busy();
    t.driver.onTimerTick();
    t.driver.onContinue();
    t.driver.onHandClick(1, MouseButton::Left);
    t.driver.onTableRightClick(1);
    t.driver.onOverallScore();
  };
  t.driver.onTimerTick();
  EXPECT_TRUE(sawBusy);
  EXPECT_FALSE(t.driver.busy());
  EXPECT_EQ(t.CardsInHands(), 23);  // one card, not a cascade
  EXPECT_EQ(t.events.Count("SpeakCard"), 0);
  EXPECT_EQ(t.events.Count("ShowResults"), 0);
}

TEST(GameDriver, PeerMessagesDuringAFlightWaitForTheMoveToEnd) {
  Table t;
  t.PressToBegin();
  std::vector<int> seenTurns;
  bool queued = false;
  t.events.duringBlockingCall = [&] {
    if (queued) return;
    queued = true;
    // Two messages arrive while seat 1's card flies.
    t.driver.runWhenIdle([&] { seenTurns.push_back(t.state.Turn); });
    t.driver.runWhenIdle([&] {
      seenTurns.push_back(10 + t.state.Turn);
      EXPECT_TRUE(t.driver.busy());
    });
    EXPECT_TRUE(seenTurns.empty());
  };
  t.driver.onTimerTick();
  // Both ran after seat 1's move was complete (Turn already passed to 2),
  // in the order received.
  EXPECT_EQ(seenTurns, (std::vector<int>{2, 12}));
  EXPECT_FALSE(t.driver.busy());
  // When idle an action runs at once.
  t.driver.runWhenIdle([&] { seenTurns.push_back(0); });
  EXPECT_EQ(seenTurns.back(), 0);
}

TEST(GameDriver, ContinueCollectsOnlyOnTheCollectingMachine) {
  struct Row {
    const char* mode;
    bool net;
    int role;
    bool tour;
    int tourSeat;
    bool collects;
    bool sends;
  };
  const Row rows[] = {{"LAN host", true, 1, false, 0, true, true},
                      {"LAN client", true, 2, false, 0, false, false},
                      {"tournament place 1", false, 0, true, 1, true, true},
                      {"tournament place 3", false, 0, true, 3, false, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.mode);
    Table t;
    Arrange(t.state, "9h Ah", "9c Ac", "9d Ad", 1);
    t.state.NetGame = row.net;
    t.state.NetRole = static_cast<std::uint8_t>(row.role);
    t.state.TourGame = row.tour;
    t.state.TourSeat = static_cast<std::uint8_t>(row.tourSeat);
    ASSERT_TRUE(PlayCard(t.state, t.events, 1, 1, false));
    ASSERT_TRUE(PlayCard(t.state, t.events, 2, 1, false));
    ASSERT_TRUE(PlayCard(t.state, t.events, 3, 1, false));
    t.events.Clear();
    t.driver.onContinue();
    EXPECT_EQ(t.state.Turn != TurnTrickComplete, row.collects);
    EXPECT_EQ(t.events.Has("SendTrickCollected"), row.sends);
    if (row.sends) {
      EXPECT_LT(t.events.IndexOf("SendTrickCollected"), t.events.IndexOf("SetButtonEnabled Continue off"));
    }
  }
}

TEST(GameDriver, NextRoundDealsAndTournamentAsksTheServer) {
  Table t;
  t.state.DealStage = StagePlaying;
  t.state.Turn = TurnNextDeal;
  t.state.GamePoints = {0, 2, 1, 0};
  t.events.Clear();
  t.driver.onContinue();
  EXPECT_EQ(t.state.DealNo, 2);
  EXPECT_EQ(t.state.GamePoints, (PerSeat<std::int32_t>{0, 2, 1, 0}));
  EXPECT_LT(t.events.IndexOf("StopTimer"), t.events.IndexOf("ChooseBack"));
  EXPECT_EQ(t.state.Turn, 2);  // the rotation moves on

  Table tour;
  tour.state.TourGame = true;
  tour.state.TourSeat = 1;
  tour.state.DealStage = StagePlaying;
  tour.state.Turn = TurnNextDeal;
  tour.events.Clear();
  tour.driver.onContinue();
  EXPECT_TRUE(tour.events.Has("RequestNextDeal"));
  EXPECT_EQ(tour.state.DealNo, 1);
  EXPECT_EQ(tour.events.Count("ChooseBack"), 0);
}

TEST(GameDriver, SumUpOnceThenExitStoresOnce) {
  Table t;
  t.state.DealStage = StagePlaying;
  t.state.Turn = TurnGameOver;
  t.state.GameOver = true;
  t.state.GamePoints = {0, 3, 5, 10};
  t.state.PlayerScore = 500;
  // "Exit to menu" does nothing before the game is summed up.
  t.events.Clear();
  t.driver.onExitToMenu();
  EXPECT_EQ(t.events.calls, (std::vector<std::string>{"CloseHintBalloon"}));

  t.driver.onContinue();
  EXPECT_TRUE(t.state.GameSummed);
  EXPECT_EQ(t.state.GameResult, 1200);
  EXPECT_EQ(t.state.NewScore, 1700);
  EXPECT_EQ(t.events.Count("ShowResults"), 1);
  t.driver.onContinue();  // a second press changes nothing
  EXPECT_EQ(t.events.Count("ShowResults"), 1);

  t.driver.onExitToMenu();
  t.driver.onExitToMenu();
  EXPECT_EQ(t.events.Count("StoreGame 1200"), 1);
  EXPECT_FALSE(t.state.DealActive);
  EXPECT_EQ(t.events.Count("LeaveTournamentTable"), 0);

  Table tour;
  tour.state.TourGame = true;
  tour.state.TourSeat = 2;
  tour.state.GameSummed = true;
  tour.state.GameResult = -300;
  tour.driver.onExitToMenu();
  EXPECT_TRUE(tour.events.Has("StoreGame -300"));
  EXPECT_TRUE(tour.events.Has("LeaveTournamentTable stats"));

  // A network game's end closes the connections.
  Table net;
  net.state.NetGame = true;
  net.state.GameSummed = true;
  net.driver.onExitToMenu();
  EXPECT_TRUE(net.events.Has("CloseNetwork"));
  EXPECT_EQ(t.events.Count("CloseNetwork"), 0);
}

TEST(GameDriver, OverallScoreShowsTenTimesAndChangesNothing) {
  Table t;
  t.state.GamePoints = {0, 4, 1, 3};
  t.state.PlayerKon = 7;
  t.state.PlayerScore = -250;
  const MatchState before = t.state;
  t.events.Clear();
  t.driver.onOverallScore();
  EXPECT_TRUE(t.state == before);
  // 2 x 3 - 4 - 1 = 1, times 10.
  EXPECT_EQ(t.events.calls,
            (std::vector<std::string>{"PlaySound WOpenFo", "ShowResults 7 30 10 -250 overall"}));
  t.state.DealActive = false;
  t.events.Clear();
  t.driver.onOverallScore();
  EXPECT_TRUE(t.events.calls.empty());
}

TEST(GameDriver, QuitAsksAndLeavesOnYes) {
  struct Row {
    const char* why;
    bool tableShown;
    bool answer;
    bool net;
    bool tour;
    bool leaves;
  };
  const Row rows[] = {{"menu screen: only the sound", false, true, false, false, false},
                      {"No keeps the game", true, false, false, false, false},
                      {"Yes leaves a local game", true, true, false, false, true},
                      {"Yes leaves a LAN game", true, true, true, false, true},
                      {"Yes leaves a tournament table", true, true, false, true, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    Table t;
    t.state.NetGame = row.net;
    t.state.TourGame = row.tour;
    t.events.confirmAnswer = row.answer;
    t.events.Clear();
    t.driver.onQuit(row.tableShown);
    EXPECT_EQ(t.events.calls.front(), "PlaySound WOpenFo");
    EXPECT_EQ(t.events.Has("Confirm LeaveToMenu [LFCR] DataWillBeLost"), row.tableShown);
    EXPECT_EQ(t.state.DealActive, !row.leaves);
    EXPECT_EQ(t.events.Has("StopTableAnimations"), row.leaves);
    EXPECT_EQ(t.events.Has("WritePlayerList"), row.leaves);
    EXPECT_EQ(t.events.Has("ShowMainMenu"), row.leaves);
    EXPECT_EQ(t.events.Has("CloseNetwork"), row.leaves && row.net);
    EXPECT_EQ(t.events.Has("LeaveTournamentTable"), row.leaves && row.tour);
  }
}

TEST(GameDriver, CloseQuery) {
  struct Row {
    bool tableShown;
    bool answer;
    bool closes;
  };
  const Row rows[] = {{false, false, true}, {true, false, false}, {true, true, true}};
  for (const Row& row : rows) {
    Table t;
    t.events.confirmAnswer = row.answer;
    t.events.Clear();
    EXPECT_EQ(t.driver.onCloseQuery(row.tableShown), row.closes);
    EXPECT_EQ(t.events.Has("Confirm LeaveGame [ ] DataWillBeLost"), row.tableShown);
    EXPECT_EQ(t.events.Has("WriteSettings"), row.closes);
    EXPECT_EQ(t.events.Has("WritePlayerList"), row.closes);
  }
}

TEST(GameDriver, AWholeLocalGameThroughTheDriverAlone) {
  Table t;
  int presses = 0;
  int guard = 0;
  while (!t.state.GameSummed && ++guard < 20000) {
    const MatchState& s = t.state;
    if (s.DealStage == StageDealt || s.Turn >= TurnTrickComplete) {
      t.driver.onContinue();
      ++presses;
    } else if (s.Turn == 3) {
      t.driver.onHandClick(t.FirstLegalSlot(), MouseButton::Left);
    } else {
      t.driver.onTimerTick();
    }
  }
  ASSERT_TRUE(t.state.GameSummed);
  EXPECT_GT(presses, 2);
  const int target = t.state.GameTarget;
  EXPECT_TRUE(t.state.GamePoints[1] >= target || t.state.GamePoints[2] >= target ||
              t.state.GamePoints[3] >= target);
  t.driver.onExitToMenu();
  EXPECT_TRUE(t.events.Has("StoreGame " + std::to_string(t.state.GameResult)));
}

}  // namespace
}  // namespace tarvel
