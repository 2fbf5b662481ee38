#include "club_file.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "atomic_file.h"
#include "history_file.h"
#include "record_text.h"

namespace tarvel {

namespace {

// Added to each password byte's code; every code 0..255 then has three digits.
constexpr int kPasswordOffset = 317;
constexpr int kPasswordLength = 5;
constexpr std::size_t kMarkLine = 15;   // index of line 16
constexpr std::size_t kSumsLine = 16;   // index of line 17
constexpr std::size_t kSummedBytes = 583;
constexpr std::size_t kClubReadLimit = 4096;
constexpr std::string_view kMarkText = "Qor Games Tarvel club file";  // 26 bytes
constexpr std::string_view kSumsPrefix = "QorClb";
constexpr std::string_view kEmptyTopTen = "                         0";

std::size_t LineLength(std::size_t index) {
  if (index < kClubMembers) return kMemberLineLength;
  if (index < kMarkLine) return kTopTenLineLength;
  return 28;
}

std::string JoinedBody(const ClubLines& club) {
  std::string joined;
  for (std::size_t i = 0; i <= kMarkLine; ++i) joined += club[i];
  return joined.substr(0, kSummedBytes);
}

std::string SumsText(const ClubLines& club) {
  const ByteSums sums = SumBytes(JoinedBody(club));
  return PadLeft(sums[0], 6, '0') + PadLeft(sums[1], 6, '0') + PadLeft(sums[2], 6, '0');
}

bool AllDigits(std::string_view text) {
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return !text.empty();
}

std::int64_t NumberIn(std::string_view field) {
  std::int64_t value = 0;
  bool negative = false;
  bool any = false;
  for (const char c : field) {
    if (c == '-' && !any) {
      negative = true;
    } else if (c >= '0' && c <= '9') {
      any = true;
      value = value * 10 + (c - '0');
    } else if (any) {
      break;
    }
  }
  return negative ? -value : value;
}

}  // namespace

std::string EmptyMemberLine() { return std::string(37, '#') + ' ' + std::string(21, '#'); }

bool IsEmptyMember(std::string_view line) { return line.size() < 33 || line[32] == '#'; }

ClubLines EmptyClub(std::string_view tag) {
  ClubLines club;
  for (std::size_t i = 0; i < kClubMembers; ++i) club[i] = EmptyMemberLine();
  for (std::size_t i = kClubMembers; i < kMarkLine; ++i) club[i] = std::string(kEmptyTopTen);
  club[kMarkLine] = std::string(1, kRecordMark) + "}" + std::string(kMarkText);
  club[kSumsLine] = std::string(kSumsPrefix) + PadRight(tag, 3) + "#" + std::string(18, '0');
  RenewClubSums(club);
  return club;
}

void RenewClubSums(ClubLines& club) {
  std::string& sums = club[kSumsLine];
  sums.resize(28, ' ');
  sums.replace(10, 18, SumsText(club));
}

std::string FormatClub(const ClubLines& club) {
  std::string bytes;
  for (const std::string& line : club) bytes += line + "\r\n";
  return bytes;
}

std::optional<ClubLines> ParseClub(std::string_view bytes) {
  ClubLines club;
  std::size_t count = 0;
  bool shaped = true;
  ForEachLine(bytes, [&](std::string_view line) {
    if (count == kClubLines) return false;
    shaped = shaped && line.size() == LineLength(count);
    club[count++] = std::string(line);
    return shaped;
  });
  if (!shaped || count < kClubLines) return std::nullopt;
  const std::string& mark = club[kMarkLine];
  if (mark[0] != kRecordMark || mark[1] != '}') return std::nullopt;
  if (club[kSumsLine].substr(10) != SumsText(club)) return std::nullopt;
  return club;
}

std::string ClubTag(const ClubLines& club) { return club[kSumsLine].substr(6, 3); }

std::string PaddedPassword(std::string_view password) {
  return password.size() >= kPasswordLength ? std::string(password) : PadRight(password, kPasswordLength);
}

std::string EncodePassword(std::string_view password) {
  const std::string padded = PaddedPassword(password).substr(0, kPasswordLength);
  std::string code;
  for (const char c : padded) code += PadLeft(static_cast<unsigned char>(c) + kPasswordOffset, 3, '0');
  return code;
}

std::optional<std::string> DecodePassword(std::string_view code) {
  if (code.size() != kPasswordLength * 3 || !AllDigits(code)) return std::nullopt;
  std::string password;
  for (std::size_t i = 0; i < code.size(); i += 3) {
    const int value = static_cast<int>(NumberIn(code.substr(i, 3))) - kPasswordOffset;
    if (value < 0 || value > 255) return std::nullopt;
    password += static_cast<char>(value);
  }
  return password;
}

std::string MemberLine(std::string_view name, double rating, std::int64_t games, std::int64_t score,
                       std::string_view code) {
  // Fields keep their widths whatever the values, so that every later read
  // finds them at their positions.
  std::string line = PadRight(name, 20);
  line += Fixed6(std::clamp(rating, -99.99, 99.99));
  line += PadLeft(std::clamp<std::int64_t>(games, 0, 9999999), 7);
  line += ' ';
  line += PadLeft(std::clamp<std::int64_t>(score, -99999, 999999), 6);
  line += PadRight(code, 15);
  return line;
}

double MemberRating(std::string_view line) {
  return IsEmptyMember(line) ? 0.0 : ParseRating(line.substr(20, 10));
}

std::int64_t MemberTotalGames(std::string_view line) {
  // An edited file may hold a sign here; a game count is never negative.
  return IsEmptyMember(line) ? 0 : std::max<std::int64_t>(0, NumberIn(line.substr(30, 7)));
}

std::int64_t MemberCycleScore(std::string_view line) {
  return IsEmptyMember(line) ? 0 : NumberIn(line.substr(38, 6));
}

void RemoveMember(ClubLines& club, int slot) {
  if (slot < 1 || slot > kClubMembers) return;
  for (std::size_t i = static_cast<std::size_t>(slot) - 1; i + 1 < kClubMembers; ++i) club[i] = club[i + 1];
  club[kClubMembers - 1] = EmptyMemberLine();
  RenewClubSums(club);
}

int StoreMember(ClubLines& club, std::string line, bool completesCycle) {
  line = PadRight(line, kMemberLineLength);
  int place = 0;
  if (completesCycle) {
    const std::string_view score = std::string_view(line).substr(38, 6);
    const std::int64_t cycleScore = NumberIn(score);
    for (std::size_t i = kClubMembers; i < kMarkLine; ++i) {
      if (NumberIn(std::string_view(club[i]).substr(20, 6)) > cycleScore) continue;
      for (std::size_t j = kMarkLine - 1; j > i; --j) club[j] = club[j - 1];
      club[i] = line.substr(0, 20) + std::string(score);
      place = static_cast<int>(i - kClubMembers) + 1;
      break;
    }
    line.replace(38, 6, "     0");
  }
  const double rating = MemberRating(line);
  for (std::size_t i = 0; i < kClubMembers; ++i) {
    if (!IsEmptyMember(club[i]) && MemberRating(club[i]) > rating) continue;
    for (std::size_t j = kClubMembers - 1; j > i; --j) club[j] = club[j - 1];
    club[i] = line;
    break;
  }
  RenewClubSums(club);
  return place;
}

std::string MemberButtonText(std::string_view line, int mode) {
  const bool empty = IsEmptyMember(line);
  std::string text = PadRight(line.substr(0, 20), 20);
  if (mode == 2) {
    text += "  " + PadRight(line.substr(std::min<std::size_t>(30, line.size()), 7), 7) + "  ";
    text += empty ? "######" : Fixed2(MemberRating(line), 6);
  } else {
    text += "    ";
    text += empty ? "###" : PadLeft(MemberTotalGames(line) % kGamesPerCycle, 3);
    text += "    " + PadRight(line.substr(std::min<std::size_t>(38, line.size()), 6), 6);
  }
  return text;
}

ClubRead ReadClubFile(const std::filesystem::path& file) {
  ClubRead read;
  std::string bytes;
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, error))) return read;
  read.state = ClubState::Damaged;
  if (!ReadWholeFile(file.string(), bytes, kClubReadLimit)) return read;
  const std::optional<ClubLines> club = ParseClub(bytes);
  if (!club) return read;
  read.state = ClubState::Valid;
  read.lines = *club;
  read.writeProtected = ::access(file.c_str(), W_OK) != 0;
  return read;
}

