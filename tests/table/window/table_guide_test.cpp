// The newcomer's guide on the real window offscreen: a whole game played
// with the keyboard alone (a refused card by key changes nothing), the cues
// and the turn marker, the balloons that explain the table, and every new
// text in all ten languages fitting its place at every window size.
#include "table/window/table_guide.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QHelpEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <set>

#include "engine/rules.h"
#include "table/deal_explanation.h"
#include "widgets/balloon_hint.h"
#include "widgets/word_text.h"
#include "window_fixture.h"

namespace tarvel {
namespace {

using testing::WindowFixture;

bool Legal(const MatchState& s, int slot) { return s.TrickPos == 1 || !IsIllegalCard(s, slot); }

// The turn field of a seat's board as shown.
QImage TurnField(TForm1& w, int seat) {
  const Scale& f = w.Layout().Factors;
  const QRect field(QPoint(ScaleSize(f, 15), ScaleSize(f, 50)), QPoint(ScaleSize(f, 50) - 1, ScaleSize(f, 81) - 1));
  return w.View().ElementPicture(static_cast<Element>(static_cast<int>(Element::ImageTab1) + seat - 1)).copy(field);
}

void Key(TForm1& w, Qt::Key key) { QTest::keyClick(&w, key); }

TEST(TableGuide, WholeGamePlayedWithTheKeyboardOnly) {
  WindowFixture f;
  TForm1& w = f.w();
  Key(w, Qt::Key_Space);  // any key leaves the intro
  ASSERT_TRUE(w.MenuShown());
  Key(w, Qt::Key_Return);  // "New Player" has the focus
  ASSERT_TRUE(w.TableShown());
  const MatchState& s = f.state;
  bool refusedTried = false;
  bool buttonFocusTried = false;
  int dealsExplained = 0;
  for (int guard = 0; guard < 3000 && !s.GameSummed; ++guard) {
    if (s.DealStage == StagePlaying && (s.Turn == 1 || s.Turn == 2)) {
      w.Timer1Timer();  // the computer's time, not a key
      continue;
    }
    if (s.DealStage == StagePlaying && s.Turn == 3) {
      w.Guide().RefreshNow();
      // The cues: exactly the playable cards glow; the marker is on seat 3.
      for (int slot = 1; slot <= s.HandCount[3]; ++slot)
        ASSERT_EQ(w.Guide().Cues().playable[static_cast<std::size_t>(slot)], Legal(s, slot)) << slot;
      ASSERT_EQ(TurnField(w, 1), TurnField(w, 2));
      ASSERT_NE(TurnField(w, 3), TurnField(w, 1));
      if (!refusedTried && s.TrickPos >= 2) {
        for (int slot = 1; slot <= s.HandCount[3] && !refusedTried; ++slot) {
          if (Legal(s, slot)) continue;
          const MatchState before = s;
          const std::size_t sounds = f.sound.played.size();
          Key(w, static_cast<Qt::Key>(Qt::Key_0 + slot));
          EXPECT_EQ(s, before) << "a refused card changed the game";
          ASSERT_EQ(f.sound.played.size(), sounds + 1);
          EXPECT_EQ(f.sound.played.back(), QStringLiteral("WWrongs"));
          w.Guide().RefreshNow();
          EXPECT_EQ(w.Guide().Cues().refused, slot);
          EXPECT_EQ(w.Guide().Note()->Text(), RefusalLine(s, slot, kLanguageEnglish));
          refusedTried = true;
        }
      }
      // Left to the first card, then Right until the focus is on a legal one.
      for (int i = 0; i < 8; ++i) Key(w, Qt::Key_Left);
      ASSERT_EQ(w.Guide().Focus(), 1);
      for (int i = 0; i < 8 && !Legal(s, w.Guide().Focus()); ++i) Key(w, Qt::Key_Right);
      ASSERT_TRUE(Legal(s, w.Guide().Focus()));
      w.Guide().RefreshNow();
      EXPECT_EQ(w.Guide().Cues().focus, w.Guide().Focus());
      // S speaks the focused card, as a right click does.
      const std::size_t spoken = f.sound.spoken.size();
      Key(w, Qt::Key_S);
      ASSERT_EQ(f.sound.spoken.size(), spoken + 1);
      EXPECT_EQ(f.sound.spoken.back(), s.Hands[3][static_cast<std::size_t>(w.Guide().Focus())]);
      const int cards = s.HandCount[3];
      Key(w, Qt::Key_Return);
      ASSERT_EQ(s.HandCount[3], cards - 1) << "Enter did not play the focused card";
      continue;
    }
    if (s.Turn == TurnNextDeal || s.Turn == TurnGameOver) {
      if (w.Guide().Note()->Text() != DealEndLine(DealFiguresOf(s), kLanguageEnglish)) {
        ADD_FAILURE() << "deal " << s.DealNo << ": " << w.Guide().Note()->Text().toStdString();
      }
      ++dealsExplained;
    }
    const MatchState before = s;
    if (s.Turn == TurnTrickComplete && !buttonFocusTried && s.HandCount[3] >= 2) {
      // With the focused "OK" the arrows still walk the hand, and the button
      // keeps Enter.
      for (int i = 0; i < 8; ++i) Key(w, Qt::Key_Left);
      ASSERT_EQ(w.Guide().Focus(), 1);
      w.Button7()->setFocus();
      for (int i = 0; i < 8; ++i) QTest::keyClick(w.Button7(), Qt::Key_Right);
      EXPECT_EQ(w.Guide().Focus(), s.HandCount[3]);
      QTest::keyClick(w.Button7(), Qt::Key_Return);
      buttonFocusTried = true;
    } else {
      Key(w, Qt::Key_Return);  // "To Begin", "OK", "Next Round", "To sum up of game"
    }
    ASSERT_NE(s, before) << "Enter did nothing at Turn " << int(s.Turn);
  }
  ASSERT_TRUE(s.GameSummed);
  EXPECT_TRUE(refusedTried) << "no deal offered an illegal card";
  EXPECT_TRUE(buttonFocusTried);
  EXPECT_GE(dealsExplained, 2);
  EXPECT_TRUE(w.Guide().Note()->Text().endsWith(GameEndLine(s.GameResult, kLanguageEnglish)));
  Key(w, Qt::Key_Return);  // "Exit to menu" stores the game
  EXPECT_TRUE(w.MenuShown());
  EXPECT_FALSE(w.Guide().Note()->isVisible());
}

TEST(TableGuide, AKeyPressedDuringAFlightActsWhenTheCardHasLanded) {
  Settings flying = testing::QuickSettings();
  flying.FlyCards = true;
  WindowFixture f(flying);
  TForm1& w = f.w();
  f.StartGame();
  w.Button7()->click();
  w.Timer1Timer();  // seat 1 leads
  f.settings.Speed = 1;  // seat 2's card flies slowly enough to press a key
  bool pressed = false;
  QTimer probe;
  probe.setInterval(5);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    if (!w.Flying() || pressed) return;
    pressed = true;
    const MatchState during = f.state;
    Key(w, Qt::Key_1);
    EXPECT_EQ(f.state, during) << "the key acted in the middle of the flight";
  });
  probe.start();
  w.Timer1Timer();  // seat 2 follows; then it is the local player's turn
  probe.stop();
  ASSERT_TRUE(pressed) << "the flight ended before the probe ran";
  ASSERT_EQ(f.state.Turn, 3);
  const std::size_t sounds = f.sound.played.size();
  w.Guide().RefreshNow();
  // Slot 1 is played now, or refused now when it may not be played.
  const bool played = f.state.HandCount[3] == 7;
  const bool refused = f.sound.played.size() == sounds + 1 && f.sound.played.back() == QStringLiteral("WWrongs");
  EXPECT_TRUE(played != refused);
}

