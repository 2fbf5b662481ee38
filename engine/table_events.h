// The engine's one port to the outside world. Every rule operation and the
// game driver tell the presentation, the sound player and the network what
// happened through this interface; nothing in the engine draws, plays or
// sends by itself. The main window implements it; self-play uses
// NullTableEvents; tests use a recording fake.
//
// Operations, grouped by who serves them:
//
//  Table set-up at every deal start
//    ChooseBack()                  pick the card back of the deal
//    StopMusic()                   stop the MIDI music if it is playing
//    LayoutTable()                 lay out the table (with the move timers at
//                                  a tournament table; the window knows)
//    ShowTable()                   show hands, boards, bubbles and the table
//                                  centre, hide the deck, reset name plates
//    DrawDeck(trump)               the deck picture with the trump suit
//    LoadPlayerRecord()            the local player's record (new game only)
//    ShowWaitingForDeal()          LAN client that just joined: remote hands as
//                                  backs with "Expectation of the server..."
//    ShowGameCounter(kon, cycle)   hint "Game: kon / cycle" on the counter
//
//  Hands, table, boards and bubbles
//    DrawHand(seat, faceUp)        repaint a hand from the match state
//    ShowTrumpCard(seat, slot)     show the trump-fixing card face up
//    PlaceCardOnTable(...)         a card goes from a hand slot to its trick
//                                  position; animated flies it, else it is
//                                  drawn at once. Blocks until it lies there.
//    ClearTable()                  remove the trick cards at once
//    FlyTrickTo(winner)            fly the three trick cards to the winner
//    Pause(ms)                     hold play for ms milliseconds
//    DrawBoard(seat, highlight, corner, middle, top)
//                                  a score board; corner = DealResult or
//                                  result, middle = GamePoints, top = Taken;
//                                  BoardClear / BoardKeep as special values
//    ShowBubbleName(seat)          the seat's bubble shows the seat's name
//    ShowBubbleWord(seat, word, closing)
//                                  the bubble shows a word, followed by ". "
//                                  and "I close game" when closing is set
//
//  Buttons, menu, timer, help
//    SetButtonCaption(button, word), SetButtonVisible(button, on),
//    SetButtonEnabled(button, on)  the continue button (Button7) and the exit
//                                  button (Button8)
//    SetMenuCommandEnabled(cmd, on) menu commands Quit and GenCount
//    SetTimerInterval(ms), StartTimer(), StopTimer()   the turn timer
//    CloseHintBalloon()            close an open hint balloon
//    SetHelpContext(id)            help context of the table
//
//  Sounds and voice
//    PlaySound(name, wait)         effect sound by resource name; wait blocks
//                                  until it ends. Only called when SoundOn.
//    SpeakCard(card)               speak a card's name (regardless of SoundOn)
//
//  Network and tournament
//    SendMove(seat, slot)          pass a locally chosen move to the peers
//    SendDeal(state, firstPlayer)  LAN host: send the deal to the clients
//    SendTrickCollected()          LAN host / tournament place 1: collect
//    RequestNextDeal()             tournament: ask the server for a deal
//    SendGameResults(results)      tournament place 1: the three results
//    PassMoveClock(seat)           tournament move clock passes to a seat
//    RestartMoveClock()            tournament: restart the move clock
//    StopTableClocks()             tournament: chat and move clocks stop
//    SetChatEnabled(on)            LAN chat entry field and send button
//    LeaveTournamentTable(stats)   end the table mode; stats opens the
//                                  tournament statistics window
//    CloseNetwork()                close the LAN server or client socket
//
//  Results and leaving
//    ShowResults(figures)          the game information window, modal
//    StoreGame(result)             store the finished game (rating, history,
//                                  club, statistics, account)
//    Confirm(first, separator, second)  Yes/No question; true on Yes
//    StopTableAnimations()         stop running table animations
//    WritePlayerList()             write the club's player list
//    WriteSettings()               write the settings file
//    ShowMainMenu()                show the main menu (its timer resumes)
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "cards.h"

