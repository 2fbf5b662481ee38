#include "history_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <system_error>

#include "atomic_file.h"
#include "record_text.h"

namespace tarvel {

namespace {

// A history file never holds more than 842 lines of 116 bytes; anything far
// larger is not a history file.
constexpr std::size_t kHistoryReadLimit = 1 << 20;

std::string DateText(const std::tm& when) {
  char text[40];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", when.tm_mday, when.tm_mon + 1, when.tm_year + 1900);
  return text;
}

std::string CheckField(std::string_view body) {
  const ByteSums sums = SumBytes(body);
  return PadLeft(sums[0], 5, '0') + PadLeft(sums[1], 5, '0') + PadLeft(sums[2], 5, '0');
}

std::string WithCheckField(std::string body) {
  body += CheckField(body);
  return body;
}

std::int64_t Clamp(std::int64_t value, std::int64_t low, std::int64_t high) {
  return std::min(high, std::max(low, value));
}

std::filesystem::path HistoryPath(const std::filesystem::path& dataFolder, int number) {
  return dataFolder / kHistoryFolder / HistoryFileName(number);
}

}  // namespace

HistoryStamp StampNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char time[32];
  std::snprintf(time, sizeof time, "%02d:%02d", local.tm_hour, local.tm_min);
  return {time, DateText(local)};
}

std::string HistoryFileName(int number) { return "Tarvel_I" + PadLeft(number, 4, '0') + ".hst"; }

char HistoryKindLetter(std::uint8_t ac) {
  switch (ac) {
    case 1: return 'A';
    case 2: return 'T';
    case 3: return 'N';
    default: return 'L';
  }
}

std::string HistoryRecordLine(const HisStr& entry, const HistoryStamp& stamp) {
  // Every field keeps its width whatever the value, so that the file's
  // columns and the check field always stand at their positions.
  std::string body = AlignRight(stamp.time, 5);
  body += AlignRight(stamp.date, 10);
  body += PadRight(entry.HName, 51);
  body += PadLeft(Clamp(entry.HKon, 0, 999), 3);
  body += PadLeft(Clamp(entry.HRes, -999999999, 9999999999), 10);
  body += Fixed2(std::clamp(entry.HRei, -999999.99, 9999999.99), 10);
  body += HistoryKindLetter(entry.Ac);
  body += std::string(9, '#');
  return WithCheckField(std::move(body));
}

std::string HistoryEndLine() {
  std::string body = "$";
  body += kRecordMark;
  body += '}';
  body.resize(kHistoryBodyLength, '#');
  return WithCheckField(std::move(body));
}

std::string HistoryTotalsLine(const std::vector<std::string>& lines) {
  ByteSums totals{};
  for (const std::string& line : lines) {
    const ByteSums sums = SumBytes(std::string_view(line).substr(0, kHistoryBodyLength));
    for (std::size_t i = 0; i < totals.size(); ++i) totals[i] += sums[i];
  }
  return PadLeft(totals[0], 10, '0') + PadLeft(totals[1], 10, '0') + PadLeft(totals[2], 10, '0');
}

HistoryCheck CheckHistoryBytes(std::string_view bytes) {
  HistoryCheck check;
  std::vector<std::string> seen;
  bool endSeen = false;
  bool totalsSeen = false;
  ForEachLine(bytes, [&](std::string_view line) {
    if (endSeen) {
      // The line after the end line holds the totals of all bodies.
      const std::string expected = HistoryTotalsLine(seen);
      totalsSeen = line.size() > 29 && line.substr(0, 30) == expected;
      return false;
    }
    if (line.size() < static_cast<std::size_t>(kHistoryLineLength)) return false;
    seen.emplace_back(line);
    if (line.front() == '$') {
      endSeen = true;
    } else {
      ++check.records;
    }
    return true;
  });
  check.valid = endSeen && totalsSeen;
  if (check.valid) {
    seen.pop_back();  // the end line
    check.lines = std::move(seen);
  } else {
    check.records = 0;
  }
  return check;
}

std::string FormatHistoryFile(std::vector<std::string> kept, const std::vector<HisStr>& entries,
                              const HistoryStamp& stamp) {
  for (const HisStr& entry : entries) kept.push_back(HistoryRecordLine(entry, stamp));
  kept.push_back(HistoryEndLine());
  const std::string totals = HistoryTotalsLine(kept);
  std::string file;
  for (const std::string& line : kept) file += line + "\r\n";
  file += totals + "\r\n";
  return file;
}

HistoryFileInfo CheckHistoryFile(const std::filesystem::path& dataFolder, int number) {
  HistoryFileInfo info;
  const std::filesystem::path path = HistoryPath(dataFolder, number);
  std::string bytes;
  if (!ReadWholeFile(path.string(), bytes, kHistoryReadLimit)) return info;
  const HistoryCheck check = CheckHistoryBytes(bytes);
  info.valid = check.valid;
  info.records = check.records;
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0) {
    std::tm local{};
    localtime_r(&status.st_mtime, &local);
    info.date = DateText(local);
  }
  return info;
}

std::vector<std::string> ReadHistoryRecords(const std::filesystem::path& dataFolder, int number) {
  std::string bytes;
  if (!ReadWholeFile(HistoryPath(dataFolder, number).string(), bytes, kHistoryReadLimit)) return {};
  return CheckHistoryBytes(bytes).lines;
}

std::filesystem::path RecordsLockFile(const std::filesystem::path& dataFolder) {
  return dataFolder / "Tarvel.lock";
}

bool KeepDamagedCopy(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, error))) return true;
  std::filesystem::path bad = file;
  bad += ".bad";
  // A folder standing at the ".bad" place is not ours to remove: the rename
  // then fails and the damaged file stays where it is.
  std::filesystem::rename(file, bad, error);
  return !error;
}

bool AppendHistory(const std::filesystem::path& dataFolder, const std::vector<HisStr>& entries,
                   const HistoryStamp& stamp) {
  if (entries.empty() || entries.size() > 4) return false;
  std::error_code error;
  std::filesystem::create_directories(dataFolder / kHistoryFolder, error);
  if (error) return false;
  const FileLock lock(RecordsLockFile(dataFolder));
  for (int number = 1; number <= kHistoryMaxFiles; ++number) {
    const std::filesystem::path path = HistoryPath(dataFolder, number);
    std::string bytes;
    const bool readable = ReadWholeFile(path.string(), bytes, kHistoryReadLimit);
    HistoryCheck check = readable ? CheckHistoryBytes(bytes) : HistoryCheck{};
    if (check.valid && check.records >= kHistoryLinesPerFile) continue;
    if (!check.valid) {
      // Missing or damaged: a new file under this number, the damaged bytes
      // kept aside first.
      if (!KeepDamagedCopy(path)) return false;
      check.lines.clear();
    }
    return ReplaceFileContents(path, FormatHistoryFile(std::move(check.lines), entries, stamp));
  }
  return false;
}

}  // namespace tarvel