TEST(TableGuide, BalloonsExplainTheBoardsTheTrumpCardAndTheRoundPanel) {
  WindowFixture f;
  TForm1& w = f.w();
  f.StartGame();
  const auto hintAt = [&](QPoint at) -> const BalloonHint* {
    BalloonHint::CloseCurrent();
    QHelpEvent help(QEvent::ToolTip, at, w.mapToGlobal(at));
    QCoreApplication::sendEvent(&w, &help);
    return BalloonHint::Current();
  };
  const Scale& scale = w.Layout().Factors;
  const QRect board3 = w.Layout().BoardRect(3);
  const BalloonHint* taken = hintAt(board3.topLeft() + QPoint(ScaleSize(scale, 77), ScaleSize(scale, 30)));
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->Title(), QStringLiteral("You"));
  EXPECT_EQ(taken->Text(), WordText(WordId::HintTaken, kLanguageEnglish));
  const BalloonHint* points = hintAt(w.Layout().BoardRect(1).topLeft() + QPoint(ScaleSize(scale, 77), ScaleSize(scale, 65)));
  ASSERT_NE(points, nullptr);
  EXPECT_EQ(points->Title(), QStringLiteral("The left player"));
  EXPECT_EQ(points->Text(), QStringLiteral("Game points of this game. The game ends when a player has 10."));
  const BalloonHint* round = hintAt(w.Layout().Rect(Element::ImageKon).center());
  ASSERT_NE(round, nullptr);
  EXPECT_TRUE(round->Text().startsWith(w.CounterHint()));
  EXPECT_TRUE(round->Text().endsWith(WordText(WordId::HintRoundPanel, kLanguageEnglish).arg(10)));
  // Seat 1 leads the first deal of a new player: its trump card lies face up.
  ASSERT_EQ(f.state.Turn, 1);
  const QRect hand1 = w.Layout().HandRect(1);
  int trumpSlot = 0;
  for (int slot = 1; slot <= 8; ++slot)
    if (f.state.Hands[1][static_cast<std::size_t>(slot)].suit == f.state.Trump) trumpSlot = slot;
  ASSERT_NE(trumpSlot, 0);
  bool found = false;
  for (int x = hand1.left(); x < hand1.right() && !found; x += 3) {
    const BalloonHint* hint = hintAt(QPoint(x, hand1.center().y()));
    found = hint != nullptr && hint->Text() == WordText(WordId::HintTrumpCard, kLanguageEnglish);
    if (found) {
      EXPECT_EQ(hint->Title(), QStringLiteral("Trump"));
    }
  }
  EXPECT_TRUE(found) << "no balloon over the face-up trump card";
  // Once seat 1 has played, its hand is all backs again: no trump balloon.
  w.Button7()->click();
  w.Timer1Timer();
  for (int x = hand1.left(); x < hand1.right(); x += 3) {
    const BalloonHint* hint = hintAt(QPoint(x, hand1.center().y()));
    ASSERT_TRUE(hint == nullptr || hint->Text() != WordText(WordId::HintTrumpCard, kLanguageEnglish)) << x;
  }
  BalloonHint::CloseCurrent();
}

