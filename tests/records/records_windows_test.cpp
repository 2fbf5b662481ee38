// The records windows on their own, offscreen: the name dialog's checks and
// its refusal of characters the club file cannot hold, the history list,
// the end-of-game texts, member button shortening and the GIF recorder.
#include <gtest/gtest.h>
#include <gif_lib.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <vector>

#include "records/end_of_game.h"
#include "records/record_text.h"
#include "records/gif_recorder.h"
#include "records/tfhistory.h"
#include "records/tformcount.h"
#include "records/tformendgame.h"
#include "records/tformpassword.h"
#include "settings_test_support.h"

namespace tarvel {
namespace {

using testing::TempDir;

Settings InLanguage(std::uint8_t language) {
  Settings settings;
  settings.Language = language;
  return settings;
}

TEST(TFormPassword, OkChecksTheFields) {
  ClubMember anna = NewMember("Anna", "abc");
  anna.MemberSlot = 2;
  anna.MemberGames = 7;
  struct Case {
    const char* what;
    bool member;
    QString name, password, repeat;
    bool accepted;
    QString message;
  };
  const std::vector<Case> cases = {
      {"new player", false, "Boris", "pw", "pw", true, ""},
      {"empty name", false, "   ", "", "", false, "Incorrect name!"},
      {"passwords differ", false, "Boris", "pw", "px", false, "The passwords do not coincide!"},
      {"empty passwords", false, "Boris", "", "", true, ""},
      {"member, right password", true, "", "abc", "", true, ""},
      {"member, wrong password", true, "", "abd", "", false, "The incorrect password!"},
      {"member, password with a blank", true, "", "abc ", "", true, ""},
      {"member, empty password", true, "", "", "", false, "The incorrect password!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<QString> messages;
    TFormPassword dialog(Settings{}, [&](const QString& text) { messages.push_back(text); });
    if (c.member) {
      dialog.PrepareMember(anna);
      EXPECT_FALSE(dialog.Edit1()->isEnabled());
      EXPECT_EQ(dialog.Edit1()->text(), QStringLiteral("Anna"));
    } else {
      dialog.PrepareNewPlayer(QString());
      EXPECT_EQ(dialog.Edit1()->text(), QStringLiteral("Mr.X"));
      dialog.Edit1()->setText(c.name);
      dialog.Edit3()->setText(c.repeat);
    }
    dialog.Edit2()->setText(c.password);
    EXPECT_EQ(dialog.Button1Click(), c.accepted);
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted);
    EXPECT_EQ(messages, c.message.isEmpty() ? std::vector<QString>{} : std::vector<QString>{c.message});
    if (c.accepted && c.member) {
      EXPECT_EQ(dialog.Member().MemberSlot, 2);
      EXPECT_EQ(dialog.Member().MemberGames, 7);
    }
    if (c.accepted && !c.member) {
      EXPECT_EQ(dialog.Member().MemberSlot, kNewPlayerSlot);
      EXPECT_EQ(dialog.Member().MemberName, PadRight(c.name.toStdString(), 20));
      EXPECT_EQ(dialog.Member().MemberCode, EncodePassword(c.password.toStdString()));
    }
  }
}

// Types `text` into `edit` one character at a time, as a keyboard does.
void Type(QLineEdit* edit, const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(i, length));
    QApplication::sendEvent(edit, &press);
    i += length - 1;
  }
}

TEST(TFormPassword, RefusesCharactersTheClubFileCannotHold) {
  std::vector<QString> messages;
  TFormPassword dialog(InLanguage(1), [&](const QString& text) { messages.push_back(text); });
  dialog.PrepareNewPlayer(QStringLiteral("Ева"));
  EXPECT_EQ(dialog.Edit1()->text(), QStringLiteral("Ева"));
  dialog.show();
  dialog.Edit1()->setFocus();
  dialog.Edit1()->end(false);
  Type(dialog.Edit1(), QStringLiteral("ж中"));
  EXPECT_EQ(dialog.Edit1()->text(), QStringLiteral("Еваж"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], RecordsWord(WordId::CharacterNotAllowed, 1));
  dialog.Edit2()->setFocus();
  Type(dialog.Edit2(), QStringLiteral("a€é😀"));
  EXPECT_EQ(dialog.Edit2()->text(), QStringLiteral("a€"));  // é is not in Windows-1251
  EXPECT_EQ(messages.size(), 3u);
  // A name longer than 20 characters is cut by the field; one preset that
  // long falls back to "Mr.X".
  dialog.PrepareNewPlayer(QString(21, QLatin1Char('n')));
  EXPECT_EQ(dialog.Edit1()->text(), QStringLiteral("Mr.X"));
  // The network fields of a LAN game go below the name fields.
  auto* extra = new QLineEdit;
  dialog.SetExtraWidget(extra);
  EXPECT_EQ(extra->parentWidget(), &dialog);
}

