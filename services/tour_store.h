// The tournament's storage: who holds which place of the ten tables, and
// every player's standing (score, games, rating). Texts are kept as the
// Windows-1251 bytes they arrived as.
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tour_state.h"

namespace tarvel::services {

inline constexpr int kTourTables = 10;
inline constexpr int kTourPlaces = 3;

struct TourStanding {
  std::string nick;
  std::int32_t score = 0;
  std::int32_t kon = 0;
  std::int32_t rating = 0;
  std::string country = "X";
  std::string city = "X";
  char sex = 'M';
};

class TourStore {
 public:
  static std::vector<QStringList> Migrations();
  // Prepares the statements. Places held before a restart are let go: no
  // table connection outlives the program.
  bool Open(QSqlDatabase& database);

  // The player at a place with the standing's score, games and rating;
  // nothing when the place is free.
  std::optional<TQorClient> Place(int table, int place);
  // The caller address that took the place; empty when it is free.
  std::string Owner(int table, int place);
  // True when `nick` holds a place at any table.
  bool HoldsPlace(const std::string& nick);
  // Takes a free place for `player` (his standing is made when he has none).
  bool Take(int table, int place, const TQorClient& player, const std::string& owner);
  void Free(int table, int place);
  // Lets go of `place` and the places after it (a place whose place before
  // it is free could never start a game); the places that were held.
  std::vector<int> FreeFrom(int table, int place);

  // The standing of `nick`; a new player's when he has none.
  TourStanding Standing(const std::string& nick);
  // Stores a finished game of places 1..3: score += result, one game more,
  // ratings by the tournament's rule, all or nothing.
  bool StoreGame(const std::array<std::string, 3>& nicks, const std::array<std::int32_t, 3>& results);

  // The best ten by kind 's' (score), 'r' (rating) or 'k' (games).
  std::vector<TourStanding> Best(char kind);
  // The place of `value` in the list of `kind`: 1 + the players above it;
  // -1 when no player has that value.
  std::int64_t PlaceOf(char kind, std::int64_t value);

 private:
  bool EnsureStanding(const TQorClient& player);

  QSqlDatabase database_;
  QSqlQuery place_, take_, free_, holds_, standing_, newStanding_, update_;
  std::array<QSqlQuery, 3> best_, above_, has_;
};

}  // namespace tarvel::services
