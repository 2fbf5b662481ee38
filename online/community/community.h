// The statistics, news and chat features as the main window uses them: the
// commands of their side pictures and of the pop-up "Chat", and the
// main menu's one-second notice timer, which asks for news (every third
// tick while the menu shows) and chat messages (every 90th tick, also during
// a game) and raises the sirens. A new chat message during a game opens the
// chat window by itself when the player chose so.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

#include "online/community/community_host.h"
#include "online/notices.h"
#include "online/service_requests.h"
#include "settings/settings_file.h"

namespace tarvel {

class TFormChat;

inline constexpr int kNoticeTimerMs = 1000;

class Community : public QObject {
  Q_OBJECT

 public:
  // `directory` is what the service directory said at start-up (kept up to
  // date by its owner); `openPassport` opens "My Passport".
  Community(CommunityHost& host, Settings& settings, ServiceRequests& requests, NoticePoller& notices,
            const DirectoryState& directory, std::function<void()> openPassport);

  // Each build of the main menu screen: news and chat are asked at once and
  // the notice timer runs from then on.
  void MenuBuilt();
  // One tick of the notice timer.
  void NoticeTick();

  // The side pictures' and the pop-up's commands.
  void OpenStatistics();
  void OpenNews();
  void OpenChat();

  QTimer& NoticeTimer() { return timer_; }
  bool WindowOpen() const { return windowOpen_; }

 private:
  void Apply(const NoticePoller::Change& change);
  void Run(QDialog& window);

  CommunityHost& host_;
  Settings& settings_;
  ServiceRequests& requests_;
  NoticePoller& notices_;
  const DirectoryState& directory_;
  std::function<void()> openPassport_;
  QTimer timer_;
  bool windowOpen_ = false;  // one of the windows runs: no notice checks meanwhile
};

}  // namespace tarvel