TEST(TFHistory, ListsValidFilesUpToTheFirstGap) {
  TempDir dir;
  int selected = 0;
  {
    TFHistory empty(Settings{}, dir.path(), selected);
    EXPECT_EQ(empty.ListBox1()->count(), 1);
    EXPECT_EQ(empty.ListBox1()->item(0)->text(), QStringLiteral("No History Files"));
    EXPECT_FALSE(empty.ListBox1()->isEnabled());
    EXPECT_EQ(empty.SG()->rowCount(), 2);
    EXPECT_EQ(selected, -1);
  }
  const HistoryStamp stamp{"10:00", "01.01.2025"};
  HisStr entry;
  entry.HName = "\xc5\xe2\xe0";  // "Ева" in Windows-1251
  entry.Ac = 3;
  ASSERT_TRUE(AppendHistory(dir.path(), {entry, entry}, stamp));
  std::filesystem::copy_file(dir.path() / "History" / HistoryFileName(1), dir.path() / "History" / HistoryFileName(3));
  selected = 0;
  TFHistory window(InLanguage(1), dir.path(), selected);
  EXPECT_EQ(window.ListBox1()->count(), 1);  // file 3 stands after the gap
  EXPECT_EQ(selected, 1);
  EXPECT_EQ(window.SG()->rowCount(), 3);
  EXPECT_EQ(window.SG()->item(1, 2)->text().trimmed(), QStringLiteral("Ева"));
  EXPECT_EQ(window.SG()->item(1, 6)->text(), RecordsWord(WordId::HistoryKinds, 1, 3));
  EXPECT_EQ(window.SG()->item(1, 5)->text(), QStringLiteral("      0,00"));
}

TEST(TFormEndGame, TextsAndSoundsByPlace) {
  struct Case {
    int place;
    bool network;
    QString first, fourth, third;
    std::string_view sound;
  };
  for (const Case& c : std::vector<Case>{
           {1, false, "CONGRATULATIONS!!!", "You become a Master of the Order!", "Result: 900", "WFiBest"},
           {1, true, "CONGRATULATIONS!!!", "You become a Bachelor of the Order!", "Result: 900", "WFiBest"},
           {10, false, "CONGRATULATIONS!!!", "You have hitted in top ten players!", "Result: 900", "WFiGood"},
           {0, false, "Our regrets...", "You have not hitted in ten best players...", "Result: 900", "WFiBads"},
           {12, false, "Our regrets...", "You have not hitted in ten best players...", "Result: 900 ; Place: 12",
            "WFiBads"},
       }) {
    const EndGameText text = EndGameTextFor(0, c.place, 900, c.network);
    EXPECT_EQ(text.lines[0], c.first) << c.place;
    EXPECT_EQ(text.lines[2], c.third) << c.place;
    EXPECT_EQ(text.lines[3], c.fourth) << c.place;
    EXPECT_EQ(text.sound, c.sound) << c.place;
  }
  TFormEndGame window(0, 1, 900, false);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("The completion of game"));
  window.SetAccountGame();
  EXPECT_EQ(window.Text().lines[3], QStringLiteral("You become the Vice-President of the order!"));
  TFormEndGame second(0, 2, 900, false);
  second.SetAccountGame();
  EXPECT_EQ(second.Text().lines[3], QStringLiteral("You have hitted in top ten players!"));
}

