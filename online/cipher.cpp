#include "cipher.h"

#include <array>
#include <cstdint>

namespace tarvel {
namespace {

// Outline: a check byte is put in front of the plain bytes; every byte is then
// XORed with a key stream (a linear congruential generator seeded from the
// text length, mixed with a fixed key) and with the previous enciphered byte,
// and the result is written six bits per character in a shuffled alphabet.

constexpr std::string_view kAlphabet =
    "Ldc_RKi-D2ZA6MwOjpCJ8o7BkEzXUHnSbtQlq9eNGFfy3axhYuT5PvWrgI014mVs";
constexpr std::array<std::uint8_t, 16> kKey = {0x9d, 0xf8, 0x66, 0xdb, 0x8e, 0x09, 0xa2, 0x41,
                                               0xc3, 0x92, 0x9a, 0xc7, 0x77, 0x76, 0xb2, 0x7d};
constexpr std::uint32_t kSeed = 0xa7705565u;

constexpr bool AlphabetIsUnique() {
  if (kAlphabet.size() != 64) return false;
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
    for (std::size_t j = i + 1; j < kAlphabet.size(); ++j) {
      if (kAlphabet[i] == kAlphabet[j]) return false;
    }
  }
  return true;
}
static_assert(AlphabetIsUnique(), "every cipher character must stand for one value");

class KeyStream {
 public:
  explicit KeyStream(std::size_t length)
      : state_(kSeed ^ static_cast<std::uint32_t>(length * 0x9E3779B9u)) {}
  std::uint8_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    const auto k = static_cast<std::uint8_t>(state_ >> 24) ^ kKey[index_ % kKey.size()];
    ++index_;
    return static_cast<std::uint8_t>(k);
  }

 private:
  std::uint32_t state_;
  std::size_t index_ = 0;
};

std::uint8_t CheckByte(std::string_view plain) {
  std::uint32_t sum = static_cast<std::uint32_t>(plain.size());
  for (std::size_t i = 0; i < plain.size(); ++i) {
    sum += static_cast<std::uint8_t>(plain[i]) * static_cast<std::uint32_t>(i + 1);
  }
  return static_cast<std::uint8_t>(sum ^ (sum >> 8) ^ (sum >> 16));
}

int AlphabetValue(char c) {
  const auto at = kAlphabet.find(c);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

std::string Encipher(std::string_view plain) {
  if (plain.empty()) return {};
  std::string bytes;
  bytes.reserve(plain.size() + 1);
  bytes += static_cast<char>(CheckByte(plain));
  bytes += plain;

  KeyStream stream(plain.size());
  std::uint8_t previous = 0;
  for (char& c : bytes) {
    previous = static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) ^ stream.Next() ^ previous);
    c = static_cast<char>(previous);
  }

  std::string out;
  out.reserve((bytes.size() * 4 + 2) / 3);
  std::uint32_t bits = 0;
  int count = 0;
  for (const char c : bytes) {
    bits = (bits << 8) | static_cast<std::uint8_t>(c);
    count += 8;
    while (count >= 6) {
      count -= 6;
      out += kAlphabet[(bits >> count) & 0x3F];
    }
  }
  if (count > 0) out += kAlphabet[(bits << (6 - count)) & 0x3F];
  return out;
}

std::optional<std::string> Decipher(std::string_view text) {
  if (text.empty()) return std::string{};
  // Two characters are the least that holds a byte; a remainder of one
  // character after groups of four cannot come from whole bytes.
  if (text.size() % 4 == 1) return std::nullopt;

  std::string bytes;
  bytes.reserve(text.size() * 3 / 4);
  std::uint32_t bits = 0;
  int count = 0;
  for (const char c : text) {
    const int value = AlphabetValue(c);
    if (value < 0) return std::nullopt;
    bits = (bits << 6) | static_cast<std::uint32_t>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      bytes += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  // The padding bits of the last character are always zero in a text that
  // Encipher wrote.
  if ((bits & ((1u << count) - 1)) != 0) return std::nullopt;
  if (bytes.size() < 2) return std::nullopt;

  KeyStream stream(bytes.size() - 1);
  std::uint8_t previous = 0;
  for (char& c : bytes) {
    const auto enciphered = static_cast<std::uint8_t>(c);
    c = static_cast<char>(enciphered ^ stream.Next() ^ previous);
    previous = enciphered;
  }
  std::string plain = bytes.substr(1);
  if (static_cast<std::uint8_t>(bytes[0]) != CheckByte(plain)) return std::nullopt;
  return plain;
}

}  // namespace tarvel
