// The internet radio with its real parts: the radio module built for the
// game, station lists and settings in a temporary shared folder, the radio
// window offscreen, lists downloaded from a local HTTP server, and streams
// of the real services program and of Debian's Icecast server fed by
// ezstream, played by the GStreamer player into its silent sink.
#include "media/audio/multimedia_audio_stream.h"
#include "media/internet_radio.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerResponse>
#include <QLabel>
#include <QProcess>
#include <QResource>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <memory>

#include "media/form_radio.h"
#include "media_wait.h"
#include "services_process.h"
#include "widgets/qor_cards_button.h"

namespace tarvel {
namespace {

const QString kModule = QStringLiteral(TARVEL_TESTMODULES_DIR "/QorRadio02.rcc");

// The radio module of the build, registered while the radio reads it.
bool ReadTestModule(const std::function<void()>& read) {
  if (!QResource::registerResource(kModule)) return false;
  read();
  QResource::unregisterResource(kModule);
  return true;
}

QByteArray Line(const char* code, const char* key, const char* name, const QString& url) {
  return QByteArray(code) + '#' + key + '#' + name + "##" + url.toLatin1() + "#\r\n";
}

// A radio over a shared folder of its own.
struct RadioRig {
  explicit RadioRig(const QByteArray& list = {}, const QByteArray& ini = {}, std::string listAddress = {}) {
    if (!list.isEmpty()) Write("QorRadio.rad", list);
    if (!ini.isEmpty()) Write("QorRadio.ini", ini);
    radio = std::make_unique<InternetRadio>(RadioPlaces{folder.path(), QString(), std::move(listAddress)},
                                            [] { return std::make_unique<MultimediaAudioStream>(); },
                                            ReadTestModule);
  }
  void Write(const char* name, const QByteArray& bytes) const {
    QFile file(folder.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QByteArray Read(const char* name) const {
    QFile file(folder.filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QTemporaryDir folder;
  std::unique_ptr<InternetRadio> radio;
};

// An address on which nothing listens: a stream there fails at once.
QString DeadUrl(const char* path) { return QStringLiteral("http://127.0.0.1:1/") + QLatin1String(path); }

quint16 FreePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost);
  return probe.serverPort();
}

// True once a GET of `path` on the port answers "200".
bool AnswersOk(quint16 port, const QByteArray& path) {
  QTcpSocket socket;
  socket.connectToHost(QHostAddress::LocalHost, port);
  if (!socket.waitForConnected(1000)) return false;
  socket.write("GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
  if (!socket.waitForReadyRead(1000)) return false;
  return socket.readLine().contains(" 200");
}

TEST(InternetRadio, WindowEdgeCases) {
  const QByteArray list = "# RUS stations, all left out:\r\n#" + Line("RUS", "RUS0001", "Tarvel FM", DeadUrl("a.mp3")) +
                          Line("UA0", "UA00001", "Kyiv", DeadUrl("b.mp3")) +
                          Line("UA0", "UA00002", "Lviv", DeadUrl("c.mp3"));
  const auto ini = [](const char* volume, const char* country, const char* name = "Lviv") {
    return QByteArray(name) + "\r\n" + DeadUrl("c.mp3").toLatin1() + "\r\nUkraine\r\n\r\n0\r\n" + volume + "\r\n" +
           country + "\r\n";
  };
  struct Case {
    const char* name;
    QByteArray ini;
    std::function<void(TFormRadio&)> act;
    std::function<void(const TRadio&, TFormRadio&)> check;
  };
  const std::vector<Case> cases{
      {"a country whose lines are all comments", ini("30", "0"), [](TFormRadio&) {},
       [](const TRadio& r, TFormRadio& w) {
         EXPECT_EQ(w.ComboBox2()->count(), 0);
         EXPECT_EQ(r.Name, "Lviv");  // nothing changes
       }},
      {"the chosen country selects the current station", ini("30", "1"), [](TFormRadio&) {},
       [](const TRadio& r, TFormRadio& w) {
         ASSERT_EQ(w.Keys(), (QStringList{"UA00001", "UA00002"}));
         EXPECT_EQ(w.ComboBox2()->currentIndex(), 1);
         EXPECT_EQ(r.Name, "Lviv");
       }},
      {"another country without the station: its first becomes current", ini("30", "0", "Elsewhere"),
       [](TFormRadio& w) {
         w.ComboBox1()->setCurrentIndex(1);
         w.ComboBox1Click();
       },
       [](const TRadio& r, TFormRadio&) {
         EXPECT_EQ(r.KakStations, 1);
         EXPECT_EQ(r.Name, "Kyiv");
       }},
      {"volume 100 stays on plus", ini("100", "1"), [](TFormRadio& w) { w.ButtonPlus()->click(); },
       [](const TRadio& r, TFormRadio&) { EXPECT_EQ(r.Volume, 100); }},
      {"volume 0 stays on minus", ini("0", "1"), [](TFormRadio& w) { w.ButtonMinus()->click(); },
       [](const TRadio& r, TFormRadio&) { EXPECT_EQ(r.Volume, 0); }},
      {"steps of ten", ini("30", "1"),
       [](TFormRadio& w) {
         w.ButtonPlus()->click();
         w.ButtonPlus()->click();
         w.ButtonMinus()->click();
       },
       [](const TRadio& r, TFormRadio&) { EXPECT_EQ(r.Volume, 40); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RadioRig rig(list, c.ini);
    rig.radio->PrepareRadio(false);
    ASSERT_TRUE(rig.radio->Ready());
    ASSERT_TRUE(rig.radio->Record().CanUse);
    TFormRadio window(*rig.radio, Settings{});
    c.act(window);
    c.check(rig.radio->Record(), window);
    EXPECT_FALSE(rig.radio->Record().Enabled);
  }
}

TEST(InternetRadio, OnAtStartUpSwitchesTheMidiMusicOffOnceTheListIsRead) {
  struct Case {
    const char* name;
    const char* enabled;
    int musicOff;
  };
  for (const Case c : {Case{"left on", "1", 1}, Case{"left off", "0", 0}}) {
    SCOPED_TRACE(c.name);
    RadioRig rig(Line("RUS", "RUS0001", "Tarvel FM", DeadUrl("a.mp3")),
                 "Tarvel FM\r\n" + DeadUrl("a.mp3").toLatin1() + "\r\nRussian Federation\r\n\r\n" + c.enabled +
                     "\r\n30\r\n0\r\n");
    QSignalSpy musicOff(rig.radio.get(), &InternetRadio::MusicOffWanted);
    // The intro's first click may come before the list is read.
    rig.radio->StartRadio();
    EXPECT_EQ(musicOff.count(), 0);
    rig.radio->PrepareRadio(false);
    EXPECT_EQ(musicOff.count(), c.musicOff);
    EXPECT_EQ(rig.radio->Record().Enabled, c.musicOff == 1);
  }
}

TEST(InternetRadio, ReadingTheListAgainKeepsWhatWasChosen) {
  RadioRig rig(Line("RUS", "RUS0001", "Tarvel FM", DeadUrl("a.mp3")) + Line("UA0", "UA00001", "Kyiv", DeadUrl("b.mp3")));
  rig.radio->PrepareRadio(false);
  rig.radio->VolumePlus();
  rig.radio->SetCountry(1);
  rig.radio->ChooseStation(StationsOfCountry(rig.radio->Stations(), 1).front());
  QSignalSpy musicOff(rig.radio.get(), &InternetRadio::MusicOffWanted);
  rig.radio->Toggle();
  rig.radio->PrepareRadio(false);  // the options' list source changed
  const TRadio& r = rig.radio->Record();
  EXPECT_EQ(r.Volume, 40);
  EXPECT_EQ(r.KakStations, 1);
  EXPECT_EQ(r.Name, "Kyiv");
  EXPECT_TRUE(r.Enabled);
  EXPECT_EQ(musicOff.count(), 2);  // it played before and plays again
}

TEST(InternetRadio, ADownloadedListReplacesTheOldOneOnlyWhenItHoldsAStation) {
  const QByteArray good = Line("RUS", "RUS0001", "New", DeadUrl("a.mp3"));
  QHttpServer server;
  server.route("/good.rad", [good] { return QHttpServerResponse("text/plain", good); });
  server.route("/local.rad", [] { return QHttpServerResponse("text/plain", "RUS#RUS0001#Disk##file:///etc/passwd#\r\n"); });
  server.route("/long.rad", [] {
    return QHttpServerResponse("text/plain", "RUS#RUS0001#" + QByteArray(5000, 'N') + "##http://h/a.mp3#\r\n");
  });
  server.route("/binary.rad", [] { return QHttpServerResponse("text/plain", QByteArray(10000, '\xff')); });
  const quint16 port = server.listen(QHostAddress::LocalHost);
  ASSERT_NE(port, 0);
  const QByteArray old = Line("RUS", "RUS0001", "Old", DeadUrl("b.mp3"));
  struct Case {
    const char* path;
    bool used;
  };
  for (const Case c : {Case{"/good.rad", true}, Case{"/local.rad", false}, Case{"/long.rad", false},
                       Case{"/binary.rad", false}, Case{"/missing.rad", false}}) {
    SCOPED_TRACE(c.path);
    RadioRig rig({}, {}, QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(QLatin1String(c.path)).toStdString());
    rig.Write("QorRadio.ser", old);
    rig.radio->PrepareRadio(true);
    ASSERT_TRUE(WaitUntil([&] { return rig.radio->Ready(); }));
    EXPECT_EQ(rig.radio->Record().CanUse, c.used);
    EXPECT_EQ(rig.Read("QorRadio.ser"), c.used ? good : old);
    EXPECT_EQ(rig.radio->Record().Name, c.used ? "New" : "");
    // Only an available radio writes its settings.
    EXPECT_EQ(rig.radio->SaveRadio(), c.used);
  }
}

// The radio plays a station: its position advances, a stop holds it while
// `clock` (another stream) plays on, and the next station frees the stream.
void PlayAndSwitch(InternetRadio& radio, const RadioStation& next, AudioStream& clockAudio, StreamHandle clock) {
  QSignalSpy musicOff(&radio, &InternetRadio::MusicOffWanted);
  radio.Toggle();
  ASSERT_TRUE(radio.Record().Enabled);
  EXPECT_EQ(musicOff.count(), 1);
  AudioStream* audio = radio.Audio();
  ASSERT_NE(audio, nullptr);
  const StreamHandle first = radio.Stream();
  ASSERT_NE(first, 0u);
  ASSERT_TRUE(WaitUntil([&] { return audio->ChannelGetPosition(first) > 0; }));
  const std::uint64_t early = audio->ChannelGetPosition(first);
  ASSERT_TRUE(WaitUntil([&] { return audio->ChannelGetPosition(first) > early; }));

  radio.Toggle();
  ASSERT_FALSE(radio.Record().Enabled);
  const std::uint64_t settle = clockAudio.ChannelGetPosition(clock);
  ASSERT_TRUE(WaitUntil([&] { return clockAudio.ChannelGetPosition(clock) > settle + 44100 * 4 / 10; }));
  const std::uint64_t stoppedAt = audio->ChannelGetPosition(first);
  const std::uint64_t clockFrom = clockAudio.ChannelGetPosition(clock);
  ASSERT_TRUE(WaitUntil([&] { return clockAudio.ChannelGetPosition(clock) > clockFrom + 44100 * 4 / 2; }));
  EXPECT_EQ(audio->ChannelGetPosition(first), stoppedAt);

  radio.Toggle();
  radio.ChooseStation(next);
  const StreamHandle second = radio.Stream();
  ASSERT_NE(second, 0u);
  EXPECT_NE(second, first);
  EXPECT_FALSE(audio->StreamFree(first));  // released already
  EXPECT_EQ(audio->ChannelGetPosition(first), 0u);
  EXPECT_TRUE(WaitUntil([&] { return audio->ChannelGetPosition(second) > 0; }));
  EXPECT_EQ(radio.Record().Name, next.Name);
}

TEST(InternetRadioStreams, PlaysTheStationsOfTheServicesProgram) {
  QTemporaryDir data;
  services::ServicesProcess services(TARVEL_SERVICES_PROGRAM, data.path().toStdString());
  ASSERT_TRUE(services.Started()) << services.Error();
  RadioRig rig({}, {}, services.Base() + "downloads/progr/cards/QorRadio.rad");
  rig.radio->PrepareRadio(true);
  ASSERT_TRUE(WaitUntil([&] { return rig.radio->Ready(); }));
  ASSERT_TRUE(rig.radio->Record().CanUse);
  // The list names this server's streams, with the stations' own logos.
  const QString base = QString::fromStdString(services.Base());
  EXPECT_TRUE(QString::fromStdString(rig.radio->Record().URL).startsWith(base + "radio/"));
  EXPECT_NE(rig.radio->Record().Resurs, kDefaultRadioLogo);
  const std::vector<RadioStation> russian = StationsOfCountry(rig.radio->Stations(), 0);
  ASSERT_GE(russian.size(), 2u);
  for (std::size_t k = 0; k < kRadioCountryCount; ++k)
    EXPECT_FALSE(StationsOfCountry(rig.radio->Stations(), k).empty()) << RadioCountries()[k].Code;

  MultimediaAudioStream clockAudio;
  ASSERT_TRUE(clockAudio.Init());
  const StreamHandle clock = clockAudio.StreamCreateURL(QString::fromStdString(russian.back().Url));
  ASSERT_NE(clock, 0u);
  clockAudio.ChannelSetAttribute(clock, ChannelAttribute::Volume, 0.0f);
  ASSERT_TRUE(clockAudio.ChannelPlay(clock));
  rig.radio->VolumeMinus();
  rig.radio->VolumeMinus();
  rig.radio->VolumeMinus();
  PlayAndSwitch(*rig.radio, russian[1], clockAudio, clock);

  rig.radio->Close();
  EXPECT_TRUE(rig.Read("QorRadio.ini").startsWith(QByteArray::fromStdString(russian[1].Name) + "\r\n"));
  EXPECT_TRUE(services.Stop());
}

TEST(InternetRadioStreams, PlaysAnIcecastStationFedByEzstream) {
#if defined(__SANITIZE_ADDRESS__)
  // Icecast and ezstream stream in real time beside the slowed sanitizer
  // run of the whole suite and miss its waits; the normal run covers them.
  GTEST_SKIP() << "real-time Icecast feed: run in the normal build";
#endif
  const QString icecast = QStandardPaths::findExecutable(QStringLiteral("icecast2"));
  const QString ezstream = QStandardPaths::findExecutable(QStringLiteral("ezstream"));
  const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
  ASSERT_FALSE(icecast.isEmpty() || ezstream.isEmpty() || sox.isEmpty()) << "icecast2, ezstream and sox are needed";
  QTemporaryDir work;
  const QString tone = work.filePath(QStringLiteral("tone.mp3"));
  ASSERT_EQ(QProcess::execute(sox, {"-n", "-r", "44100", "-c", "2", tone, "synth", "20", "sine", "330"}), 0);
  QDir(work.path()).mkdir(QStringLiteral("log"));
  QFile::setPermissions(work.filePath(QStringLiteral("log")), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                        QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::WriteOther |
                        QFileDevice::ExeOther);
  // The free port may be taken by another program before icecast binds it;
  // icecast then exits at once, and the next free port is tried.
  quint16 port = 0;
  QProcess server;
  server.setProcessChannelMode(QProcess::MergedChannels);
  bool serving = false;
  for (int attempt = 0; attempt < 5 && !serving; ++attempt) {
    port = FreePort();
    // Icecast refuses to run as root unless it drops to another user.
    const QString owner = ::geteuid() == 0
                              ? QStringLiteral("<changeowner><user>nobody</user><group>nogroup</group></changeowner>")
                              : QString();
    QFile config(work.filePath(QStringLiteral("icecast.xml")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral(
                     "<icecast><limits><sources>2</sources></limits>"
                     "<authentication><source-password>tarvelsource</source-password>"
                     "<admin-user>admin</admin-user><admin-password>tarveladmin</admin-password></authentication>"
                     "<hostname>127.0.0.1</hostname>"
                     "<listen-socket><port>%1</port><bind-address>127.0.0.1</bind-address></listen-socket>"
                     "<paths><basedir>/usr/share/icecast2</basedir><logdir>%2</logdir>"
                     "<webroot>/usr/share/icecast2/web</webroot><adminroot>/usr/share/icecast2/admin</adminroot></paths>"
                     "<logging><accesslog>-</accesslog><errorlog>-</errorlog><loglevel>1</loglevel></logging>"
                     "<security><chroot>0</chroot>%3</security></icecast>")
                     .arg(port)
                     .arg(work.filePath(QStringLiteral("log")), owner)
                     .toUtf8());
    config.close();
    server.start(icecast, {"-c", config.fileName()});
    ASSERT_TRUE(server.waitForStarted());
    ASSERT_TRUE(WaitUntil([&] { return AnswersOk(port, "/status-json.xsl") || server.state() == QProcess::NotRunning; }))
        << server.readAll().toStdString();
    serving = server.state() == QProcess::Running;
  }
  QFile feed(work.filePath(QStringLiteral("ezstream.xml")));
  ASSERT_TRUE(feed.open(QIODevice::WriteOnly));
  feed.write(QStringLiteral("<ezstream><servers><server><hostname>127.0.0.1</hostname><port>%1</port>"
                            "<password>tarvelsource</password></server></servers>"
                            "<streams><stream><mountpoint>/tarvel.mp3</mountpoint><format>MP3</format>"
                            "<stream_name>Tarvel Icecast</stream_name></stream></streams>"
                            "<intakes><intake><filename>%2</filename></intake></intakes></ezstream>")
                 .arg(port)
                 .arg(tone)
                 .toUtf8());
  feed.close();
  feed.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);  // ezstream insists

  ASSERT_TRUE(serving) << server.readAll().toStdString();
  QProcess source;
  source.start(ezstream, {"-c", feed.fileName()});
  ASSERT_TRUE(source.waitForStarted());
  ASSERT_TRUE(WaitUntil([&] { return AnswersOk(port, "/tarvel.mp3"); })) << source.readAll().toStdString();

  const QString station = QStringLiteral("http://127.0.0.1:%1/tarvel.mp3").arg(port);
  RadioRig rig(Line("USA", "USA0001", "Icecast", station) + Line("USA", "USA0002", "Again", station),
               "Icecast\r\n" + station.toLatin1() + "\r\nUSA\r\n\r\n0\r\n0\r\n12\r\n");
  rig.radio->PrepareRadio(false);
  ASSERT_TRUE(rig.radio->Record().CanUse);
  MultimediaAudioStream clockAudio;
  ASSERT_TRUE(clockAudio.Init());
  const StreamHandle clock = clockAudio.StreamCreateURL(station);
  ASSERT_NE(clock, 0u);
  clockAudio.ChannelSetAttribute(clock, ChannelAttribute::Volume, 0.0f);
  ASSERT_TRUE(clockAudio.ChannelPlay(clock));
  PlayAndSwitch(*rig.radio, StationsOfCountry(rig.radio->Stations(), 12).back(), clockAudio, clock);
  rig.radio->Close();
  clockAudio.Free();

  source.terminate();
  server.terminate();
  EXPECT_TRUE(source.waitForFinished());
  EXPECT_TRUE(server.waitForFinished());
}

}  // namespace
}  // namespace tarvel
