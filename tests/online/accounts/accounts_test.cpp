// Player accounts end to end: the account window against the real services
// program (registration, login, the field lamps, the user file), the profile
// and its photo over FTP with the account's own login, an account game of
// the real game program with --autoplay (advance write, true result, the
// cycle's entry in the world top ten's account list), the rating list and
// the place; and, without any server, the retries of the advance write and
// the question after a failed result.
//
// With TARVEL_SCREENSHOT_DIR set, the windows are also saved as pictures
// there (creating an account, "My results", "Top 10", a profile card with a
// photo).
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>
#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "online/account_session.h"
#include "online/accounts/account_controller.h"
#include "online/accounts/profile_card.h"
#include "online/accounts/tfacc1.h"
#include "online/accounts/tfacc2.h"
#include "online/cipher.h"
#include "services_process.h"
#include "support/services_client.h"
#include "settings/settings_file.h"
#include "widgets/word_text.h"

namespace tarvel {
namespace {

namespace fs = std::filesystem;

QString English(WordId id) { return WordText(id, 0); }

// The main window as the account windows see it: messages and sounds are
// recorded, questions answered from a list (No once it runs out), modal
// windows not run.
class Hosts : public RecordsHost, public AccountHost {
 public:
  QWidget* HostWindow() override { return nullptr; }
  void Inform(const QString& text) override { messages.push_back(text); }
  void PlayRecordsSound(std::string_view name) override { sounds.emplace_back(name); }
  int RunModal(QDialog&) override { return QDialog::Accepted; }
  const Settings& AccountSettings() const override { return settings; }
  bool AskAccount(const QString& text) override {
    questions.push_back(text);
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  void AccountChanged() override { ++changes; }
  void StartAccountTableGame() override { ++games; }

  Settings settings;
  std::vector<QString> messages;
  std::vector<std::string> sounds;
  std::vector<QString> questions;
  std::deque<bool> answers;
  int changes = 0;
  int games = 0;
};

using Client = testing::ServicesClient;

void Screenshot(QWidget& window, const char* name) {
  const QByteArray folder = qgetenv("TARVEL_SCREENSHOT_DIR");
  if (folder.isEmpty()) return;
  window.show();
  QApplication::processEvents();
  EXPECT_TRUE(window.grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name))));
}

// A plain picture with a face-like circle on it.
QByteArray Jpeg(int width, int height, const QColor& colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  QPainter painter(&image);
  painter.setBrush(QColor(240, 200, 160));
  painter.drawEllipse(QRect(width / 4, height / 5, width / 2, height / 2));
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG");
  return buffer.data();
}

std::string WriteFile(const fs::path& file, const QByteArray& bytes) {
  std::ofstream(file, std::ios::binary).write(bytes.constData(), bytes.size());
  return file.string();
}

void Type(TFAcc1& window, const QString& nick, const QString& city, const QString& password, const QString& mail) {
  window.Edit(1)->setText(nick);
  window.Edit(4)->setText(city);
  window.Edit(2)->setText(password);
  window.Edit(5)->setText(mail);
}

// No server listens here: every request is refused at once.
std::string DeadBase() { return "http://127.0.0.1:9/"; }

TEST(AccountGame, AdvanceWriteRetriesThenLogsOut) {
  Client client(DeadBase());
  AccountSession session(client.accounts, fs::temp_directory_path() / "tarvel-no-user-file.qor");
  Hosts hosts;
  AccountController controller(hosts, hosts, client.requests, session.UserFile());
  controller.SetRetryPauseScale(0.0);
  AccountSession& own = controller.Session();
  EXPECT_FALSE(own.Login("Ann", "Secret1!"));
  EXPECT_FALSE(own.StartAccountGame(controller));
  EXPECT_EQ(hosts.sounds, (std::vector<std::string>{"WWrongs", "WWrongs", "WWrongs"}));
  EXPECT_EQ(own.State(), AccountState::LoggedOut);

  // The true result: asked to repeat while the answer is Yes.
  hosts.answers = {true, true, false};
  const AccountFinish finish = own.FinishAccountGame(200, 200, controller);
  EXPECT_FALSE(finish.written);
  EXPECT_FALSE(finish.cycleCompleted);  // a failed write is no completed cycle
  ASSERT_EQ(hosts.questions.size(), 3u);
  EXPECT_EQ(hosts.questions[0], English(WordId::CouldNotConnect) + ' ' + English(WordId::Repeat));

  // The world top ten entry of a cycle: No gives up without a place.
  hosts.answers = {true, false};
  EXPECT_EQ(controller.EnterAccountTopTen(900), std::nullopt);
  EXPECT_EQ(hosts.questions.back(), English(WordId::CantWriteResult) + ' ' + English(WordId::Repeat));
}

