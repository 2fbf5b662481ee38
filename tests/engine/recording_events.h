// A TableEvents port that records every call as one line of text, so tests
// can check what the rules showed, played and sent, and in which order.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "match_state.h"
#include "table_events.h"

namespace tarvel::testing {

inline const char* WordName(TableWord word) {
  switch (word) {
    case TableWord::ToBegin: return "ToBegin";
    case TableWord::OK: return "OK";
    case TableWord::NextRound: return "NextRound";
    case TableWord::ToSumUpOfGame: return "ToSumUpOfGame";
    case TableWord::ExitToMenu: return "ExitToMenu";
    case TableWord::Twenty: return "Twenty";
    case TableWord::Forty: return "Forty";
    case TableWord::ICloseGame: return "ICloseGame";
    case TableWord::Game: return "Game";
    case TableWord::ExpectationOfServer: return "ExpectationOfServer";
    case TableWord::LeaveToMenu: return "LeaveToMenu";
    case TableWord::LeaveGame: return "LeaveGame";
    case TableWord::DataWillBeLost: return "DataWillBeLost";
  }
  return "?";
}

inline const char* ButtonName(TableButton button) {
  return button == TableButton::Continue ? "Continue" : "Exit";
}

class RecordingEvents final : public TableEvents {
 public:
  std::vector<std::string> calls;
  PlayerRecord record;         // handed out by LoadPlayerRecord
  bool confirmAnswer = true;   // the answer to Confirm
  // Called inside PlaceCardOnTable and PlaySound, as a window's nested event
  // loop would deliver other events while a card flies or a sound plays.
  std::function<void()> duringBlockingCall;

