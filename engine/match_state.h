// The match state: the one record of the running deal and game. Rule
// operations write it, the computer players and the presentation read it.
//
// Seats (1..3), hand slots (1..24, only 1..8 used), trick positions (1..3) and
// log entries (1..24) keep their 1-based numbers because they travel in
// messages and files; every array has one spare element at index 0.
//
// Invariants kept by every writer:
//  1. a card is in exactly one place: a hand slot, a Trick position, or
//     PlayedLog;
//  2. HandCount[s] is the number of cards in Hands[s], in slots 1..HandCount;
//  3. while Turn is 1..3 it names the seat to play position TrickPos, and
//     Trick positions >= TrickPos hold NoCard;
//  4. the sum of Taken less the credited marriages equals the card points of
//     the completed tricks of the deal.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "cards.h"

namespace tarvel {

// Values of the phase byte Turn beyond the seats 1..3.
inline constexpr std::uint8_t TurnTrickComplete = 4;
inline constexpr std::uint8_t TurnScoring = 5;
inline constexpr std::uint8_t TurnGameOver = 6;
inline constexpr std::uint8_t TurnNextDeal = 7;

// Values of DealStage.
inline constexpr std::uint8_t StageDealt = 1;    // waiting for "To Begin"
inline constexpr std::uint8_t StagePlaying = 2;  // play running

// The seat after `seat` in playing order 1 -> 2 -> 3 -> 1.
constexpr int NextSeat(int seat) { return seat % 3 + 1; }
// The seat that plays trick position `pos` when `leader` led the trick.
constexpr int SeatOfPosition(int leader, int pos) {
  return (leader - 1 + pos - 1) % 3 + 1;
}

template <typename T>
using PerSeat = std::array<T, 4>;  // index 1..3
template <typename T>
using PerPosition = std::array<T, 4>;  // trick positions 1..3

struct MatchState {
  // Deck, positions 1..24, in dealing order.
  std::array<CardCode, 25> Deck{};
  std::array<std::uint8_t, 25> DeckRanks{};
  std::array<std::uint8_t, 25> DeckPoints{};

  // Hands per seat 1..3: packed and sorted, slots 1..HandCount hold cards,
  // the rest NoCard with rank and points 99.
  PerSeat<Hand> Hands{};
  PerSeat<HandBytes> HandRanks{};
  PerSeat<HandBytes> HandPoints{};
  PerSeat<std::uint8_t> HandCount{};

  // Current trick, positions 1..3 in the order played.
  PerPosition<CardCode> Trick{};
  PerPosition<std::uint8_t> TrickRanks{};
  PerPosition<std::uint8_t> TrickPoints{};
  Suit LedSuit = NoSuit;         // suit of position 1; NoSuit while none led
  std::uint8_t TrickPos = 0;     // 1..3 next position; 4 = trick complete
  std::uint8_t Leader = 0;       // led this trick; after completion its winner
  std::uint8_t PrevLeader = 0;   // led the trick just completed

  // Deal-wide values.
  Suit Trump = NoSuit;
  std::uint8_t Turn = 0;         // 1..3 seat to play, 4..7 phases above
  std::uint8_t DealStage = 0;    // StageDealt / StagePlaying
  bool DealActive = false;       // gates the driver and all table clicks
  PerSeat<std::int32_t> Taken{};
  PerSeat<std::uint8_t> PendingMarriage{};  // 0, 20 or 40, not yet credited
  PlayedCards PlayedLog{};       // collected tricks, three entries per trick
  std::uint8_t PlayedCount = 0;  // next free entry, 1 at deal start
  PerSeat<std::int32_t> DealResult{};

  // Game-wide values.
  PerSeat<std::int32_t> GamePoints{};
  std::uint8_t GameTarget = 10;  // 8 with GameTo8, else 10
  bool GameOver = false;
  bool GameSummed = false;
  // Deals dealt in this game. Kept wider than a byte so that the first-player
  // rotation never wraps in a long game of dead heats.
  std::int32_t DealNo = 0;
  std::int32_t PlayerKon = 1;    // the player's game counter, 1 for a new player
  std::int32_t PlayerScore = 0;  // total score before this game
  std::int32_t GameResult = 0;   // seat 3's result of the finished game
  std::int32_t NewScore = 0;     // PlayerScore + GameResult
  double PlayerRating = 0.0;     // rating loaded with the player's record
  std::string PlayerName;        // the local player's name
  PerSeat<std::string> SeatNames{};  // names shown at the seats

  // Seat roles and mode flags, owned by the settings, LAN and tournament code.
  bool NetGame = false;
  std::uint8_t NetRole = 0;       // 1 host, 2 or 3 client
  std::int32_t NetClients2 = -1;  // host: -1 no client, 0 one, 1 two
  bool NetWaitDeal = false;       // client joined, waiting for the first deal
  bool TourGame = false;
  std::uint8_t TourSeat = 0;      // own place 1..3 at the tournament table
  bool TourOver = false;          // the table server ended the game: every place sums up
  bool FlyCards = true;
  bool SoundOn = true;
  std::uint8_t Language = 0;      // 0..9
  bool GameTo8 = false;
  bool DeadHeat = false;

  bool operator==(const MatchState&) const = default;
};

}  // namespace tarvel
