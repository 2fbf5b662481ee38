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

// The start report: a first start while `StartReported` is not set, then the
// "ok" marker becomes `StartReported`. The caller then saves the settings.
void ReportStart(ServiceRequests& requests, Settings& settings);

// What kind of game ended, for the game report.
struct FinishedGame {
  bool againstComputer = false;  // not LAN, not tournament
  std::int32_t playerKon = 0;    // games of the player so far
  std::int32_t result = 0;       // GameResult of the local player
  bool lanHost = false;
  bool tournamentPlaceOne = false;
};

// Fields R1..R12 of the game report.
std::array<std::int32_t, 12> GameReportFields(const FinishedGame& game);

}  // namespace tarvel
