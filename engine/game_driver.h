// The game driver: what the window's events do to the game. The main window
// forwards its turn timer ticks, button presses, clicks and menu commands
// here; the driver calls the rule operations, which report back through the
// same TableEvents port.
//
// While a handler runs (a card flies, a sound plays to its end, a modal
// window is open) the driver is busy: ticks and clicks that arrive meanwhile
// from a nested event loop are ignored, as a blocked message queue would
// merge them.
#pragma once

#include <deque>
#include <functional>

#include "match_state.h"
#include "rules.h"
#include "table_events.h"

namespace tarvel {

enum class MouseButton { Left, Right, Middle };

// What a click on the human's hand did.
enum class HandClickResult { Ignored, Spoken, Refused, Played };

class GameDriver {
 public:
  GameDriver(MatchState& state, TableEvents& events, DeckRandom& random);

  GameDriver(const GameDriver&) = delete;
  GameDriver& operator=(const GameDriver&) = delete;

  // A game chosen from the main menu: StartDeal in new-game mode.
  void startNewGame();

  // The continue button (Button7): "To Begin", "OK", "To sum up of game",
  // "Next Round".
  void onContinue();

  // The game part of the turn timer (Timer1): a computer seat plays one card.
  void onTimerTick();

  // A mouse button released over the human's hand; `slot` is the card under
  // the pointer (CardAt), 0 when none. Right speaks the card, Left plays it
  // or, when it may not be played now, refuses it with the sound "WWrongs".
  HandClickResult onHandClick(int slot, MouseButton button);

  // The pointer moves over the human's hand: true when the play cursor is
  // due (the card under it may be played now).
  bool onHandHover(int slot) const;

  // The human may play a card now: a deal in play and the human's turn.
  bool humanMayPlay() const;

  // A right click on the card at trick position `position` (1..3) speaks it.
  void onTableRightClick(int position);

  // Menu command GenCount: the overall score of the running game.
  void onOverallScore();

  // Menu command Quit: leave to the main menu after a Yes. `tableShown` is
  // false on the intro and main menu screens, where nothing is asked.
  void onQuit(bool tableShown);

  // The exit button (Button8) after a summed-up game: store the game.
  void onExitToMenu();

  // Closing the main window: true when it may close. Asks first while the
  // table is shown; writes the settings and the player list on the way out.
  bool onCloseQuery(bool tableShown);

  // Runs `action` (a peer's move, a trick collected on another machine, a
  // deal from the host) now, or, while a handler is running, as soon as the
  // running handler ends, in the order received: a message that arrives
  // while a card flies must not act on the half-played move.
  void runWhenIdle(std::function<void()> action);

  // Runs `work` (a blocking request outside the game's own handlers) with the
  // driver busy, so ticks and clicks that arrive meanwhile do nothing; inside
  // a running handler it simply runs.
  void runBusy(const std::function<void()>& work);

  // True while a handler is running.
  bool busy() const { return busy_; }

 private:
  class BusyScope;
  void RunDeferred();

  MatchState& state_;
  TableEvents& events_;
  DeckRandom& random_;
  bool busy_ = false;
  std::deque<std::function<void()>> deferred_;
};

}  // namespace tarvel
