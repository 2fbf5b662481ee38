// The audio stream layer against real streams: a three-second MP3 made by sox
// at run time, served by a Qt HTTP server on 127.0.0.1, played by the real
// GStreamer player (into a silent sink, see CMakeLists.txt). Waits spin the
// event loop until a condition holds and fail the test after a generous bound.
#include "media/audio/multimedia_audio_stream.h"
#include "media/audio_stream.h"
#include "media_wait.h"

#include <QAudioDevice>
#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerResponse>
#include <QList>
#include <QMediaDevices>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace tarvel {
namespace {

using namespace std::chrono_literals;

constexpr double kToneSeconds = 3.0;
constexpr auto kShortOpenTimeout = 3000ms;

// Bytes of decoded 16-bit stereo sound per second at a frequency.
constexpr std::uint64_t BytesPerSecond(std::uint32_t frequency)
{
    return std::uint64_t{frequency} * 4;
}

// Every call on a handle that names no open stream does nothing and fails.
void ExpectHarmless(AudioStream& audio, StreamHandle handle)
{
    SCOPED_TRACE("handle " + std::to_string(handle));
    EXPECT_FALSE(audio.ChannelSetAttribute(handle, ChannelAttribute::Volume, 0.5f));
    EXPECT_EQ(audio.ChannelGetAttribute(handle, ChannelAttribute::Volume), std::nullopt);
    EXPECT_FALSE(audio.ChannelPlay(handle));
    EXPECT_FALSE(audio.ChannelStop(handle));
    EXPECT_EQ(audio.ChannelGetPosition(handle), 0u);
    EXPECT_EQ(audio.ChannelGetLength(handle), 0u);
    EXPECT_FALSE(audio.ChannelHasEnded(handle));
    EXPECT_FALSE(audio.StreamFree(handle));
}

// A TCP server that accepts connections and then either says nothing at all
// or answers with bytes that are no HTTP reply and hangs up.
class RawServer {
public:
    explicit RawServer(QByteArray reply) : reply_(std::move(reply))
    {
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                held_.append(socket);
                if (reply_.isEmpty())
                    continue;
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    socket->readAll();
                    socket->write(reply_);
                    socket->disconnectFromHost();
                });
            }
        });
        server_.listen(QHostAddress::LocalHost);
    }
    quint16 port() const { return server_.serverPort(); }

private:
    QByteArray reply_;
    QTcpServer server_;
    QList<QPointer<QTcpSocket>> held_;
};

class AudioStreamTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new QTemporaryDir;
        const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
        const QString path = folder_->filePath(QStringLiteral("tone.mp3"));
        if (!sox.isEmpty()
            && QProcess::execute(sox, {"-n", "-r", "44100", "-c", "2", path, "synth",
                                       QString::number(kToneSeconds), "sine", "440"}) == 0) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                tone_ = new QByteArray(file.readAll());
        }

        server_ = new QHttpServer;
        const QByteArray tone = tone_ ? *tone_ : QByteArray();
        server_->route("/tone.mp3", [tone] { return QHttpServerResponse("audio/mpeg", tone); });
        server_->route("/page.html", [] {
            return QHttpServerResponse("text/html",
                                       "<html><body><p>No music here.</p></body></html>");
        });
        server_->route("/zeros.mp3", [] {
            return QHttpServerResponse("audio/mpeg", QByteArray(64 * 1024, '\0'));
        });
        port_ = server_->listen(QHostAddress::LocalHost);
    }

    static void TearDownTestSuite()
    {
        delete server_;
        delete tone_;
        delete folder_;
        server_ = nullptr;
        tone_ = nullptr;
        folder_ = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(tone_, nullptr) << "sox could not make the test MP3";
        ASSERT_FALSE(tone_->isEmpty());
        ASSERT_NE(port_, 0) << "the HTTP server could not listen";
    }

    static QString Url(const char* path)
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(QLatin1String(path));
    }

    // Opens the tone, silenced, so a machine with speakers stays quiet too.
    static StreamHandle OpenTone(AudioStream& audio)
    {
        const StreamHandle handle = audio.StreamCreateURL(Url("/tone.mp3"));
        audio.ChannelSetAttribute(handle, ChannelAttribute::Volume, 0.0f);
        return handle;
    }

    static inline QTemporaryDir* folder_ = nullptr;
    static inline QByteArray* tone_ = nullptr;
    static inline QHttpServer* server_ = nullptr;
    static inline quint16 port_ = 0;
};

