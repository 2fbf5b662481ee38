// The music player of the main menu: songs listed on the services' playlist
// page, streamed from the services' music folder through the audio stream
// layer, with play/pause, "another song" and volume.
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "media/audio_stream.h"
#include "media/playlist.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace tarvel {

// The player's record.
struct TMyMediaPL {
  bool Create = false;               // more than 4 songs: the buttons may show
  std::vector<PlaylistSong> Songs;   // song N is Songs[N - 1]
  bool Play = false;                 // a song plays (button 1 shows "pause")
  std::uint8_t Volume = 50;          // 0..100
  std::int32_t Max = 0;              // number of songs
  std::int32_t N = 0;                // current song 1..Max, 0 without songs
};

inline constexpr int kMinPlaylistSongs = 5;
inline constexpr int kPlaylistTimeoutMs = 3000;

class MusicPlayer : public QObject {
  Q_OBJECT

 public:
  // Draws a number 1..max.
  using Random = std::function<int(int max)>;
  // Makes the audio library on the first song, not before.
  using AudioFactory = std::function<std::unique_ptr<AudioStream>()>;

  MusicPlayer(AudioFactory audio, Random random, QObject* parent = nullptr);
  ~MusicPlayer() override;

  // Reads the playlist page (a GET with a time-out) and takes its songs; the
  // signal Changed follows once the answer, a failure or the time-out is in.
  // Without an answer the list stays empty and the buttons never show.
  void LoadPlaylist(const std::string& pageAddress, const std::string& musicFolder);
  // Takes the songs of a playlist page that has been read.
  void TakePlaylist(const std::string& page, const std::string& musicFolder);

  void PlayPause();         // button 1
  void Next();              // button 2
  void VolumeClick(int x);  // button 3, x inside the 61-pixel button
  // Every 500 ms while a song plays: at the end of a song, another one.
  void Tick();
  // Stops the song and frees the audio library (the window closes).
  void Close();

  const TMyMediaPL& Record() const { return record_; }
  bool Loading() const { return reply_ != nullptr; }
  // Artist + "  :  " + title of the current song; empty without songs.
  QString SongHint() const;

 signals:
  void Changed();

 private:
  AudioStream* Audio();
  void OpenSong();
  void SetVolume();

  AudioFactory makeAudio_;
  Random random_;
  std::unique_ptr<AudioStream> audio_;
  bool audioTried_ = false;
  StreamHandle stream_ = 0;
  bool streamOpened_ = false;  // stream_ belongs to song N (0 when it did not open)
  TMyMediaPL record_;
  QNetworkAccessManager* network_ = nullptr;
  QNetworkReply* reply_ = nullptr;
};

}  // namespace tarvel
