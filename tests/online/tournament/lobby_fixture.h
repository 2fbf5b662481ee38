// One copy of the game as the tournament lobby sees it: its request layer
// pointed at a services program, the shared tournament state, a main window
// stand-in that keeps sounds and messages, and a table connection stand-in
// that keeps what the lobby asked of it (the table connection itself is the
// main window's and is tested with the table).
#pragma once

#include <QFont>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "online/service_requests.h"
#include "online/tour_state.h"
#include "online/tournament/tform_tour.h"
#include "online/tournament/tour_lobby_host.h"

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace tarvel::testing {

class LobbyHost : public TourLobbyHost {
 public:
  QWidget* TourParent() override { return nullptr; }
  const Settings& TourSettings() const override { return settings; }
  TourAccount TourPlayer() const override { return account; }
  QFont TourSerifFont(int size, bool bold) const override {
    QFont font;
    font.setPixelSize(size);
    font.setBold(bold);
    return font;
  }
  void PlayTourSound(const char* name) override { sounds.emplace_back(name); }
  void InformTour(const QString& text) override { informed.push_back(text); }
  bool OpenWorldTopTenAtTournament() override { return false; }

  Settings settings;
  TourAccount account;
  std::vector<std::string> sounds;
  std::vector<QString> informed;
};

class LinkRecorder : public TourTableLink {
 public:
  void Open(const std::string& host, int port, int table, int place) override {
    opened.push_back(host + ":" + std::to_string(port) + " " + std::to_string(table) + "/" + std::to_string(place));
  }
  void Leave() override { ++left; }
  void Close() override { ++closed; }

  std::vector<std::string> opened;
  int left = 0;
  int closed = 0;
};

struct LobbyCopy {
  LobbyCopy(const std::string& base, const std::string& nick, char sex = 'M', const std::string& city = "Roma",
            const std::string& country = "1-013")
      : endpoints(base), requests(endpoints, client, waiter) {
    host.account = {nick, country, city, sex};
  }

  // The lobby as the main window opens it, with the refresh timer held back
  // (the tests refresh when they mean to) and the error timer at once.
  std::unique_ptr<TFormTour> Open() {
    TourLobbyContext context{host, requests, state, link};
    context.refreshMs = 3600 * 1000;
    context.errorMs = 0;  // checked at every turn of the event loop
    auto lobby = std::make_unique<TFormTour>(context);
    lobby->show();
    return lobby;
  }

  ServiceEndpoints endpoints;
  HttpClient client;
  RequestWaiter waiter;
  ServiceRequests requests;
  TourState state;
  LobbyHost host;
  LinkRecorder link;
};

// A tournament standing as the table server leaves it after games.
struct Standing {
  const char* nick;
  int score, kon, rating;
  const char* country;
  const char* city;
  const char* sex;
};

// Writes standings straight into the services program's database (in its
// data folder), as finished games would have.
inline void SeedStandings(const std::string& dataFolder, const std::vector<Standing>& rows) {
  const QString connection = QStringLiteral("standings-seed");
  {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    database.setDatabaseName(QString::fromStdString(dataFolder + "/tarvel-services.sqlite"));
    database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    ASSERT_TRUE(database.open());
    QSqlQuery insert(database);
    ASSERT_TRUE(insert.prepare(QStringLiteral("INSERT INTO tour_standings VALUES (?, ?, ?, ?, ?, ?, ?)")));
    for (const Standing& row : rows) {
      insert.addBindValue(QByteArray(row.nick));
      insert.addBindValue(row.score);
      insert.addBindValue(row.kon);
      insert.addBindValue(row.rating);
      insert.addBindValue(QByteArray(row.country));
      insert.addBindValue(QByteArray(row.city));
      insert.addBindValue(QByteArray(row.sex));
      ASSERT_TRUE(insert.exec()) << row.nick;
    }
  }
  QSqlDatabase::removeDatabase(connection);
}

}  // namespace tarvel::testing