namespace tarvel {

struct MatchState;

// Word-table entries the engine shows, named after their English text. The
// window maps them to the ten-language table.
enum class TableWord {
  ToBegin,              // "To Begin"
  OK,                   // "OK"
  NextRound,            // "Next Round"
  ToSumUpOfGame,        // "To sum up of game"
  ExitToMenu,           // "Exit to menu"
  Twenty,               // "Twenty"
  Forty,                // "Forty"
  ICloseGame,           // "I close game"
  Game,                 // "Game"
  ExpectationOfServer,  // "Expectation of the server..."
  LeaveToMenu,          // "You want to leave in the main menu?"
  LeaveGame,            // "You want to leave from game?"
  DataWillBeLost,       // "All datas for want of it will be lost!"
};

enum class TableButton {
  Continue,  // Button7: "To Begin", "OK", "Next Round", "To sum up of game"
  Exit,      // Button8: "Exit to menu"
};

enum class MenuCommand {
  Quit,      // leave to the main menu
  GenCount,  // overall score
};

// Special score board values: clear the field, or leave it as shown.
inline constexpr std::int32_t BoardClear = -1000000;
inline constexpr std::int32_t BoardKeep = -2000000;

// The local player's record as loaded at a new game.
struct PlayerRecord {
  std::int32_t kon = 1;   // game counter, 1 for a new player
  std::int32_t score = 0;
  double rating = 0.0;
  std::string name;
};

// Results of a game per seat 1..3 (index 0 unused).
using SeatResults = std::array<std::int32_t, 4>;

// What the game information window shows.
struct ResultsFigures {
  std::int32_t kon = 1;      // PlayerKon
  std::int32_t cycle = 30;   // games per cycle
  double rating = 0.0;       // the player's rating before the game
  std::int32_t result = 0;   // the human's result (x100, or x10 overall view)
  std::int32_t score = 0;    // PlayerScore
  bool overallView = false;  // the overall score during a game: store nothing
};

class TableEvents {
 public:
  virtual ~TableEvents() = default;

  // Table set-up.
  virtual void ChooseBack() = 0;
  virtual void StopMusic() = 0;
  virtual void LayoutTable() = 0;
  virtual void ShowTable() = 0;
  virtual void DrawDeck(Suit trump) = 0;
  virtual PlayerRecord LoadPlayerRecord() = 0;
  virtual void ShowWaitingForDeal() = 0;
  virtual void ShowGameCounter(std::int32_t kon, std::int32_t cycle) = 0;

  // Hands, table, boards and bubbles.
  virtual void DrawHand(int seat, bool faceUp) = 0;
  virtual void ShowTrumpCard(int seat, int slot) = 0;
  virtual void PlaceCardOnTable(int seat, int fromSlot, int position,
                                CardCode card, bool animated) = 0;
  virtual void ClearTable() = 0;
  virtual void FlyTrickTo(int winner) = 0;
  virtual void Pause(int milliseconds) = 0;
  virtual void DrawBoard(int seat, bool highlight, std::int32_t corner,
                         std::int32_t middle, std::int32_t top) = 0;
  virtual void ShowBubbleName(int seat) = 0;
  virtual void ShowBubbleWord(int seat, TableWord word, bool closing) = 0;

  // Buttons, menu, timer, help.
  virtual void SetButtonCaption(TableButton button, TableWord caption) = 0;
  virtual void SetButtonVisible(TableButton button, bool visible) = 0;
  virtual void SetButtonEnabled(TableButton button, bool enabled) = 0;
  virtual void SetMenuCommandEnabled(MenuCommand command, bool enabled) = 0;
  virtual void SetTimerInterval(int milliseconds) = 0;
  virtual void StartTimer() = 0;
  virtual void StopTimer() = 0;
  virtual void CloseHintBalloon() = 0;
  virtual void SetHelpContext(int context) = 0;

