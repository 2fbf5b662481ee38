#include "table_server.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "service_module.h"
#include "table_referee.h"
#include "tour_frames.h"
#include "tour_rating.h"

namespace tarvel::services {
namespace {

using tour::ClientFrame;
using tour::ClientFrameKind;

// A place that sends this many frames the game refuses counts as leaving.
constexpr int kMaxFaults = 3;
// Connections that have not joined yet, per table; more are turned away.
constexpr std::size_t kMaxWaiting = 16;
// Tries at a base with ten free ports when any base will do.
constexpr int kBaseTries = 50;

std::size_t Index(int place) { return static_cast<std::size_t>(place - 1); }

void Log(int table, int place, const char* what) {
  std::fprintf(stderr, "tarvel-services: table %d place %d: %s\n", table, place, what);
}

}  // namespace

struct TableServer::Connection {
  QTcpSocket* socket = nullptr;
  tour::ClientFrameReader reader;
  int place = 0;  // 0 until it joined
  int faults = 0;
  bool closing = false;
};

struct TableServer::Table {
  int number = 0;
  QTcpServer listener;
  std::vector<std::unique_ptr<Connection>> connections;
  std::array<Connection*, kTourPlaces> seats{};
  std::unique_ptr<TableReferee> game;
  std::array<std::string, kTourPlaces> nicks;
  std::array<std::int64_t, kTourPlaces> takes{};  // counts the takes of each place
  QTimer clock;
};

TableServer::TableServer(TourStore& store, const TableServerOptions& options)
    : store_(store), options_(options) {
  for (int t = 1; t <= options_.tables; ++t) {
    auto table = std::make_unique<Table>();
    table->number = t;
    table->clock.setSingleShot(true);
    Table& ref = *table;
    QObject::connect(&table->listener, &QTcpServer::newConnection, [this, &ref] { Accept(ref); });
    QObject::connect(&table->clock, &QTimer::timeout, [this, &ref] { ClockRanOut(ref); });
    tables_.push_back(std::move(table));
  }
}

TableServer::~TableServer() {
  for (auto& table : tables_) {
    table->clock.stop();
    for (auto& connection : table->connections) QObject::disconnect(connection->socket, nullptr, nullptr, nullptr);
  }
}

bool TableServer::ListenAt(int base) {
  for (auto& table : tables_) {
    if (!table->listener.listen(options_.address, static_cast<quint16>(base + table->number))) {
      for (auto& open : tables_) open->listener.close();
      return false;
    }
  }
  base_ = base;
  return true;
}

bool TableServer::Listen(std::string& error) {
  if (options_.basePort != 0) {
    if (options_.basePort < 0 || options_.basePort + options_.tables > 65535 || !ListenAt(options_.basePort)) {
      error = "cannot listen on the table ports " + std::to_string(options_.basePort + 1) + "-" +
              std::to_string(options_.basePort + options_.tables);
      return false;
    }
    return true;
  }
  // Any base: the system picks table 1's port, the others follow it.
  for (int attempt = 0; attempt < kBaseTries; ++attempt) {
    QTcpServer probe;
    if (!probe.listen(options_.address, 0)) break;
    const int base = probe.serverPort() - 1;
    probe.close();
    if (base + options_.tables <= 65535 && ListenAt(base)) return true;
  }
  error = "cannot find " + std::to_string(options_.tables) + " free table ports";
  return false;
}

std::string TableServer::Host(const std::string& requestHost) const {
  const QHostAddress& a = options_.address;
  const bool any = a == QHostAddress::Any || a == QHostAddress::AnyIPv4 || a == QHostAddress::AnyIPv6;
  if (!any) return PlainAddress(a).toStdString();
  // Listening everywhere: the players reach the tables where they reached the services.
  return requestHost.empty() ? std::string("127.0.0.1") : requestHost;
}

int TableServer::Port(int table) const {
  return base_ == 0 || table < 1 || table > Count() ? 0 : base_ + table;
}

bool TableServer::GameRunning(int table) const {
  return table >= 1 && table <= Count() && tables_[Index(table)]->game != nullptr;
}

void TableServer::PlaceFreed(int table, int place) {
  if (table < 1 || table > Count() || place < 1 || place > kTourPlaces) return;
  Table& t = *tables_[Index(table)];
  if (t.game) return;
  ReleaseSeat(t, place);
  Sweep(t);
}

void TableServer::PlaceTaken(int table, int place) {
  if (table < 1 || table > Count() || place < 1 || place > kTourPlaces) return;
  Table& t = *tables_[Index(table)];
  const std::int64_t take = ++t.takes[Index(place)];
  QTimer::singleShot(2 * options_.moveClockSeconds * 1000, &t.listener, [this, &t, place, take] {
    if (t.game || t.seats[Index(place)] != nullptr || t.takes[Index(place)] != take) return;
    if (!store_.Place(t.number, place)) return;
    Log(t.number, place, "not joined in time: the place is free again");
    for (const int freed : store_.FreeFrom(t.number, place)) ReleaseSeat(t, freed);
    Sweep(t);
  });
}

void TableServer::ReleaseSeat(Table& table, int place) {
  if (Connection* c = table.seats[Index(place)]) Close(*c);
  table.seats[Index(place)] = nullptr;
}

TableServer::Connection* TableServer::Find(Table& table, const void* socket) {
  for (auto& connection : table.connections)
    if (connection->socket == socket && !connection->closing) return connection.get();
  return nullptr;
}

void TableServer::Accept(Table& table) {
  while (QTcpSocket* socket = table.listener.nextPendingConnection()) {
    const auto waiting = std::count_if(table.connections.begin(), table.connections.end(),
                                       [](const auto& c) { return c->place == 0 && !c->closing; });
    if (static_cast<std::size_t>(waiting) >= kMaxWaiting) {
      Log(table.number, 0, "too many connections waiting to join: turned away");
      socket->abort();
      socket->deleteLater();
      continue;
    }
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // A peer that sends faster than it is read waits in its own buffers.
    socket->setReadBufferSize(static_cast<qint64>(tour::kMaxPending));
    auto connection = std::make_unique<Connection>();
    connection->socket = socket;
    table.connections.push_back(std::move(connection));
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, &table, socket] {
      if (Connection* c = Find(table, socket)) Readable(table, *c);
    });
    QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, &table, socket] {
      if (Connection* c = Find(table, socket)) Disconnected(table, *c);
    });
    // A connection that does not join in time is closed.
    QTimer::singleShot(options_.moveClockSeconds * 1000, socket, [this, &table, socket] {
      Connection* c = Find(table, socket);
      if (c == nullptr || c->place != 0) return;
      Log(table.number, 0, "no join in time: closed");
      Close(*c);
      Sweep(table);
    });
  }
}

