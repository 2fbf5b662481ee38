// The header of a WAVE file (RIFF, "WAVE", a "fmt " and a "data" chunk), read
// without trusting it: the sound's length, which decides how long play waits
// for a sound, is taken from the bytes that are really there.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tarvel {

struct WaveFormat {
  std::uint16_t Format = 0;         // 1 integer PCM, 3 floating point
  std::uint16_t Channels = 0;       // 1..8
  std::uint32_t SampleRate = 0;     // 1000..384000 frames a second
  std::uint16_t BitsPerSample = 0;  // 8, 16, 24 or 32
  std::uint16_t BlockAlign = 0;     // bytes a frame: Channels * BitsPerSample / 8
  std::size_t DataOffset = 0;       // where the samples start in the file
  std::size_t DataSize = 0;         // whole frames present, in bytes

  // The playing time of the samples present, rounded up to a millisecond.
  std::chrono::milliseconds Length() const;
};

// Reads the header of a WAVE image. The data chunk's size is cut to the
// bytes that follow it, and to whole frames, so a header that claims more
// than the file holds (a cut file, a lie) gives the length of what is there.
// Nothing when the bytes are no WAVE file: no RIFF/WAVE magic, no "fmt "
// chunk before the "data" chunk, an unknown sample format, numbers that do
// not fit together (block size, byte rate), or a chunk running out of the
// file before the data.
std::optional<WaveFormat> ReadWaveHeader(std::span<const std::uint8_t> bytes);

}  // namespace tarvel
