#include "table/window/tform1.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <filesystem>
#include <optional>

#include "engine/rules.h"
#include "table/form_speed.h"
#include "widgets/balloon_hint.h"
#include "window_fixture.h"

namespace tarvel {
namespace {

using testing::QuickSettings;
using testing::WindowFixture;

// The parts of the match state that a click could change.
struct Position {
  PerSeat<Hand> hands;
  PerSeat<std::uint8_t> counts;
  PerPosition<CardCode> trick;
  std::uint8_t turn;
  std::uint8_t trickPos;
  std::uint8_t stage;
  PerSeat<std::int32_t> taken;
  bool operator==(const Position&) const = default;
};

Position PositionOf(const MatchState& s) {
  return {s.Hands, s.HandCount, s.Trick, s.Turn, s.TrickPos, s.DealStage, s.Taken};
}

QString Caption(QPushButton* button) { return button->text(); }

// A point inside the local hand, in window pixels, whose card (found through
// CardAt) satisfies `want`; nothing when no strip of the hand does.
std::optional<QPoint> HandPoint(TForm1& w, const std::function<bool(int slot)>& want) {
  const QRect hand = w.Layout().Rect(Element::ImageCards3);
  for (int x = 0; x < hand.width(); ++x) {
    const int slot = w.View().CardAt(3, x);
    if (slot != 0 && want(slot)) return hand.topLeft() + QPoint(x, hand.height() / 2);
  }
  return std::nullopt;
}

bool Legal(const MatchState& s, int slot) {
  return s.TrickPos == 1 || !IsIllegalCard(s, slot);
}

TEST(TForm1Test, StartsOnTheIntroAndLeavesItForTheMenu) {
  WindowFixture f;
  TForm1& w = f.w();
  EXPECT_TRUE(w.StartedUp());
  EXPECT_TRUE(w.IntroShown());
  EXPECT_EQ(w.size(), QSize(760, 500));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarvel"));
  EXPECT_TRUE(w.Timer1().isActive());
  EXPECT_EQ(w.Timer1().interval(), 20);
  // The timer animates the intro: one tick, one step.
  const long long before = w.Intro().Ticks();
  w.Timer1Timer();
  EXPECT_EQ(w.Intro().Ticks(), before + 1);
  // Any key leaves the intro.
  QTest::keyClick(&w, Qt::Key_Space);
  EXPECT_FALSE(w.IntroShown());
  EXPECT_TRUE(w.MenuShown());
  EXPECT_TRUE(w.Button6()->isVisible());
  EXPECT_TRUE(w.Button11()->isVisible());
  EXPECT_EQ(Caption(w.Button6()), QStringLiteral("New Player"));
  EXPECT_EQ(Caption(w.Button11()), QStringLiteral("Exit"));
  EXPECT_FALSE(w.Button7()->isVisible());
  EXPECT_FALSE(w.GenCountAction()->isEnabled());
  EXPECT_FALSE(w.QuitAction()->isEnabled());
  EXPECT_TRUE(f.sink.informed.empty());
}

TEST(TForm1Test, CaptionsFollowTheLanguage) {
  Settings german = QuickSettings();
  german.Language = 2;
  WindowFixture f(german);
  f.w().Image1Click();
  EXPECT_EQ(Caption(f.w().Button6()).toStdString(), std::string(Word(WordId::NewPlayer, 2)));
  EXPECT_NE(Caption(f.w().Button6()), QStringLiteral("New Player"));
  EXPECT_EQ(f.w().SpeedAction()->text().toStdString(), std::string(Word(WordId::Speed, 2)));
}

TEST(TForm1Test, NewPlayerDealsAGameUnderTheSettingsName) {
  Settings named = QuickSettings();
  named.PlayerName = "Alice";
  WindowFixture f(named);
  f.StartGame();
  TForm1& w = f.w();
  EXPECT_TRUE(w.TableShown());
  EXPECT_TRUE(f.state.DealActive);
  EXPECT_EQ(f.state.DealStage, StageDealt);
  EXPECT_EQ(f.state.SeatNames[3], "Alice");
  EXPECT_EQ(f.state.HandCount[3], 8);
  EXPECT_FALSE(w.Button6()->isVisible());
  EXPECT_TRUE(w.Button7()->isVisible());
  EXPECT_TRUE(w.Button7()->isEnabled());
  EXPECT_EQ(Caption(w.Button7()), QStringLiteral("To Begin"));
  EXPECT_TRUE(w.Button8()->isVisible());
  EXPECT_FALSE(w.Button8()->isEnabled());
  EXPECT_EQ(Caption(w.Button8()), QStringLiteral("Exit to menu"));
  EXPECT_TRUE(w.GenCountAction()->isEnabled());
  EXPECT_TRUE(w.QuitAction()->isEnabled());
  EXPECT_EQ(w.CounterTitle(), QStringLiteral("General number of game: 1"));
  EXPECT_EQ(w.CounterHint(), QStringLiteral("Number of round in a current cycle: 1 / 30"));
  // Pointing at the counter opens the balloon there.
  const QRect counter = w.Layout().Rect(Element::ImageKon);
  QHelpEvent help(QEvent::ToolTip, counter.center(), w.mapToGlobal(counter.center()));
  QCoreApplication::sendEvent(&w, &help);
  ASSERT_NE(BalloonHint::Current(), nullptr);
  EXPECT_EQ(BalloonHint::Current()->Title(), w.CounterTitle());
  EXPECT_EQ(BalloonHint::Current()->Area(), counter);
  BalloonHint::CloseCurrent();
  // The timer waits for "To Begin" at 200 ms.
  EXPECT_FALSE(w.Timer1().isActive());
  EXPECT_EQ(w.Timer1().interval(), 200);
  ASSERT_FALSE(f.sound.played.empty());
  EXPECT_EQ(f.sound.played.back(), QStringLiteral("WTasoKo"));
  // The table is drawn off-screen and shown from that buffer.
  EXPECT_EQ(w.View().Buffer().size(), QSize(760, 500));
  EXPECT_EQ(w.Snapshot().copy(w.Layout().Rect(Element::ImageCards3)),
            w.View().Buffer().copy(w.Layout().Rect(Element::ImageCards3)).convertToFormat(w.Snapshot().format()));
}

TEST(TForm1Test, NothingMovesBeforeToBegin) {
  WindowFixture f;
  f.StartGame();
  TForm1& w = f.w();
  const Position before = PositionOf(f.state);
  // The computer leads the first deal of a new player, but not yet.
  ASSERT_EQ(f.state.Turn, 1);
  for (int i = 0; i < 5; ++i) w.Timer1Timer();
  // Clicks on every card of the local hand, left and right button.
  const QRect hand = w.Layout().Rect(Element::ImageCards3);
  for (int x = 0; x < hand.width(); x += 7) {
    QTest::mouseClick(&w, Qt::LeftButton, {}, hand.topLeft() + QPoint(x, 10));
  }
  EXPECT_EQ(PositionOf(f.state), before);
  EXPECT_EQ(f.state.DealStage, StageDealt);
  EXPECT_TRUE(f.sound.spoken.empty());
}

TEST(TForm1Test, ClicksOutsideTheTurnAndOnEmptyPlacesChangeNothing) {
  WindowFixture f;
  f.StartGame();
  TForm1& w = f.w();
  w.Button7()->click();  // "To Begin"
  ASSERT_EQ(f.state.DealStage, StagePlaying);
  ASSERT_EQ(f.state.Turn, 1);
  EXPECT_TRUE(w.Timer1().isActive());
  const Position before = PositionOf(f.state);
  // Seat 1 is to play: the human's cards do not move.
  const QRect hand = w.Layout().Rect(Element::ImageCards3);
  QTest::mouseClick(&w, Qt::LeftButton, {}, hand.topLeft() + QPoint(10, 10));
  // Right of the last card the hand is empty.
  EXPECT_EQ(w.View().CardAt(3, hand.width() - 1), 0);
  EXPECT_EQ(PositionOf(f.state), before);
}

TEST(TForm1Test, WholeGamePlayedByClickingReachesTheSumUpAndTheMenu) {
  WindowFixture f;
  TForm1& w = f.w();
  f.StartGame();
  bool illegalTried = false;
  int deals = 1;
  for (int guard = 0; guard < 2000 && Caption(w.Button7()) != QStringLiteral("To sum up of game"); ++guard) {
    const MatchState& s = f.state;
    if (s.DealStage == StageDealt) {
      ASSERT_TRUE(w.Button7()->isEnabled());
      w.Button7()->click();
      ASSERT_EQ(s.DealStage, StagePlaying);
      continue;
    }
    if (s.Turn == 1 || s.Turn == 2) {
      const std::size_t seat = s.Turn;
      const int cards = s.HandCount[seat];
      w.Timer1Timer();
      ASSERT_EQ(f.state.HandCount[seat], cards - 1) << "the computer did not play";
      continue;
    }
    if (s.Turn == 3) {
      if (!illegalTried && (s.TrickPos == 2 || s.TrickPos == 3)) {
        const auto illegal = HandPoint(w, [&](int slot) { return IsIllegalCard(s, slot); });
        if (illegal) {
          const Position before = PositionOf(s);
          const std::size_t sounds = f.sound.played.size();
          QTest::mouseClick(&w, Qt::LeftButton, {}, *illegal);
          EXPECT_EQ(PositionOf(s), before) << "an illegal card was played";
          ASSERT_EQ(f.sound.played.size(), sounds + 1);
          EXPECT_EQ(f.sound.played.back(), QStringLiteral("WWrongs"));
          illegalTried = true;
        }
      }
      const auto legal = HandPoint(w, [&](int slot) { return Legal(s, slot); });
      ASSERT_TRUE(legal.has_value());
      const int count = s.HandCount[3];
      QTest::mouseClick(&w, Qt::LeftButton, {}, *legal);
      ASSERT_EQ(f.state.HandCount[3], count - 1) << "a legal click did not play";
      continue;
    }
    // A trick is complete or a deal is scored: the continue button goes on.
    ASSERT_TRUE(w.Button7()->isEnabled()) << "stuck at Turn " << int(s.Turn);
    if (s.Turn == TurnTrickComplete) {
      EXPECT_EQ(Caption(w.Button7()), QStringLiteral("OK"));
    }
    if (s.Turn == TurnNextDeal) {
      EXPECT_EQ(Caption(w.Button7()), QStringLiteral("Next Round"));
      ++deals;
    }
    w.Button7()->click();
  }
  EXPECT_TRUE(illegalTried) << "no deal offered an illegal card to try";
  ASSERT_EQ(Caption(w.Button7()), QStringLiteral("To sum up of game"));
  EXPECT_EQ(f.state.Turn, TurnGameOver);
  EXPECT_GE(deals, 2);
  EXPECT_TRUE(w.Button7()->isEnabled());
  EXPECT_FALSE(w.Button8()->isEnabled());

  w.Button7()->click();
  EXPECT_TRUE(f.state.GameSummed);
  EXPECT_FALSE(w.Button7()->isEnabled());
  EXPECT_TRUE(w.Button8()->isEnabled());
  EXPECT_EQ(f.state.NewScore, f.state.PlayerScore + f.state.GameResult);

  w.Button8()->click();
  EXPECT_TRUE(w.MenuShown());
  EXPECT_FALSE(f.state.DealActive);
  EXPECT_TRUE(w.Button6()->isVisible());
  EXPECT_FALSE(w.Button7()->isVisible());
  EXPECT_FALSE(w.QuitAction()->isEnabled());
  // A new game can start from the menu again.
  w.Button6()->click();
  EXPECT_TRUE(f.state.DealActive);
  EXPECT_EQ(f.state.DealNo, 1);
}

TEST(TForm1Test, FlyingCardsLandAndTheTimerWaitsForThem) {
  Settings flying = QuickSettings();
  flying.FlyCards = true;
  flying.Speed = 6;
  WindowFixture f(flying);
  TForm1& w = f.w();
  f.StartGame();
  w.Button7()->click();
  // Seat 1 leads: its card flies to its place on the table.
  w.Timer1Timer();
  ASSERT_EQ(f.state.TrickPos, 2);
  EXPECT_FALSE(w.Flying());
  const CardCode first = f.state.Trick[1];
  EXPECT_EQ(w.View().TableCard(1), first);
  const QRect place(TablePlace(w.Layout(), 1), QSize(w.Layout().Card.Width, w.Layout().Card.Height));
  // The card lies there in the buffer, and the screen shows the buffer.
  EXPECT_EQ(w.Snapshot().copy(place), w.View().Buffer().copy(place).convertToFormat(w.Snapshot().format()));
  // Play on to the end of the first trick and collect it in flight.
  for (int guard = 0; guard < 10 && f.state.Turn != TurnTrickComplete; ++guard) {
    if (f.state.Turn == 3) {
      const auto legal = HandPoint(w, [&](int slot) { return Legal(f.state, slot); });
      ASSERT_TRUE(legal);
      QTest::mouseClick(&w, Qt::LeftButton, {}, *legal);
    } else {
      w.Timer1Timer();
    }
  }
  ASSERT_EQ(f.state.Turn, TurnTrickComplete);
  w.Button7()->click();
  EXPECT_FALSE(w.Flying());
  EXPECT_EQ(f.state.TrickPos, 1);
  for (int seat = 1; seat <= 3; ++seat) EXPECT_EQ(w.View().TableCard(seat), NoCard);
}

TEST(TForm1Test, WhileAFlightRunsTicksAndClicksDoNothing) {
  Settings flying = QuickSettings();
  flying.FlyCards = true;
  flying.Speed = 1;  // slow enough to act in the middle
  WindowFixture f(flying);
  TForm1& w = f.w();
  f.StartGame();
  w.Button7()->click();
  // In the middle of seat 1's flight, the timer fires again and the human
  // clicks; neither may act.
  bool checked = false;
  QTimer probe;
  probe.setInterval(5);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    if (!w.Flying() || checked) return;
    checked = true;
    const Position during = PositionOf(f.state);
    EXPECT_TRUE(w.Driver().busy());
    w.Timer1Timer();
    w.Button7Click();
    const QRect hand = w.Layout().Rect(Element::ImageCards3);
    QTest::mouseClick(&w, Qt::LeftButton, {}, hand.topLeft() + QPoint(5, 5));
    EXPECT_EQ(PositionOf(f.state), during);
    // The screen shows the work copy, never a half-drawn table.
    EXPECT_FALSE(w.Snapshot().isNull());
  });
  probe.start();
  w.Timer1Timer();
  probe.stop();
  EXPECT_TRUE(checked) << "the flight ended before the probe ran";
  EXPECT_EQ(f.state.TrickPos, 2);
}

