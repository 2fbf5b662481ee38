// Short card notation for the engine tests: rank 9, 10, J, Q, K, A and suit
// h, d, c, s ("10h", "Qs"); "--" is NoCard. A hand is a blank-separated list.
#pragma once

#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cards.h"
#include "match_state.h"

namespace tarvel::testing {

inline Suit SuitOf(char letter) {
  switch (letter) {
    case 'h': return SuitHearts;
    case 'd': return SuitDiamonds;
    case 'c': return SuitClubs;
    case 's': return SuitSpades;
    default: throw std::invalid_argument(std::string("bad suit ") + letter);
  }
}

inline CardCode C(std::string_view text) {
  if (text == "--") return NoCard;
  if (text.size() < 2) throw std::invalid_argument("bad card " + std::string(text));
  const std::string_view rank = text.substr(0, text.size() - 1);
  const Suit suit = SuitOf(text.back());
  if (rank == "9") return MakeCard(RankNine, suit);
  if (rank == "10") return MakeCard(RankTen, suit);
  if (rank == "J") return MakeCard(RankJack, suit);
  if (rank == "Q") return MakeCard(RankQueen, suit);
  if (rank == "K") return MakeCard(RankKing, suit);
  if (rank == "A") return MakeCard(RankAce, suit);
  throw std::invalid_argument("bad card " + std::string(text));
}

inline std::string Name(CardCode card) {
  if (card == NoCard) return "--";
  std::string out;
  switch (card.rank) {
    case RankNine: out = "9"; break;
    case RankTen: out = "10"; break;
    case RankJack: out = "J"; break;
    case RankQueen: out = "Q"; break;
    case RankKing: out = "K"; break;
    case RankAce: out = "A"; break;
    default: out = "?"; break;
  }
  switch (card.suit) {
    case SuitHearts: return out + "h";
    case SuitDiamonds: return out + "d";
    case SuitClubs: return out + "c";
    case SuitSpades: return out + "s";
    default: return out + "?";
  }
}

// A hand with the listed cards in slots 1..n and NoCard after them (not
// packed: the order is as written).
inline Hand H(std::string_view cards) {
  Hand hand;
  hand.fill(NoCard);
  std::istringstream in{std::string(cards)};
  std::string word;
  std::size_t slot = 1;
  while (in >> word) hand.at(slot++) = C(word);
  return hand;
}

// The cards of slots 1..8 written out, NoCard slots included ("9h 10h -- ...").
inline std::string Show(const Hand& hand, int slots = 8) {
  std::string out;
  for (int slot = 1; slot <= slots; ++slot) {
    if (slot > 1) out += ' ';
    out += Name(hand[static_cast<std::size_t>(slot)]);
  }
  return out;
}

// Puts the listed cards into a seat's hand with rank and point arrays, packed
// for the state's trump.
inline void SetHand(MatchState& state, int seat, std::string_view cards) {
  const auto s = static_cast<std::size_t>(seat);
  state.Hands[s] = H(cards);
  PackHand(state.Hands[s], state.HandRanks[s], state.HandPoints[s], state.HandCount[s],
           state.Trump);
}

// A deal in play: hands packed for the trump, `first` to lead, nothing taken.
inline MatchState ReadyState(Suit trump, const char* hand1, const char* hand2, const char* hand3,
                      int first = 1) {
  MatchState s;
  s.Trump = trump;
  SetHand(s, 1, hand1);
  SetHand(s, 2, hand2);
  SetHand(s, 3, hand3);
  s.Trick.fill(NoCard);
  s.TrickRanks.fill(EmptyValue);
  s.TrickPoints.fill(EmptyValue);
  s.PlayedLog.fill(NoCard);
  s.PlayedCount = 1;
  s.LedSuit = NoSuit;
  s.TrickPos = 1;
  s.Leader = s.PrevLeader = s.Turn = static_cast<std::uint8_t>(first);
  s.DealStage = StagePlaying;
  s.DealActive = true;
  s.GameTarget = 10;
  return s;
}


// A complete trick won by seat `winner` lies on the table; Taken and the
// hand counts are as given.
inline MatchState TrickWaiting(PerSeat<std::int32_t> taken, bool handsEmpty, int winner = 1) {
  MatchState s = ReadyState(SuitSpades, handsEmpty ? "" : "9h", handsEmpty ? "" : "9d",
                            handsEmpty ? "" : "9c", winner);
  s.Trick = {NoCard, C("Ah"), C("Kh"), C("Qh")};
  s.TrickPoints = {EmptyValue, 11, 4, 3};
  s.TrickRanks = {EmptyValue, OrderAce, OrderKing, OrderQueen};
  s.LedSuit = SuitHearts;
  s.TrickPos = 4;
  s.Turn = TurnTrickComplete;
  s.Leader = static_cast<std::uint8_t>(winner);
  s.Taken = taken;
  s.PlayedCount = handsEmpty ? 22 : 1;
  return s;
}

}  // namespace tarvel::testing
