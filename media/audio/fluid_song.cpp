#include "media/audio/fluid_song.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <fluidsynth.h>

#include <array>
#include <limits>

namespace tarvel {
namespace {

constexpr qint64 kBytesPerFrame = FluidSong::kChannels * 2;
constexpr int kLoadBlockFrames = 64;
constexpr const char* kSongFontFile = "MenuSong.sf2";

// The song's own font beside the program (the General MIDI font cut down to
// the song's instruments), else FluidSynth's default, else the General MIDI
// font's usual place.
QByteArray SoundFontPath(fluid_settings_t* settings) {
  const QString own = QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(kSongFontFile));
  if (QFile::exists(own)) return QFile::encodeName(own);
  char* configured = nullptr;
  QByteArray path;
  if (fluid_settings_dupstr(settings, "synth.default-soundfont", &configured) == FLUID_OK && configured != nullptr) {
    path = configured;
    fluid_free(configured);
  }
  if (path.isEmpty() || !QFile::exists(QFile::decodeName(path))) path = "/usr/share/sounds/sf2/default-GM.sf2";
  return path;
}

}  // namespace

FluidSong::FluidSong(const QString& file) {
  // FluidSynth reports a missing font or a broken song through its return
  // values; its log would repeat that on stderr at every start.
  fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  settings_ = new_fluid_settings();
  fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRate);
  // The player advances with the samples rendered, not on a timer thread of
  // its own, so the song cannot run ahead of what the sink has taken.
  fluid_settings_setstr(settings_, "player.timing-source", "sample");
  fluid_settings_setint(settings_, "synth.lock-memory", 0);
  fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
  // Every voice is allocated up front (about 10 KB each): the song sounds at
  // most 42 at once, and the default of 256 would hold 2.5 MB for nothing.
  fluid_settings_setint(settings_, "synth.polyphony", 48);
  // Effects the song does not need cost memory and time at every block.
  fluid_settings_setint(settings_, "synth.reverb.active", 0);
  fluid_settings_setint(settings_, "synth.chorus.active", 0);
  synth_ = new_fluid_synth(settings_);
  if (synth_ == nullptr || fluid_synth_sfload(synth_, SoundFontPath(settings_).constData(), 1) == FLUID_FAILED) return;
  fluid_player_t* player = new_fluid_player(synth_);
  if (player == nullptr) return;
  // The player reads the file on its first step: one short block of the
  // song's silent start tells whether it could. Repeating is switched on only
  // then: a player repeating a file it cannot read retries it for ever.
  std::array<qint16, kLoadBlockFrames * kChannels> block{};
  if (fluid_player_add(player, QFile::encodeName(file).constData()) != FLUID_OK ||
      fluid_player_set_loop(player, 0) != FLUID_OK || fluid_player_play(player) != FLUID_OK ||
      fluid_synth_write_s16(synth_, kLoadBlockFrames, block.data(), 0, 2, block.data(), 1, 2) != FLUID_OK ||
      fluid_player_get_status(player) != FLUID_PLAYER_PLAYING || fluid_player_set_loop(player, -1) != FLUID_OK) {
    delete_fluid_player(player);
    return;
  }
  player_ = player;
  open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

FluidSong::~FluidSong() {
  if (player_ != nullptr) {
    fluid_player_stop(player_);
    delete_fluid_player(player_);
  }
  if (synth_ != nullptr) delete_fluid_synth(synth_);
  delete_fluid_settings(settings_);
}

qint64 FluidSong::bytesAvailable() const {
  return Ready() ? std::numeric_limits<int>::max() / kBytesPerFrame * kBytesPerFrame : 0;
}

qint64 FluidSong::readData(char* data, qint64 maxSize) {
  const qint64 frames = std::min<qint64>(maxSize / kBytesPerFrame, std::numeric_limits<int>::max());
  if (!Ready() || frames == 0) return 0;
  // Interleaved left/right into the same buffer.
  if (fluid_synth_write_s16(synth_, static_cast<int>(frames), data, 0, 2, data, 1, 2) != FLUID_OK) return -1;
  return frames * kBytesPerFrame;
}

qint64 FluidSong::writeData(const char*, qint64) { return -1; }

}  // namespace tarvel