TEST(TForm1Test, RightClicksSpeakCardsAndNeverPlay) {
  WindowFixture f;
  TForm1& w = f.w();
  f.StartGame();
  w.Button7()->click();
  w.Timer1Timer();  // seat 1 leads
  w.Timer1Timer();  // seat 2 follows
  ASSERT_EQ(f.state.Turn, 3);
  const Position before = PositionOf(f.state);
  const auto card = HandPoint(w, [](int) { return true; });
  ASSERT_TRUE(card);
  QTest::mouseClick(&w, Qt::RightButton, {}, *card);
  EXPECT_EQ(PositionOf(f.state), before);
  ASSERT_EQ(f.sound.spoken.size(), 1u);
  EXPECT_EQ(f.sound.spoken[0], f.state.Hands[3][static_cast<std::size_t>(
                                   w.View().CardAt(3, card->x() - w.Layout().Rect(Element::ImageCards3).left()))]);
  // A right click on seat 1's card on the table speaks it.
  const QPoint onTable = TablePlace(w.Layout(), 1) + QPoint(5, 5);
  QTest::mouseClick(&w, Qt::RightButton, {}, onTable);
  ASSERT_EQ(f.sound.spoken.size(), 2u);
  EXPECT_EQ(f.sound.spoken[1], f.state.Trick[1]);
}

