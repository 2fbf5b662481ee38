// One copy of the game as the community features see it: its own data
// folder (whose parent holds the notice files), settings, request layer and
// a main window stand-in that records the sirens, sounds and messages and
// hands every window to the test instead of running it.
#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QEventLoop>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "online/community/community.h"
#include "online/community/community_host.h"
#include "online/service_requests.h"
#include "services_process.h"
#include "tests/services/services_fixture.h"

namespace tarvel::testing {

// Runs a request on a worker thread while the test's event loop goes on,
// as the main window does, so a stand-in server in the test can answer.
class LoopWaiter : public RequestWaiter {
 public:
  void Wait(const std::function<void()>& work) override {
    QEventLoop loop;
    std::thread worker([&] {
      work();
      QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
  }
};

class RecordingHost : public CommunityHost {
 public:
  QWidget* CommunityParent() override { return &parent; }
  bool CommunityMenuShown() const override { return menuShown; }
  bool CommunityGameRunning() const override { return gameRunning; }
  void SetNewsSiren(bool on) override { newsSiren = on; }
  void SetChatSiren(bool on) override { chatSiren = on; }
  void PlayCommunitySound(const char* name) override { sounds.emplace_back(name); }
  int RunCommunityWindow(QDialog& window) override {
    ++windows;
    if (run) run(window);
    return QDialog::Accepted;
  }
  void InformCommunity(const QString& title, const QString& text) override {
    informed.push_back(title + QStringLiteral(" | ") + text);
  }
  void SaveCommunitySettings() override { ++saved; }

  QWidget parent;
  bool menuShown = true;
  bool gameRunning = false;
  bool newsSiren = false;
  bool chatSiren = false;
  std::vector<std::string> sounds;
  std::vector<QString> informed;
  int windows = 0;
  int saved = 0;
  std::function<void(QDialog&)> run;
};

struct Copy {
  explicit Copy(const std::string& base, const std::string& nick = "Ann")
      : shared(services::MakeTemporaryFolder()),
        endpoints(base),
        requests(endpoints, client, waiter),
        notices(requests, shared),
        community(host, settings, requests, notices, directory, [this] { ++passports; }) {
    settings.Nick = nick;
    settings.City = "Roma";
  }
  ~Copy() {
    std::error_code ignored;
    std::filesystem::remove_all(shared, ignored);
  }

  std::filesystem::path shared;  // the parent of the copy's data folder
  Settings settings;
  ServiceEndpoints endpoints;
  HttpClient client;
  LoopWaiter waiter;
  ServiceRequests requests;
  NoticePoller notices;
  DirectoryState directory;
  RecordingHost host;
  int passports = 0;
  Community community;
};

// The real services program in a temporary data folder.
using RealServices = services::testing::Services;

}  // namespace tarvel::testing
