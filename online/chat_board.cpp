#include "chat_board.h"

#include <algorithm>

#include "passport_name.h"
#include "settings_file.h"

namespace tarvel {

bool MayChat(const Settings& settings) {
  return CheckPassportName(settings.Nick, kNickLimit) != kNameRefused &&
         CheckPassportName(settings.City, kCityLimit) != kNameRefused;
}

std::string ChatTimeField(std::string_view time, std::string_view date, std::string_view game) {
  std::string joined(time);
  joined += '_';
  joined += date;
  joined += '_';
  joined += game;
  return NameAlphabetOnly(joined);
}

std::string ShownChatText(std::string_view field) {
  std::string shown(field);
  std::replace(shown.begin(), shown.end(), '_', ' ');
  return shown;
}

bool PostChatMessage(ServiceRequests& requests, const Settings& settings, std::string_view text,
                     std::string_view timeField, std::int32_t& number) {
  number = 0;
  if (text.empty()) return false;
  TopTenList board;
  if (!requests.ReadTopTen(kChatList, board)) return false;
  TopTenEntry entry;
  entry.list = kChatList;
  entry.nick = settings.Nick;
  entry.city = settings.City;
  entry.country = settings.Country;
  entry.score = board.front().Score + 1;
  entry.r7 = settings.Sex;
  entry.r9 = std::string(timeField);
  entry.r10 = NameAlphabetOnly(text);
  std::int32_t place = -1;
  if (!requests.WriteTopTen(entry, place)) return false;
  number = entry.score;
  return true;
}

}  // namespace tarvel
