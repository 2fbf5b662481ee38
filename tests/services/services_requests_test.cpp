// Every request of the world top ten, statistics, news, chat and documents
// against the real services program.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>

#include "notices.h"
#include "services_fixture.h"
#include "settings_file.h"

namespace tarvel::services::testing {
namespace {

TopTenEntry Entry(std::int32_t list, const std::string& nick, const std::string& city,
                  std::int32_t score) {
  return ResultEntry(list, nick, city, score);
}

TEST(ServicesRequests, TopTenEntriesComeBackInPlace) {
  Services services;
  ServiceRequests& requests = services.requests;
  // Scores in an order that makes the list sort them; a Cyrillic nick.
  const struct {
    const char* nick;
    std::int32_t score;
    std::int32_t place;
  } writes[] = {{"Ann", 300, 1}, {"Bob", 500, 1}, {"Иван", 400, 2}, {"Cid", -20, 4}};
  for (const auto& w : writes) {
    std::int32_t place = 0;
    ASSERT_TRUE(requests.WriteTopTen(Entry(kWorldList, w.nick, "Rome", w.score), place));
    EXPECT_EQ(place, w.place) << w.nick;
  }
  for (int i = 0; i < 12; ++i) {
    std::int32_t place = 0;
    ASSERT_TRUE(requests.WriteTopTen(Entry(kWorldList, "P" + std::to_string(i), "Oslo", -100 - i), place));
  }
  std::int32_t place = 0;
  ASSERT_TRUE(requests.WriteTopTen(Entry(kAndroidList, "Droid", "Kyiv", 999), place));

  TopTenList list;
  ASSERT_TRUE(requests.ReadTopTen(kWorldList, list));
  const char* order[] = {"Bob", "Иван", "Ann", "Cid", "P0", "P1", "P2", "P3", "P4", "P5"};
  for (std::size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(list[i].Nick, order[i]);
    EXPECT_EQ(list[i].Place, static_cast<std::int32_t>(i + 1));
    EXPECT_EQ(list[i].R08, kWireVersion);
  }
  EXPECT_EQ(list[0].Score, 500);
  EXPECT_EQ(list[0].R10, "#");

  // The neighbourhood of the last player: the last ten places.
  ASSERT_TRUE(requests.ReadTopTenAround(kWorldList, "P11", "Oslo", list));
  EXPECT_EQ(list[0].Place, 7);
  EXPECT_EQ(list[9].Nick, "P11");
  ASSERT_TRUE(requests.ReadTopTenAround(kWorldList, "Nobody", "Oslo", list));
  EXPECT_EQ(list[0].Nick, "#");

  ASSERT_TRUE(requests.ReadTopTen(kAndroidList, list));
  EXPECT_EQ(list[0].Nick, "Droid");
  EXPECT_EQ(list[1].Nick, "#");  // one entry, nine defaults

  std::int32_t games = 0;
  ASSERT_TRUE(requests.ReadNumberOfGames(kWorldList, games));
  EXPECT_EQ(games, 16 * 30);
  ASSERT_TRUE(requests.ReadNumberOfGames(kAccountList, games));
  EXPECT_EQ(games, 0);
}

TEST(ServicesRequests, StatisticsCountMachinesOnceAndChatNewsAndDocuments) {
  const std::string music = MakeTemporaryFolder();
  const std::string downloads = MakeTemporaryFolder();
  std::ofstream(downloads + "/QorRadio.rad", std::ios::binary) << "DEU#Station#x\r\n";
  Services services({"--music", music, "--downloads", downloads});
  ServiceRequests& requests = services.requests;

  // The first start of a copy: the service's "ok" marks it reported.
  Settings settings;
  settings.StartReported = false;
  ReportStart(requests, settings);
  EXPECT_TRUE(settings.StartReported);
  bool accepted = false;
  ASSERT_TRUE(requests.ReportFirstStart(false, accepted));
  ASSERT_TRUE(requests.Vote("Ann", accepted));
  EXPECT_TRUE(accepted);
  ASSERT_TRUE(requests.Vote("Ann", accepted));
  EXPECT_FALSE(accepted);  // one vote per machine
  {
    // Another machine: a client without the first one's key.
    HttpClient other;
    ServiceRequests second(services.endpoints, other, services.waiter);
    ASSERT_TRUE(second.ReportFirstStart(true, accepted));
    ASSERT_TRUE(second.Vote("Bob Big", accepted));
    EXPECT_TRUE(accepted);
  }
  ReportedGame game;
  game.againstComputer = true;
  game.playerKon = 30;
  game.result = -3;
  ASSERT_TRUE(requests.ReportGame(GameReportFields(game), accepted));
  EXPECT_TRUE(accepted);

  TQorStat stat;
  ASSERT_TRUE(requests.ReadStatistics(stat));
  EXPECT_EQ(stat.Stat1, 3);  // starts
  EXPECT_EQ(stat.Stat2, 2);  // machines
  EXPECT_EQ(stat.Stat3, 2);  // likes
  EXPECT_EQ(stat.Stat4, "Bob_Big");
  const std::array<std::int32_t, 12> sums{1, 1, 0, 3};
  EXPECT_EQ(stat.StatX, sums);
  EXPECT_EQ(stat.StatY, 1);

  // Chat: a message with blanks and '&' is posted and listed; the notice
  // file makes it pending once.
  const std::filesystem::path shared = services.data;
  std::int32_t newest = 0;
  EXPECT_FALSE(ChatPending(requests, shared, newest));
  EXPECT_EQ(ReadChatNotice(shared), ChatNotice{});
  TopTenEntry message = Entry(kChatList, "Ann", "Rome", 2);
  message.r9 = "12_00_01.02.2026_Tarvel";
  message.r10 = "hello there & bye";
  std::int32_t place = 0;
  ASSERT_TRUE(requests.WriteTopTen(message, place));
  EXPECT_TRUE(ChatPending(requests, shared, newest));
  EXPECT_EQ(newest, 2);
  TopTenList board;
  ASSERT_TRUE(requests.ReadTopTen(kChatList, board));
  EXPECT_EQ(board[0].R10, "hello_there___bye");
  EXPECT_EQ(board[0].R09, message.r9);
  // The statistics service hands out the same board.
  const HttpReply fromStat =
      services.client.PostText(services.endpoints.Address(Endpoint::StatService), "gid=100");
  EXPECT_EQ(fromStat.body,
            services.client.PostText(services.endpoints.Address(Endpoint::TopTenService), "gid=100").body);

  // News: none, then one added from the command line.
  std::int32_t latest = -1;
  EXPECT_FALSE(NewsPending(requests, shared, latest));
  EXPECT_EQ(latest, 0);
  ASSERT_EQ(RunProgram(TARVEL_SERVICES_PROGRAM,
                       {"--data", services.data, "--add-news", "A new deck <b>now</b>"}),
            0);
  EXPECT_TRUE(NewsPending(requests, shared, latest));
  EXPECT_EQ(latest, 1);
  ASSERT_TRUE(WriteOpenedNews(shared, latest));
  EXPECT_FALSE(NewsPending(requests, shared, latest));
  std::string news;
  ASSERT_TRUE(requests.ReadDocument(Endpoint::NewsDocument, news));
  EXPECT_NE(news.find("&lt;b&gt;"), std::string::npos);

  std::string address;
  ASSERT_TRUE(requests.ReadExternalAddress(address));
  EXPECT_EQ(address, "127.0.0.1");

  // Downloads: a module by name; nothing outside the folder, and a failed
  // download leaves the file alone.
  const std::filesystem::path target = shared / "QorRadio.ser";
  ASSERT_TRUE(requests.Download("QorRadio.rad", target));
  std::ifstream radio(target, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(radio), {}), "DEU#Station#x\r\n");
  for (const char* name : {"../../etc/passwd", ".hidden", "missing.rcc", "..%2Fx"})
    EXPECT_FALSE(requests.Download(name, target)) << name;
  EXPECT_EQ(std::filesystem::file_size(target), 15u);
  const std::string folder = services.endpoints.Address(Endpoint::DownloadFolder);
  EXPECT_FALSE(HttpClient::Get(folder + "..%2F..%2Fetc%2Fpasswd").ok);

#ifdef TARVEL_SOX
  // Music: a song made here is listed and served as it is.
  const std::string song = music + "/Some_Band~My_Song.mp3";
  ASSERT_EQ(RunProgram(TARVEL_SOX, {"-n", "-r", "8000", "-c", "1", song, "synth", "0.1", "sine", "440"}),
            0);
  std::string playlist;
  ASSERT_TRUE(requests.ReadDocument(Endpoint::Playlist, playlist));
  EXPECT_EQ(playlist, "Some_Band~My_Song.mp3\n");
  const HttpReply mp3 =
      HttpClient::Get(services.endpoints.Address(Endpoint::MusicFolder) + "Some_Band~My_Song.mp3");
  ASSERT_TRUE(mp3.ok);
  std::ifstream in(song, std::ios::binary);
  EXPECT_EQ(mp3.body, std::string(std::istreambuf_iterator<char>(in), {}));
#endif
  std::filesystem::remove_all(music);
  std::filesystem::remove_all(downloads);
}

TEST(ServicesRequests, DirectoryKeysPausesAndFallBacks) {
  Settings settings;
  settings.TopTenServicePath = DefaultTopTenServiceLine();
  settings.StatServicePath = DefaultStatServiceLine();
  {
    Services services;
    const DirectoryState state = services.requests.ReadServiceDirectory(settings);
    EXPECT_TRUE(state.read);
    EXPECT_FALSE(state.topTenPaused || state.chatPaused);
    EXPECT_EQ(services.endpoints.Address(Endpoint::TopTenService), services.process.Base() + "wtop10");
    EXPECT_EQ(settings.TopTenServicePath, DefaultTopTenServiceLine());
  }
  {
    Services services({"--pause-top-ten", "--pause-chat"});
    const DirectoryState state = services.requests.ReadServiceDirectory(settings);
    EXPECT_TRUE(state.topTenPaused);
    EXPECT_TRUE(state.chatPaused);
    // A paused service refuses its requests; the statistics still answer.
    TopTenList list;
    TQorStat stat;
    EXPECT_FALSE(services.requests.ReadTopTen(kWorldList, list));
    EXPECT_FALSE(services.requests.ReadTopTen(kChatList, list));
    EXPECT_TRUE(services.requests.ReadStatistics(stat));
  }
  // No services: nothing paused, the stored addresses stay.
  ServiceEndpoints endpoints("http://127.0.0.1:" + std::to_string(FreePort()) + "/");
  HttpClient client;
  RequestWaiter waiter;
  ServiceRequests requests(endpoints, client, waiter);
  const DirectoryState state = requests.ReadServiceDirectory(settings);
  EXPECT_FALSE(state.read || state.topTenPaused || state.chatPaused);
  EXPECT_EQ(settings.StatServicePath, DefaultStatServiceLine());
}

TEST(ServicesRequests, DownOrSilentServerFailsWithinTheTimeOut) {
  // Down: nothing listens.
  ServiceEndpoints down("http://127.0.0.1:" + std::to_string(FreePort()) + "/");
  HttpClient client;
  RequestWaiter waiter;
  ServiceRequests requests(down, client, waiter);
  TopTenList list;
  TQorStat stat;
  std::int32_t number = 5;
  bool accepted = true;
  EXPECT_FALSE(requests.ReadTopTen(kWorldList, list));
  EXPECT_EQ(list, EmptyTopTenList(kWorldList));
  EXPECT_FALSE(requests.ReportFirstStart(true, accepted));
  EXPECT_FALSE(accepted);
  Settings settings;
  settings.StartReported = false;
  ReportStart(requests, settings);
  EXPECT_FALSE(settings.StartReported);  // the next start reports a first start again
  EXPECT_FALSE(requests.ReadNewsNumber(number));
  EXPECT_EQ(number, 0);

  // Silent: the connection is taken and never answered; the read time-out
  // ends it, and stays on the shared client for the requests that follow.
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 8), 0);
  socklen_t length = sizeof address;
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  ServiceEndpoints silent("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/");
  ServiceRequests stuck(silent, client, waiter);
  EXPECT_FALSE(stuck.ReadStatistics(stat));
  EXPECT_EQ(client.ReadTimeout(), kReadTimeoutMs);
  close(listener);
}

}  // namespace
}  // namespace tarvel::services::testing