TEST(TForm1Test, PopupMenuDetachesOverHandTableAndDeck) {
  WindowFixture f;
  TForm1& w = f.w();
  EXPECT_TRUE(w.PopupAttachedAt(QPoint(380, 250)));  // intro
  f.StartGame();
  const TableLayout& layout = w.Layout();
  for (Element e : {Element::ImageCards3, Element::ImageStol, Element::ImageKoloda})
    EXPECT_FALSE(w.PopupAttachedAt(layout.Rect(e).center())) << ElementName(e);
  EXPECT_TRUE(w.PopupAttachedAt(layout.Rect(Element::ImageTab1).center()));
  EXPECT_TRUE(w.PopupAttachedAt(QPoint(2, 2)));
}

TEST(TForm1Test, HandCursorOverPlayableCardsOnly) {
  WindowFixture f;
  TForm1& w = f.w();
  f.StartGame();
  const QRect hand = w.Layout().Rect(Element::ImageCards3);
  w.ImageCards3MouseMove(QPoint(5, 5));
  EXPECT_EQ(w.Cursors().RoleOf(&w), CursorRole::Arrow);  // before "To Begin"
  w.Button7()->click();
  w.Timer1Timer();
  w.Timer1Timer();
  ASSERT_EQ(f.state.Turn, 3);
  bool sawHand = false;
  for (int x = 0; x < hand.width(); ++x) {
    w.ImageCards3MouseMove(QPoint(x, 5));
    const int slot = w.View().CardAt(3, x);
    const CursorRole expected = slot != 0 && Legal(f.state, slot) ? CursorRole::Hand : CursorRole::Arrow;
    ASSERT_EQ(w.Cursors().RoleOf(&w), expected) << x;
    sawHand = sawHand || expected == CursorRole::Hand;
  }
  EXPECT_TRUE(sawHand);
}

