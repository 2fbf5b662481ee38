// The main window's link to the online services: the shared HTTP client, the
// service addresses, the requests, and the local services program when the
// game starts one. A request runs on a worker thread while the window waits
// in a local event loop: the window keeps painting, the wait cursor shows,
// user input waits in the queue and the game driver is busy, so the turn
// timer and clicks do nothing until the reply is in.
#pragma once

#include <QProcess>
#include <QString>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/game_driver.h"
#include "online/endpoints.h"
#include "online/http_client.h"
#include "online/notices.h"
#include "online/service_requests.h"

namespace tarvel {

struct Settings;

// The folder shared by the maker's games: the data folder's parent.
std::filesystem::path SharedFolder(const QString& dataFolder);

class WindowRequestWaiter : public RequestWaiter {
 public:
  explicit WindowRequestWaiter(GameDriver& driver) : driver_(driver) {}
  void Wait(const std::function<void()>& work) override;

 private:
  GameDriver& driver_;
};

// The services program beside the game: started in the background when the
// base address is a local one, nothing answers there and the program exists;
// stopped again when the session ends.
class LocalServices {
 public:
  // `programFolder` holds the game (and perhaps tarvel-services); the
  // services keep their data in `dataFolder`. Nothing starts yet.
  LocalServices(const std::string& base, const QString& programFolder, const QString& dataFolder);
  ~LocalServices();
  // Probes the address and starts the program when needed; once.
  void Start();
  LocalServices(const LocalServices&) = delete;
  LocalServices& operator=(const LocalServices&) = delete;

  bool Started() const { return process_ != nullptr; }
  // The program started here still runs; safe to ask from any thread.
  bool Running() const { return running_ && *running_; }

 private:
  std::string base_;
  QString programFolder_;
  QString dataFolder_;
  bool startTried_ = false;
  std::unique_ptr<QProcess> process_;
  std::shared_ptr<std::atomic<bool>> running_;
};

class OnlineSession {
 public:
  // `programFolder` is where tarvel-services may stand beside the game;
  // empty, no services are ever started.
  OnlineSession(const std::string& base, const QString& programFolder, const QString& dataFolder,
                GameDriver& driver);

  // The start-up steps after the first frame is on screen: the local
  // services program, the service directory, then the start report unless
  // `reportStart` is false (a copy of the "idd" distribution). The caller
  // saves the settings after a report.
  void StartUp(Settings& settings, bool reportStart);

  ServiceRequests& Requests() { return requests_; }
  // The news and chat checks of the main menu; their notice files lie in the
  // parent of the data folder, shared by the maker's games.
  NoticePoller& Notices() { return notices_; }
  const DirectoryState& Directory() const { return directory_; }

 private:
  LocalServices local_;
  ServiceEndpoints endpoints_;
  HttpClient client_;
  WindowRequestWaiter waiter_;
  ServiceRequests requests_;
  NoticePoller notices_;
  DirectoryState directory_;
};

}  // namespace tarvel
