// The chat board of the maker's games: list 100 of the world top ten
// service, one message per entry, the newest (highest number) first. Pure
// C++ over UTF-8 texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "service_requests.h"

namespace tarvel {

struct Settings;

// Longest message the chat window takes, in characters.
inline constexpr int kChatTextLimit = 80;

// The passport may write to the chat: the nick checks to 2 or 3 and the city
// is accepted too.
bool MayChat(const Settings& settings);

// The time field of a message: time, date and game name joined by '_', each
// character outside the name alphabet made '_'.
std::string ChatTimeField(std::string_view time, std::string_view date, std::string_view game);

// A message text or time field as the window shows it: every '_' a blank.
std::string ShownChatText(std::string_view field);

// Posts `text` under the passport of `settings`: the message number N of the
// newest message is read first, then the message is written as N + 1, which
// lands in `number`. False (nothing written) when either request fails or
// the text is empty.
bool PostChatMessage(ServiceRequests& requests, const Settings& settings, std::string_view text,
                     std::string_view timeField, std::int32_t& number);

}  // namespace tarvel