TEST_F(AudioStreamTest, PositionAndLengthAdvanceWhilePlaying)
{
    MultimediaAudioStream audio;
    ASSERT_TRUE(audio.Init());
    const StreamHandle handle = OpenTone(audio);
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(audio.ChannelGetPosition(handle), 0u);

    ASSERT_TRUE(audio.ChannelPlay(handle));
    ASSERT_TRUE(WaitUntil([&] {
        return audio.ChannelGetPosition(handle) > 0 && audio.ChannelGetLength(handle) > 0;
    }));
    const std::uint64_t first = audio.ChannelGetPosition(handle);
    ASSERT_TRUE(WaitUntil([&] { return audio.ChannelGetPosition(handle) > first; }));

    const std::uint64_t length = audio.ChannelGetLength(handle);
    const double seconds = double(length) / double(BytesPerSecond(kDefaultAudioFrequency));
    EXPECT_NEAR(seconds, kToneSeconds, 0.15);
    EXPECT_LT(audio.ChannelGetPosition(handle), length);
    EXPECT_FALSE(audio.ChannelHasEnded(handle));
}

TEST_F(AudioStreamTest, PositionReachesLengthAtTheEndAndStaysThere)
{
    MultimediaAudioStream audio;
    ASSERT_TRUE(audio.Init());
    const StreamHandle handle = OpenTone(audio);
    ASSERT_NE(handle, 0u);
    ASSERT_TRUE(audio.ChannelPlay(handle));
    ASSERT_TRUE(WaitUntil([&] { return audio.ChannelHasEnded(handle); }));

    const std::uint64_t length = audio.ChannelGetLength(handle);
    EXPECT_EQ(audio.ChannelGetPosition(handle), length);
    EXPECT_NEAR(double(length) / double(BytesPerSecond(kDefaultAudioFrequency)), kToneSeconds,
                0.15);

    // An ended stream does not start again; the end stays visible to the
    // caller that polls for it.
    EXPECT_FALSE(audio.ChannelPlay(handle));
    QCoreApplication::processEvents();
    EXPECT_EQ(audio.ChannelGetPosition(handle), length);
    EXPECT_EQ(audio.ChannelGetLength(handle), length);
}

TEST_F(AudioStreamTest, StopHoldsThePositionAndPlayResumesFromIt)
{
    MultimediaAudioStream audio;
    ASSERT_TRUE(audio.Init());
    const StreamHandle song = OpenTone(audio);
    const StreamHandle clock = OpenTone(audio);  // keeps playing, to measure time by
    ASSERT_NE(song, 0u);
    ASSERT_NE(clock, 0u);
    ASSERT_TRUE(audio.ChannelPlay(song));
    ASSERT_TRUE(audio.ChannelPlay(clock));
    ASSERT_TRUE(WaitUntil([&] { return audio.ChannelGetPosition(song) > 0; }));

    ASSERT_TRUE(audio.ChannelStop(song));
    // Let the player settle into the pause before taking the position.
    const std::uint64_t settleFrom = audio.ChannelGetPosition(clock);
    ASSERT_TRUE(WaitUntil([&] {
        return audio.ChannelGetPosition(clock) > settleFrom + BytesPerSecond(44100) / 10;
    }));
    const std::uint64_t stoppedAt = audio.ChannelGetPosition(song);
    const std::uint64_t clockFrom = audio.ChannelGetPosition(clock);
    // Half a second of the other stream's playing time.
    ASSERT_TRUE(WaitUntil([&] {
        return audio.ChannelGetPosition(clock) >= clockFrom + BytesPerSecond(44100) / 2;
    }));
    EXPECT_EQ(audio.ChannelGetPosition(song), stoppedAt);
    EXPECT_TRUE(audio.ChannelStop(song));  // stopping a stopped stream is harmless

    ASSERT_TRUE(audio.ChannelPlay(song));
    ASSERT_TRUE(WaitUntil([&] { return audio.ChannelGetPosition(song) != stoppedAt; }));
    EXPECT_GT(audio.ChannelGetPosition(song), stoppedAt);  // resumed, not restarted
}

