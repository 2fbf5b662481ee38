// A request from the main window: the window keeps painting with the wait
// cursor and the game driver stays busy until the reply is in. The server
// here runs on the window's own thread, so it can only answer while the
// window's event loop runs during the request.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include "engine/match_state.h"
#include "settings/settings_file.h"
#include "table/window/tform1.h"

namespace tarvel::testing {
namespace {

// Answers every HTTP request with one top ten record, but only after the
// window has painted since the request came in.
class PaintGatedServer : public QObject {
 public:
  PaintGatedServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection())
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
    });
  }

  void Watch(TForm1& window) {
    window_ = &window;
    driver_ = &window.Driver();
    window.installEventFilter(this);
  }

  quint16 Port() const { return server_.serverPort(); }

  struct Seen {
    bool busy = false;
    bool waitCursor = false;
  };
  std::vector<Seen> seen;  // one per request, taken when it arrived
  int paintsWhileWaiting = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Paint && waiting_) {
      ++paintsWhileWaiting;
      waiting_->write("HTTP/1.1 200 OK\r\nContent-Length: 10\r\nConnection: close\r\n\r\n$1 1 5 Bob");
      waiting_->disconnectFromHost();
      waiting_ = nullptr;
    }
    return false;
  }

 private:
  void Read(QTcpSocket* socket) {
    QByteArray& buffer = buffers_[socket];
    buffer += socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0) return;
    const QByteArray head = buffer.left(end).toLower();
    // The music player's playlist and the radio's station list are read in
    // the background, not through the request layer; refusing them leaves
    // the music player without songs and the radio off.
    if (head.startsWith("get /musik/") || head.startsWith("get /downloads/progr/cards/qorradio.rad")) {
      buffers_.erase(socket);
      socket->abort();
      return;
    }
    const qsizetype length = head.indexOf("content-length: ");
    const qsizetype body = length < 0 ? 0 : head.mid(length + 16).split('\r').front().toLongLong();
    if (buffer.size() < end + 4 + body) return;
    const QCursor* cursor = QGuiApplication::overrideCursor();
    seen.push_back({driver_ != nullptr && driver_->busy(),
                    cursor != nullptr && cursor->shape() == Qt::WaitCursor});
    waiting_ = socket;
    if (window_ != nullptr) window_->update();
  }

  QWidget* window_ = nullptr;
  const GameDriver* driver_ = nullptr;
  QTcpServer server_;
  std::map<QTcpSocket*, QByteArray> buffers_;
  QTcpSocket* waiting_ = nullptr;
};

TEST(OnlineSession, WindowPaintsWithWaitCursorAndStaysBusyDuringARequest) {
  QTemporaryDir dir;
  MatchState state;
  Settings settings;
  TForm1::Options options;
  options.dataFolder = dir.path() + QLatin1Char('/');
  auto server = std::make_unique<PaintGatedServer>();
  options.servicesBase = "http://127.0.0.1:" + std::to_string(server->Port()) + "/";
  auto window = std::make_unique<TForm1>(state, settings, options);
  server->Watch(*window);

  window->show();
  QElapsedTimer guard;
  guard.start();
  while (!window->OnlineStarted() && guard.elapsed() < 30000) QCoreApplication::processEvents();
  ASSERT_TRUE(window->OnlineStarted());
  ASSERT_EQ(server->seen.size(), 3u);  // the directory, the start report, the counter's statistics

  TopTenList list;
  ASSERT_TRUE(window->Online().Requests().ReadTopTen(kWorldList, list));
  EXPECT_EQ(list[0].Nick, "Bob");
  ASSERT_EQ(server->seen.size(), 4u);
  for (const auto& seen : server->seen) {
    EXPECT_TRUE(seen.busy);
    EXPECT_TRUE(seen.waitCursor);
  }
  EXPECT_EQ(server->paintsWhileWaiting, 4);
  EXPECT_FALSE(window->Driver().busy());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  window->close();
}

}  // namespace
}  // namespace tarvel::testing

namespace tarvel::testing {
namespace {

// Services that cannot open their database end at once; the game goes on
// without them and stops waiting for them.
TEST(OnlineSession, ServicesThatCannotStartLeaveTheGameOffline) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("tarvel-services.sqlite")));
  QTcpServer portFinder;
  portFinder.listen(QHostAddress::LocalHost, 0);
  const quint16 port = portFinder.serverPort();
  portFinder.close();
  MatchState state;
  Settings settings;
  TForm1::Options options;
  options.dataFolder = dir.path() + QLatin1Char('/');
  options.programFolder = QCoreApplication::applicationDirPath();  // tarvel-services stands there
  options.servicesBase = "http://127.0.0.1:" + std::to_string(port) + "/";
  TForm1 window(state, settings, options);
  window.show();
  QElapsedTimer guard;
  guard.start();
  while (!window.OnlineStarted() && guard.elapsed() < 30000) QCoreApplication::processEvents();
  ASSERT_TRUE(window.OnlineStarted());
  EXPECT_FALSE(window.Online().Directory().read);
  window.close();
}

}  // namespace
}  // namespace tarvel::testing
