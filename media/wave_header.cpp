#include "media/wave_header.h"

namespace tarvel {

namespace {

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
         std::uint32_t{b[at + 3]} << 24;
}

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

bool Tag(std::span<const std::uint8_t> b, std::size_t at, const char (&tag)[5]) {
  for (std::size_t i = 0; i < 4; ++i)
    if (b[at + i] != static_cast<std::uint8_t>(tag[i])) return false;
  return true;
}

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kFloat = 3;
constexpr std::uint16_t kExtensible = 0xFFFE;

// Fills the format fields from a "fmt " chunk body; false when they do not
// describe a sound this program can play.
bool ReadFormat(std::span<const std::uint8_t> body, WaveFormat& f) {
  if (body.size() < 16) return false;
  f.Format = Le16(body, 0);
  f.Channels = Le16(body, 2);
  f.SampleRate = Le32(body, 4);
  const std::uint32_t byteRate = Le32(body, 8);
  f.BlockAlign = Le16(body, 12);
  f.BitsPerSample = Le16(body, 14);
  if (f.Format == kExtensible) {
    // The real format is the first two bytes of the sub-format GUID.
    if (body.size() < 26) return false;
    f.Format = Le16(body, 24);
  }
  if (f.Format != kPcm && f.Format != kFloat) return false;
  if (f.Channels < 1 || f.Channels > 8) return false;
  if (f.SampleRate < 1000 || f.SampleRate > 384000) return false;
  if (f.BitsPerSample != 8 && f.BitsPerSample != 16 && f.BitsPerSample != 24 && f.BitsPerSample != 32)
    return false;
  if (f.Format == kFloat && f.BitsPerSample != 32) return false;
  if (f.BlockAlign != f.Channels * f.BitsPerSample / 8) return false;
  return byteRate == f.SampleRate * f.BlockAlign;
}

}  // namespace

std::chrono::milliseconds WaveFormat::Length() const {
  if (BlockAlign == 0 || SampleRate == 0) return std::chrono::milliseconds(0);
  const std::uint64_t frames = DataSize / BlockAlign;
  return std::chrono::milliseconds((frames * 1000 + SampleRate - 1) / SampleRate);
}

std::optional<WaveFormat> ReadWaveHeader(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 12 || !Tag(bytes, 0, "RIFF") || !Tag(bytes, 8, "WAVE")) return std::nullopt;
  WaveFormat format;
  bool haveFormat = false;
  std::size_t at = 12;
  // Chunks: a tag, a 32-bit size, the body, a pad byte after an odd size.
  while (bytes.size() - at >= 8) {
    const std::size_t size = Le32(bytes, at + 4);
    const std::size_t body = at + 8;
    const std::size_t left = bytes.size() - body;
    if (Tag(bytes, at, "data")) {
      if (!haveFormat) return std::nullopt;
      const std::size_t present = size < left ? size : left;
      format.DataOffset = body;
      format.DataSize = present - present % format.BlockAlign;
      return format;
    }
    if (size > left) return std::nullopt;
    if (Tag(bytes, at, "fmt ")) {
      if (!ReadFormat(bytes.subspan(body, size), format)) return std::nullopt;
      haveFormat = true;
    }
    at = body + size + (size & 1);
    if (at > bytes.size()) return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace tarvel