namespace tarvel::services::testing {
namespace {

TEST(ServicesRequests, NoticePollerAsksOnItsTicks) {
  Services services;
  NoticePoller poller(services.requests, services.data);
  EXPECT_FALSE(poller.MenuBuilt().news);
  ASSERT_EQ(RunProgram(TARVEL_SERVICES_PROGRAM, {"--data", services.data, "--add-news", "First"}), 0);
  TopTenEntry message = Entry(kChatList, "Ann", "Rome", 5);
  message.r10 = "hi";
  std::int32_t place = 0;
  ASSERT_TRUE(services.requests.WriteTopTen(message, place));

  // News on every third tick while the menu shows; chat on the 90th, also
  // during a game.
  struct Step {
    int ticks;
    bool menuShown;
    bool news, chat;
  } const steps[] = {{2, true, false, false}, {1, false, false, false}, {1, true, true, false},
                     {85, false, false, false}, {1, false, false, true}};
  for (const Step& step : steps) {
    NoticePoller::Change change;
    for (int i = 0; i < step.ticks; ++i) {
      const NoticePoller::Change tick = poller.Tick(step.menuShown);
      change.news = change.news || tick.news;
      change.chat = change.chat || tick.chat;
    }
    EXPECT_EQ(change.news, step.news) << step.ticks;
    EXPECT_EQ(change.chat, step.chat) << step.ticks;
  }
  EXPECT_EQ(poller.LatestNews(), 1);
  EXPECT_EQ(poller.NewestChat(), 5);
  poller.NewsOpened();
  EXPECT_EQ(ReadOpenedNews(services.data), 1);
  EXPECT_FALSE(poller.MenuBuilt().news);
}

}  // namespace
}  // namespace tarvel::services::testing