TEST_F(AudioStreamTest, VolumeIsClampedIntoZeroToOne)
{
    MultimediaAudioStream audio;
    ASSERT_TRUE(audio.Init());
    const StreamHandle handle = audio.StreamCreateURL(Url("/tone.mp3"));
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(audio.ChannelGetAttribute(handle, ChannelAttribute::Volume), 1.0f);

    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    const struct {
        float given;
        float expected;
    } cases[] = {
        {0.5f, 0.5f}, {0.0f, 0.0f},   {1.0f, 1.0f},       {0.3f, 0.3f},     {-0.0f, 0.0f},
        {-1.0f, 0.0f}, {1.5f, 1.0f},  {100.0f, 1.0f},     {kInfinity, 1.0f}, {-kInfinity, 0.0f},
        {std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::denorm_min()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        EXPECT_TRUE(audio.ChannelSetAttribute(handle, ChannelAttribute::Volume, c.given));
        const std::optional<float> volume =
            audio.ChannelGetAttribute(handle, ChannelAttribute::Volume);
        ASSERT_TRUE(volume.has_value());
        EXPECT_FLOAT_EQ(*volume, c.expected);
    }

    // NaN and numbers that name no attribute are refused and change nothing.
    ASSERT_TRUE(audio.ChannelSetAttribute(handle, ChannelAttribute::Volume, 0.25f));
    EXPECT_FALSE(audio.ChannelSetAttribute(handle, ChannelAttribute::Volume,
                                           std::numeric_limits<float>::quiet_NaN()));
    const auto unknown = static_cast<ChannelAttribute>(7);
    EXPECT_FALSE(audio.ChannelSetAttribute(handle, unknown, 0.75f));
    EXPECT_EQ(audio.ChannelGetAttribute(handle, unknown), std::nullopt);
    EXPECT_EQ(audio.ChannelGetAttribute(handle, ChannelAttribute::Volume), 0.25f);
}

TEST_F(AudioStreamTest, AddressesThatGiveNoStreamGiveTheZeroHandle)
{
    static const char kGarbage[] = "HELLO THERE\r\n\0\xff\xfe garbage\r\n\r\n";
    RawServer silent{QByteArray()};
    RawServer garbage{QByteArray(kGarbage, sizeof kGarbage - 1)};
    ASSERT_NE(silent.port(), 0);
    ASSERT_NE(garbage.port(), 0);
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        closedPort = probe.serverPort();
    }
    const auto local = [](quint16 port, const char* path) {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(QLatin1String(path));
    };

    const struct {
        const char* what;
        QString url;
    } cases[] = {
        {"nobody listens", local(closedPort, "/tone.mp3")},
        {"404", Url("/missing.mp3")},
        {"a web page", Url("/page.html")},
        {"zeros served as MP3", Url("/zeros.mp3")},
        {"a reply that is no HTTP", local(garbage.port(), "/tone.mp3")},
        {"a server that never answers", local(silent.port(), "/tone.mp3")},
        {"empty", QString()},
        {"blanks", QStringLiteral("   ")},
        {"no address", QStringLiteral("not a url")},
        {"no host", QStringLiteral("http://")},
        {"broken host", QStringLiteral("http://[::1/tone.mp3")},
        {"a local MP3 file",
         QUrl::fromLocalFile(folder_->filePath(QStringLiteral("tone.mp3"))).toString()},
        {"a local file", QStringLiteral("file:///etc/passwd")},
        {"a file descriptor", QStringLiteral("fd://0")},
        {"ftp", local(port_, "/tone.mp3").replace(QStringLiteral("http:"), QStringLiteral("ftp:"))},
        {"a script", QStringLiteral("javascript:alert(1)")},
    };

    MultimediaAudioStream audio(kShortOpenTimeout);
    ASSERT_TRUE(audio.Init());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const StreamHandle handle = audio.StreamCreateURL(c.url);
        EXPECT_EQ(handle, 0u);
        ExpectHarmless(audio, handle);
    }

    // The failures left the library working.
    EXPECT_NE(audio.StreamCreateURL(Url("/tone.mp3")), 0u);
}

