// The lobby and the tournament top ten offscreen against the real services
// program: places taken and given up by several copies, the table
// connection opened and left, the lobby that cannot be closed while a place
// is held, and a services program that cannot be reached.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QRadioButton>

#include "lobby_fixture.h"
#include "online/tournament/tform_tour_top_ten.h"
#include "services_fixture.h"
#include "widgets/word_text.h"

namespace tarvel::testing {
namespace {

using services::testing::FreePort;
using services::testing::Services;

QString Word(WordId id) { return WordText(id, kLanguageEnglish); }

// "caption" or "caption (disabled)" of a place button.
QString Shown(const TFormTour& lobby, int table, int place) {
  const TQorCardsButton* button = lobby.PlaceButton(table, place);
  return button->text() + (button->isEnabled() ? QString() : QStringLiteral(" (disabled)"));
}

QString Disabled(WordId id) { return Word(id) + QStringLiteral(" (disabled)"); }

TEST(LobbyWindow, PlacesTakenAndGivenUp) {
  Services services;
  LobbyCopy ann(services.process.Base(), "Ann", 'W');
  LobbyCopy bob(services.process.Base(), "Bob");
  LobbyCopy cid(services.process.Base(), "Cid");
  auto annLobby = ann.Open();
  auto bobLobby = bob.Open();

  EXPECT_EQ(annLobby->windowTitle(), Word(WordId::WorldOnlineTournament));
  EXPECT_TRUE(annLobby->ServerPictureOn());
  EXPECT_NE(annLobby->WelcomeText(), Word(WordId::NoConnect));
  EXPECT_EQ(Shown(*annLobby, 3, 1), Word(WordId::TakeThePlace));
  EXPECT_EQ(Shown(*annLobby, 3, 2), Disabled(WordId::Free));
  EXPECT_EQ(Shown(*annLobby, 3, 3), Disabled(WordId::Free));
  EXPECT_EQ(annLobby->StandingTexts().front(), Word(WordId::Nick) + QStringLiteral(": Ann"));

  // Ann takes place 1 of table 3: the table connection opens for it and
  // the lobby holds her there.
  annLobby->PressPlace(3, 1);
  ASSERT_EQ(ann.link.opened.size(), 1u);
  const std::string& opened = ann.link.opened.front();
  EXPECT_EQ(opened.substr(opened.find(' ')), " 3/1");
  EXPECT_EQ(ann.state.OwnTable, 3);
  EXPECT_EQ(ann.state.OwnPlace, 1);
  EXPECT_EQ(ann.state.TourLink, kTourLinkConnecting);
  EXPECT_EQ(Shown(*annLobby, 3, 1), Word(WordId::LogOff));
  EXPECT_EQ(Shown(*annLobby, 4, 1), Disabled(WordId::TakeThePlace));  // one place at a time
  for (TQorCardsButton* button : {annLobby->ButtonRefresh(), annLobby->ButtonClose(), annLobby->ButtonTopTen()})
    EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
  annLobby->reject();  // cannot be closed while a place is held
  EXPECT_TRUE(annLobby->isVisible());

  // Bob sees her and may sit down beside her; Cid then takes the last place
  // by himself (the lobby run without a person).
  bobLobby->RefreshLobby();
  EXPECT_EQ(Shown(*bobLobby, 3, 1), QStringLiteral("Ann : 0 (disabled)"));
  EXPECT_EQ(Shown(*bobLobby, 3, 2), Word(WordId::TakeThePlace));
  bobLobby->PressPlace(3, 2);  // same machine, but the table server is on it too
  EXPECT_TRUE(bob.host.informed.empty());
  EXPECT_EQ(bob.state.OwnPlace, 2);
  EXPECT_EQ(Shown(*bobLobby, 3, 2), Word(WordId::LogOff));
  auto cidLobby = cid.Open();
  cidLobby->AutoTake(3, 3);
  EXPECT_EQ(cid.state.OwnPlace, 3);
  EXPECT_EQ(Shown(*cidLobby, 3, 3), QStringLiteral("Cid : 0 (disabled)"));  // place 3 cannot log off

  // Ann gives place 1 up: the table connection leaves, and place 2 goes
  // with it: Bob no longer holds a place and his connection closes.
  annLobby->PressPlace(3, 1);
  EXPECT_EQ(ann.link.left, 1);
  EXPECT_EQ(ann.state.OwnTable, 0);
  EXPECT_EQ(ann.state.TourLink, kTourLinkNone);
  EXPECT_EQ(Shown(*annLobby, 3, 1), Word(WordId::TakeThePlace));
  EXPECT_EQ(Shown(*annLobby, 3, 2), Disabled(WordId::Free));
  EXPECT_TRUE(annLobby->ButtonClose()->isEnabled());
  bobLobby->RefreshLobby();
  EXPECT_EQ(bob.state.OwnTable, 0);
  EXPECT_EQ(bob.link.closed, 1);
  EXPECT_EQ(Shown(*bobLobby, 3, 1), Word(WordId::TakeThePlace));
  EXPECT_TRUE(ann.host.sounds.empty());

  // A place already taken is refused by the service: "WWrongs".
  annLobby->PressPlace(5, 1);
  bobLobby->PressPlace(5, 1);
  EXPECT_EQ(bob.host.sounds, std::vector<std::string>{"WWrongs"});
  EXPECT_EQ(bob.state.OwnTable, 0);

  // A lost table connection (the table side sets NoGameSeen): the error
  // timer says so and releases the place.
  ASSERT_EQ(ann.state.OwnTable, 5);
  ann.state.NoGameSeen = true;
  QCoreApplication::processEvents();
  EXPECT_EQ(ann.host.informed, std::vector<QString>{Word(WordId::ServerConnectionError)});
  EXPECT_EQ(ann.state.OwnTable, 0);
  EXPECT_FALSE(ann.state.NoGameSeen);
  bobLobby->RefreshLobby();
  EXPECT_EQ(Shown(*bobLobby, 5, 1), Word(WordId::TakeThePlace));
}

TEST(LobbyWindow, TournamentTopTen) {
  Services services;
  SeedStandings(services.data, {{"Marta", 340, 21, 1710, "1-021", "Krakow", "W"},
                                {"Sergey", 120, 40, 1650, "1-030", "Kazan", "M"},
                                {"Ann", 95, 12, 1540, "1-013", "Roma", "W"},
                                {"Hans", -60, 55, 1420, "1-008", "Bremen", "M"}});
  LobbyCopy ann(services.process.Base(), "Ann", 'W');
  auto lobby = ann.Open();
  // The standing of the lobby comes from the same table.
  EXPECT_EQ(lobby->StandingTexts()[1], Word(WordId::YourScore) + QStringLiteral(": 95"));
  EXPECT_EQ(lobby->StandingTexts()[2], Word(WordId::YourPlace) + QStringLiteral(": 3"));
  EXPECT_EQ(lobby->StandingTexts()[4], Word(WordId::StandingGames) + QStringLiteral(": 12"));

  TFormTourTopTen topTen(ann.requests, ann.host.settings, ann.state.TourClient);
  struct Case {
    int radio;
    char kind;
    QStringList rows;
    const char* own;
  } const cases[] = {
      {0, 's', {"1. Marta Krakow 340", "2. Sergey Kazan 120", "3. Ann Roma 95", "4. Hans Bremen -60"}, "3    Score: 95"},
      {1, 'r', {"1. Marta Krakow 1710", "2. Sergey Kazan 1650", "3. Ann Roma 1540", "4. Hans Bremen 1420"},
       "3    Rating: 1540"},
      {2, 'k', {"1. Hans Bremen 55", "2. Sergey Kazan 40", "3. Marta Krakow 21", "4. Ann Roma 12"}, "4    Games: 12"},
  };
  for (const Case& c : cases) {
    topTen.KindButton(c.radio)->click();
    EXPECT_EQ(topTen.Kind(), c.kind);
    EXPECT_EQ(topTen.ListTexts(), c.rows) << c.kind;
    EXPECT_EQ(topTen.OwnPlaceText(), Word(WordId::YourPlace) + QStringLiteral(": ") + QString::fromLatin1(c.own));
  }
}

TEST(LobbyWindow, ServerUnreachable) {
  LobbyCopy ann("http://127.0.0.1:" + std::to_string(FreePort()), "Ann");
  auto lobby = ann.Open();
  EXPECT_EQ(lobby->WelcomeText(), Word(WordId::NoConnect));
  EXPECT_FALSE(lobby->ServerPictureOn());
  for (int table = 1; table <= kTourTables; ++table) {
    for (int place = 1; place <= kTourPlaces; ++place)
      EXPECT_EQ(Shown(*lobby, table, place), Disabled(WordId::ServerOff)) << table << ":" << place;
  }
  EXPECT_EQ(lobby->StandingTexts()[2], Word(WordId::YourPlace) + QStringLiteral(": ") + Word(WordId::NoConnect));
  EXPECT_TRUE(lobby->ButtonClose()->isEnabled());
  lobby->PressPlace(1, 1);  // a disabled button's press changes nothing
  EXPECT_TRUE(ann.link.opened.empty());
  EXPECT_TRUE(ann.host.sounds.empty());

  TFormTourTopTen topTen(ann.requests, ann.host.settings, ann.state.TourClient);
  EXPECT_EQ(topTen.windowTitle(), Word(WordId::TournamentTopTen));
  EXPECT_EQ(topTen.ListTexts(), QStringList{Word(WordId::NoConnect)});
  lobby->reject();
  EXPECT_FALSE(lobby->isVisible());
}

}  // namespace
}  // namespace tarvel::testing