void TableServer::Readable(Table& table, Connection& connection) {
  const QByteArray bytes = connection.socket->readAll();
  if (!connection.reader.Append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    Log(table.number, connection.place, "flood of bytes: dropped");
    if (connection.place != 0) {
      Leave(table, connection.place, "left by flooding");
    } else {
      Close(connection);
    }
  }
  while (!connection.closing) {
    const std::optional<std::string> frame = connection.reader.Next();
    if (!frame) break;
    Handle(table, connection, *frame);
  }
  Sweep(table);
}

void TableServer::Disconnected(Table& table, Connection& connection) {
  if (connection.place != 0) {
    Leave(table, connection.place, "disconnected");
  } else {
    Close(connection);
  }
  Sweep(table);
}

void TableServer::Handle(Table& table, Connection& connection, const std::string& frame) {
  const ClientFrame f = tour::ParseClientFrame(frame);
  if (connection.place == 0) {
    if (f.kind == ClientFrameKind::Connect && f.connectPlace == f.place) {
      Join(table, connection, f.connectPlace);
    } else {
      Log(table.number, 0, "no join frame: closed");
      Close(connection);
    }
    return;
  }
  const int place = connection.place;
  if (f.place != place) return Fault(table, connection, "frame of another place");
  TableReferee* game = table.game.get();
  switch (f.kind) {
    case ClientFrameKind::Chat:
      return SendOthers(table, place, frame);
    case ClientFrameKind::Leave:
      return Leave(table, place, "gave up the place");
    case ClientFrameKind::TimeOut:
      if (game == nullptr) return Fault(table, connection, "time-out before the game");
      return TimeOut(table, place);
    case ClientFrameKind::Move:
      if (game == nullptr || !game->Move(place, f.slot)) return Fault(table, connection, "move refused");
      SendOthers(table, place, frame);
      return Acted(table);
    case ClientFrameKind::Continue:
      if (game == nullptr || !game->Continue(place)) return Fault(table, connection, "continue refused");
      SendOthers(table, place, frame);
      return Acted(table);
    case ClientFrameKind::NextDeal:
      if (game == nullptr || !game->MayDealNext(place)) return Fault(table, connection, "next deal refused");
      game->Deal(random_, true);
      for (int q = 1; q <= kTourPlaces; ++q) Send(table, q, game->DealFrame());
      return Acted(table);
    case ClientFrameKind::Results: {
      if (game == nullptr || place != 1 || !game->GameOver())
        return Fault(table, connection, "results refused");
      const std::array<std::int32_t, 3> own = game->Results();
      if (f.results != std::array<int, 3>{own[0], own[1], own[2]})
        Log(table.number, place, "results differ from the table's: the table's are stored");
      for (int q = 1; q <= kTourPlaces; ++q) Send(table, q, tour::BuildEndFrame());
      return EndGame(table, own);
    }
    case ClientFrameKind::Connect:
    case ClientFrameKind::Unknown:
      return Fault(table, connection, "unknown frame");
  }
}

