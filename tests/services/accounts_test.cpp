// The account service of the real tarvel-services: the requests as the game
// sends them, the photo upload server with its per-account rules, the limit
// on failed logins, and a database that never holds a password.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <filesystem>

#include "cipher.h"
#include "login_throttle.h"
#include "replies.h"
#include "services_fixture.h"

namespace tarvel::services::testing {
namespace {

const std::string kAnnPassword = "Secret1!";
const std::string kBobPassword = "Hidden22";

std::string RegisterBody(const std::string& nick, const std::string& password) {
  return "nick=" + nick + "&pw=" + password +
         "&city=Rome&country1=Italy&country2=1-001&sex=W&email=ann@mail.it&dater=09.12.2026"
         "&R01=xxx&R02=xxx&R03=xxx&R04=0&R05=0&R06=0";
}

std::string WriteBody(const std::string& nick, const std::string& password, int kon,
                      const std::string& rating, int konl) {
  return "nick=" + nick + "&pw=" + password + "&crdmzkkon=" + std::to_string(kon) +
         "&crdmzkbest=0&crdmzkrating=" + rating + "&crdmzkses=0&crdmzkkonl=" +
         std::to_string(konl) + "&crdmzkscore=120&crdmzkR1=0&crdmzkR2=#";
}

std::string ProfileBody(const std::string& nick, const std::string& passwordField) {
  return "nick=" + nick + "&labelinfosave=0" + passwordField +
         "&namei=Anna&name2=Rossi&about=I play~every day&telephone=&emailo=a@b.it&website="
         "&skype=&ok=&vk=&telegram=&facebook=&twitter=&instagramm=&youtube=yt";
}

std::string Photo(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG");
  return buffer.data().toStdString();
}

struct Upload {
  CURLcode result;
  long status;  // the server's last FTP reply code
};

std::size_t ReadFrom(char* to, std::size_t size, std::size_t count, void* source) {
  auto* data = static_cast<std::string*>(source);
  const std::size_t length = std::min(size * count, data->size());
  std::copy_n(data->data(), length, to);
  data->erase(0, length);
  return length;
}

Upload FtpUpload(int port, const std::string& login, const std::string& file, std::string bytes) {
  CURL* curl = curl_easy_init();
  const std::string url = "ftp://127.0.0.1:" + std::to_string(port) + "/photos/" + file;
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_USERPWD, login.c_str());
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl, CURLOPT_READFUNCTION, ReadFrom);
  curl_easy_setopt(curl, CURLOPT_READDATA, &bytes);
  curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(bytes.size()));
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, 20L);
  const CURLcode result = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_cleanup(curl);
  return {result, status};
}

class Accounts : public ::testing::Test {
 protected:
  Accounts() : url(services.process.Base() + "account") {}

  std::string Post(const std::string& body) { return services.client.PostText(url, body).body; }
  HttpReply Login(const std::string& nick, const std::string& password) {
    return services.client.PostList(url, {{"nick", nick}, {"pw", password}, {"label0", "0"}});
  }

  Services services{{"--password-cost", "test"}};
  std::string url;
};

