// What the main menu asks the services at its timers and at start-up: the
// news and chat notices with their two small files, the start report, and
// the fields of the game report. The notice files lie in the folder shared by
// the maker's games (the parent of the program's folder), which the caller
// passes in.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>

#include "service_requests.h"

namespace tarvel {

struct Settings;

inline constexpr const char* kNewsFileName = "QorNewsQor.ini";
inline constexpr const char* kChatFileName = "QorChatQor.ini";

// "QorNewsQor.ini": line 1, the number of the last news item opened (0 when
// the file is missing or the line is not a number).
std::int32_t ReadOpenedNews(const std::filesystem::path& folder);
bool WriteOpenedNews(const std::filesystem::path& folder, std::int32_t number);

// "QorChatQor.ini".
struct ChatNotice {
  std::int32_t lastSeen = 1;  // newest chat message seen
  bool lastAtBottom = false;  // last message at the bottom
  bool openOnNew = false;     // open the chat window on a new message

  bool operator==(const ChatNotice&) const = default;
};
// Reads the file, creating it with the defaults when it is missing.
ChatNotice ReadChatNotice(const std::filesystem::path& folder);
bool WriteChatNotice(const std::filesystem::path& folder, const ChatNotice& notice);

// News check: pending when the stored number is below the latest one, which
// is remembered in `latest` (0 when the request failed).
bool NewsPending(ServiceRequests& requests, const std::filesystem::path& folder,
                 std::int32_t& latest);

// Chat check: pending when the last seen number is below the newest one, the
// Score of the first entry of list 100 (0 when the request failed).
bool ChatPending(ServiceRequests& requests, const std::filesystem::path& folder,
                 std::int32_t& newest);

// When the main menu asks for news and chat: at each build of the menu
// screen, then on its one-second timer every third tick for news (while the
// menu shows and no news is pending) and every 90th tick for chat (while no
// message is pending, also during a game).
class NoticePoller {
 public:
  NoticePoller(ServiceRequests& requests, std::filesystem::path folder)
      : requests_(requests), folder_(std::move(folder)) {}

  // What became pending by a call (the menu raises a siren; a new chat
  // message also plays its sound and may open the chat window).
  struct Change {
    bool news = false;
    bool chat = false;
  };

  Change MenuBuilt();
  Change Tick(bool menuShown);

  bool NewsPending() const { return newsPending_; }
  bool ChatPending() const { return chatPending_; }
  std::int32_t LatestNews() const { return latestNews_; }
  std::int32_t NewestChat() const { return newestChat_; }
  // The folder of the two notice files.
  const std::filesystem::path& Folder() const { return folder_; }

  // The news command: the latest number is stored as opened (a failed
  // check, which knows no number, never lowers the stored one).
  void NewsOpened();
  // The chat window was shown: nothing is pending until a newer message.
  void ChatOpened() { chatPending_ = false; }

 private:
  bool CheckNews();
  bool CheckChat();

  ServiceRequests& requests_;
  std::filesystem::path folder_;
  bool newsPending_ = false;
  bool chatPending_ = false;
  std::int32_t latestNews_ = 0;
  std::int32_t newestChat_ = 0;
  long newsTicks_ = 0;
  long chatTicks_ = 0;
};

// The start report: a first start while `StartReported` is not set, then the
// "ok" marker becomes `StartReported`. The caller then saves the settings.
void ReportStart(ServiceRequests& requests, Settings& settings);

// What kind of game ended, for the game report.
struct ReportedGame {
  bool againstComputer = false;  // not LAN, not tournament
  std::int32_t playerKon = 0;    // games of the player so far
  std::int32_t result = 0;       // GameResult of the local player
  bool lanHost = false;
  bool tournamentPlaceOne = false;
};

// Fields R1..R12 of the game report.
std::array<std::int32_t, 12> GameReportFields(const ReportedGame& game);

}  // namespace tarvel