TEST(TForm1Test, EscapeAsksBeforeLeavingToTheMenu) {
  WindowFixture f;
  TForm1& w = f.w();
  f.StartGame();
  f.sink.answer = false;
  QTest::keyClick(&w, Qt::Key_Escape);
  ASSERT_EQ(f.sink.asked.size(), 1u);
  EXPECT_EQ(f.sink.asked[0],
            QStringLiteral("You want to leave in the main menu?\nAll datas for want of it will be lost!"));
  EXPECT_TRUE(w.TableShown());
  EXPECT_TRUE(f.state.DealActive);
  f.sink.answer = true;
  w.QuitAction()->trigger();
  EXPECT_TRUE(w.MenuShown());
  EXPECT_FALSE(f.state.DealActive);
  // In the menu the command asks nothing.
  w.QuitClick();
  EXPECT_EQ(f.sink.asked.size(), 2u);
}

TEST(TForm1Test, EnterPressesTheContinueButton) {
  WindowFixture f;
  TForm1& w = f.w();
  f.StartGame();
  QTest::keyClick(&w, Qt::Key_Return);
  EXPECT_EQ(f.state.DealStage, StagePlaying);
  // Disabled now ("OK" waits for the trick): Enter does nothing more.
  EXPECT_FALSE(w.Button7()->isEnabled());
  QTest::keyClick(&w, Qt::Key_Return);
  EXPECT_EQ(f.state.DealStage, StagePlaying);
}

