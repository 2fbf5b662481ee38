#include "game_record.h"

#include <algorithm>
#include <cmath>

#include "cp1251.h"
#include "record_text.h"

namespace tarvel {
namespace {

// Characters of a tournament entry's names.
constexpr std::size_t kTourHistoryName = 51;

}  // namespace

double RatingAfter(std::int64_t games, std::int64_t result, double rating) {
  if (games < 1) games = 1;
  const double before = static_cast<double>(games - 1);
  const double mean = (before * rating + static_cast<double>(result) / 200.0) / static_cast<double>(games);
  const double rounded = std::round(mean * 1000000.0) / 1000000.0;
  return std::clamp(rounded, -99.99, 99.99);
}

TCount FillGameInfo(std::int64_t games, std::int64_t cycle, double rating, std::int64_t result,
                    std::int64_t score) {
  TCount count;
  count.Count_KonAll = std::to_string(games);
  const std::int64_t inCycle = cycle > 0 ? games % cycle : 0;
  count.Count_KonCur = std::to_string(inCycle == 0 ? cycle : inCycle);
  count.Count_ScoBeg = std::to_string(score);
  count.Count_ScoCur = std::to_string(result);
  count.Count_ScoAll = std::to_string(score + result);
  count.Count_ReiBeg = Fixed2(rating, 6);
  count.Count_ReiCur = Fixed2(RatingAfter(games, result, rating), 6);
  return count;
}

TCount FillAccountGameInfo(std::int64_t games, std::int64_t cycle, double rating, std::int64_t result,
                           std::int64_t score) {
  TCount count = FillGameInfo(games, cycle, rating, result, score);
  count.Count_ReiBeg = std::to_string(std::llround(rating));
  count.Count_ReiCur.assign(1, '?');  // not = "?": a false -Wrestrict of GCC 12 at -O3
  return count;
}

std::optional<ClubMember> MemberOfLine(const ClubLines& club, int slot) {
  if (slot < 1 || slot > kClubMembers) return std::nullopt;
  const std::string& line = club[static_cast<std::size_t>(slot) - 1];
  if (IsEmptyMember(line)) return std::nullopt;
  ClubMember member;
  member.MemberSlot = slot;
  member.MemberName = line.substr(0, 20);
  member.MemberCode = line.substr(44, 15);
  member.MemberGames = MemberTotalGames(line);
  member.MemberScore = MemberCycleScore(line);
  member.MemberRating = MemberRating(line);
  return member;
}

ClubMember NewMember(std::string_view name, std::string_view password) {
  ClubMember member;
  member.MemberName = PadRight(name, 20);
  member.MemberCode = EncodePassword(password);
  return member;
}

ClubMember FindMember(const ClubLines& club, std::string_view name) {
  const std::string wanted(TrimRight(name.substr(0, std::min<std::size_t>(name.size(), 20))));
  for (int slot = 1; slot <= kClubMembers; ++slot) {
    const std::optional<ClubMember> member = MemberOfLine(club, slot);
    if (member && TrimRight(member->MemberName) == wanted) return *member;
  }
  return NewMember(wanted, "");
}

PlayerRecord PlayerRecordOf(const ClubMember& member) {
  PlayerRecord record;
  record.kon = static_cast<std::int32_t>(std::min<std::int64_t>(member.MemberGames, 9999998) + 1);
  record.score = static_cast<std::int32_t>(member.MemberScore);
  record.rating = member.MemberRating;
  record.name = Cp1251ToUtf8(TrimRight(member.MemberName));
  return record;
}

ClubWrite RenameMember(const std::filesystem::path& clubFile, ClubMember& member, const ClubMember& renamed) {
  ClubWrite written = ClubWrite::Written;
  if (member.MemberSlot >= 1 && member.MemberSlot <= kClubMembers) {
    written = UpdateClubFile(clubFile, [&](ClubLines& club) {
      std::string line = club[static_cast<std::size_t>(member.MemberSlot) - 1];
      RemoveMember(club, member.MemberSlot);
      line.replace(0, 20, renamed.MemberName);
      line.replace(44, 15, renamed.MemberCode);
      StoreMember(club, line, false);
      member.MemberSlot = kNewPlayerSlot;
      for (int slot = 1; slot <= kClubMembers; ++slot)
        if (club[static_cast<std::size_t>(slot) - 1] == line) member.MemberSlot = slot;
    });
  }
  member.MemberName = renamed.MemberName;
  member.MemberCode = renamed.MemberCode;
  return written;
}

FinishedGame FinishedGameOf(const MatchState& state, const ClubMember& member) {
  FinishedGame game;
  game.member = member;
  game.playerKon = state.PlayerKon;
  game.gameResult = state.GameResult;
  game.newScore = state.NewScore;
  game.netGame = state.NetGame;
  game.tourGame = state.TourGame;
  for (std::size_t seat = 1; seat <= 3; ++seat) game.seatNames[seat] = Utf8ToCp1251(state.SeatNames[seat]);
  return game;
}

std::string HistoryNameOf(const FinishedGame& game) {
  if (!game.netGame && !game.tourGame) return std::string(TrimRight(game.member.MemberName));
  std::string name;
  for (int seat = 3; seat >= 1; --seat) {
    if (seat != 3) name += '/';
    name += TrimRight(game.seatNames[static_cast<std::size_t>(seat)]);
  }
  // The tournament's nicks may be long: the entry keeps what fits the field.
  if (game.tourGame) name.resize(std::min<std::size_t>(name.size(), kTourHistoryName));
  return name;
}

bool StoreTournamentHistory(const std::filesystem::path& dataFolder, const FinishedGame& game, double rating,
                            const HistoryStamp& stamp) {
  HisStr entry;
  entry.HName = HistoryNameOf(game);
  entry.HKon = 1;
  entry.HRes = static_cast<std::int32_t>(game.gameResult);
  entry.HRei = rating;
  entry.Ac = 2;
  return AppendHistory(dataFolder, {entry}, stamp);
}

StoredGame StoreFinishedGame(const std::filesystem::path& dataFolder, const FinishedGame& game,
                             const HistoryStamp& stamp) {
  StoredGame stored;
  stored.newRating = game.accountRating.value_or(RatingAfter(game.playerKon, game.gameResult, game.member.MemberRating));
  stored.memberLine = MemberLine(game.member.MemberName, stored.newRating, game.playerKon, game.newScore,
                                 game.member.MemberCode);

  HisStr entry;
  entry.HName = HistoryNameOf(game);
  entry.HKon = 1;
  entry.HRes = static_cast<std::int32_t>(game.gameResult);
  entry.HRei = stored.newRating;
  entry.Ac = game.netGame ? 3 : (game.accountRating ? 1 : 0);
  stored.historyWritten = AppendHistory(dataFolder, {entry}, stamp);
  // An account's cycle is kept by the account service.
  if (game.accountRating) return stored;

  stored.cycleEnded = game.playerKon % kGamesPerCycle == 0;
  stored.cycleScore = game.newScore;
  const std::filesystem::path club = dataFolder / (game.netGame ? kNetClubFile : kLocalClubFile);
  stored.club = UpdateClubFile(club, [&](ClubLines& lines) {
    RemoveMember(lines, game.member.MemberSlot);
    stored.clubPlace = StoreMember(lines, stored.memberLine, stored.cycleEnded);
  });
  return stored;
}

}  // namespace tarvel
