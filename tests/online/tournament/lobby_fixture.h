// One copy of the game as the tournament lobby sees it: its request layer
// pointed at a services program, the shared tournament state, a main window
// stand-in that keeps sounds and messages, and a table connection stand-in
// that keeps what the lobby asked of it (the table connection itself is the
// main window's and is tested with the table).
#pragma once

#include <QFont>
#include <QWidget>

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
  LobbyCopy(const std::string& base, const std::string& nick, char sex = 'M')
      : endpoints(base), requests(endpoints, client, waiter) {
    host.account = {nick, "1-013", "Roma", sex};
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

}  // namespace tarvel::testing