TEST(MemberButtonCaption, LongTextsLoseCharactersFromPosition20) {
  const std::string line = MemberLine("Alexandra Petrovna K", 1.0, 3, 50, EncodePassword(""));
  const auto chars = [](const QString& text) { return static_cast<int>(text.size()); };
  struct Case {
    int maxWidth;
    QString want;
  };
  const QString tail = QStringLiteral("      3        50");
  for (const Case& c : std::vector<Case>{
           {38, QStringLiteral("Alexandra Petrovna K") + tail},  // 37 wide: fits
           {37, QStringLiteral("Alexandra Petrov...") + tail},   // 'K' cut: "..." before the cut
           {36, QStringLiteral("Alexandra Petro...") + tail},    // 'K' and the blank cut
           {10, QStringLiteral("A...") + tail},                  // at most down to position 5
       })
    EXPECT_EQ(MemberButtonCaption(line, 1, chars, c.maxWidth), c.want) << c.maxWidth;
  // Blanks and '#' are cut without "...".
  const QString empty = MemberButtonCaption(EmptyMemberLine(), 1, chars, 36);
  EXPECT_EQ(empty, QString(18, QLatin1Char('#')) + QStringLiteral("    ###    ######"));
}

// A table picture whose colour the test changes at will.
struct Table {
  QImage picture{40, 30, QImage::Format_RGB32};
  Table() { picture.fill(Qt::green); }
};

int ReadDelays(const std::filesystem::path& file, std::vector<int>& delays) {
  int error = 0;
  GifFileType* gif = DGifOpenFileName(file.c_str(), &error);
  if (gif == nullptr || DGifSlurp(gif) != GIF_OK) return -1;
  for (int i = 0; i < gif->ImageCount; ++i) {
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(gif, i, &control);
    delays.push_back(control.DelayTime * 10);
  }
  const int count = gif->ImageCount;
  DGifCloseFile(gif, &error);
  return count;
}

TEST(GifRecorder, UnchangedTableAddsNoFrameAndADealKeeps250) {
  TempDir dir;
  Table table;
  GifRecorder recorder([&] { return table.picture; });
  recorder.Start(dir.path(), 300);
  EXPECT_EQ(recorder.Frames(), 1);
  for (int i = 0; i < 5; ++i) recorder.TimerGIFTimer();
  EXPECT_EQ(recorder.Frames(), 1);
  table.picture.fill(Qt::red);
  recorder.TimerGIFTimer();
  EXPECT_EQ(recorder.Frames(), 2);
  const std::filesystem::path first = recorder.Save();
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first.parent_path().filename(), "GIFGame");
  std::vector<int> delays;
  EXPECT_EQ(ReadDelays(first, delays), 2);
  EXPECT_EQ(delays, (std::vector<int>{300, 5000}));
  EXPECT_FALSE(recorder.Recording());
  EXPECT_TRUE(recorder.Save().empty());

  // 300 different tables: the first 250 are kept.
  std::filesystem::remove(first);
  recorder.Start(dir.path(), 100);
  for (int i = 0; i < 300; ++i) {
    table.picture.setPixel(i % 40, i / 40, qRgb(i % 256, 0, 0));
    recorder.TimerGIFTimer();
  }
  EXPECT_EQ(recorder.Frames(), 250);
  delays.clear();
  EXPECT_EQ(ReadDelays(recorder.Save(), delays), 250);
  EXPECT_EQ(delays.back(), 5000);
  // No partial file is left beside the finished ones.
  for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "GIFGame"))
    EXPECT_EQ(entry.path().extension(), ".gif");
}

// A main window stand-in: records messages, sounds and the windows shown.
class RecordingHost : public RecordsHost {
 public:
  QWidget* HostWindow() override { return nullptr; }
  void Inform(const QString& text) override { informed.push_back(text); }
  void PlayRecordsSound(std::string_view name) override { sounds.emplace_back(name); }
  int RunModal(QDialog& dialog) override {
    shown.push_back(QString::fromLatin1(dialog.metaObject()->className()));
    if (auto* end = qobject_cast<TFormEndGame*>(&dialog)) endLines.push_back(end->Text().lines[2]);
    if (auto* count = qobject_cast<TFormCount*>(&dialog)) countValues.push_back(count->Value(2));
    return QDialog::Accepted;
  }
  std::vector<QString> informed, shown, endLines, countValues;
  std::vector<std::string> sounds;
};

MatchState FinishedState(std::int32_t kon, std::int32_t result, std::int32_t scoreBefore) {
  MatchState state;
  state.PlayerKon = kon;
  state.GameResult = result;
  state.PlayerScore = scoreBefore;
  state.NewScore = scoreBefore + result;
  return state;
}