TEST(AccountGame, AdvanceWriteWaitsTwoThenThreeSeconds) {
  struct Recorder : AccountEvents {
    void PlayAccountSound(std::string_view name) override { sounds.emplace_back(name); }
    void PauseBeforeRetry(int milliseconds) override { pauses.push_back(milliseconds); }
    bool AskRepeatAccountWrite() override { return false; }
    std::vector<std::string> sounds;
    std::vector<int> pauses;
  } events;
  Client client(DeadBase());
  AccountSession session(client.accounts, {});
  EXPECT_FALSE(session.StartAccountGame(events));
  EXPECT_EQ(events.pauses, (std::vector<int>{2000, 3000}));
  EXPECT_EQ(events.sounds.size(), 3u);
}

TEST(AccountFile, DamagedOrForeignUserFilesAreIgnored) {
  const fs::path folder = services::MakeTemporaryFolder();
  Client client(DeadBase());
  AccountSession session(client.accounts, folder / "QorUser.qor");
  const struct {
    const char* text;
  } cases[] = {{"Qor User file\r\nAnn\r\nAAAA\r\n"}, {"\xff\xfe\x00garbage"}, {"Qor User File\r\nAnn\r\n*not-a-cipher*\r\n"}};
  for (const auto& c : cases) {
    std::ofstream(folder / "QorUser.qor", std::ios::binary) << c.text;
    EXPECT_FALSE(session.AutoLogin()) << c.text;
    EXPECT_EQ(session.State(), AccountState::LoggedOut);
  }
  fs::remove_all(folder);
}

