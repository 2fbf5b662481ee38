// The music player's playlist page: a UTF-8 text with one song a line,
// "Some_Band~My_Song.mp3" -- the artist, a '~', the song's file name in the
// server's music folder. Underscores stand for blanks in both names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

inline constexpr std::size_t kMaxPlaylistSongs = 1000;

struct PlaylistSong {
  std::string Artist;  // text before the first '~', '_' turned into blanks
  std::string Title;   // text after it up to ".mp3", '_' turned into blanks
  std::string Url;     // the music folder's address + the line unchanged
};

// The songs of a playlist page, at most kMaxPlaylistSongs, in page order.
// Lines end in LF or CR LF. A line is a song when it has a '~' and ends in
// ".mp3" (any case); other lines (blank lines, HTML around the list) are
// passed over. Lines that are not valid UTF-8, that hold control characters,
// or whose file name could leave the music folder ('/', '\', '?', '#',
// '%') are passed over as well, as is a line with an empty artist or title.
// `musicFolder` is expected to end in '/'.
std::vector<PlaylistSong> ParsePlaylist(std::string_view page, std::string_view musicFolder);

// True when the bytes are valid UTF-8 (no over-long forms, no surrogates).
bool IsValidUtf8(std::string_view text);

}  // namespace tarvel
