#include "game_driver.h"

#include <cstddef>

#include "autoplay.h"

namespace tarvel {
namespace {

// Help context of the table during play.
constexpr int kHelpContextPlay = 5;

// The slot holds a card of the human's hand.
bool IsHumanCard(const MatchState& s, int slot) {
  return slot >= 1 && slot <= s.HandCount[3] && slot <= 8 &&
         s.Hands[3][static_cast<std::size_t>(slot)].IsCard();
}

bool HumanMayPlay(const MatchState& s) {
  return s.DealActive && s.Turn == 3 && s.DealStage == StagePlaying;
}

}  // namespace

// Marks the driver busy for one handler; when it ends, actions deferred
// meanwhile run.
class GameDriver::BusyScope {
 public:
  explicit BusyScope(GameDriver& driver) : driver_(driver) { driver_.busy_ = true; }
  ~BusyScope() {
    driver_.busy_ = false;
    driver_.RunDeferred();
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  GameDriver& driver_;
};

void GameDriver::RunDeferred() {
  while (!busy_ && !deferred_.empty()) {
    std::function<void()> action = std::move(deferred_.front());
    deferred_.pop_front();
    BusyScope scope(*this);
    action();
  }
}

void GameDriver::runWhenIdle(std::function<void()> action) {
  if (busy_) {
    deferred_.push_back(std::move(action));
    return;
  }
  BusyScope scope(*this);
  action();
}

void GameDriver::runBusy(const std::function<void()>& work) {
  if (busy_) {
    work();
    return;
  }
  BusyScope scope(*this);
  work();
}

GameDriver::GameDriver(MatchState& state, TableEvents& events, DeckRandom& random)
    : state_(state), events_(events), random_(random) {}

void GameDriver::startNewGame() {
  if (busy_) return;
  BusyScope scope(*this);
  StartDeal(state_, events_, random_, false);
}

void GameDriver::onContinue() {
  if (busy_) return;
  BusyScope scope(*this);
  events_.CloseHintBalloon();
  MatchState& s = state_;
  if (!s.DealActive) return;

  if (s.DealStage == StageDealt) {
    // A LAN client whose human does not lead waits for the first move.
    if (!MayStartDeal(s)) return;
    s.DealStage = StagePlaying;
    events_.SetButtonEnabled(TableButton::Continue, false);
    events_.SetButtonCaption(TableButton::Continue, TableWord::OK);
    events_.StartTimer();
    events_.SetHelpContext(kHelpContextPlay);
    return;
  }
  if (s.Turn == TurnTrickComplete) {
    // Only the collecting machine collects on its own press; the others wait
    // for its message.
    if (!DrivesTable(s)) return;
    if (s.NetGame || s.TourGame) events_.SendTrickCollected();
    CollectTrick(s, events_, true);
    return;
  }
  if (s.Turn == TurnGameOver) {
    if (s.GameSummed) return;  // summed once; only "Exit to menu" remains
    // At a tournament table place 1 sums up first; the others once the
    // server has ended the game.
    if (s.TourGame && s.TourSeat != 1 && !s.TourOver) return;
    EndGame(s, events_);
    return;
  }
  if (s.Turn == TurnNextDeal) {
    if (!DrivesTable(s)) return;
    if (s.TourGame) {
      events_.RequestNextDeal();
    } else {
      events_.StopTimer();
      StartDeal(s, events_, random_, true);
    }
  }
}

void GameDriver::onTimerTick() {
  if (busy_) return;
  MatchState& s = state_;
  if (!s.DealActive || s.TourGame) return;
  if (s.NetGame && !(s.NetRole == 1 && s.NetClients2 == 0 && s.Turn == 2)) return;
  // Before "To Begin" nobody moves, even when the timer ticks for the menu.
  if (s.DealStage != StagePlaying) return;
  BusyScope scope(*this);
  if (s.Turn >= 1) events_.SetTimerInterval(300);
  if (s.Turn == 1 || s.Turn == 2) {
    const int seat = s.Turn;
    PlayCard(s, events_, seat, ChooseComputerSlot(s, seat), true);
    if (s.TrickPos == 4) events_.SetButtonEnabled(TableButton::Continue, true);
  }
}

HandClickResult GameDriver::onHandClick(int slot, MouseButton button) {
  if (busy_) return HandClickResult::Ignored;
  BusyScope scope(*this);
  MatchState& s = state_;
  if (!s.DealActive || !IsHumanCard(s, slot)) return HandClickResult::Ignored;
  if (button == MouseButton::Right) {
    events_.SpeakCard(s.Hands[3][static_cast<std::size_t>(slot)]);
    return HandClickResult::Spoken;
  }
  if (button != MouseButton::Left || !HumanMayPlay(s)) return HandClickResult::Ignored;
  if ((s.TrickPos == 2 || s.TrickPos == 3) && IsIllegalCard(s, slot)) {
    if (s.SoundOn) events_.PlaySound("WWrongs", false);
    return HandClickResult::Refused;
  }
  events_.CloseHintBalloon();
  PlayCard(s, events_, 3, slot, true);
  return HandClickResult::Played;
}

bool GameDriver::onHandHover(int slot) const {
  const MatchState& s = state_;
  if (!HumanMayPlay(s) || !IsHumanCard(s, slot)) return false;
  return s.TrickPos == 1 || !IsIllegalCard(s, slot);
}

bool GameDriver::humanMayPlay() const { return HumanMayPlay(state_); }

void GameDriver::onTableRightClick(int position) {
  if (busy_) return;
  const MatchState& s = state_;
  if (!s.DealActive || position < 1 || position > 3) return;
  const CardCode card = s.Trick[static_cast<std::size_t>(position)];
  if (!card.IsCard()) return;
  BusyScope scope(*this);
  events_.SpeakCard(card);
}

void GameDriver::onOverallScore() {
  if (busy_) return;
  const MatchState& s = state_;
  if (!s.DealActive) return;
  BusyScope scope(*this);
  const SeatResults results = SumUpGame(s);
  if (s.SoundOn) events_.PlaySound("WOpenFo", false);
  events_.ShowResults(ResultsFigures{s.PlayerKon, 30, s.PlayerRating, results[3] * 10,
                                     s.PlayerScore, true});
}

void GameDriver::onQuit(bool tableShown) {
  if (busy_) return;
  BusyScope scope(*this);
  MatchState& s = state_;
  if (s.SoundOn) events_.PlaySound("WOpenFo", false);
  if (!tableShown) return;
  // The two lines are separated by LF CR, as the word table stores breaks.
  if (!events_.Confirm(TableWord::LeaveToMenu, "\n\r", TableWord::DataWillBeLost)) return;
  events_.StopTableAnimations();
  events_.WritePlayerList();
  s.DealActive = false;
  if (s.NetGame) events_.CloseNetwork();
  if (s.TourGame) events_.LeaveTournamentTable(false);
  events_.ShowMainMenu();
}

void GameDriver::onExitToMenu() {
  if (busy_) return;
  BusyScope scope(*this);
  events_.CloseHintBalloon();
  MatchState& s = state_;
  // Stores once: the storing leaves the table, so a second press finds no
  // active deal.
  if (!s.GameSummed || !s.DealActive) return;
  events_.StoreGame(s.GameResult);
  s.DealActive = false;
  // The peers are in the game-over phase or gone: they take the close quietly.
  if (s.NetGame) events_.CloseNetwork();
  if (s.TourGame) events_.LeaveTournamentTable(true);
}

bool GameDriver::onCloseQuery(bool tableShown) {
  if (busy_) return false;
  BusyScope scope(*this);
  if (tableShown && !events_.Confirm(TableWord::LeaveGame, " ", TableWord::DataWillBeLost)) {
    return false;
  }
  events_.WriteSettings();
  events_.WritePlayerList();
  return true;
}

}  // namespace tarvel
