// The records that the maker's services hand out, as the program keeps them
// in memory (texts in UTF-8), and the numbers that name this game's lists.
#pragma once

#include <array>
#include <cstdint>
#include <cstddef>
#include <string>

namespace tarvel {

// This game's identifier among the maker's games.
inline constexpr std::int32_t kGameId = 87;

// The world top ten list of a game on this platform: W.
constexpr std::int32_t WorldTopTenList(std::int32_t gameId) {
  return gameId >= 81 ? gameId + 720 : gameId;
}
inline constexpr std::int32_t kWorldList = WorldTopTenList(kGameId);  // 807
inline constexpr std::int32_t kAndroidList = kWorldList + 100;        // 907
inline constexpr std::int32_t kAccountList = kWorldList + 300;        // 1107
// The chat board is kept as a list of the world top ten service.
inline constexpr std::int32_t kChatList = 100;

// The program's version as the services see it ("R8=").
inline constexpr const char* kWireVersion = "5.7f";

// One entry of a world top ten list, or one chat message (list 100).
struct TQorRecord {
  std::int32_t RID = 0;
  std::int32_t GID = 0;
  std::int32_t Score = 0;
  std::string Nick = "#";
  std::string Country = "#";
  std::string City = "#";
  std::string R07 = "#";
  std::string R08 = "#";
  std::string R09 = "#";
  std::string R10 = "#*";
  std::int32_t Place = 0;

  bool operator==(const TQorRecord&) const = default;
};

// Ten entries; an entry whose Nick is still "#" was not filled.
using TopTenList = std::array<TQorRecord, 10>;

// The defaults that a list request writes before it is sent.
TopTenList EmptyTopTenList(std::int32_t list);

// The world statistics as read.
struct TQorStat {
  std::int32_t GID = 0;
  std::int32_t Stat1 = 0;  // starts
  std::int32_t Stat2 = 0;  // unique starts
  std::int32_t Stat3 = 0;  // likes
  std::string Stat4;       // nick of the last voter
  std::array<std::int32_t, 12> StatX{};
  std::int32_t StatY = 0;
  std::string StatZ;

  bool operator==(const TQorStat&) const = default;
};

// One row of the account rating list (ACCOUNT. RATING. ALL GAMES).
struct TQorTop10 {
  std::string Nick;
  std::string City;
  std::string Country;
  char Sex = 'M';
  double Rating = 0.0;

  bool operator==(const TQorTop10&) const = default;
};

// The name of field `number` (1..12) of the game report: "R1" .. "R12".
std::string GameReportFieldName(std::size_t number);

}  // namespace tarvel
