#include "table_referee.h"

#include <cstddef>

#include "tour_frames.h"

namespace tarvel::services {
namespace {

constexpr std::size_t At(int index) { return static_cast<std::size_t>(index); }

bool IsPlace(int place) { return place >= 1 && place <= 3; }

}  // namespace

TableReferee::TableReferee() {
  state_.TourGame = true;
  state_.TourSeat = 3;
  state_.GameTo8 = true;
  state_.FlyCards = false;
  state_.SoundOn = false;
}

void TableReferee::Deal(DeckRandom& random, bool next) {
  ShuffleDeck(state_, random);
  Open(next);
}

void TableReferee::DealCards(const lan::DealData& cards, bool next) {
  for (std::size_t pos = 1; pos <= 24; ++pos) {
    state_.Deck[pos] = cards.deck[pos];
    state_.DeckRanks[pos] = cards.ranks[pos];
    state_.DeckPoints[pos] = cards.points[pos];
  }
  Open(next);
}

void TableReferee::Open(bool next) {
  // The engine takes a tournament deal from the hands: block b to place b.
  MatchState& s = state_;
  s.PlayedLog.fill(NoCard);
  for (int place = 1; place <= 3; ++place) {
    for (int slot = 1; slot <= 24; ++slot) {
      const bool dealt = slot <= 8;
      const std::size_t pos = At((place - 1) * 8 + slot);
      s.Hands[At(place)][At(slot)] = dealt ? s.Deck[pos] : NoCard;
      s.HandRanks[At(place)][At(slot)] = dealt ? s.DeckRanks[pos] : EmptyValue;
      s.HandPoints[At(place)][At(slot)] = dealt ? s.DeckPoints[pos] : EmptyValue;
    }
    s.HandCount[At(place)] = 8;
  }
  // At a tournament table the engine finds the first player itself.
  StartGivenDeal(s, events_, next, 0);
  ++acts_;
}

std::string TableReferee::DealFrame() const { return tour::BuildDealFrame(state_); }

bool TableReferee::Move(int place, int slot) {
  MatchState& s = state_;
  // The first card of a deal starts its play on every copy.
  if (s.DealStage == StageDealt && s.Turn == place) s.DealStage = StagePlaying;
  if (!MoveAllowed(s, place, slot) || IsIllegalCardOf(s, place, slot)) return false;
  ++acts_;
  return PlayCard(s, events_, place, slot, false);
}

bool TableReferee::Continue(int place) {
  if (place != 1 || state_.Turn != TurnTrickComplete) return false;
  ++acts_;
  CollectTrick(state_, events_, true);
  return true;
}

bool TableReferee::MayDealNext(int place) const { return place == 1 && state_.Turn == TurnNextDeal; }

std::array<std::int32_t, 3> TableReferee::Results() const {
  const SeatResults results = SumUpGame(state_);
  return {results[1] * 100, results[2] * 100, results[3] * 100};
}

int TableReferee::ActingPlace() const {
  return IsPlace(state_.Turn) ? state_.Turn : 1;
}

}  // namespace tarvel::services
