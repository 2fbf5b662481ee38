// The records in the real main window, offscreen: a new player plays a whole
// game, "Exit to menu" stores it, the member appears on the menu, logs in
// again with the password, and the history window lists the file; the
// start-up check stops the program on a damaged club file without touching
// it; deals are recorded as GIFs.
#include <gtest/gtest.h>
#include <gif_lib.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/autoplay.h"
#include "lan/net_fields.h"
#include "records/club_file.h"
#include "records/history_file.h"
#include "records/tfhistory.h"
#include "window_fixture.h"

namespace tarvel {
namespace {

using testing::PlayToSummedEnd;
using testing::QuickSettings;
using testing::WindowFixture;

std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(RecordsFlow, NewPlayerGameIsStoredAndTheMemberLogsInAgain) {
  WindowFixture f;
  TForm1& w = f.w();
  const std::filesystem::path data = f.folder.toStdString();
  f.prepareDialog = [](TFormPassword& d) {
    d.Edit1()->setText(QStringLiteral("Anna"));
    d.Edit2()->setText(QStringLiteral("abc"));
    d.Edit3()->setText(QStringLiteral("abc"));
  };
  w.Image1Click();
  // The first menu: five empty member rows under their header.
  EXPECT_TRUE(w.MemberButton(5)->isVisible());
  EXPECT_TRUE(w.Panel4()->text().contains(QStringLiteral("The members of club")));
  EXPECT_TRUE(w.MemberButton(1)->text().startsWith(QStringLiteral("####")));
  w.MemberButton(1)->click();  // an empty row does nothing
  EXPECT_TRUE(f.dialogs.empty());

  w.Button6()->click();
  ASSERT_EQ(f.dialogs, std::vector<QString>{QStringLiteral("tarvel::TFormPassword")});
  EXPECT_EQ(f.state.PlayerName, "Anna");
  EXPECT_EQ(f.state.PlayerKon, 1);
  PlayToSummedEnd(w);
  EXPECT_EQ(f.dialogs.back(), QStringLiteral("tarvel::TFormCount"));
  const std::int32_t result = f.state.GameResult;
  w.Button8()->click();
  ASSERT_TRUE(w.MenuShown());

  const HistoryFileInfo history = CheckHistoryFile(data, 1);
  EXPECT_TRUE(history.valid);
  EXPECT_EQ(history.records, 1);
  const ClubRead club = ReadClubFile(data / "Tarvel.clb");
  ASSERT_EQ(club.state, ClubState::Valid);
  EXPECT_EQ(club.lines[0].substr(0, 20), "Anna                ");
  EXPECT_EQ(MemberTotalGames(club.lines[0]), 1);
  EXPECT_EQ(MemberCycleScore(club.lines[0]), result);
  EXPECT_TRUE(w.MemberButton(1)->text().startsWith(QStringLiteral("Anna")));
  EXPECT_TRUE(w.MemberButton(1)->text().endsWith(QString::number(result)));
  w.BModeClick();
  EXPECT_TRUE(w.MemberButton(1)->text().contains(QStringLiteral("      1  ")));
  EXPECT_TRUE(w.Panel4()->text().contains(QStringLiteral("Rating")));

  // The history window lists the file and shows its one game.
  f.inspectDialog = [](QDialog& dialog) {
    auto* history = qobject_cast<TFHistory*>(&dialog);
    ASSERT_NE(history, nullptr);
    ASSERT_EQ(history->ListBox1()->count(), 1);
    EXPECT_TRUE(history->ListBox1()->item(0)->text().startsWith(QStringLiteral("File I0001 ")));
    EXPECT_EQ(history->SG()->rowCount(), 2);
    EXPECT_EQ(history->SG()->item(0, 2)->text(), QStringLiteral("Player"));
    EXPECT_EQ(history->SG()->item(1, 2)->text().trimmed(), QStringLiteral("Anna"));
    EXPECT_EQ(history->SG()->item(1, 6)->text(), QStringLiteral("Local"));
  };
  w.BHistoryClick();
  EXPECT_EQ(f.dialogs.back(), QStringLiteral("tarvel::TFHistory"));
  f.inspectDialog = nullptr;

  // The member logs in: a wrong password is refused, the right one plays
  // the second game.
  f.prepareDialog = [](TFormPassword& d) {
    EXPECT_FALSE(d.Edit1()->isEnabled());
    EXPECT_EQ(d.Edit1()->text(), QStringLiteral("Anna"));
    d.Edit2()->setText(QStringLiteral("abd"));
  };
  w.MemberButton(1)->click();
  EXPECT_TRUE(w.MenuShown());
  EXPECT_EQ(f.sink.informed.back(), QStringLiteral("Tarvel | The incorrect password!"));
  f.prepareDialog = [](TFormPassword& d) { d.Edit2()->setText(QStringLiteral("abc")); };
  w.MemberButton(1)->click();
  EXPECT_TRUE(w.TableShown());
  EXPECT_EQ(f.state.PlayerKon, 2);
  EXPECT_EQ(f.state.PlayerScore, result);
  // "General score" shows the game information window during the game.
  w.Button7Click();  // "To Begin"
  w.GenCountClick();
  EXPECT_EQ(f.dialogs.back(), QStringLiteral("tarvel::TFormCount"));

  // During the game the member takes a new name and password: the club
  // line keeps its figures under them.
  f.prepareDialog = [](TFormPassword& d) {
    d.Edit1()->setText(QStringLiteral("Anya"));
    d.Edit2()->setText(QStringLiteral("x"));
    d.Edit3()->setText(QStringLiteral("x"));
  };
  w.ChangeNameClick();
  EXPECT_EQ(f.sink.informed.back(),
            QStringLiteral("Tarvel | Your name and/or the password were successfully changed! Anya"));
  const ClubRead renamed = ReadClubFile(data / "Tarvel.clb");
  EXPECT_EQ(renamed.lines[0].substr(0, 20), "Anya                ");
  EXPECT_EQ(renamed.lines[0].substr(44), EncodePassword("x"));
  EXPECT_EQ(renamed.lines[0].substr(20, 24), club.lines[0].substr(20, 24));
  EXPECT_EQ(f.state.SeatNames[3], "Anya");
}

// With "Multiplayer" the name dialog carries the network fields, and the
// member rows come from the network club file; without it neither.
TEST(RecordsFlow, MultiplayerAddsTheNetworkFieldsToTheNameDialog) {
  for (const bool net : {false, true}) {
    SCOPED_TRACE(net);
    Settings stored = testing::QuickSettings();
    stored.NetGame = net;
    WindowFixture f(stored);
    f.w().Image1Click();
    bool hasFields = false;
    f.prepareDialog = [&](TFormPassword& dialog) {
      hasFields = dialog.findChild<lan::NetFields*>() != nullptr;
      dialog.Edit1()->clear();  // refused before any connection is opened
    };
    f.w().Button6()->click();
    EXPECT_EQ(hasFields, net);
    EXPECT_FALSE(f.w().TableShown());
    EXPECT_TRUE(f.w().MenuShown());
  }
}

TEST(RecordsFlow, DamagedClubFileStopsTheStartAndStaysAsItWas) {
  const std::string damaged = FormatClub(EmptyClub("std")).replace(5, 1, "x");
  WindowFixture f(QuickSettings(), 0, 1, [&](const QString& folder) {
    const std::filesystem::path data = folder.toStdString();
    std::ofstream(data / "Tarvel.clb", std::ios::binary) << damaged;
    std::ofstream(data / "Tarvel.net", std::ios::binary) << FormatClub(EmptyClub("std"));
  });
  EXPECT_FALSE(f.w().StartUp());
  ASSERT_EQ(f.sink.informed.size(), 1u);
  const QString message = f.sink.informed[0];
  EXPECT_TRUE(message.contains(QStringLiteral("The incorrect file \"") + f.folder + QStringLiteral("Tarvel.clb\"!")))
      << message.toStdString();
  EXPECT_TRUE(message.contains(QStringLiteral("Move this file away")));
  EXPECT_EQ(FileBytes(std::filesystem::path(f.folder.toStdString()) / "Tarvel.clb"), damaged);
}

TEST(RecordsFlow, EachDealIsRecordedAsAGif) {
  WindowFixture f;
  TForm1& w = f.w();
  // As the options dialog sets them (the settings file keeps them only
  // with a passport).
  f.settings.SaveGif = true;
  f.settings.GifDelay = 100;
  f.StartGame();
  EXPECT_TRUE(w.Gif().Recording());
  EXPECT_EQ(w.Gif().TimerGIF().interval(), 100);
  PlayToSummedEnd(w);
  EXPECT_FALSE(w.Gif().Recording());
  const std::filesystem::path gifs = std::filesystem::path(f.folder.toStdString()) / "GIFGame";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(gifs)) {
    ++files;
    EXPECT_EQ(entry.path().extension(), ".gif");
    int error = 0;
    GifFileType* gif = DGifOpenFileName(entry.path().c_str(), &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    EXPECT_GE(gif->ImageCount, 1);
    EXPECT_LE(gif->ImageCount, 250);
    EXPECT_EQ(gif->SWidth, w.width());
    GraphicsControlBlock last{};
    DGifSavedExtensionToGCB(gif, gif->ImageCount - 1, &last);
    EXPECT_EQ(last.DelayTime, 500);
    DGifCloseFile(gif, &error);
  }
  // Deals of the same second share a name; at least one file per game.
  EXPECT_GE(files, 1);
}

}  // namespace
}  // namespace tarvel
