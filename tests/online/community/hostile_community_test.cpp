// A hostile stand-in for the services: whatever it answers (markup, links,
// endless nicks, empty fields, bytes of the wrong encoding) is shown as
// plain text cut to its field, or as "#" where a nick or city is refused.
#include <QFontMetrics>
#include <QLabel>
#include <QTcpServer>
#include <QTcpSocket>

#include "community_fixture.h"
#include "online/community/tformchat.h"
#include "online/community/tformstat.h"

namespace tarvel::testing {
namespace {

// Answers every HTTP request with one of two bodies: the chat board's for a
// request of list 100, the statistics' for any other.
class HostileServices : public QObject {
 public:
  HostileServices(QByteArray chat, QByteArray stat) : chat_(std::move(chat)), stat_(std::move(stat)) {
    EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/"; }

 private:
  void Read(QTcpSocket* socket) {
    QByteArray& request = requests_[socket];
    request += socket->readAll();
    const qsizetype end = request.indexOf("\r\n\r\n");
    if (end < 0) return;
    qsizetype length = 0;
    for (const QByteArray& line : request.left(end).split('\n'))
      if (line.toLower().startsWith("content-length:")) length = line.mid(15).trimmed().toLongLong();
    if (request.size() < end + 4 + length) return;
    const QByteArray& body = request.mid(end + 4).contains("gid=100") ? chat_ : stat_;
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: " +
                  QByteArray::number(body.size()) + "\r\n\r\n" + body);
    socket->disconnectFromHost();
    requests_.remove(socket);
  }

  QTcpServer server_;
  QByteArray chat_, stat_;
  QHash<QTcpSocket*, QByteArray> requests_;
};

TEST(HostileCommunity, PlainCutText) {
  const QByteArray endless(10000, 'N');
  // Fields: place, (skipped), number, nick, country, city, sex, version, time, text.
  const QByteArray chat =
      "$1 x 9 <b>Bold</b> 1-001 <a_href='http://evil'>City</a> W 5.7f <img_src=x> <h1>big</h1>"
      "$2 x 8 " + endless + " 1-001 " + endless + " M " + endless + " t " + endless +
      "$3 x 7  1-001  M   "  // empty nick, city and texts
      "$4 x 6 Ann 1-001 Roma M \x98\x01\x1B[2J \xD0\x9F\xD1\x80\xE2\x80\xAE x\r\n";
  const QByteArray stat = "$5 4 3 <i>Evil</i> 1 2 3 4 5 6 7 8 9 10 11 12 0 <script>\r\n";
  HostileServices services(chat, stat);
  Copy copy(services.Base());

  copy.host.run = [&](QDialog& window) {
    auto& form = dynamic_cast<TFormChat&>(window);
    EXPECT_EQ(form.ListMessage(), QString());
    EXPECT_EQ(form.BoxText(0), QStringLiteral("<h1>big</h1>"));
    EXPECT_EQ(form.BoxHeader(0), QStringLiteral("# : <img src=x> 5.7f : #"));
    EXPECT_TRUE(form.BoxHeader(1).startsWith(QStringLiteral("# : t NNN")));
    EXPECT_TRUE(form.BoxHeader(1).endsWith(QChar(0x2026)));
    EXPECT_TRUE(form.BoxText(1).endsWith(QChar(0x2026)));
    EXPECT_EQ(form.BoxHeader(2), QStringLiteral("# :   : #"));
    EXPECT_FALSE(form.BoxText(3).contains(QChar(0x1B)));
    EXPECT_FALSE(form.BoxText(3).contains(QChar(0x202E)));  // no direction override
    for (QLabel* label : window.findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;
      EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
      EXPECT_FALSE(label->openExternalLinks());
      if (label->objectName().startsWith(QStringLiteral("Header")) ||
          label->objectName().startsWith(QStringLiteral("Text"))) {
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
            << label->objectName().toStdString();
      }
    }
  };
  copy.community.OpenChat();

  copy.host.run = [&](QDialog& window) {
    auto& form = dynamic_cast<TFormStat&>(window);
    EXPECT_EQ(form.Value(0), QStringLiteral("5"));
    EXPECT_EQ(form.Value(3), QStringLiteral("#"));
    EXPECT_EQ(form.Value(9), QStringLiteral("6"));
  };
  copy.community.OpenStatistics();
  EXPECT_EQ(copy.host.windows, 2);
}

}  // namespace
}  // namespace tarvel::testing