TEST(TForm1Test, ClosingTheTableAsksAndWritesTheSettings) {
  WindowFixture f;
  TForm1& w = f.w();
  f.StartGame();
  const std::filesystem::path ini = std::filesystem::path(f.folder.toStdString()) / "Tarvel.ini";
  std::filesystem::remove(ini);
  f.sink.answer = false;
  EXPECT_FALSE(w.close());
  ASSERT_EQ(f.sink.asked.size(), 1u);
  EXPECT_EQ(f.sink.asked[0], QStringLiteral("You want to leave from game? All datas for want of it will be lost!"));
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(std::filesystem::exists(ini));
  f.sink.answer = true;
  EXPECT_TRUE(w.close());
  EXPECT_TRUE(std::filesystem::exists(ini));
}

TEST(TForm1Test, ASettingsFileThatCannotBeWrittenGivesTheMessage) {
  WindowFixture f;
  TForm1& w = f.w();
  w.Image1Click();
  // A folder in place of the file cannot be replaced by a file, for root too.
  const std::filesystem::path ini = std::filesystem::path(f.folder.toStdString()) / "Tarvel.ini";
  std::filesystem::remove(ini);
  std::filesystem::create_directory(ini);
  std::filesystem::create_directory(ini / "keep");
  EXPECT_TRUE(w.close());
  ASSERT_EQ(f.sink.informed.size(), 1u);
  EXPECT_TRUE(f.sink.informed[0].endsWith(QStringLiteral("Can`t save options!")));
  EXPECT_TRUE(std::filesystem::is_directory(ini / "keep"));
}