TEST_F(Accounts, RegisterPlayListAndProfileAsTheGameDoes) {
  EXPECT_EQ(Post(RegisterBody("Ann", kAnnPassword)), "$+ok#\n");
  EXPECT_EQ(Post(RegisterBody("ann", "Other123")), "$+is#\n") << "nicks differ in more than case";
  EXPECT_EQ(Post(RegisterBody("Bob", kBobPassword)), "$+ok#\n");
  EXPECT_EQ(ParseNumberReply(Post("label1=0")), 2);

  const HttpReply login = Login("Ann", kAnnPassword);
  ASSERT_TRUE(login.ok);
  const auto records = ReplyRecords(login.body, 1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(std::vector<std::string>(records[0].begin(), records[0].end()),
            (std::vector<std::string>{"Rome", "Italy", "1-001", "W", "ann@mail.it", "09.12.2026",
                                      "xxx", "xxx", "xxx", "0", "0", "0"}));
  EXPECT_NE(Login("Ann", "Wrong123").body.find("no"), std::string::npos);

  // A first account game: the advance write of a lost game, then the result.
  const auto readGame = [&](const std::string& nick, const std::string& password) {
    return services.client.PostList(url, {{"nick", nick}, {"pw", password}, {"crdmzkbest", "0"}})
        .body;
  };
  EXPECT_EQ(readGame("Ann", kAnnPassword), "$0 0 0 0 0 0 0 #\n");
  EXPECT_EQ(Post(WriteBody("Ann", kAnnPassword, 1, "-1999.96666666667", 0)), "$+ok#\n");
  EXPECT_EQ(Post(WriteBody("Ann", kAnnPassword, 1, "200.033333333333", 1)), "$+ok#\n");
  EXPECT_EQ(readGame("Ann", kAnnPassword), "$1 0 200.033333333333 0 1 120 0 #\n");
  EXPECT_EQ(Post(WriteBody("Ann", "Wrong123", 1, "9000", 1)), "$+no#\n");
  EXPECT_EQ(Post(WriteBody("Bob", kBobPassword, 1, "-1999.96666666667", 0)), "$+ok#\n");

  const std::string listReply = services.client.PostList(url, {{"crdmzkkon", "0"}}).body;
  const auto list = ReplyRecords(listReply, 10, true);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(list[0].begin(), list[0].end()),
            (std::vector<std::string>{"1", "Ann", "Rome", "1-001", "Italy", "W", "200.033333333333"}));
  EXPECT_EQ(list[1][1], "Bob");
  EXPECT_EQ(ParseNumberReply(Post("crdmzkrating=200.033333333333")), 1);
  EXPECT_EQ(ParseNumberReply(Post("crdmzkrating=-1999.96666666667")), 2);
  EXPECT_EQ(ParseNumberReply(Post("crdmzkrating=-5000")), 3);

  // A profile save needs the account's password.
  const auto readProfile = [&] {
    return services.client.PostList(url, {{"nick", "Ann"}, {"labelinforead", "0"}}).body;
  };
  EXPECT_EQ(readProfile(), "$+no#\n");
  EXPECT_EQ(Post(ProfileBody("Ann", "")), "$+no#\n");
  EXPECT_EQ(Post(ProfileBody("Ann", "&pw=" + kBobPassword)), "$+no#\n");
  EXPECT_EQ(readProfile(), "$+no#\n");
  EXPECT_EQ(Post(ProfileBody("Ann", "&pw=" + kAnnPassword)), "$+ok#\n");
  EXPECT_EQ(readProfile(), "$Anna~Rossi~I play_every day~~a@b.it~~~~~~~~~yt\n");
  std::string byName1 = ProfileBody("Ann", "&pw=" + kAnnPassword);
  byName1.replace(byName1.find("namei=Anna"), 10, "name1=Anny");
  EXPECT_EQ(Post(byName1), "$+ok#\n");
  EXPECT_EQ(readProfile().substr(0, 11), "$Anny~Rossi");

  // The database holds hashes, never a password, in any column of any table.
  services.process.Stop();
  {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "check");
    database.setDatabaseName(QString::fromStdString(services.data + "/tarvel-services.sqlite"));
    ASSERT_TRUE(database.open());
    QSqlQuery tables(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"), database);
    int cells = 0;
    while (tables.next()) {
      QSqlQuery rows(QStringLiteral("SELECT * FROM \"%1\"").arg(tables.value(0).toString()), database);
      while (rows.next()) {
        for (int column = 0; column < rows.record().count(); ++column, ++cells) {
          const std::string cell = rows.value(column).toByteArray().toStdString();
          for (const std::string& secret : {kAnnPassword, kBobPassword, std::string("Other123")})
            EXPECT_EQ(cell.find(secret), std::string::npos) << rows.record().fieldName(column).toStdString();
        }
      }
    }
    EXPECT_GT(cells, 40);
  }
  QSqlDatabase::removeDatabase("check");
}

