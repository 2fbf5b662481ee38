#include "lan/lan_connection.h"

#include <QTimer>

#include "settings/words/words.h"

namespace tarvel::lan {
namespace {

QString Text(WordId id, int language) {
  const std::string_view text = Word(id, language);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray Bytes(std::string_view bytes) {
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string_view View(const QByteArray& bytes) {
  return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

LanConnection::LanConnection(MatchState& state, TableEvents& events, GameDriver& driver,
                             DeckRandom& random, LanWindow& window)
    : state_(state), window_(window), session_(state, events, driver, random, *this, *this) {
  wait_ = new TFormWait(window_.LanParent());
  wait_->SetNoGameSeen([this] { return noGameSeen_; });
  connect(wait_, &TFormWait::Cancelled, this, &LanConnection::WaitCancelled);
  connect(wait_, &QDialog::finished, this, [this] {
    if (!done_) return;
    auto done = std::move(done_);
    done_ = nullptr;
    done(wait_->Confirmed());
  });

  connect(&server_, &QTcpServer::newConnection, this, &LanConnection::AcceptClients);

  connect(&host_, &QTcpSocket::connected, this, [this] { session_.OnConnected(); });
  // A message may run a nested event loop (a card flight), inside which the
  // socket does not announce new bytes again: read until nothing is left.
  connect(&host_, &QTcpSocket::readyRead, this, [this] {
    while (host_.bytesAvailable() > 0) session_.OnHostBytes(View(host_.readAll()));
  });
  connect(&host_, &QTcpSocket::disconnected, this, [this] { session_.OnHostLost(); });
  connect(&host_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
    // Refused, unreachable, reset: no system message. A connection still
    // being made is given up; a lost one reports itself as disconnected.
    noGameSeen_ = true;
    if (host_.state() != QAbstractSocket::ConnectedState)
      QTimer::singleShot(0, this, [this] { host_.abort(); });
  });
}

LanConnection::~LanConnection() {
  // The sockets go with this object; the session must not hear of it.
  host_.disconnect(this);
  for (auto& [id, socket] : clients_)
    if (socket) socket->disconnect(this);
}

bool LanConnection::OpenHost(quint16 port, const std::string& ownName,
                             std::function<void(bool)> done) {
  CloseSockets();
  session_.OpenHost(ownName);
  noGameSeen_ = false;
  if (!server_.listen(QHostAddress::Any, port)) {
    session_.Close();
    window_.ShowLanError(Text(WordId::IncorrectPort, window_.LanLanguage()) + QLatin1Char('\n') +
                         server_.errorString());
    return false;
  }
  ShowWaitWindow(true, std::move(done));
  return true;
}

void LanConnection::OpenClient(const QString& address, quint16 port, const std::string& ownName,
                               std::function<void(bool)> done) {
  CloseSockets();
  session_.OpenClient(ownName);
  noGameSeen_ = true;  // until the host accepts
  host_.connectToHost(address, port);
  ShowWaitWindow(false, std::move(done));
}

void LanConnection::ShowWaitWindow(bool host, std::function<void(bool)> done) {
  done_ = std::move(done);
  wait_->Prepare(host, window_.LanLanguage());
  wait_->open();
}

void LanConnection::WaitCancelled() {
  CloseSockets();
  session_.Close();
}

void LanConnection::AcceptClients() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    const int id = nextConnection_++;
    clients_[id] = socket;
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QTcpSocket::readyRead, this, [this, id, socket] {
      // The socket may be lost and deleted inside a nested event loop.
      const QPointer<QTcpSocket> alive(socket);
      while (alive && alive->bytesAvailable() > 0) session_.OnClientBytes(id, View(alive->readAll()));
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, id, socket] {
      clients_.erase(id);
      socket->deleteLater();
      session_.OnClientLost(id);
    });
  }
}

void LanConnection::CloseSockets() {
  closeDue_ = false;
  server_.close();
  // Flushed first, so that what was sent last (the final trick, the abort)
  // still leaves before the connection closes.
  auto clients = std::move(clients_);
  clients_.clear();
  for (auto& [id, socket] : clients) {
    if (!socket) continue;
    socket->disconnect(this);
    socket->flush();
    socket->disconnectFromHost();
    socket->deleteLater();
  }
  if (host_.state() != QAbstractSocket::UnconnectedState) {
    host_.flush();
    host_.disconnectFromHost();
    if (host_.state() != QAbstractSocket::UnconnectedState) host_.abort();
  }
}

void LanConnection::CloseNetwork() {
  session_.Close();
  closeDue_ = true;
  QTimer::singleShot(0, this, [this] {
    // A game opened meanwhile keeps its new sockets.
    if (closeDue_) CloseSockets();
  });
}

// ---------------------------------------------------------------------------
// LanLink

void LanConnection::SendToConnection(int connection, std::string_view bytes) {
  const auto found = clients_.find(connection);
  if (found == clients_.end() || !found->second) return;
  found->second->write(Bytes(bytes));
  found->second->flush();
}

void LanConnection::SendToHost(std::string_view bytes) {
  if (host_.state() != QAbstractSocket::ConnectedState) return;
  host_.write(Bytes(bytes));
  host_.flush();
}

// ---------------------------------------------------------------------------
// LanFront

void LanConnection::ShowChatLine(int colour, const std::string& utf8Text) {
  window_.ShowChatLine(colour, QString::fromStdString(utf8Text));
}

void LanConnection::ClearChat() {
  window_.ClearChatBox();
  Chat().Clear();
}

void LanConnection::EnableChat(bool enabled) { Chat().SetEnabled(enabled); }

ChatEntry& LanConnection::Chat() {
  // Made on first use: its edit field is the first widget that needs the
  // fonts, whose loading would otherwise hold back the window's first show.
  if (chat_ == nullptr) {
    chat_ = new ChatEntry(window_.LanParent());
    connect(chat_, &ChatEntry::LineEntered, this,
            [this](const QString& line) { session_.SendChat(line.toStdString()); });
    connect(chat_, &ChatEntry::OpenHandsToggled, this, [this] { window_.ToggleOpenHands(); });
  }
  return *chat_;
}

void LanConnection::ClientJoined(int netClients2) { wait_->PlayerJoined(netClients2); }

void LanConnection::JoinAccepted() {
  noGameSeen_ = false;
  host_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
  wait_->Confirm();
}

void LanConnection::GameBroken() {
  // Nothing more is read while the dialog is open.
  CloseNetwork();
  if (wait_->isVisible()) wait_->done(QDialog::Rejected);
  const int language = window_.LanLanguage();
  window_.ShowLanError(Text(WordId::OneOfPlayer, language) + QLatin1Char(' ') +
                       Text(WordId::HasInterruptedGame, language) + QStringLiteral("\n\r") +
                       Text(WordId::PressOkForMenu, language));
  window_.LeaveTableToMenu();
}

}  // namespace tarvel::lan
