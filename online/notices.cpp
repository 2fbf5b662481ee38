#include "notices.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "atomic_file.h"
#include "replies.h"
#include "settings_file.h"

namespace tarvel {
namespace {

// Lines of a small local file without their CR/LF; nothing when it is missing.
std::optional<std::vector<std::string>> ReadLines(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  while (lines.size() < 16 && std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool WriteLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return ReplaceFileContents(file, bytes);
}

std::optional<std::int32_t> LineNumber(const std::vector<std::string>& lines, std::size_t index) {
  if (index >= lines.size()) return std::nullopt;
  return FieldNumber(lines[index]);
}

}  // namespace

std::int32_t ReadOpenedNews(const std::filesystem::path& folder) {
  const auto lines = ReadLines(folder / kNewsFileName);
  return lines ? LineNumber(*lines, 0).value_or(0) : 0;
}

bool WriteOpenedNews(const std::filesystem::path& folder, std::int32_t number) {
  return WriteLines(folder / kNewsFileName, {std::to_string(number)});
}

ChatNotice ReadChatNotice(const std::filesystem::path& folder) {
  ChatNotice notice;
  const auto lines = ReadLines(folder / kChatFileName);
  if (!lines) {
    WriteChatNotice(folder, notice);
    return notice;
  }
  notice.lastSeen = LineNumber(*lines, 0).value_or(notice.lastSeen);
  notice.lastAtBottom = lines->size() > 1 && (*lines)[1] == "1";
  notice.openOnNew = lines->size() > 2 && (*lines)[2] == "1";
  return notice;
}

bool WriteChatNotice(const std::filesystem::path& folder, const ChatNotice& notice) {
  return WriteLines(folder / kChatFileName, {std::to_string(notice.lastSeen),
                                             notice.lastAtBottom ? "1" : "0",
                                             notice.openOnNew ? "1" : "0"});
}

bool NewsPending(ServiceRequests& requests, const std::filesystem::path& folder,
                 std::int32_t& latest) {
  const std::int32_t opened = ReadOpenedNews(folder);
  requests.ReadNewsNumber(latest);
  return opened < latest;
}

bool ChatPending(ServiceRequests& requests, const std::filesystem::path& folder,
                 std::int32_t& newest) {
  const ChatNotice notice = ReadChatNotice(folder);
  TopTenList board;
  newest = requests.ReadTopTen(kChatList, board) ? board.front().Score : 0;
  return notice.lastSeen < newest;
}

bool NoticePoller::CheckNews() {
  const bool was = newsPending_;
  newsPending_ = tarvel::NewsPending(requests_, folder_, latestNews_);
  return newsPending_ && !was;
}

bool NoticePoller::CheckChat() {
  const bool was = chatPending_;
  chatPending_ = tarvel::ChatPending(requests_, folder_, newestChat_);
  return chatPending_ && !was;
}

NoticePoller::Change NoticePoller::MenuBuilt() {
  newsTicks_ = 0;
  chatTicks_ = 0;
  Change change;
  change.news = CheckNews();
  change.chat = CheckChat();
  return change;
}

NoticePoller::Change NoticePoller::Tick(bool menuShown) {
  constexpr long kNewsEvery = 3;
  constexpr long kChatEvery = 90;
  Change change;
  if (menuShown && !newsPending_ && ++newsTicks_ % kNewsEvery == 0) change.news = CheckNews();
  if (!chatPending_ && ++chatTicks_ % kChatEvery == 0) change.chat = CheckChat();
  return change;
}

void NoticePoller::NewsOpened() {
  if (latestNews_ > ReadOpenedNews(folder_)) WriteOpenedNews(folder_, latestNews_);
  newsPending_ = false;
}

void ReportStart(ServiceRequests& requests, Settings& settings) {
  const bool first = !settings.StartReported;
  bool accepted = false;
  requests.ReportFirstStart(first, accepted);
  if (first) settings.StartReported = accepted;
}

std::array<std::int32_t, 12> GameReportFields(const ReportedGame& game) {
  std::array<std::int32_t, 12> r{};
  if (game.againstComputer) {
    r[0] = 1;
    r[1] = game.playerKon > 0 && game.playerKon % 30 == 0 ? 1 : 0;
    r[2] = game.result > 0 ? game.result : 0;
    r[3] = game.result < 0 ? -game.result : 0;
  }
  r[4] = game.lanHost ? 1 : 0;
  r[5] = game.tournamentPlaceOne ? 1 : 0;
  return r;
}

}  // namespace tarvel
