// Fixed-width texts and byte sums of the local record files (history and
// club). Everything here works on Windows-1251 bytes held in std::string;
// no Qt, so the file formats can be tested and fuzzed on their own.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvel {

// The mark byte of the end line of a history file and of the club's mark
// line: the game's identifier 87 plus 100.
inline constexpr char kRecordMark = static_cast<char>(187);

// Decimal text of `value`, prefixed with `fill` up to `width`; longer texts
// are not cut.
std::string PadLeft(std::int64_t value, int width, char fill = ' ');

// `value` with two decimals and a comma ("8,22", "-0,05", "0,00"), blanks
// on the left up to `width`.
std::string Fixed2(double value, int width);

// The 10-character rating of a member line: six decimals and a comma
// ("  0,000000", "-12,500000"), blanks on the left.
std::string Fixed6(double value);

// A rating text as the files hold it: every character other than a blank,
// '-' or a digit counts as the decimal mark. Unreadable text gives 0.
double ParseRating(std::string_view text);

// The three byte sums that protect the files: all bytes; the bytes at even
// 1-based positions; the bytes at positions divisible by 3.
using ByteSums = std::array<std::int64_t, 3>;
ByteSums SumBytes(std::string_view bytes);

// `text` cut or padded on the right with blanks to `width`.
std::string PadRight(std::string_view text, std::size_t width);
// `text` cut to its first `width` bytes or padded on the left with blanks.
std::string AlignRight(std::string_view text, std::size_t width);
// `text` without trailing blanks.
std::string_view TrimRight(std::string_view text);

// Splits file bytes into lines at LF, dropping a CR before it; a last line
// without LF counts, an empty tail after the last LF does not.
template <typename Visit>
void ForEachLine(std::string_view bytes, Visit visit) {
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!visit(line)) return;
    if (end == std::string_view::npos) return;
    bytes.remove_prefix(end + 1);
  }
}

// Reads a whole file; false when it cannot be opened or read (a folder in
// its place included). Files above `limit` bytes are not read.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit);

}  // namespace tarvel
