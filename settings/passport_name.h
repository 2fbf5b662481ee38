// The check of a passport nick or city: what the world top ten, the chat and
// the services accept as a player's public name. Pure C++ over UTF-8 texts
// (measured in Windows-1251 characters, as they travel).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvel {

inline constexpr std::size_t kNickLimit = 12;
inline constexpr std::size_t kCityLimit = 15;

// Results of CheckPassportName.
inline constexpr int kNameRefused = 1;
inline constexpr int kNameCyrillic = 2;  // accepted, with Cyrillic letters
inline constexpr int kNameLatin = 3;     // accepted, Latin letters only

// The name alphabet in Windows-1251: Latin letters, the Cyrillic letters
// А..я, Ё and ё, the digits and ! ( ) , - . @ _.
bool InNameAlphabet(unsigned char cp1251);

// One typed character (UTF-8): whether the edit box takes it.
bool NameCharAllowed(std::string_view utf8Character);

// 1 when the text is empty, one character long, longer than `limit` or has a
// character outside the alphabet; otherwise 2 with a Cyrillic letter, else 3.
int CheckPassportName(std::string_view utf8, std::size_t limit);

// A nick or city from the services as it may be shown: itself when it
// checks, else "#".
std::string ShownName(std::string_view utf8, std::size_t limit);

// `utf8` with every character outside the alphabet (blanks included, and
// every byte of malformed UTF-8) replaced by '_': what a chat line or the
// time field of a chat message may carry.
std::string NameAlphabetOnly(std::string_view utf8);

}  // namespace tarvel
