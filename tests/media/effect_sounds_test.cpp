// WAVE headers, the effect sounds compiled into the program, the names of
// the spoken cards, and the MIDI song's file. Sounds go to a recording
// output, so the tests see what was started and how long play was held.
#include "media/effect_sounds.h"
#include "media/midi_music.h"
#include "media/wave_header.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <vector>

namespace tarvel {
namespace {

using namespace std::chrono_literals;

// A WAVE image: RIFF header, "fmt " chunk, optional extra chunk, "data"
// chunk whose declared size may differ from the bytes that follow.
struct WaveShape {
  std::uint16_t format = 1, channels = 1;
  std::uint32_t rate = 8000;
  std::uint16_t bits = 16;
  std::uint32_t declared = 1600;  // data size in the header
  std::size_t present = 1600;     // data bytes really there
  bool listChunk = false;         // an odd-sized chunk before "data"
  std::uint32_t byteRate = 0;     // 0: the right one
};

QByteArray Wave(const WaveShape& w) {
  QByteArray b;
  auto u32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) b.append(char(v >> (8 * i))); };
  auto u16 = [&](std::uint16_t v) { b.append(char(v)); b.append(char(v >> 8)); };
  const std::uint16_t align = static_cast<std::uint16_t>(w.channels * w.bits / 8);
  b.append("RIFF");
  u32(0);  // nobody reads the RIFF size
  b.append("WAVEfmt ");
  u32(16);
  u16(w.format), u16(w.channels), u32(w.rate), u32(w.byteRate ? w.byteRate : w.rate * align), u16(align), u16(w.bits);
  if (w.listChunk) {
    b.append("LIST");
    u32(3);
    b.append("abc", 3).append('\0');  // pad byte
  }
  b.append("data");
  u32(w.declared);
  b.append(QByteArray(static_cast<qsizetype>(w.present), '\x10'));
  return b;
}