TEST(TableGuide, TheIntroTellsAfterThreeSecondsThatAClickOrKeyBegins) {
  WindowFixture f;
  TForm1& w = f.w();
  // The intro stands in the middle of the screen, as the menu does.
  const QRect screen = w.screen()->geometry();
  EXPECT_EQ(w.frameGeometry().topLeft(), screen.topLeft() + CentredOnScreen(screen.size(), w.frameGeometry().size()));
  const QRect band(0, IntroScreen::kHintTop, IntroScreen::kWidth, 24);
  const auto lit = [&] {
    const QImage part = w.Intro().Frame().copy(band);
    for (int y = 0; y < part.height(); ++y)
      for (int x = 0; x < part.width(); ++x)
        if (qGray(part.pixel(x, y)) > 40) return true;
    return false;
  };
  for (long long tick = w.Intro().Ticks(); tick < IntroScreen::kHintTicks - 1; ++tick) w.ShowIntro(true);
  EXPECT_FALSE(lit());
  w.ShowIntro(true);
  EXPECT_TRUE(lit());
}

// The placeholders %1.. of a text, to compare languages with English.
std::set<QString> Placeholders(const QString& text) {
  std::set<QString> found;
  for (int i = 0; i + 1 < text.size(); ++i)
    if (text[i] == QLatin1Char('%') && text[i + 1].isDigit()) found.insert(text.mid(i, 2));
  return found;
}

