// The playlist page and the music player: the parser on its own, then the
// player reading pages from a Qt HTTP server on 127.0.0.1 and streaming a
// song from it through the real audio stream layer (into GStreamer's silent
// sink, see CMakeLists.txt). The MIDI menu song plays the same way.
#include "media/audio/fluid_song.h"
#include "media/audio/multimedia_audio_stream.h"
#include "media/midi_music.h"
#include "media/music_player.h"
#include "media/playlist.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerResponse>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace tarvel {
namespace {

constexpr const char* kFolder = "http://host/musik/";

bool WaitFor(const std::function<bool()>& done, int ms = 30000) {
  const QDeadlineTimer deadline(ms);
  while (!done() && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return done();
}

std::string Lines(int count, const char* end = "\r\n") {
  std::string page;
  for (int i = 1; i <= count; ++i) page += "Band_" + std::to_string(i) + "~Song_" + std::to_string(i) + ".mp3" + end;
  return page;
}

TEST(PlaylistTest, LinesBecomeSongs) {
  const auto songs = ParsePlaylist("Some_Band~My_Song.mp3", kFolder);
  ASSERT_EQ(songs.size(), 1u);
  EXPECT_EQ(songs[0].Artist, "Some Band");
  EXPECT_EQ(songs[0].Title, "My Song");
  EXPECT_EQ(songs[0].Url, "http://host/musik/Some_Band~My_Song.mp3");

  struct Case {
    const char* what;
    std::string page;
    std::size_t songs;
  };
  const std::vector<Case> cases = {
      {"empty page", "", 0},
      {"CR LF and a last line without an end", "A~B.mp3\r\nC~D.MP3", 2},
      {"HTML around the list", "<html><body><pre>\nA~B.mp3\n</pre></body></html>\n", 1},
      {"junk without a tilde or .mp3", "hello\n~\n.mp3\nA~B.ogg\nA~B.mp3.txt\n", 0},
      {"empty artist or title", "~B.mp3\nA~.mp3\n", 0},
      {"second tilde stays in the title", "A~B~C.mp3\n", 1},
      {"names that leave the folder", "../A~B.mp3\nA~x/../../B.mp3\nA~B.mp3?x=1.mp3\nA~%2e.mp3\nA\\~B.mp3\n", 0},
      {"control characters", std::string("A~B\0.mp3\nA\t~B.mp3\n", 18), 0},
      {"Windows-1251 text", "\xc8\xe2\xe0\xed~\xcf\xe5\xf1\xed\xff.mp3\n", 0},
      {"UTF-8 text", "\xd0\x98\xd0\xb2\xd0\xb0\xd0\xbd~\xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd1\x8f.mp3\n", 1},
      {"over-long UTF-8 slash", "A~\xc0\xaf.mp3\n", 0},
      {"surrogate in UTF-8", "A~\xed\xa0\x80.mp3\n", 0},
      {"2,000 songs", Lines(2000), kMaxPlaylistSongs},
      {"1,000 songs after junk", "junk\n" + Lines(1000, "\n") + "Z~Z.mp3\n", kMaxPlaylistSongs},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto parsed = ParsePlaylist(c.page, kFolder);
    EXPECT_EQ(parsed.size(), c.songs);
    for (const PlaylistSong& song : parsed) EXPECT_EQ(song.Url.rfind(kFolder, 0), 0u);
  }
  EXPECT_EQ(ParsePlaylist(Lines(2000), kFolder).back().Title, "Song 1000");
}

class MusicPlayerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new QTemporaryDir;
    const QString mp3 = folder_->filePath("song.mp3");
    QProcess::execute("sox", {"-n", "-r", "44100", "-c", "2", mp3, "synth", "2", "sine", "330"});
    QFile file(mp3);
    song_ = new QByteArray(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    server_ = new QHttpServer;
    server_->route("/six/musik/_playlist.html", [] { return QHttpServerResponse("text/html", QByteArray::fromStdString(Lines(6))); });
    server_->route("/four/musik/_playlist.html", [] { return QHttpServerResponse("text/html", QByteArray::fromStdString(Lines(4))); });
    server_->route("/junk/musik/_playlist.html", [] { return QHttpServerResponse("text/html", QByteArray(300000, '<')); });
    server_->route("/six/musik/<arg>", [](const QString&) { return QHttpServerResponse("audio/mpeg", *song_); });
    port_ = server_->listen(QHostAddress::LocalHost);
  }
  static void TearDownTestSuite() {
    delete server_;
    delete song_;
    delete folder_;
  }

  static std::string Base(const char* site) { return "http://127.0.0.1:" + std::to_string(port_) + "/" + site + "/musik/"; }

  // Loads a site's playlist into a player that streams through the real
  // audio layer (or into nothing with `silent`).
  static void Load(MusicPlayer& player, const char* site) {
    QSignalSpy changed(&player, &MusicPlayer::Changed);
    player.LoadPlaylist(Base(site) + "_playlist.html", Base(site));
    ASSERT_TRUE(WaitFor([&] { return changed.count() > 0; }));
    EXPECT_FALSE(player.Loading());
  }

  static MusicPlayer::AudioFactory RealAudio() {
    return [] { return std::unique_ptr<AudioStream>(new MultimediaAudioStream); };
  }

  int draws_ = 0;
  MusicPlayer::Random Draw() {
    return [this](int max) { return ++draws_ % max + 1; };
  }

  static inline QTemporaryDir* folder_ = nullptr;
  static inline QByteArray* song_ = nullptr;
  static inline QHttpServer* server_ = nullptr;
  static inline quint16 port_ = 0;
};

TEST_F(MusicPlayerTest, PagesFromTheServerDecideWhetherTheButtonsShow) {
  struct Case {
    const char* site;
    bool create;
    int max;
  };
  for (const Case& c : {Case{"six", true, 6}, Case{"four", false, 4}, Case{"junk", false, 0}, Case{"none", false, 0}}) {
    SCOPED_TRACE(c.site);
    MusicPlayer player(RealAudio(), Draw());
    Load(player, c.site);
    EXPECT_EQ(player.Record().Create, c.create);
    EXPECT_EQ(player.Record().Max, c.max);
    EXPECT_EQ(player.Record().N >= 1 && player.Record().N <= c.max, c.max > 0);
    EXPECT_EQ(player.Record().Volume, 50);
    EXPECT_FALSE(player.Record().Play);
  }
  // No server at all: a refused connection is an empty list, not a hang.
  MusicPlayer player(RealAudio(), Draw());
  QSignalSpy changed(&player, &MusicPlayer::Changed);
  player.LoadPlaylist("http://127.0.0.1:1/musik/_playlist.html", "http://127.0.0.1:1/musik/");
  ASSERT_TRUE(WaitFor([&] { return changed.count() > 0; }));
  EXPECT_FALSE(player.Record().Create);
}

TEST_F(MusicPlayerTest, ASongPlaysPausesAndTheNextFollowsAtItsEnd) {
  ASSERT_FALSE(song_->isEmpty()) << "sox could not make the song";
  MusicPlayer player(RealAudio(), Draw());
  Load(player, "six");
  ASSERT_TRUE(player.Record().Create);

  // Volume: steps of 5 on the button's right and left parts, bounded.
  player.VolumeClick(30);  // the middle changes nothing
  EXPECT_EQ(player.Record().Volume, 50);
  for (int i = 0; i < 12; ++i) player.VolumeClick(50);
  EXPECT_EQ(player.Record().Volume, 100);
  for (int i = 0; i < 25; ++i) player.VolumeClick(1);
  EXPECT_EQ(player.Record().Volume, 0);  // and silent for the rest of the test

  const int first = player.Record().N;
  player.PlayPause();
  EXPECT_TRUE(player.Record().Play);
  EXPECT_TRUE(player.SongHint().startsWith(QStringLiteral("Band %1  :  Song %1").arg(first)));
  // The song plays to its end through the stream layer; the timer's tick
  // then takes another one.
  ASSERT_TRUE(WaitFor([&] {
    player.Tick();
    return player.Record().N != first;
  }));
  EXPECT_TRUE(player.Record().Play);
  player.PlayPause();
  EXPECT_FALSE(player.Record().Play);
  player.Close();
}

TEST_F(MusicPlayerTest, ASongThatCannotBeStreamedStaysUntilNext) {
  MusicPlayer player([] { return std::unique_ptr<AudioStream>(new SilentAudioStream); }, Draw());
  Load(player, "six");
  const int song = player.Record().N;
  player.PlayPause();
  for (int i = 0; i < 5; ++i) player.Tick();
  EXPECT_EQ(player.Record().N, song);
  EXPECT_TRUE(player.Record().Play);
  player.Next();
  EXPECT_NE(player.Record().N, song);
}

// The song as the output pulls it: sound from the font, and sound again past
// the 104 s song's end, as it repeats. A file that is no MIDI song gives none.
TEST(MidiSongTest, TheMenuSongRendersThroughTheSoundFontAndRepeats) {
  QTemporaryDir temp;
  MidiMusic music(temp.path(), false);
  ASSERT_EQ(music.Prepare(), MidiMusic::Prepared::Ready);
  FluidSong song(music.FilePath());
  ASSERT_TRUE(song.Ready());
  const auto loudest = [&song](int seconds) {
    int peak = 0;
    std::vector<qint16> second(FluidSong::kSampleRate * FluidSong::kChannels);
    const qint64 bytes = static_cast<qint64>(second.size() * sizeof(qint16));
    for (int i = 0; i < seconds; ++i) {
      if (song.read(reinterpret_cast<char*>(second.data()), bytes) != bytes) return -1;
      for (const qint16 sample : second) peak = std::max(peak, std::abs(int{sample}));
    }
    return peak;
  };
  EXPECT_GT(loudest(5), 0);
  ASSERT_GE(loudest(103), 0);
  EXPECT_GT(loudest(10), 0);
  music.Remove();

  QFile broken(temp.filePath(QStringLiteral("broken.mid")));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("MThd but no song");
  broken.close();
  const FluidSong none(broken.fileName());
  EXPECT_FALSE(none.Ready());
  EXPECT_EQ(none.bytesAvailable(), 0);
}

}  // namespace
}  // namespace tarvel
