// The menu song rendered by FluidSynth straight to PCM: a read-only device of
// 16-bit stereo samples that a QAudioSink pulls from. Only a synthesiser and
// a MIDI file player are made, no FluidSynth audio driver, so no GStreamer
// pipeline and none of FluidSynth's output back-ends are started for the
// song. The song's own font (MenuSong.sf2) holds only the zones and samples
// the song plays, read on demand.
#pragma once

#include <QIODevice>
#include <QString>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;

namespace tarvel {

class FluidSong final : public QIODevice {
 public:
  static constexpr int kSampleRate = 44100;
  static constexpr int kChannels = 2;

  // Loads the song's sound font (else the General MIDI one) and the song
  // file; the song repeats for ever. Ready() tells whether both loaded.
  explicit FluidSong(const QString& file);
  ~FluidSong() override;
  FluidSong(const FluidSong&) = delete;
  FluidSong& operator=(const FluidSong&) = delete;

  bool Ready() const { return player_ != nullptr; }

  // The sink pulls as much as it asks for: the song never runs dry.
  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override;

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char* data, qint64 maxSize) override;

 private:
  _fluid_hashtable_t* settings_ = nullptr;
  _fluid_synth_t* synth_ = nullptr;
  _fluid_player_t* player_ = nullptr;  // null when the font or the song did not load
};

}  // namespace tarvel