TEST_F(AudioStreamTest, HandlesThatNameNoStreamAreHarmless)
{
    MultimediaAudioStream audio;
    ASSERT_TRUE(audio.Init());
    const StreamHandle open = OpenTone(audio);
    ASSERT_NE(open, 0u);
    for (const StreamHandle handle :
         {StreamHandle{0}, open + 1, StreamHandle{999999}, std::numeric_limits<StreamHandle>::max()})
        ExpectHarmless(audio, handle);
    EXPECT_TRUE(audio.ChannelPlay(open));
    EXPECT_EQ(audio.ChannelGetAttribute(open, ChannelAttribute::Volume), 0.0f);
}

TEST_F(AudioStreamTest, StreamFreeReleasesOnlyThatStream)
{
    MultimediaAudioStream audio;
    ASSERT_TRUE(audio.Init());
    const StreamHandle first = OpenTone(audio);
    const StreamHandle second = OpenTone(audio);
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, 0u);
    ASSERT_NE(first, second);
    ASSERT_TRUE(audio.ChannelPlay(first));

    EXPECT_TRUE(audio.StreamFree(first));
    ExpectHarmless(audio, first);

    ASSERT_TRUE(audio.ChannelPlay(second));
    EXPECT_TRUE(WaitUntil([&] { return audio.ChannelGetPosition(second) > 0; }));
    const StreamHandle third = OpenTone(audio);
    EXPECT_NE(third, 0u);
    EXPECT_NE(third, first);  // a freed handle is not handed out again
}

TEST_F(AudioStreamTest, NothingOpensBeforeInitOrAfterFree)
{
    MultimediaAudioStream audio;
    EXPECT_EQ(audio.StreamCreateURL(Url("/tone.mp3")), 0u);
    EXPECT_FALSE(audio.Free());

    ASSERT_TRUE(audio.Init());
    EXPECT_FALSE(audio.Init());  // once is enough; the first stays in force
    const StreamHandle before = OpenTone(audio);
    ASSERT_NE(before, 0u);
    ASSERT_TRUE(audio.ChannelPlay(before));
    ASSERT_TRUE(WaitUntil([&] { return audio.ChannelGetPosition(before) > 0; }));

    EXPECT_TRUE(audio.Free());
    EXPECT_FALSE(audio.Free());
    ExpectHarmless(audio, before);
    EXPECT_EQ(audio.StreamCreateURL(Url("/tone.mp3")), 0u);

    ASSERT_TRUE(audio.Init());
    const StreamHandle after = OpenTone(audio);
    EXPECT_NE(after, 0u);
    EXPECT_NE(after, before);
    ExpectHarmless(audio, before);
}