  void Clear() { calls.clear(); }
  bool Has(std::string_view call) const {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }
  int Count(std::string_view prefix) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const std::string& c) {
      return c.compare(0, prefix.size(), prefix) == 0;
    }));
  }
  // Index of the first call equal to `call`, or -1.
  int IndexOf(std::string_view call) const {
    const auto it = std::find(calls.begin(), calls.end(), call);
    return it == calls.end() ? -1 : static_cast<int>(it - calls.begin());
  }

  void ChooseBack() override { Add("ChooseBack"); }
  void StopMusic() override { Add("StopMusic"); }
  void LayoutTable() override { Add("LayoutTable"); }
  void ShowTable() override { Add("ShowTable"); }
  void DrawDeck(Suit trump) override { Add("DrawDeck " + std::to_string(trump)); }
  PlayerRecord LoadPlayerRecord() override {
    Add("LoadPlayerRecord");
    return record;
  }
  void ShowWaitingForDeal() override { Add("ShowWaitingForDeal"); }
  void ShowGameCounter(std::int32_t kon, std::int32_t cycle) override {
    Add("ShowGameCounter " + std::to_string(kon) + " " + std::to_string(cycle));
  }
  void DrawHand(int seat, bool faceUp) override {
    Add("DrawHand " + std::to_string(seat) + (faceUp ? " up" : " down"));
  }
  void ShowTrumpCard(int seat, int slot) override {
    Add("ShowTrumpCard " + std::to_string(seat) + " " + std::to_string(slot));
  }
  void PlaceCardOnTable(int seat, int fromSlot, int position, CardCode card,
                        bool animated) override {
    Add("PlaceCardOnTable " + std::to_string(seat) + " " + std::to_string(fromSlot) + " " +
        std::to_string(position) + " " + std::to_string(DeckNumber(card)) +
        (animated ? " fly" : " put"));
    if (duringBlockingCall) duringBlockingCall();
  }
  void ClearTable() override { Add("ClearTable"); }
  void FlyTrickTo(int winner) override { Add("FlyTrickTo " + std::to_string(winner)); }
  void Pause(int ms) override { Add("Pause " + std::to_string(ms)); }
  void DrawBoard(int seat, bool highlight, std::int32_t corner, std::int32_t middle,
                 std::int32_t top) override {
    Add("DrawBoard " + std::to_string(seat) + (highlight ? " hi " : " lo ") + Value(corner) +
        " " + Value(middle) + " " + Value(top));
  }
  void ShowBubbleName(int seat) override { Add("ShowBubbleName " + std::to_string(seat)); }
  void ShowBubbleWord(int seat, TableWord word, bool closing) override {
    Add("ShowBubbleWord " + std::to_string(seat) + " " + WordName(word) +
        (closing ? " closing" : ""));
  }
  void SetButtonCaption(TableButton button, TableWord caption) override {
    Add(std::string("SetButtonCaption ") + ButtonName(button) + " " + WordName(caption));
  }
  void SetButtonVisible(TableButton button, bool visible) override {
    Add(std::string("SetButtonVisible ") + ButtonName(button) + (visible ? " on" : " off"));
  }
  void SetButtonEnabled(TableButton button, bool enabled) override {
    Add(std::string("SetButtonEnabled ") + ButtonName(button) + (enabled ? " on" : " off"));
  }
  void SetMenuCommandEnabled(MenuCommand command, bool enabled) override {
    Add(std::string("SetMenuCommandEnabled ") +
        (command == MenuCommand::Quit ? "Quit" : "GenCount") + (enabled ? " on" : " off"));
  }
  void SetTimerInterval(int ms) override { Add("SetTimerInterval " + std::to_string(ms)); }
  void StartTimer() override { Add("StartTimer"); }
  void StopTimer() override { Add("StopTimer"); }
  void CloseHintBalloon() override { Add("CloseHintBalloon"); }
  void SetHelpContext(int context) override { Add("SetHelpContext " + std::to_string(context)); }
  void PlaySound(std::string_view name, bool wait) override {
    Add("PlaySound " + std::string(name) + (wait ? " wait" : ""));
    if (wait && duringBlockingCall) duringBlockingCall();
  }
  void SpeakCard(CardCode card) override { Add("SpeakCard " + std::to_string(DeckNumber(card))); }
  void SendMove(int seat, int slot) override {
    Add("SendMove " + std::to_string(seat) + " " + std::to_string(slot));
  }
  void SendDeal(const MatchState& state, int firstPlayer) override {
    Add("SendDeal " + std::to_string(firstPlayer) + " " + std::to_string(DeckNumber(state.Deck[1])));
  }
  void SendTrickCollected() override { Add("SendTrickCollected"); }
  void RequestNextDeal() override { Add("RequestNextDeal"); }
  void SendGameResults(const SeatResults& r) override {
    Add("SendGameResults " + std::to_string(r[1]) + " " + std::to_string(r[2]) + " " +
        std::to_string(r[3]));
  }
  void PassMoveClock(int seat) override { Add("PassMoveClock " + std::to_string(seat)); }
  void RestartMoveClock() override { Add("RestartMoveClock"); }
  void StopTableClocks() override { Add("StopTableClocks"); }
  void SetChatEnabled(bool on) override { Add(std::string("SetChatEnabled") + (on ? " on" : " off")); }
  void LeaveTournamentTable(bool stats) override {
    Add(std::string("LeaveTournamentTable") + (stats ? " stats" : ""));
  }
  void CloseNetwork() override { Add("CloseNetwork"); }
  void ShowResults(const ResultsFigures& f) override {
    Add("ShowResults " + std::to_string(f.kon) + " " + std::to_string(f.cycle) + " " +
        std::to_string(f.result) + " " + std::to_string(f.score) +
        (f.overallView ? " overall" : ""));
  }
  void StoreGame(std::int32_t result) override { Add("StoreGame " + std::to_string(result)); }
  bool Confirm(TableWord first, std::string_view separator, TableWord second) override {
    std::string sep;
    for (char c : separator) sep += c == '\n' ? "LF" : c == '\r' ? "CR" : std::string(1, c);
    Add(std::string("Confirm ") + WordName(first) + " [" + sep + "] " + WordName(second));
    return confirmAnswer;
  }
  void StopTableAnimations() override { Add("StopTableAnimations"); }
  void WritePlayerList() override { Add("WritePlayerList"); }
  void WriteSettings() override { Add("WriteSettings"); }
  void ShowMainMenu() override { Add("ShowMainMenu"); }

 private:
  void Add(std::string call) { calls.push_back(std::move(call)); }
  static std::string Value(std::int32_t v) {
    if (v == BoardKeep) return "keep";
    if (v == BoardClear) return "clear";
    return std::to_string(v);
  }
};

}  // namespace tarvel::testing