TEST(AccountsEndToEnd, CreateLogInPlayAndShow) {
  const fs::path root = services::MakeTemporaryFolder();
  fs::create_directories(root / "data");
  fs::create_directories(root / "services");
  services::ServicesProcess process(TARVEL_SERVICES_PROGRAM, (root / "services").string());
  ASSERT_TRUE(process.Started()) << process.Error();
  Client client(process.Base());
  Settings directorySettings;
  ASSERT_TRUE(client.requests.ReadServiceDirectory(directorySettings).read);

  Hosts hosts;
  AccountController controller(hosts, hosts, client.requests, root / "QorUser.qor");
  AccountSession& session = controller.Session();
  const QByteArray photo = Jpeg(200, 250, QColor(40, 120, 160));
  {
    TFAcc1 window(session, hosts, hosts);
    // The lamps and "Create an account".
    const struct {
      const char* nick;
      const char* city;
      bool create;
    } cases[] = {{"A", "Rome", false},          {"Abcdefghijklm", "Rome", false}, {"Саша", "Rome", false},
                 {"Ann", "Москва", true},       {"Ann", "", false},               {"Abcdefghijkl", "Rome", true}};
    for (const auto& c : cases) {
      Type(window, QString::fromUtf8(c.nick), QString::fromUtf8(c.city), "Secret1!", "ann@mail.it");
      EXPECT_EQ(window.Button(1)->isEnabled(), c.create) << c.nick << " " << c.city;
    }
    Type(window, "Ann", "Roma", "Secret1!", "ab@c");
    EXPECT_EQ(window.Lamp(AccountField::EMail), FieldLamp::Green);
    EXPECT_FALSE(window.RatingBox()->isEnabled());
    Screenshot(window, "account-create.png");
    window.Button1Click();
    EXPECT_EQ(hosts.messages.back(), English(WordId::AccountCreated));
    ASSERT_EQ(session.State(), AccountState::LoggedIn);
    EXPECT_EQ(window.Button(2)->text(), English(WordId::SignOut));
    EXPECT_TRUE(window.ClubMembersText().endsWith("1"));
    window.Button2Click();  // sign out: nothing is sent
    EXPECT_EQ(session.State(), AccountState::LoggedOut);
    EXPECT_EQ(window.Button(2)->text(), English(WordId::LoginToAccount));
    Type(window, "ann", "Roma", "Secret1!", "ab@c");
    window.Button1Click();
    EXPECT_EQ(hosts.messages.back(), English(WordId::NickTaken));

    Type(window, "Ann", "Roma", "Wrong123", "ab@c");
    window.Button2Click();
    EXPECT_EQ(hosts.messages.back(), English(WordId::LoginFailed));
    EXPECT_FALSE(session.LoggedIn());
    window.Edit(2)->setText("Secret1!");
    window.Button2Click();
    ASSERT_TRUE(session.LoggedIn());
    EXPECT_EQ(session.User().City, "Roma");
    EXPECT_TRUE(window.Button(3)->isEnabled());
    window.Button3Click();
    EXPECT_TRUE(session.UserFileStored());
    EXPECT_FALSE(window.Button(3)->isEnabled());
    EXPECT_TRUE(window.Button(4)->isEnabled());
    // Signing out and in keeps the stored login.
    window.Button2Click();
    window.Button2Click();
    EXPECT_TRUE(session.UserFileStored());
    window.RatingBox()->click();
    EXPECT_EQ(session.State(), AccountState::RatingGame);
    window.RatingBox()->click();
  }

  // The profile: refused without the password, saved with it.
  TQorUser stranger = session.User();
  stranger.Pw.clear();
  stranger.Info.Name1 = "Mallory";
  EXPECT_FALSE(client.accounts.SaveProfile(stranger));
  {
    TFAcc2 editor(session, hosts, hosts.settings, QImage());
    editor.Field(0)->setText("Anna");
    editor.Field(2)->setText("I play + win & smile, 100%");
    editor.ButtonOkIClick();
    EXPECT_EQ(session.User().Info.Name1, "Anna");
    EXPECT_EQ(session.User().Info.About, "I play + win & smile, 100%");
    TInfo14 read;
    ASSERT_TRUE(client.accounts.ReadProfile("Ann", read));
    EXPECT_EQ(read.About, "I play + win & smile, 100%");

    // The photo: a wrong size is refused here, the right one goes up by FTP.
    const std::string small = WriteFile(root / "small.jpg", Jpeg(100, 100, Qt::red));
    EXPECT_FALSE(editor.ChoosePhotoFile(QString::fromStdString(small)));
    EXPECT_EQ(hosts.messages.back(), English(WordId::PhotoFormat));
    ASSERT_TRUE(editor.ChoosePhotoFile(QString::fromStdString(WriteFile(root / "ann.jpg", photo))));
    editor.ButtonOKFClick();
    EXPECT_EQ(editor.Photo().size(), QSize(200, 250));
    Screenshot(editor, "account-profile-editor.png");
  }

  // A second account whose stored password holds blanks: the automatic
  // login sends them as '-'.
  TQorUser bob;
  bob.Nick = "Bob";
  bob.Pw = "Sec-ret-2";
  bob.City = "Oslo";
  bob.Country1 = "Norway";
  bob.Country2 = "1-030";
  bob.Sex = 'M';
  bob.EMail = "bob@no.no";
  ASSERT_EQ(client.accounts.Register(bob), 0);
  std::ofstream(root / "bob.qor", std::ios::binary) << UserFileText({"Bob", Encipher("Sec ret#2")});
  Client bobClient(process.Base());
  bobClient.requests.ReadServiceDirectory(directorySettings);
  AccountSession bobSession(bobClient.accounts, root / "bob.qor");
  ASSERT_TRUE(bobSession.AutoLogin());
  EXPECT_EQ(bobSession.User().City, "Oslo");
  // Nobody writes another account's photo.
  const HttpReply foreign = HttpClient::FtpUpload(bobClient.endpoints.Address(Endpoint::PhotoUpload) + "Ann.jpg", "Bob",
                                                  "Sec-ret-2", std::string(photo.constData(), photo.size()));
  EXPECT_FALSE(foreign.ok);
  EXPECT_TRUE(bobClient.accounts.UploadPhoto(bobSession.User(), std::string(photo.constData(), photo.size())));

  // An account game of the real program, the 30th of its cycle.
  TQorGame before;
  before.Kon = 29;
  before.KonL = 29;
  before.Score = 500;
  before.Best = 0;
  before.Rating = RatingWithResult(29, RatingWithAdvanceLoss(28, 3.0), 100);
  ASSERT_TRUE(client.accounts.WriteGame(session.User(), before));
  QProcess game;
  game.setProcessChannelMode(QProcess::MergedChannels);
  game.start(QStringLiteral(TARVEL_GAME_PROGRAM),
             {"--data-dir", QString::fromStdString((root / "data").string()) + '/', "--services",
              QString::fromStdString(process.Base()), "--autoplay", "--account-game", "--quit-after-game", "--fast",
              "--seed", "11"});
  ASSERT_TRUE(game.waitForFinished(300000));
  const QString output = QString::fromUtf8(game.readAll());
  ASSERT_EQ(game.exitCode(), 0) << output.toStdString();
  const QRegularExpressionMatch results = QRegularExpression("results (-?\\d+) (-?\\d+) (-?\\d+)").match(output);
  ASSERT_TRUE(results.hasMatch()) << output.toStdString();
  const int result = results.captured(3).toInt();
  const TQorGame expected = FinishedRecord(AdvanceRecord(before), before.KonL, result, before.Score + result);
  TQorGame after;
  ASSERT_TRUE(client.accounts.ReadGame(session.User(), after));
  EXPECT_EQ(after.Kon, 30);
  EXPECT_EQ(after.KonL, 0);
  EXPECT_EQ(after.Score, 0);
  EXPECT_EQ(after.Sessions, 1);
  EXPECT_EQ(after.Best, std::max(0, before.Score + result));
  EXPECT_NEAR(after.Rating, expected.Rating, 1e-9);
  // The cycle's score in the account list of the world top ten.
  TopTenList list;
  ASSERT_TRUE(client.requests.ReadTopTen(kAccountList, list));
  EXPECT_EQ(list[0].Nick, "Ann");
  EXPECT_EQ(list[0].Score, before.Score + result);

  // The game is in the history as an account game; the club knows nothing of it.
  EXPECT_EQ(testing::FileBytes(root / "data" / "Tarvel.clb").find("Ann"), std::string::npos);
  int accountLines = 0;
  for (const auto& entry : fs::recursive_directory_iterator(root / "data" / "History")) {
    const std::string text = testing::FileBytes(entry.path());
    const std::size_t at = text.find("Ann");
    // The kind letter stands at position 90 of a line, the name from 16.
    if (at != std::string::npos && at + 74 < text.size() && text[at + 74] == 'A') ++accountLines;
  }
  EXPECT_EQ(accountLines, 1);

  // The fifth member row of the account holder, in both club modes.
  ASSERT_TRUE(session.RefreshGame());
  const QString rating = QString::number(std::llround(after.Rating)).rightJustified(6);
  EXPECT_EQ(controller.MemberRowText(1), QString("Ann").leftJustified(20) + "      0    " + rating);
  EXPECT_EQ(controller.MemberRowText(2), QString("Ann").leftJustified(20) + "       30  " + rating);
  EXPECT_TRUE(controller.HoldsMemberRow(false));
  EXPECT_FALSE(controller.HoldsMemberRow(true));

  // The rating list and the places.
  AccountTopTen rows;
  ASSERT_TRUE(client.accounts.ReadRatingList(rows));
  const auto ann = std::find_if(rows.begin(), rows.end(), [](const TQorTop10& row) { return row.Nick == "Ann"; });
  ASSERT_NE(ann, rows.end());
  const int annRow = static_cast<int>(ann - rows.begin());
  EXPECT_NEAR(ann->Rating, after.Rating, 1e-9);
  EXPECT_EQ(ann->City, "Roma");
  std::int32_t place = 0;
  ASSERT_TRUE(client.accounts.ReadPlace(after.Rating, place));
  EXPECT_EQ(place, annRow + 1);
  // The same rows for the world top ten's account view, and the passport of
  // its neighbourhood.
  std::vector<TQorTop10> worldRows;
  ASSERT_TRUE(controller.ReadRatingRows(worldRows));
  ASSERT_GT(worldRows.size(), static_cast<std::size_t>(annRow));
  EXPECT_EQ(worldRows[static_cast<std::size_t>(annRow)], *ann);
  std::string nick, city;
  ASSERT_TRUE(controller.Passport(nick, city));
  EXPECT_EQ(nick + " " + city, "Ann Roma");

  // The window shows it: "My results", "Top 10", the card with the photo.
  {
    TFAcc1 window(session, hosts, hosts);
    EXPECT_EQ(window.Results()->item(4, 1)->text(), "30");
    EXPECT_EQ(window.Results()->item(6, 1)->text(), "1");
    EXPECT_EQ(window.TopTen()->item(annRow, 1)->text(), "Ann");
    EXPECT_FALSE(window.OwnCard().Data().photo.isNull());
    EXPECT_EQ(window.OwnCard().Data().info.Name1, "Anna");
    window.resize(760, 560);
    window.Pages()->setCurrentIndex(1);
    Screenshot(window, "account-results.png");
    window.Pages()->setCurrentIndex(2);
    Screenshot(window, "account-top10.png");
    window.Pages()->setCurrentIndex(3);
    Screenshot(window, "account-profile.png");
  }
  EXPECT_TRUE(process.Stop());
  fs::remove_all(root);
}

}  // namespace
}  // namespace tarvel

int main(int argc, char** argv) {
  // Windows are drawn offscreen unless told otherwise (also while the test
  // list is read at build time).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