// The 29th, 30th and 31st games of a member: only the 30th ends a cycle,
// shows the end-of-game window with the club place and hands the cycle's
// score to the world top ten hook; the others play the result sound.
TEST(FinishGame, CycleEndsShowTheEndOfGameWindow) {
  TempDir dir;
  ASSERT_TRUE(InstallClubFiles(dir.path(), dir.path()));
  RecordingHost host;
  std::vector<std::int64_t> worldEntries;
  int reports = 0;
  FinishGameHooks hooks;
  hooks.reportGame = [&](const FinishedGame&, const StoredGame&) { ++reports; };
  hooks.enterWorldTopTen = [&](std::int64_t score) { worldEntries.push_back(score); };
  ClubMember member = NewMember("Zoe", "");
  struct Step {
    std::int32_t kon, result;
    std::vector<std::string> sounds;
    std::vector<QString> shown;
  };
  for (const Step& step : std::vector<Step>{{29, 200, {"WKoGood"}, {}},
                                            {30, -100, {"WFiBest"}, {"tarvel::TFormEndGame"}},
                                            {31, 0, {}, {}}}) {
    SCOPED_TRACE(step.kon);
    host.sounds.clear();
    host.shown.clear();
    member.MemberGames = step.kon - 1;
    member.MemberScore = 500;
    FinishGame(host, 0, dir.path(), FinishedState(step.kon, step.result, 500), member, hooks);
    EXPECT_EQ(host.sounds, step.sounds);
    EXPECT_EQ(host.shown, step.shown);
    member = FindMember(ReadClubFile(dir.path() / "Tarvel.clb").lines, "Zoe");
  }
  EXPECT_EQ(host.endLines, std::vector<QString>{QStringLiteral("Result: 400")});
  EXPECT_EQ(worldEntries, std::vector<std::int64_t>{400});
  EXPECT_EQ(reports, 3);
  EXPECT_TRUE(host.informed.empty());
  EXPECT_EQ(CheckHistoryFile(dir.path(), 1).records, 3);

  // The game information window counts the game in its cycle.
  ShowGameResults(host, Settings{}, QStringLiteral("Zoe"), ResultsFigures{60, 30, 0.5, 100, 0, false});
  EXPECT_EQ(host.countValues, std::vector<QString>{QStringLiteral("30")});
}

TEST(FinishGame, FilesThatCannotBeWrittenAreReported) {
  TempDir dir;
  ASSERT_TRUE(InstallClubFiles(dir.path(), dir.path()));
  // Folders where the history file and the club's ".bad" copy would go.
  std::filesystem::create_directories(dir.path() / "History" / HistoryFileName(1) / "x");
  std::filesystem::create_directories(dir.path() / "History" / (HistoryFileName(1) + ".bad") / "y");
  std::ofstream(dir.path() / "Tarvel.clb") << "damaged";
  std::filesystem::create_directories(dir.path() / "Tarvel.clb.bad" / "z");
  RecordingHost host;
  const StoredGame stored =
      FinishGame(host, 0, dir.path(), FinishedState(1, 100, 0), NewMember("Zoe", ""), FinishGameHooks{});
  EXPECT_FALSE(stored.historyWritten);
  EXPECT_EQ(stored.club, ClubWrite::DiskError);
  EXPECT_EQ(host.informed, (std::vector<QString>{QStringLiteral("Cann`t save history!"),
                                                 QStringLiteral("Error of disk writing!")}));
}

// Start-up: a new data folder gets both club files; a missing one (beside
// the other) or a damaged one stops the start with the full path.
TEST(CheckClubFiles, FirstStartAndMissingOrDamagedFiles) {
  TempDir dir;
  RecordingHost host;
  EXPECT_TRUE(CheckClubFiles(host, 0, dir.path(), dir.path() / "program"));
  EXPECT_TRUE(host.informed.empty());
  EXPECT_EQ(ReadClubFile(dir.path() / "Tarvel.net").state, ClubState::Valid);
  std::filesystem::remove(dir.path() / "Tarvel.net");
  EXPECT_FALSE(CheckClubFiles(host, 0, dir.path(), dir.path() / "program"));
  ASSERT_EQ(host.informed.size(), 1u);
  EXPECT_EQ(host.informed[0], QStringLiteral("Can`t find the file \"") +
                                  QString::fromStdString((dir.path() / "Tarvel.net").string()) + QStringLiteral("\"!"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Tarvel.net"));
}

}  // namespace
}  // namespace tarvel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