TEST_F(Accounts, PhotosAreUploadedByTheirOwnAccountOnly) {
  ASSERT_EQ(Post(RegisterBody("Ann", kAnnPassword)), "$+ok#\n");
  ASSERT_EQ(Post(RegisterBody("Bob", kBobPassword)), "$+ok#\n");
  const std::string directory = HttpClient::Get(services.process.Base() + "directory.txt").body;
  const std::string upload =
      Decipher(DirectoryValue(directory, "FtpPath").value_or("")).value_or("");
  const std::string uploadHost = "ftp://127.0.0.1:";
  ASSERT_EQ(upload.rfind(uploadHost, 0), 0u) << directory;
  const int ftpPort = std::stoi(upload.substr(uploadHost.size()));
  EXPECT_EQ(upload.substr(upload.find('/', uploadHost.size())), "/photos/");
  const std::string photoUrl = services.process.Base() + "photos/Ann.jpg";
  EXPECT_EQ(HttpClient::Get(photoUrl).status, 404);

  const std::string photo = Photo(200, 250);
  const std::string annLogin = "Ann:" + kAnnPassword;
  const Upload own = FtpUpload(ftpPort, annLogin, "Ann.jpg", photo);
  EXPECT_EQ(own.result, CURLE_OK);
  EXPECT_EQ(HttpClient::Get(photoUrl).body, photo);

  struct Case {
    const char* what;
    std::string login, file, bytes;
  } const refused[] = {
      {"someone else's photo", annLogin, "Bob.jpg", photo},
      {"another name", annLogin, "Ann.png", photo},
      {"a photo of 201 x 250", annLogin, "Ann.jpg", Photo(201, 250)},
      {"not a JPEG", annLogin, "Ann.jpg", "\xFF\xD8 not really a picture \xFF\xD9"},
      {"a cut JPEG", annLogin, "Ann.jpg", photo.substr(0, 300)},
      {"a wrong password", "Ann:" + kBobPassword, "Ann.jpg", Photo(200, 250)},
  };
  for (const Case& c : refused) {
    const Upload upload = FtpUpload(ftpPort, c.login, c.file, c.bytes);
    EXPECT_NE(upload.result, CURLE_OK) << c.what;
    EXPECT_GE(upload.status, 500) << c.what;
  }
  EXPECT_EQ(HttpClient::Get(photoUrl).body, photo) << "the photo is unchanged";
  EXPECT_EQ(HttpClient::Get(services.process.Base() + "photos/Bob.jpg").status, 404);
  for (const auto& entry : std::filesystem::directory_iterator(services.data + "/photos"))
    EXPECT_EQ(entry.path().filename(), "Ann.jpg") << "no upload left behind";

  ASSERT_TRUE(services.process.Stop());
  EXPECT_EQ(FtpUpload(ftpPort, annLogin, "Ann.jpg", photo).result, CURLE_COULDNT_CONNECT)
      << "the upload server stops with the services";
}

TEST_F(Accounts, RepeatedFailedLoginsAreRefused) {
  ASSERT_EQ(Post(RegisterBody("Ann", kAnnPassword)), "$+ok#\n");
  ASSERT_EQ(Post(RegisterBody("Bob", kBobPassword)), "$+ok#\n");
  int refusedWithAWait = 0;
  for (int attempt = 1; attempt <= 20; ++attempt) {
    const std::string reply = Login("Ann", "Guess" + std::to_string(attempt)).body;
    ASSERT_EQ(reply.rfind("$+no", 0), 0u) << reply;
    if (reply.find("wait") != std::string::npos) {
      ++refusedWithAWait;
      EXPECT_GT(ParseNumberReply(reply).value_or(0), 0) << reply;
    }
  }
  EXPECT_EQ(refusedWithAWait, 16) << "the fifth failure and all after it";
  EXPECT_NE(Login("Ann", kAnnPassword).body.find("wait"), std::string::npos)
      << "even the right password waits";
  const std::string bob = Login("Bob", kBobPassword).body;
  EXPECT_EQ(ReplyRecords(bob, 1).at(0).size(), 12u) << "another nick from the same address";
  // An address guessing across many nicks is held up too.
  for (int nick = 0; nick < 20; ++nick) Login("Guess" + std::to_string(nick), "Wrong123");
  EXPECT_NE(Login("Bob", kBobPassword).body.find("wait"), std::string::npos);
}

