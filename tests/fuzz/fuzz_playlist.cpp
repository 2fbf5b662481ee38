// Fuzz target of the music player's playlist page (ParsePlaylist) and of the
// WAVE header reader (ReadWaveHeader): the input is taken whole as a page and
// as a sound.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "media/playlist.h"
#include "media/wave_header.h"

namespace {

using namespace tarvel;

constexpr std::string_view kFolder = "http://127.0.0.1/musik/";

void CheckPlaylist(std::string_view page) {
  const auto songs = ParsePlaylist(page, kFolder);
  TARVEL_FUZZ_CHECK(songs.size() <= kMaxPlaylistSongs);
  for (const PlaylistSong& song : songs) {
    // Every address stays in the music folder and names an MP3 file that
    // is one whole line of the page.
    TARVEL_FUZZ_CHECK(song.Url.compare(0, kFolder.size(), kFolder) == 0);
    const std::string_view file = std::string_view(song.Url).substr(kFolder.size());
    TARVEL_FUZZ_CHECK(file.find_first_of("/\\?#%\r\n") == std::string_view::npos);
    TARVEL_FUZZ_CHECK(page.find(file) != std::string_view::npos);
    TARVEL_FUZZ_CHECK(IsValidUtf8(file));
    TARVEL_FUZZ_CHECK(!song.Artist.empty() && !song.Title.empty());
    TARVEL_FUZZ_CHECK(song.Artist.find('_') == std::string::npos);
    TARVEL_FUZZ_CHECK(song.Artist.size() + song.Title.size() + 5 == file.size());
  }
}

void CheckWave(std::span<const std::uint8_t> bytes) {
  const auto wave = ReadWaveHeader(bytes);
  if (!wave) return;
  // The samples lie inside the bytes, in whole frames.
  TARVEL_FUZZ_CHECK(wave->DataOffset <= bytes.size());
  TARVEL_FUZZ_CHECK(wave->DataSize <= bytes.size() - wave->DataOffset);
  TARVEL_FUZZ_CHECK(wave->BlockAlign > 0 && wave->DataSize % wave->BlockAlign == 0);
  // A byte of samples is never longer than a millisecond.
  TARVEL_FUZZ_CHECK(static_cast<std::uint64_t>(wave->Length().count()) <= wave->DataSize + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckPlaylist(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckWave(std::span<const std::uint8_t>(data, size));
  return 0;
}