void TableServer::Join(Table& table, Connection& connection, int place) {
  // The place must be held in the lobby by this caller, and not be joined yet.
  const std::string owner = store_.Owner(table.number, place);
  if (table.game || table.seats[Index(place)] != nullptr || owner.empty() ||
      owner != PlainAddress(connection.socket->peerAddress()).toStdString()) {
    Log(table.number, place, "join refused: closed");
    Close(connection);
    return;
  }
  connection.place = place;
  table.seats[Index(place)] = &connection;
  if (std::all_of(table.seats.begin(), table.seats.end(), [](const Connection* c) { return c != nullptr; }))
    StartGame(table);
}

void TableServer::StartGame(Table& table) {
  for (int q = 1; q <= kTourPlaces; ++q) {
    const std::optional<TQorClient> player = store_.Place(table.number, q);
    table.nicks[Index(q)] = player ? player->Nick : std::string();
  }
  table.game = std::make_unique<TableReferee>();
  table.game->Deal(random_, false);
  for (int q = 1; q <= kTourPlaces; ++q) Send(table, q, table.game->DealFrame());
  Acted(table);
}

void TableServer::Fault(Table& table, Connection& connection, const char* what) {
  Log(table.number, connection.place, what);
  if (++connection.faults >= kMaxFaults) Leave(table, connection.place, "third refused frame: counts as leaving");
}

void TableServer::Leave(Table& table, int place, const char* why) {
  Log(table.number, place, why);
  if (table.game) {
    SendOthers(table, place, tour::BuildLeftFrame(place));
    EndGame(table, ForfeitResults(place));
    return;
  }
  // The connection being read may be among them: it is swept after its frames.
  for (const int freed : store_.FreeFrom(table.number, place)) ReleaseSeat(table, freed);
  ReleaseSeat(table, place);
}

void TableServer::TimeOut(Table& table, int place) {
  Log(table.number, place, "move clock ran out");
  for (int q = 1; q <= kTourPlaces; ++q) Send(table, q, tour::BuildTimedOutFrame(place));
  EndGame(table, ForfeitResults(place));
}

void TableServer::EndGame(Table& table, const std::array<std::int32_t, 3>& results) {
  if (!store_.StoreGame(table.nicks, results)) Log(table.number, 0, "the game's results could not be stored");
  table.clock.stop();
  table.game.reset();
  for (int q = 1; q <= kTourPlaces; ++q) {
    store_.Free(table.number, q);
    ReleaseSeat(table, q);
  }
}

void TableServer::Acted(Table& table) { table.clock.start(options_.moveClockSeconds * 1000); }

void TableServer::ClockRanOut(Table& table) {
  if (!table.game) return;
  if (table.game->GameOver()) {
    // The game was played to its end; place 1 only failed to sum it up.
    Log(table.number, 1, "no results sent in time: the table's are stored");
    for (int q = 1; q <= kTourPlaces; ++q) Send(table, q, tour::BuildEndFrame());
    EndGame(table, table.game->Results());
  } else {
    TimeOut(table, table.game->ActingPlace());
  }
  Sweep(table);
}

void TableServer::Send(Table& table, int place, const std::string& frame) {
  Connection* c = table.seats[Index(place)];
  if (c == nullptr || c->closing) return;
  c->socket->write(frame.data(), static_cast<qint64>(frame.size()));
}

void TableServer::SendOthers(Table& table, int place, const std::string& frame) {
  for (int q = 1; q <= kTourPlaces; ++q)
    if (q != place) Send(table, q, frame);
}

void TableServer::Close(Connection& connection) {
  if (connection.closing) return;
  connection.closing = true;
  // What was written still goes out before the connection closes.
  connection.socket->flush();
  connection.socket->disconnectFromHost();
}

void TableServer::Sweep(Table& table) {
  auto& list = table.connections;
  for (auto& c : list) {
    if (!c->closing) continue;
    QTcpSocket* socket = c->socket;
    QObject::disconnect(socket, nullptr, nullptr, nullptr);
    // Deleting a socket drops what it has not written yet: it goes once closed.
    if (socket->state() == QAbstractSocket::UnconnectedState) {
      socket->deleteLater();
    } else {
      QObject::connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    }
  }
  list.erase(std::remove_if(list.begin(), list.end(), [](const auto& c) { return c->closing; }), list.end());
}

}  // namespace tarvel::services
