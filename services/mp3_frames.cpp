#include "mp3_frames.h"

#include <array>
#include <cstdint>

namespace tarvel::services {

namespace {

// Bit rates in kbit/s by index, MPEG-1 and MPEG-2/2.5 Layer III.
constexpr std::array<int, 16> kRatesV1{0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
constexpr std::array<int, 16> kRatesV2{0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
constexpr std::array<int, 3> kSampleRates{44100, 48000, 32000};

struct Header {
  std::size_t length = 0;
  int sampleRate = 0;
  int bitrate = 0;
  int samples = 0;
};

// The frame header at `at`, or a zero length.
Header ReadHeader(std::string_view data, std::size_t at) {
  Header h;
  if (at + 4 > data.size()) return h;
  const auto b = [&](std::size_t i) { return static_cast<std::uint8_t>(data[at + i]); };
  if (b(0) != 0xFF || (b(1) & 0xE0) != 0xE0) return h;
  const int version = (b(1) >> 3) & 3;  // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
  const int layer = (b(1) >> 1) & 3;    // 1: Layer III
  const int rateIndex = b(2) >> 4;
  const int srIndex = (b(2) >> 2) & 3;
  if (version == 1 || layer != 1 || srIndex == 3) return h;
  const bool v1 = version == 3;
  const int bitrate = (v1 ? kRatesV1 : kRatesV2)[static_cast<std::size_t>(rateIndex)];
  if (bitrate == 0) return h;
  int sampleRate = kSampleRates[static_cast<std::size_t>(srIndex)];
  if (version == 2) sampleRate /= 2;
  if (version == 0) sampleRate /= 4;
  const int padding = (b(2) >> 1) & 1;
  h.samples = v1 ? 1152 : 576;
  h.length = static_cast<std::size_t>((v1 ? 144 : 72) * bitrate * 1000 / sampleRate + padding);
  h.sampleRate = sampleRate;
  h.bitrate = bitrate;
  return h;
}

std::size_t SkipId3(std::string_view data) {
  if (data.size() < 10 || data.substr(0, 3) != "ID3") return 0;
  std::size_t size = 0;
  for (std::size_t i = 6; i < 10; ++i) {
    const auto byte = static_cast<std::uint8_t>(data[i]);
    if (byte & 0x80) return 0;
    size = size << 7 | byte;
  }
  return 10 + size;
}

}  // namespace

Mp3Frames FindMp3Frames(std::string_view data) {
  Mp3Frames out;
  std::size_t at = SkipId3(data);
  while (at < data.size() && ReadHeader(data, at).length == 0) ++at;
  while (true) {
    const Header h = ReadHeader(data, at);
    if (h.length == 0 || at + h.length > data.size()) break;
    if (out.frames.empty()) {
      out.sampleRate = h.sampleRate;
      out.bitrateKbps = h.bitrate;
      out.samplesPerFrame = h.samples;
    } else if (h.sampleRate != out.sampleRate || h.samples != out.samplesPerFrame) {
      return {};
    }
    out.frames.push_back({at, h.length});
    at += h.length;
  }
  return out;
}

}  // namespace tarvel::services