TEST_F(Accounts, MalformedRequestsFailClearly) {
  ASSERT_EQ(Post(RegisterBody("Ann", kAnnPassword)), "$+ok#\n");
  const std::string refused[] = {
      RegisterBody("A", kAnnPassword),                      // nick too short
      RegisterBody("Thirteen_Char", kAnnPassword),          // nick too long
      RegisterBody("Ann\xC0", kAnnPassword),                // Cyrillic nick
      RegisterBody("Cid", "abc"),                           // password too short
      RegisterBody("Dan", kAnnPassword) + "&extra=1",       // an unknown field
      "nick=Eve&pw=Secret1",                                // fields missing
      WriteBody("Ann", kAnnPassword, 1, "abc", 0),          // rating not a number
      WriteBody("Ann", kAnnPassword, 1, "1e400", 0),        // rating out of range
      WriteBody("Ann", kAnnPassword, 1, "5", 30),           // current deal past the cycle
      WriteBody("Ann", kAnnPassword, -1, "5", 0),           // negative game count
      "crdmzkrating=",                                      // empty rating
      "nick=Ann&labelinforead=1",
      ProfileBody("Ann", "&pw=" + kAnnPassword) + "&about=twice",
      "nick=Ann&pw=" + kAnnPassword + "&key=x&address=1.2.3.4",  // the upload server's check
      "%zz=1",
  };
  for (const std::string& body : refused) {
    const HttpReply reply = services.client.PostText(url, body);
    EXPECT_EQ(reply.status, 400) << body;
    EXPECT_EQ(reply.body.find("ok"), std::string::npos) << body;
  }
  EXPECT_EQ(services.client.PostText(services.process.Base() + "photo-login",
                                     "nick=Ann&pw=" + kAnnPassword + "&key=guess&address=1.2.3.4")
                .status,
            400);
  EXPECT_EQ(HttpClient::Get(services.process.Base() + "photos/..%2Ftarvel-services.sqlite").status,
            404);
  EXPECT_EQ(ParseNumberReply(Post("label1=0")), 1) << "nothing else stored";
}

TEST(LoginThrottle, RefusalsStartAfterFreeFailuresAndDouble) {
  LoginThrottle throttle({3, 10, 40, 100});
  struct Step {
    std::int64_t now;
    bool fail;              // record a failure, else only ask
    std::int64_t expected;  // the wait then
  } const steps[] = {
      {0, true, 0},    {1, true, 0},   {2, true, 10},  // the third failure refuses for 10 s
      {5, false, 7},   {12, false, 0},                 // refusal over
      {12, true, 20},  {32, true, 40}, {72, true, 40},  // doubles, up to the longest
      {500, true, 0},                                   // quiet long enough: forgotten
  };
  for (const Step& step : steps) {
    const std::int64_t wait = step.fail ? throttle.Failed("ann", step.now)
                                        : throttle.Wait("ann", step.now);
    EXPECT_EQ(wait, step.expected) << "at " << step.now;
  }
  EXPECT_EQ(throttle.Wait("bob", 500), 0);
  throttle.Failed("bob", 500);
  throttle.Succeeded("ann");
  EXPECT_EQ(throttle.Failed("ann", 501), 0);
}

}  // namespace
}  // namespace tarvel::services::testing
