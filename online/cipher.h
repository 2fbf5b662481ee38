// The program's own reversible cipher for the texts it keeps out of plain
// sight: the built-in service addresses, the two service lines of the
// settings file and the stored account password. It hides them from a casual
// look at the program or its files; it is not meant to withstand analysis.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvel {

// Enciphers any bytes (UTF-8 text in practice). The result is one line of
// the characters A-Z, a-z, 0-9, '-' and '_' (no blank, '#', '$', '~', CR or
// LF), so it fits a line of the settings file, a key value of the service
// directory and a line of the user file. The empty text stays empty.
std::string Encipher(std::string_view plain);

// The inverse of Encipher. Nothing when the text holds a character outside
// the cipher's alphabet, has an impossible length or fails the check that
// every enciphered text carries (so a damaged line is noticed, not decoded
// into nonsense). The empty text gives the empty text.
std::optional<std::string> Decipher(std::string_view text);

}  // namespace tarvel