std::optional<WaveFormat> Header(const QByteArray& bytes) {
  return ReadWaveHeader({reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
}

TEST(WaveHeaderTest, LengthComesFromTheBytesThatAreThere) {
  struct Case {
    const char* what;
    WaveShape shape;
    std::optional<long> ms;  // nothing: not a WAVE file
  };
  const std::vector<Case> cases = {
      {"16-bit mono, 0.1 s", {}, 100},
      {"stereo 44.1 kHz, a second", {1, 2, 44100, 16, 176400, 176400}, 1000},
      {"8-bit, with a padded chunk before the data", {1, 1, 8000, 8, 4000, 4000, true}, 500},
      {"float samples", {3, 1, 8000, 32, 3200, 3200}, 100},
      {"header claims ten times the data", {1, 1, 8000, 16, 16000, 1600}, 100},
      {"cut in the middle of a frame", {1, 2, 8000, 16, 1600, 1599}, 50},
      {"no samples", {1, 1, 8000, 16, 0, 0}, 0},
      {"a rounded-up millisecond", {1, 1, 8000, 8, 1, 1}, 1},
      {"24-bit samples", {1, 1, 8000, 24, 2400, 2400}, 100},
      {"compressed format", {2, 1, 8000, 16, 1600, 1600}, std::nullopt},
      {"no channels", {1, 0, 8000, 16, 1600, 1600}, std::nullopt},
      {"rate of 10 Hz", {1, 1, 10, 16, 1600, 1600}, std::nullopt},
      {"12-bit samples", {1, 1, 8000, 12, 1600, 1600}, std::nullopt},
      {"byte rate that lies", {1, 1, 8000, 16, 1600, 1600, false, 1}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<WaveFormat> header = Header(Wave(c.shape));
    ASSERT_EQ(header.has_value(), c.ms.has_value());
    if (header) {
      EXPECT_EQ(header->Length().count(), *c.ms);
    }
  }
}

TEST(WaveHeaderTest, DamagedFilesAreNoWaveFiles) {
  const QByteArray good = Wave({});
  const std::size_t dataChunk = static_cast<std::size_t>(good.indexOf("data"));
  for (std::size_t cut : {0ul, 4ul, 11ul, 12ul, 20ul, 35ul, dataChunk, dataChunk + 7})
    EXPECT_FALSE(Header(good.left(static_cast<qsizetype>(cut)))) << "cut at " << cut;
  EXPECT_TRUE(Header(good.left(static_cast<qsizetype>(dataChunk + 8))));  // data chunk with no samples

  QByteArray noFormat = good;
  noFormat.replace(12, 4, "junk");  // the "fmt " chunk is no longer one
  EXPECT_FALSE(Header(noFormat));
  QByteArray hugeChunk = good;
  hugeChunk[16] = '\xff', hugeChunk[17] = '\xff', hugeChunk[18] = '\xff', hugeChunk[19] = '\xff';
  EXPECT_FALSE(Header(hugeChunk));
  EXPECT_FALSE(Header(QByteArray("RIFF\0\0\0\0WAVE", 12)));
  EXPECT_FALSE(Header(QByteArray(64, '\0')));
}

// An output that plays every sound and remembers it, or, without a device,
// plays nothing.
class RecordingOutput : public SoundOutput {
 public:
  bool Start(const QByteArray& wave, const WaveFormat& format) override {
    if (!device) return false;
    started.push_back(wave);
    lengths.push_back(format.Length());
    return true;
  }
  void Stop() override { ++stops; }
  bool device = true;
  std::vector<QByteArray> started;
  std::vector<std::chrono::milliseconds> lengths;
  int stops = 0;
};

struct EffectsFixture {
  RecordingOutput output;
  std::vector<std::chrono::milliseconds> waits;
  EffectSounds sounds{output, [this](std::chrono::milliseconds ms) { waits.push_back(ms); }};
};

TEST(EffectSoundsTest, EverySoundOfTheGameIsThereAndShort) {
  // Every name the game plays, in the case the callers write it.
  const char* names[] = {"WHodsDo", "WSays20", "WSays40", "WTasoKo", "WKoGutX", "WKoBadX", "WNichya",
                         "WKoGood", "WKoBads", "WFiBest", "WFiGood", "WFiBads", "WOpenFo", "WToMenK",
                         "WWrongs", "STimerA", "STimerB"};
  for (const char* name : names) {
    for (int language = 0; language < 10; ++language) {
      SCOPED_TRACE(std::string(name) + " language " + std::to_string(language));
      const QByteArray wave = EffectSounds::ProgramSound(QString::fromLatin1(name), language);
      const std::optional<WaveFormat> header = Header(wave);
      ASSERT_TRUE(header);
      EXPECT_EQ(header->BitsPerSample, 16);
      EXPECT_GT(header->Length(), 50ms);
      EXPECT_LT(header->Length(), 3s);
    }
  }
  // The marriage calls are spoken in the language; other sounds are one.
  EXPECT_NE(EffectSounds::ProgramSound("WSays20", 0), EffectSounds::ProgramSound("WSays20", 1));
  EXPECT_NE(EffectSounds::ProgramSound("WSays20", 1), EffectSounds::ProgramSound("WSays40", 1));
  EXPECT_EQ(EffectSounds::ProgramSound("WHodsDo", 0), EffectSounds::ProgramSound("WHodsDo", 1));
  EXPECT_EQ(EffectSounds::ProgramSound("whodsdo", 0), EffectSounds::ProgramSound("WHODSDO", 0));
}

TEST(EffectSoundsTest, WaitingLastsTheHeadersLengthAndNeverWithoutADevice) {
  struct Case {
    const char* what;
    bool device, wait, enabled;
    QString name;
    bool plays;
    bool waits;
  };
  const std::vector<Case> cases = {
      {"waiting sound", true, true, true, "WHodsDo", true, true},
      {"sound that does not wait", true, false, true, "WTasoKo", true, false},
      {"sound off", true, true, false, "WHodsDo", false, false},
      {"unknown name", true, true, true, "WNoSuch", false, false},
      {"the song is no sound", true, true, true, "MidiSong", false, false},
      {"no device", false, true, true, "WHodsDo", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EffectsFixture f;
    f.output.device = c.device;
    EXPECT_EQ(f.sounds.PlaySoundResource(c.name, c.wait, c.enabled, 0), c.plays);
    EXPECT_EQ(f.output.started.size(), c.plays ? 1u : 0u);
    ASSERT_EQ(f.waits.size(), c.waits ? 1u : 0u);
    if (c.waits) {
      EXPECT_EQ(f.waits[0], f.output.lengths[0]);
    }
  }
}

TEST(EffectSoundsTest, AWaveWhoseHeaderLiesHoldsPlayOnlyForItsSamples) {
  EffectsFixture f;
  EXPECT_TRUE(f.sounds.PlayWave(Wave({1, 1, 8000, 16, 0x7fffffff, 800}), true));
  ASSERT_EQ(f.waits.size(), 1u);
  EXPECT_EQ(f.waits[0], 50ms);
  // Ten minutes of real samples still hold play only for the longest wait.
  EXPECT_TRUE(f.sounds.PlayWave(Wave({1, 1, 1000, 8, 600000, 600000}), true));
  EXPECT_EQ(f.waits.back(), kMaxSoundWait);
  EXPECT_FALSE(f.sounds.PlayWave(QByteArray("not a sound"), true));
  EXPECT_FALSE(f.sounds.PlayWave(Wave({1, 1, 8000, 16, 0, 0}), true));
  EXPECT_EQ(f.waits.size(), 2u);
}

TEST(VoiceNamesTest, NamesFollowSuitRankAndLanguage) {
  EXPECT_EQ(VoiceResourceName(MakeCard(RankNine, SuitDiamonds), 0), QStringLiteral("Bu09VoiceEng"));
  EXPECT_EQ(VoiceResourceName(MakeCard(RankTen, SuitSpades), 1), QStringLiteral("Pi10VoiceRus"));
  EXPECT_EQ(VoiceResourceName(MakeCard(RankJack, SuitHearts), 2), QStringLiteral("Ch2JVoiceDeu"));
  EXPECT_EQ(VoiceResourceName(MakeCard(RankQueen, SuitClubs), 3), QStringLiteral("Kr3QVoiceFra"));
  EXPECT_EQ(VoiceResourceName(MakeCard(RankKing, SuitDiamonds), 8), QStringLiteral("Bu4KVoiceJap"));
  EXPECT_EQ(VoiceResourceName(MakeCard(RankAce, SuitHearts), 9), QStringLiteral("Ch5AVoiceKor"));
  std::set<QString> names;
  for (int language = 0; language < 10; ++language)
    for (int number = 1; number <= 24; ++number) names.insert(VoiceResourceName(CardFromDeckNumber(number), language));
  EXPECT_EQ(names.size(), 240u);
  EXPECT_FALSE(names.count(QString()));
  EXPECT_TRUE(VoiceResourceName(NoCard, 0).isEmpty());
  EXPECT_TRUE(VoiceResourceName(MakeCard(RankAce, SuitHearts), 10).isEmpty());
  EXPECT_TRUE(VoiceResourceName(MakeCard(RankAce, SuitHearts), -1).isEmpty());
  EXPECT_EQ(VoiceResourcePath("Bu09VoiceEng"), QStringLiteral(":/voice/BU09VOICEENG"));
}

TEST(MidiMusicTest, TheSongsFileIsWrittenOnceAndASecondRunStaysSilent) {
  QTemporaryDir temp;
  MidiMusic first(temp.path());
  ASSERT_EQ(first.Prepare(), MidiMusic::Prepared::Ready);
  QFile file(first.FilePath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("MThd"));
  EXPECT_EQ(QFileInfo(first.FilePath()).fileName(), QStringLiteral("temp87_25.mid"));

  // A second copy of the game while the first runs: no music there, and
  // starting it does nothing.
  MidiMusic second(temp.path(), false);
  EXPECT_EQ(second.Prepare(), MidiMusic::Prepared::Silent);
  second.Play(true);
  EXPECT_FALSE(second.Playing());

  first.Remove();
  EXPECT_FALSE(QFile::exists(first.FilePath()));
  MidiMusic third(temp.path());
  EXPECT_EQ(third.Prepare(), MidiMusic::Prepared::Ready);
  third.Remove();

  MidiMusic nowhere(temp.filePath("no/such/folder"));
  EXPECT_EQ(nowhere.Prepare(), MidiMusic::Prepared::WriteFailed);
  nowhere.Play(true);
  EXPECT_FALSE(nowhere.Playing());
}

}  // namespace
}  // namespace tarvel