ClubWrite UpdateClubFile(const std::filesystem::path& file, const std::function<void(ClubLines&)>& change) {
  const FileLock lock(RecordsLockFile(file.parent_path()));
  ClubRead read = ReadClubFile(file);
  if (read.writeProtected) return ClubWrite::WriteProtected;
  if (read.state != ClubState::Valid) {
    if (!KeepDamagedCopy(file)) return ClubWrite::DiskError;
    read.lines = EmptyClub("std");
  }
  change(read.lines);
  RenewClubSums(read.lines);
  return ReplaceFileContents(file, FormatClub(read.lines)) ? ClubWrite::Written : ClubWrite::DiskError;
}

bool InstallClubFiles(const std::filesystem::path& dataFolder, const std::filesystem::path& programFolder) {
  std::error_code error;
  for (const std::string_view name : {kLocalClubFile, kNetClubFile})
    if (std::filesystem::exists(std::filesystem::symlink_status(dataFolder / name, error))) return true;
  for (const std::string_view name : {kLocalClubFile, kNetClubFile}) {
    std::string bytes;
    if (!ReadWholeFile((programFolder / name).string(), bytes, kClubReadLimit) || !ParseClub(bytes))
      bytes = FormatClub(EmptyClub("std"));
    if (!ReplaceFileContents(dataFolder / name, bytes)) return false;
  }
  return true;
}

}  // namespace tarvel
