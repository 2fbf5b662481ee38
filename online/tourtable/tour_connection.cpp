#include "online/tourtable/tour_connection.h"

#include <QTimer>

namespace tarvel::tour {
namespace {

constexpr qint64 kReadPiece = 4096;

}  // namespace

TourConnection::TourConnection(MatchState& state, TableEvents& events, GameDriver& driver, DeckRandom& random,
                               TourState& tour, TourFront& front)
    : session_(state, events, driver, random, tour, *this, front) {
  connect(&socket_, &QTcpSocket::connected, this, [this] {
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    session_.OnConnected();
  });
  // A frame may run a nested event loop (a card flight), inside which the
  // socket does not announce new bytes again: read until nothing is left,
  // in pieces, so that what piled up meanwhile is never taken for a flood.
  connect(&socket_, &QTcpSocket::readyRead, this, [this] {
    while (socket_.bytesAvailable() > 0) {
      const QByteArray bytes = socket_.read(kReadPiece);
      session_.OnBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
  });
  connect(&socket_, &QTcpSocket::disconnected, this, [this] { session_.OnDisconnected(); });
  connect(&socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
    // Refused, unreachable, reset: no system message. A connection still
    // being made is given up; a lost one reports itself as disconnected.
    if (socket_.state() != QAbstractSocket::ConnectedState) session_.OnConnectionError();
  });
}

TourConnection::~TourConnection() { socket_.disconnect(this); }

void TourConnection::Open(const std::string& host, int port, int table, int place) {
  CloseSocket();
  session_.Open(table, place);
  socket_.connectToHost(QString::fromStdString(host), static_cast<quint16>(port));
}

void TourConnection::Leave() { session_.Leave(); }

void TourConnection::Close() {
  session_.Close();
  Deactivate();
}

void TourConnection::SendFrame(std::string_view frame) {
  if (socket_.state() != QAbstractSocket::ConnectedState) return;
  socket_.write(frame.data(), static_cast<qint64>(frame.size()));
  socket_.flush();
}

void TourConnection::Deactivate() {
  closeDue_ = true;
  QTimer::singleShot(0, this, [this] {
    // A place taken meanwhile keeps its new connection.
    if (closeDue_) CloseSocket();
  });
}

void TourConnection::CloseSocket() {
  closeDue_ = false;
  if (socket_.state() == QAbstractSocket::UnconnectedState) return;
  // Flushed first, so that the last frame ("disA", "TOut") still leaves.
  socket_.flush();
  socket_.disconnectFromHost();
  if (socket_.state() != QAbstractSocket::UnconnectedState) socket_.abort();
}

}  // namespace tarvel::tour
