// What the window plays: every sound of a whole game in order, the spoken
// cards from the real voice module, the MIDI song's file and the music
// player's buttons with a playlist from a local HTTP server.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerResponse>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

#include "engine/autoplay.h"
#include "engine/rules.h"
#include "media/wave_header.h"
#include "window_fixture.h"

namespace tarvel {
namespace {

using testing::QuickSettings;
using testing::WindowFixture;

struct Heard {
  QString name;
  bool wait;
  bool operator==(const Heard&) const = default;
};

std::vector<Heard> Since(const testing::RecordingSound& sound, std::size_t from) {
  std::vector<Heard> heard;
  for (std::size_t i = from; i < sound.played.size(); ++i) heard.push_back({sound.played[i], sound.waits[i]});
  return heard;
}

// The sounds that end a deal, from its results.
std::vector<Heard> DealEndSounds(const MatchState& s) {
  const bool computer = s.DealResult[1] > 0 || s.DealResult[2] > 0;
  const bool human = s.DealResult[3] > 0;
  std::vector<Heard> heard;
  if (computer) heard.push_back({"WKoBadX", false});
  if (human) heard.push_back({"WKoGutX", false});
  if (!computer && !human) heard.push_back({"WNichya", false});
  return heard;
}

void PrintTo(const Heard& h, std::ostream* os) { *os << h.name.toStdString() << (h.wait ? " (wait)" : ""); }

// Plays a whole game by clicking, checking the sounds of every step; gives
// the number of marriages announced.
int ListenToAGame(std::uint64_t seed) {
  SCOPED_TRACE("seed " + std::to_string(seed));
  WindowFixture f(QuickSettings(), 0, seed);
  TForm1& w = f.w();
  MatchState& s = f.state;
  w.Image1Click();
  w.Button6()->click();
  EXPECT_EQ(Since(f.sound, 0), (std::vector<Heard>{{"WOpenFo", false}, {"WTasoKo", false}}));

  int cards = 0, marriages = 0, deals = 1, wrongs = 0;
  for (int guard = 0; guard < 3000 && !s.GameSummed; ++guard) {
    const std::size_t from = f.sound.played.size();
    const std::uint8_t turn = s.Turn;
    const int onTable = s.TrickPos;
    std::vector<Heard> expected;
    if (s.DealStage == StageDealt) {
      w.Button7()->click();
    } else if (turn == 1 || turn == 2 || turn == 3) {
      const int seat = turn;
      const int slot = seat == 3 ? ChooseComputerSlot(s, 3) : 0;
      const CardCode card = seat == 3 ? s.Hands[3][static_cast<std::size_t>(slot)] : NoCard;
      if (seat == 3 && wrongs == 0 && onTable > 1) {
        // One illegal click in the game: the wrong-card sound, nothing played.
        for (int other = 1; other <= s.HandCount[3]; ++other) {
          if (!IsIllegalCard(s, other)) continue;
          w.ImageCards3MouseUp(Qt::LeftButton, QPoint(w.View().Positions(3)[static_cast<std::size_t>(other)] + 1, 1));
          EXPECT_EQ(Since(f.sound, from), (std::vector<Heard>{{"WWrongs", false}}));
          ++wrongs;
          break;
        }
      }
      const std::size_t before = f.sound.played.size();
      if (seat == 3) {
        w.ImageCards3MouseUp(Qt::LeftButton, QPoint(w.View().Positions(3)[static_cast<std::size_t>(slot)] + 1, 1));
      } else {
        w.Timer1Timer();
      }
      const CardCode played = s.Trick[static_cast<std::size_t>(onTable)];
      if (seat == 3 && played.IsCard()) {
        EXPECT_EQ(played, card);
      }
      ++cards;
      // The card's sound waits; a marriage is only ever announced by a king
      // or queen that leads, 40 in trumps and 20 otherwise.
      const std::vector<Heard> heard = Since(f.sound, before);
      if (heard.empty()) {
        ADD_FAILURE() << "a card was played in silence";
        return marriages;
      }
      const bool marriage = heard[0].name != QStringLiteral("WHodsDo");
      if (marriage && played.IsCard()) {  // (a deal that ended has cleared the table)
        ++marriages;
        EXPECT_EQ(onTable, 1);
        EXPECT_TRUE(played.rank == RankKing || played.rank == RankQueen);
        EXPECT_EQ(heard[0].name, played.suit == s.Trump ? QStringLiteral("WSays40") : QStringLiteral("WSays20"));
      }
      EXPECT_TRUE(heard[0].wait);
      expected.push_back(heard[0]);
      // A marriage that reaches 66 ends the deal at once.
      if (s.Turn == TurnNextDeal || s.Turn == TurnGameOver) {
        const std::vector<Heard> end = DealEndSounds(s);
        expected.insert(expected.end(), end.begin(), end.end());
      }
      EXPECT_EQ(heard, expected);
      continue;
    } else {
      if (!w.Button7()->isEnabled()) {
        ADD_FAILURE() << "stuck at Turn " << int(turn);
        return marriages;
      }
      w.Button7()->click();
      if (turn == TurnNextDeal) {
        expected = {{"WTasoKo", false}};
        ++deals;
      } else if (turn == TurnGameOver) {
        expected = {{s.GameResult > 0 ? QStringLiteral("WKoGood") : QStringLiteral("WKoBads"), false}};
      } else if (s.Turn == TurnNextDeal || s.Turn == TurnGameOver) {
        expected = DealEndSounds(s);  // the last trick collected scores the deal
      }
    }
    EXPECT_EQ(Since(f.sound, from), expected) << "turn " << int(turn);
  }
  EXPECT_TRUE(s.GameSummed);
  EXPECT_GE(cards, 2 * deals);
  EXPECT_GE(deals, 2);
  EXPECT_EQ(wrongs, 1);

  // Sound off: the game goes on in silence.
  const std::size_t from = f.sound.played.size();
  f.settings.SoundOn = false;
  w.ApplySoundSettings();
  w.Button8()->click();
  w.Button6()->click();
  w.Button7()->click();
  w.Timer1Timer();
  EXPECT_TRUE(Since(f.sound, from).empty());
  return marriages;
}

TEST(WindowSoundTest, WholeGamesSoundEveryEventInOrder) {
  int marriages = 0;
  for (std::uint64_t seed = 1; seed <= 3; ++seed) marriages += ListenToAGame(seed);
  EXPECT_GT(marriages, 0) << "no game announced a marriage";
}

#if defined(TARVEL_VOICE_MODULE) && defined(TARVEL_TESTMODULES_DIR)
TEST(WindowSoundTest, CardsAreSpokenFromTheVoiceModuleInEveryLanguage) {
  QTemporaryDir root;
  const QString program = root.filePath("program");
  QDir().mkpath(program);
  const QString voice = QStringLiteral(TARVEL_VOICE_MODULE);
  QFile module(voice);
  ASSERT_TRUE(module.open(QIODevice::ReadOnly));
  const QByteArray bytes = module.readAll();

  const auto install = [&](const QString& folder, const QByteArray& content) {
    QFile::remove(program + "/QorCVoice3.rcc");
    QFile::remove(root.filePath("QorCVoice3.rcc"));
    QFile out(folder + "/QorCVoice3.rcc");
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(content);
  };
  const auto spoken = [&](CardCode card, int language) {
    const QByteArray wave = VoiceRecording(QStringList{program}, card, language);
    const auto header =
        ReadWaveHeader({reinterpret_cast<const std::uint8_t*>(wave.constData()), std::size_t(wave.size())});
    return header && header->Length().count() > 200;
  };

  install(program, bytes);
  for (int language = 0; language < 10; ++language)
    for (int number : {1, 8, 14, 19, 24}) EXPECT_TRUE(spoken(CardFromDeckNumber(number), language)) << language;
  // Different languages say different words.
  EXPECT_NE(VoiceRecording(QStringList{program}, CardFromDeckNumber(1), 0), VoiceRecording(QStringList{program}, CardFromDeckNumber(1), 1));
  EXPECT_FALSE(spoken(NoCard, 0));

  install(root.path(), bytes);  // in the parent folder
  EXPECT_TRUE(spoken(CardFromDeckNumber(5), 1));

  struct Damage {
    const char* what;
    QByteArray content;
  };
  QFile other(QStringLiteral(TARVEL_TESTMODULES_DIR "/QorCards06A.rcc"));
  ASSERT_TRUE(other.open(QIODevice::ReadOnly));
  for (const Damage& d : {Damage{"cut in half", bytes.left(bytes.size() / 2)},
                          Damage{"header only", bytes.left(20)}, Damage{"empty", QByteArray()},
                          Damage{"zeros", QByteArray(4096, '\0')},
                          Damage{"a module without voices", other.readAll()}}) {
    SCOPED_TRACE(d.what);
    install(program, d.content);
    EXPECT_FALSE(spoken(CardFromDeckNumber(1), 0));
    EffectSoundPlayer player(QStringList{program}, [] { return 0; });
    EXPECT_FALSE(player.SpeakCard(CardFromDeckNumber(1), 0));
  }
  QFile::remove(program + "/QorCVoice3.rcc");
  EffectSoundPlayer player(QStringList{program}, [] { return 0; });
  EXPECT_FALSE(player.SpeakCard(CardFromDeckNumber(1), 0));
}
#endif

TEST(WindowSoundTest, TheSongsFileLivesAsLongAsTheWindow) {
  WindowFixture f;
  const QString file = f.folder + "temp87_25.mid";
  EXPECT_TRUE(QFile::exists(file));
  EXPECT_TRUE(f.sink.informed.empty());
  f.w().Image1Click();
  f.w().close();
  EXPECT_FALSE(QFile::exists(file));
}

TEST(WindowSoundTest, MusicButtonsShowOnTheMenuOfLargeWindowsWithAPlaylist) {
  QHttpServer server;
  QByteArray page;
  for (int i = 1; i <= 6; ++i) page += "Band~Song_" + QByteArray::number(i) + ".mp3\r\n";
  server.route("/musik/_playlist.html", [page] { return QHttpServerResponse("text/html", page); });
  const quint16 port = server.listen(QHostAddress::LocalHost);
  ASSERT_NE(port, 0);
  const std::string base = "http://127.0.0.1:" + std::to_string(port) + "/";

  struct Case {
    int size;
    std::string services;
    bool shown;
  };
  for (const Case& c : {Case{4, base, true}, Case{3, base, false}, Case{4, "http://127.0.0.1:1/", false}}) {
    SCOPED_TRACE(c.size);
    WindowFixture f(QuickSettings(), c.size, 1, {}, c.services);
    TForm1& w = f.w();
    MusicPlayer& player = w.Audio().Player();
    QSignalSpy loaded(&player, &MusicPlayer::Changed);
    // Asked for after the first frame, with the rest of the start-up: the
    // answer may be in already.
    if (player.Loading()) {
      ASSERT_TRUE(loaded.wait(10000));
    }
    EXPECT_FALSE(w.Audio().Buttons().Visible()) << "shown on the intro";
    w.Image1Click();
    EXPECT_EQ(w.Audio().Buttons().Visible(), c.shown);
    if (!c.shown) continue;
    EXPECT_EQ(player.Record().Max, 6);
    MusicButton* volume = w.Audio().Buttons().Button(MusicButton::Kind::Volume);
    EXPECT_EQ(volume->geometry(), QRect(140, w.height() - 70, 61, 61));
    QTest::mouseClick(volume, Qt::LeftButton, {}, QPoint(50, 30));
    EXPECT_EQ(player.Record().Volume, 55);
    w.Button6()->click();
    EXPECT_FALSE(w.Audio().Buttons().Visible()) << "shown at the table";
  }
}

}  // namespace
}  // namespace tarvel