TEST_F(AudioStreamTest, FreeDuringAWaitingOpenGivesTheZeroHandle)
{
    RawServer silent{QByteArray()};
    ASSERT_NE(silent.port(), 0);
    const QString urls[] = {
        Url("/tone.mp3"),  // would open, but the library is gone when it has
        QStringLiteral("http://127.0.0.1:%1/tone.mp3").arg(silent.port()),
    };
    for (const QString& url : urls) {
        SCOPED_TRACE(url.toStdString());
        MultimediaAudioStream audio(kShortOpenTimeout);
        ASSERT_TRUE(audio.Init());
        // The timer fires inside the open's wait, as a window's timer would.
        bool freed = false;
        QTimer::singleShot(0, [&] { freed = audio.Free(); });
        const StreamHandle handle = audio.StreamCreateURL(url);
        EXPECT_TRUE(freed);
        EXPECT_EQ(handle, 0u);
        ExpectHarmless(audio, handle);
        EXPECT_EQ(audio.StreamCreateURL(Url("/tone.mp3")), 0u);
    }
}

TEST_F(AudioStreamTest, ByteCountsFollowTheInitialisedFrequency)
{
    MultimediaAudioStream full;
    MultimediaAudioStream half;
    ASSERT_TRUE(full.Init(kDefaultAudioDevice, 44100));
    ASSERT_TRUE(half.Init(kDefaultAudioDevice, 22050));
    const StreamHandle a = OpenTone(full);
    const StreamHandle b = OpenTone(half);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    ASSERT_TRUE(full.ChannelPlay(a));
    ASSERT_TRUE(half.ChannelPlay(b));
    ASSERT_TRUE(WaitUntil([&] { return full.ChannelGetLength(a) > 0 && half.ChannelGetLength(b) > 0; }));
    EXPECT_NEAR(double(full.ChannelGetLength(a)) / double(BytesPerSecond(44100)), kToneSeconds, 0.15);
    EXPECT_NEAR(double(half.ChannelGetLength(b)) / double(BytesPerSecond(22050)), kToneSeconds, 0.15);
}

TEST(AudioStreamInit, RefusesUnknownDevicesAndAZeroFrequency)
{
    const int outputs = static_cast<int>(QMediaDevices::audioOutputs().size());
    const struct {
        int device;
        std::uint32_t frequency;
    } cases[] = {
        {0, 44100}, {-2, 44100}, {outputs + 1, 44100}, {1000, 44100},
        {std::numeric_limits<int>::min(), 44100}, {kDefaultAudioDevice, 0},
    };
    MultimediaAudioStream audio;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.device) + " at " + std::to_string(c.frequency));
        EXPECT_FALSE(audio.Init(c.device, c.frequency));
    }
    // The refusals changed nothing: the default device can still be chosen.
    EXPECT_TRUE(audio.Init());
}

TEST_F(AudioStreamTest, SilentLibraryOpensNothingAndEveryCallIsHarmless)
{
    SilentAudioStream audio;
    EXPECT_FALSE(audio.Init());
    EXPECT_EQ(audio.StreamCreateURL(Url("/tone.mp3")), 0u);
    for (const StreamHandle handle : {StreamHandle{0}, StreamHandle{1}, StreamHandle{42}})
        ExpectHarmless(audio, handle);
    EXPECT_FALSE(audio.Free());
}

TEST(AudioStreamFactory, PicksTheBackendAskedForOrTheOneTheMachineSupports)
{
    EXPECT_NE(dynamic_cast<MultimediaAudioStream*>(CreateAudioStream(AudioBackend::Multimedia).get()),
              nullptr);
    EXPECT_NE(dynamic_cast<SilentAudioStream*>(CreateAudioStream(AudioBackend::Silent).get()),
              nullptr);
    const std::unique_ptr<AudioStream> automatic = CreateAudioStream();
    if (QMediaDevices::audioOutputs().isEmpty())
        EXPECT_NE(dynamic_cast<SilentAudioStream*>(automatic.get()), nullptr);
    else
        EXPECT_NE(dynamic_cast<MultimediaAudioStream*>(automatic.get()), nullptr);
}

}  // namespace
}  // namespace tarvel
