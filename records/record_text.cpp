#include "record_text.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace tarvel {

namespace {

// `scaled` (an integer count of 1/10^decimals) as text with a comma before
// the last `decimals` digits, zeros filled in after "0,".
std::string WithComma(std::int64_t scaled, int decimals) {
  const bool negative = scaled < 0;
  std::string digits = std::to_string(negative ? -scaled : scaled);
  if (digits.size() <= static_cast<std::size_t>(decimals))
    digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
  digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, ',');
  return negative ? "-" + digits : digits;
}

// Values far outside any rating are held back so that the scaled integer
// cannot overflow.
std::int64_t Scaled(double value, double factor) {
  if (!std::isfinite(value)) return 0;
  constexpr double kLimit = 1e15;
  const double scaled = std::fmax(-kLimit, std::fmin(kLimit, value * factor));
  return std::llround(scaled);
}

}  // namespace

std::string PadLeft(std::int64_t value, int width, char fill) {
  std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), fill);
  return text;
}

std::string Fixed2(double value, int width) {
  std::string text = WithComma(Scaled(value, 100.0), 2);
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

std::string Fixed6(double value) {
  std::string text = WithComma(Scaled(value, 1000000.0), 6);
  if (text.size() < 10) text.insert(0, 10 - text.size(), ' ');
  return text;
}

double ParseRating(std::string_view text) {
  std::string plain;
  for (const char c : text) plain += (c == ' ' || c == '-' || (c >= '0' && c <= '9')) ? c : '.';
  const char* begin = plain.c_str();
  char* end = nullptr;
  const double value = std::strtod(begin, &end);
  return end == begin || !std::isfinite(value) ? 0.0 : value;
}

ByteSums SumBytes(std::string_view bytes) {
  ByteSums sums{};
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<std::int64_t>(static_cast<unsigned char>(bytes[i]));
    const std::size_t position = i + 1;
    sums[0] += b;
    if (position % 2 == 0) sums[1] += b;
    if (position % 3 == 0) sums[2] += b;
  }
  return sums;
}

std::string PadRight(std::string_view text, std::size_t width) {
  std::string out(text.substr(0, width));
  out.resize(width, ' ');
  return out;
}

std::string AlignRight(std::string_view text, std::size_t width) {
  std::string out(text.substr(0, width));
  out.insert(0, width - out.size(), ' ');
  return out;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (static_cast<std::size_t>(info.st_size) > limit) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace tarvel