  // Sounds and voice.
  virtual void PlaySound(std::string_view name, bool wait) = 0;
  virtual void SpeakCard(CardCode card) = 0;

  // Network and tournament.
  virtual void SendMove(int seat, int slot) = 0;
  virtual void SendDeal(const MatchState& state, int firstPlayer) = 0;
  virtual void SendTrickCollected() = 0;
  virtual void RequestNextDeal() = 0;
  virtual void SendGameResults(const SeatResults& results) = 0;
  virtual void PassMoveClock(int seat) = 0;
  virtual void RestartMoveClock() = 0;
  virtual void StopTableClocks() = 0;
  virtual void SetChatEnabled(bool enabled) = 0;
  virtual void LeaveTournamentTable(bool showStatistics) = 0;
  virtual void CloseNetwork() = 0;

  // Results and leaving.
  virtual void ShowResults(const ResultsFigures& figures) = 0;
  virtual void StoreGame(std::int32_t result) = 0;
  virtual bool Confirm(TableWord first, std::string_view separator, TableWord second) = 0;
  virtual void StopTableAnimations() = 0;
  virtual void WritePlayerList() = 0;
  virtual void WriteSettings() = 0;
  virtual void ShowMainMenu() = 0;
};

// A port that shows, plays and sends nothing: self-play and benchmarks. Its
// player record is a new player's; its questions are answered Yes. Ports
// that serve only a few operations (a network session's tests) derive from it.
class NullTableEvents : public TableEvents {
 public:
  void ChooseBack() override {}
  void StopMusic() override {}
  void LayoutTable() override {}
  void ShowTable() override {}
  void DrawDeck(Suit) override {}
  PlayerRecord LoadPlayerRecord() override { return record; }
  void ShowWaitingForDeal() override {}
  void ShowGameCounter(std::int32_t, std::int32_t) override {}
  void DrawHand(int, bool) override {}
  void ShowTrumpCard(int, int) override {}
  void PlaceCardOnTable(int, int, int, CardCode, bool) override {}
  void ClearTable() override {}
  void FlyTrickTo(int) override {}
  void Pause(int) override {}
  void DrawBoard(int, bool, std::int32_t, std::int32_t, std::int32_t) override {}
  void ShowBubbleName(int) override {}
  void ShowBubbleWord(int, TableWord, bool) override {}
  void SetButtonCaption(TableButton, TableWord) override {}
  void SetButtonVisible(TableButton, bool) override {}
  void SetButtonEnabled(TableButton, bool) override {}
  void SetMenuCommandEnabled(MenuCommand, bool) override {}
  void SetTimerInterval(int) override {}
  void StartTimer() override {}
  void StopTimer() override {}
  void CloseHintBalloon() override {}
  void SetHelpContext(int) override {}
  void PlaySound(std::string_view, bool) override {}
  void SpeakCard(CardCode) override {}
  void SendMove(int, int) override {}
  void SendDeal(const MatchState&, int) override {}
  void SendTrickCollected() override {}
  void RequestNextDeal() override {}
  void SendGameResults(const SeatResults&) override {}
  void PassMoveClock(int) override {}
  void RestartMoveClock() override {}
  void StopTableClocks() override {}
  void SetChatEnabled(bool) override {}
  void LeaveTournamentTable(bool) override {}
  void CloseNetwork() override {}
  void ShowResults(const ResultsFigures&) override {}
  void StoreGame(std::int32_t) override {}
  bool Confirm(TableWord, std::string_view, TableWord) override { return true; }
  void StopTableAnimations() override {}
  void WritePlayerList() override {}
  void WriteSettings() override {}
  void ShowMainMenu() override {}

  // The record handed out at a new game (a self-played game counter).
  PlayerRecord record;
};

}  // namespace tarvel
