// The players' name alphabet of the maker's services, and the check that
// nicks and cities pass before they are sent or shown. Pure C++ over UTF-8
// texts, no Qt.
//
// The alphabet: Latin letters A-Z and a-z, Cyrillic letters А-Я, а-я, Ё and
// ё, the digits and ! ( ) , - . @ _ (no blank).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvel {

inline constexpr std::size_t kNickLimit = 12;
inline constexpr std::size_t kCityLimit = 15;

// Results of CheckName.
inline constexpr int kNameRefused = 1;
inline constexpr int kNameCyrillic = 2;  // accepted, with a Cyrillic letter
inline constexpr int kNameLatin = 3;     // accepted, Latin letters only

// 1 when `text` is empty, exactly one character, longer than `limit`
// characters or holds a character outside the alphabet; otherwise 2 when it
// holds a Cyrillic letter, else 3.
int CheckName(std::string_view text, std::size_t limit);

// One character (a code point) of the alphabet.
bool IsNameCharacter(char32_t c);

// `text` with every character outside the alphabet (blanks included, and
// every byte of malformed UTF-8) replaced by '_': what a chat line or the
// time field of a chat message may carry.
std::string NameAlphabetOnly(std::string_view text);

// A nick or city from the services as it may be shown: itself when it
// passes the check, else "#".
std::string ShownName(std::string_view text, std::size_t limit);

}  // namespace tarvel