TEST(TForm1Test, SettingsAreReadAtStartUp) {
  Settings stored = QuickSettings();
  stored.SoundOn = false;
  stored.Speed = 2;
  stored.PlayerName = "Bob";
  WindowFixture f(stored);
  EXPECT_FALSE(f.settings.SoundOn);
  EXPECT_EQ(f.settings.Speed, 2);
  EXPECT_EQ(f.settings.PlayerName, "Bob");
  // Font names are the program's own again at every start.
  EXPECT_EQ(f.settings.FontSpecial1, "Fixedsys");
  f.StartGame();
  // Sounds are not played with SoundOn off.
  EXPECT_TRUE(f.sound.played.empty());
}

TEST(TForm1Test, SpeedWindowChangesTheSpeedAtOnce) {
  WindowFixture f;
  TForm1& w = f.w();
  w.SpeedAction()->trigger();
  auto* form = w.findChild<TFormSpeed*>();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->TrackBar()->value(), f.settings.Speed);
  form->TrackBar()->setValue(2);
  EXPECT_EQ(f.settings.Speed, 2);
  form->OkButton()->click();
}

struct SizeCase {
  int size;
  QSize client;
  QRect hand;  // ImageCards3
  QSize card;
};

class TForm1SizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(TForm1SizeTest, TableIsLaidOutForTheSize) {
  WindowFixture f(QuickSettings(), GetParam().size);
  TForm1& w = f.w();
  f.StartGame();
  EXPECT_EQ(w.size(), GetParam().client);
  EXPECT_EQ(w.Layout().Rect(Element::ImageCards3), GetParam().hand);
  EXPECT_EQ(QSize(w.Layout().Card.Width, w.Layout().Card.Height), GetParam().card);
  EXPECT_EQ(w.View().Buffer().size(), GetParam().client);
  // The table buttons lie inside the window, left of the local hand.
  for (QPushButton* button : {w.Button7(), w.Button8()}) {
    EXPECT_TRUE(QRect(QPoint(0, 0), GetParam().client).contains(button->geometry()));
    EXPECT_LT(button->geometry().right(), GetParam().hand.left());
  }
  EXPECT_LT(w.Button7()->geometry().bottom(), w.Button8()->geometry().top());
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, TForm1SizeTest,
    ::testing::Values(SizeCase{1, {760, 500}, QRect(150, 395, 460, 96), {71, 96}},
                      SizeCase{3, {990, 650}, QRect(195, 514, 598, 125), {92, 125}},
                      SizeCase{4, {1290, 850}, QRect(255, 672, 782, 163), {121, 163}},
                      SizeCase{5, {1520, 1000}, QRect(300, 790, 920, 198), {146, 198}}));

