#include "media/playlist.h"

#include <algorithm>
#include <cstdint>

namespace tarvel {

namespace {

bool EndsWithMp3(std::string_view line) {
  if (line.size() < 4) return false;
  std::string tail(line.substr(line.size() - 4));
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
  return tail == ".mp3";
}

std::string Blanks(std::string_view text) {
  std::string out(text);
  std::replace(out.begin(), out.end(), '_', ' ');
  return out;
}

bool SafeFileName(std::string_view line) {
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
    if (c == '/' || c == '\\' || c == '?' || c == '#' || c == '%') return false;
  }
  return IsValidUtf8(line);
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2;
      code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3;
      code = lead & 0x07;
    } else {
      return false;
    }
    if (text.size() - i <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    if ((extra == 2 && code < 0x800) || (extra == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
        (code >= 0xD800 && code <= 0xDFFF))
      return false;
    i += extra + 1;
  }
  return true;
}

std::vector<PlaylistSong> ParsePlaylist(std::string_view page, std::string_view musicFolder) {
  std::vector<PlaylistSong> songs;
  std::size_t start = 0;
  while (start < page.size() && songs.size() < kMaxPlaylistSongs) {
    std::size_t end = page.find('\n', start);
    if (end == std::string_view::npos) end = page.size();
    std::string_view line = page.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t tilde = line.find('~');
    if (tilde == std::string_view::npos || !EndsWithMp3(line) || !SafeFileName(line)) continue;
    const std::string_view artist = line.substr(0, tilde);
    const std::string_view title = line.substr(tilde + 1, line.size() - 4 - (tilde + 1));
    if (artist.empty() || title.empty()) continue;
    songs.push_back({Blanks(artist), Blanks(title), std::string(musicFolder) + std::string(line)});
  }
  return songs;
}

}  // namespace tarvel
