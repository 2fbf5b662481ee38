// History files: one line per finished game in numbered files
// History/Tarvel_I0001.hst .. Tarvel_I9999.hst, each protected by byte sums.
//
// A file is: record lines (a 99-byte body and a 15-byte check field, the
// three sums of the body as five digits each), the end line (mark, body of
// '#', its own check field) and the totals line (the three sums over all
// bodies as ten digits each), every line ended by CR LF. A file whose totals
// do not match its bodies counts as absent; before such a file is replaced
// it is kept as "<name>.bad", so nothing written is ever destroyed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// One finished game.
struct HisStr {
  std::string HName;      // Windows-1251 bytes
  std::int32_t HKon = 1;
  std::int32_t HRes = 0;
  double HRei = 0.0;
  std::uint8_t Ac = 0;    // 0 local, 1 account, 2 tournament, 3 network
};

inline constexpr int kHistoryBodyLength = 99;
inline constexpr int kHistoryLineLength = 114;
inline constexpr int kHistoryLinesPerFile = 840;
inline constexpr int kHistoryMaxFiles = 9999;
inline constexpr std::string_view kHistoryFolder = "History";

// When a line is written: "hh:nn" and the short date ("dd.mm.yyyy").
struct HistoryStamp {
  std::string time;
  std::string date;
};
HistoryStamp StampNow();

// "Tarvel_I0001.hst" for the club file "Tarvel.clb" and number 1.
std::string HistoryFileName(int number);
// The kind marker letter of `Ac` ('L', 'A', 'T', 'N').
char HistoryKindLetter(std::uint8_t ac);

// The 114-byte record line of an entry (without CR LF).
std::string HistoryRecordLine(const HisStr& entry, const HistoryStamp& stamp);
// The end line and the totals line over the bodies of `lines`.
std::string HistoryEndLine();
std::string HistoryTotalsLine(const std::vector<std::string>& lines);

// What the check of a file's bytes finds.
struct HistoryCheck {
  bool valid = false;
  int records = 0;                    // record lines before the end line
  std::vector<std::string> lines;     // those record lines (when valid)
};
HistoryCheck CheckHistoryBytes(std::string_view bytes);

// The whole file after appending `entries` to the record lines `kept`.
std::string FormatHistoryFile(std::vector<std::string> kept, const std::vector<HisStr>& entries,
                              const HistoryStamp& stamp);

// File-level operations in the data folder.
struct HistoryFileInfo {
  bool valid = false;
  int records = 0;
  std::string date;  // last-modified date, short date text
};
HistoryFileInfo CheckHistoryFile(const std::filesystem::path& dataFolder, int number);

// The record lines of file `number` (empty when it fails its check).
std::vector<std::string> ReadHistoryRecords(const std::filesystem::path& dataFolder, int number);

// Appends 1..4 entries to the first history file that is valid and not
// full, or starts a new file at the first number that is missing or damaged
// (a damaged one is first renamed to "<name>.bad"). Holds the data folder's
// lock file throughout. False when nothing could be written (every number
// full, or a disk error); the files are then as they were.
bool AppendHistory(const std::filesystem::path& dataFolder, const std::vector<HisStr>& entries,
                   const HistoryStamp& stamp);

// The lock file that guards every read-modify-write of the record files in
// a data folder.
std::filesystem::path RecordsLockFile(const std::filesystem::path& dataFolder);

// Keeps a damaged file's bytes as "<file>.bad" (the newest damaged copy
// wins); a missing file needs nothing. False when it could not be kept.
bool KeepDamagedCopy(const std::filesystem::path& file);

}  // namespace tarvel