TEST(TForm1Test, FullScreenFillsTheWorkArea) {
  WindowFixture f(QuickSettings(), 2);
  f.StartGame();
  // The window with its frame fits the work area.
  const QRect area = f.w().screen()->availableGeometry();
  EXPECT_EQ(f.w().frameGeometry().size(), area.size());
  EXPECT_TRUE(area.contains(f.w().frameGeometry()));
  EXPECT_EQ(f.w().Geometry().WindowSize, 2);
}

TEST(TForm1Test, MissingModuleGivesTheMessageAndTheProgramsDeck) {
  Settings stored = QuickSettings();
  stored.CardDeck = 33;  // "Diana", from QorCards06B
  WindowFixture f(stored);
  EXPECT_TRUE(f.sink.informed.empty());  // pictures load when the intro ends
  f.w().Image1Click();
  ASSERT_EQ(f.sink.informed.size(), 1u);
  EXPECT_TRUE(f.sink.informed[0].contains(QStringLiteral("Can`t find the file")));
  EXPECT_TRUE(f.sink.informed[0].contains(QStringLiteral("QorCards06B")));
  EXPECT_EQ(f.settings.CardDeck, 0);
  // The game is dealt with the program's own deck.
  f.w().Button6()->click();
  EXPECT_FALSE(f.w().Pictures().CardImage(f.state.Hands[3][1]).isNull());
}

TEST(TForm1Test, MissingBackgroundModuleFallsBackToTheFelt) {
  Settings stored = QuickSettings();
  stored.BackgroundSet = 5;
  stored.BackgroundVariant = 3;
  WindowFixture f(stored);
  EXPECT_TRUE(f.sink.informed.empty());  // the intro shows no background: it loads when the intro ends
  f.w().Image1Click();
  ASSERT_EQ(f.sink.informed.size(), 1u);
  EXPECT_TRUE(f.sink.informed[0].contains(QStringLiteral("QorBackG03")));
  EXPECT_EQ(f.settings.BackgroundSet, 2);
  EXPECT_EQ(f.settings.BackgroundVariant, 0);
  EXPECT_FALSE(f.w().Pictures().Background().isNull());
}

#ifdef TARVEL_TESTMODULES_DIR
TEST(TForm1Test, ModulesBesideTheProgramAreUsed) {
  Settings stored = QuickSettings();
  stored.CardDeck = 1;  // "Medieval-1" from QorCards06A
  stored.BackDeck = 1;  // from QorCards06B
  stored.BackgroundSet = 1;
  stored.BackgroundVariant = 0;
  const auto copyModules = [](const QString& folder) {
    for (const char* name : {"QorCards06A.rcc", "QorCards06B.rcc", "QorBackG03.rcc"})
      QFile::copy(QStringLiteral(TARVEL_TESTMODULES_DIR "/") + QString::fromLatin1(name),
                  folder + QString::fromLatin1(name));
  };
  WindowFixture withModules(stored, 0, 1, copyModules);
  withModules.w().Image1Click();
  EXPECT_TRUE(withModules.sink.informed.empty());
  EXPECT_EQ(withModules.settings.CardDeck, 1);
  EXPECT_EQ(withModules.settings.BackDeck, 1);
  EXPECT_EQ(withModules.settings.BackgroundSet, 1);

  Settings own = QuickSettings();
  WindowFixture plain(own);
  plain.w().Image1Click();
  const CardCode ace = MakeCard(RankAce, SuitHearts);
  EXPECT_NE(withModules.w().Pictures().CardImage(ace), plain.w().Pictures().CardImage(ace));
  EXPECT_NE(withModules.w().Pictures().Background(), plain.w().Pictures().Background());
}
#endif

}  // namespace
}  // namespace tarvel