TEST(TableGuide, EveryNewTextInEveryLanguageFitsItsPlaceAtEverySize) {
  const WordId newWords[] = {WordId::SeatPhrase,      WordId::DealEndClosed,   WordId::DealEndMarriage,
                             WordId::DealEndMost,     WordId::DealEndTwoMost,  WordId::DealEndAllEqual,
                             WordId::DealEndDeadHeat, WordId::DealEndGamePoints, WordId::DealEndYouTook,
                             WordId::DealEndLine,     WordId::GameEndLine,     WordId::HintTaken,
                             WordId::HintGamePoints,  WordId::HintDealResult,  WordId::HintTurn,
                             WordId::HintTrumpCard,   WordId::HintRoundPanel,  WordId::RefusedFollow,
                             WordId::RefusedTrump,    WordId::YourTurn,        WordId::IntroClickToBegin};
  for (WordId id : newWords) {
    for (int row = 0; row < WordRows(id); ++row) {
      const QString english = WordText(id, kLanguageEnglish, row);
      for (int language = 0; language < kLanguageCount; ++language) {
        const QString text = WordText(id, language, row);
        EXPECT_FALSE(text.isEmpty()) << WordName(id) << " row " << row << " language " << language;
        EXPECT_EQ(Placeholders(text), Placeholders(english)) << WordName(id) << " row " << row << " language " << language;
      }
    }
  }

  // The longest notes: every kind of deal end from both sides, and the last
  // deal's line with the game's outcome below it.
  DealFigures lost;
  lost.taken = {0, 69, 0, 0};
  lost.result = {0, 3, 0, 0};
  lost.marriageEnd = true;
  DealFigures twoTop;
  twoTop.taken = {0, 45, 30, 45};
  twoTop.result = {0, 1, 0, 1};
  twoTop.allPlayed = true;
  DealFigures most = twoTop;
  most.taken = {0, 50, 40, 30};
  most.result = {0, 1, 0, 0};
  DealFigures deadHeat = most;
  deadHeat.result = {};
  deadHeat.deadHeat = true;
  DealFigures equal = twoTop;
  equal.taken = {0, 40, 40, 40};
  equal.result = {};

  WindowFixture f;
  NoteBox box(&f.w(), f.settings);
  for (int size = 1; size <= 5; ++size) {
    const WindowGeometry geometry = GeometryForWindowSize(size, QSize(1600, 1000));
    box.Place(ScaledRect(geometry.Factors, NoteBoxRect()), ScaleSize(geometry.Factors, 15));
    for (int language = 0; language < kLanguageCount; ++language) {
      MatchState refusal;
      const QStringList notes = {DealEndLine(lost, language) + QLatin1Char('\n') + GameEndLine(-900, language),
                                 DealEndLine(twoTop, language) + QLatin1Char('\n') + GameEndLine(1200, language),
                                 DealEndLine(most, language),
                                 DealEndLine(deadHeat, language),
                                 DealEndLine(equal, language),
                                 WordText(WordId::RefusedTrump, language),
                                 WordText(WordId::YourTurn, language)};
      for (const QString& note : notes) {
        box.SetText(note);
        const QFontMetrics metrics(box.TextFont());
        const QRect need = metrics.boundingRect(box.TextArea(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, note);
        EXPECT_TRUE(box.TextArea().contains(need)) << "size " << size << ": " << note.toStdString();
        // Readable: never below 10 pixels, and growing with the window.
        EXPECT_GE(box.TextFont().pixelSize(), std::max(10, ScaleSize(geometry.Factors, 10)))
            << "size " << size << ": " << note.toStdString();
      }
    }
  }
}

TEST(TableGuide, TheRoundPanelKeepsItsTextInsideTheCreamArea) {
  for (int size : {1, 3, 4, 5}) {
    WindowFixture f(testing::QuickSettings(), size);
    TForm1& w = f.w();
    f.StartGame();
    f.state.DealNo = 12;
    const Scale& scale = w.Layout().Factors;
    for (int language = 0; language < kLanguageCount; ++language) {
      f.settings.Language = static_cast<std::uint8_t>(language);
      w.LoadDeck();  // redraws the table, the counter with "Round: 12"
      const QImage panel = w.View().ElementPicture(Element::ImageKon);
      const int margin = ScaleSize(scale, 10);
      for (int y = ScaleSize(scale, 15); y < ScaleSize(scale, 85); ++y) {
        for (int x : {margin - 1, panel.width() - margin}) {
          const QColor c = panel.pixelColor(x, y);
          // Neither the blue round nor the green trump word reaches the edge.
          const bool blue = c.blue() > 150 && c.red() < 90 && c.green() < 90;
          const bool green = c.green() > 90 && c.red() < 60 && c.blue() < 60;
          ASSERT_FALSE(blue || green) << "size " << size << " language " << language << " at " << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace tarvel
