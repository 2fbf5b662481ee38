// The request bodies that the services accept, and the texts they answer
// with. Pure C++ over bytes (Windows-1251), no Qt: every body that arrives is
// outside input, so this is where it is checked.
//
// A body is a list of name=value fields joined by '&'. List-style requests
// arrive form-encoded (percent escapes, '+' for a blank); text-style ones
// arrive as raw bytes. Line breaks between fields and empty fields are
// ignored; a body may close with one '*'.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel::services {

inline constexpr std::size_t kMaxBody = 64 * 1024;

class FormFields {
 public:
  // Nothing when the body is too large, a field has no '=', a name is empty
  // or repeated, or a percent escape is broken.
  static std::optional<FormFields> Parse(std::string_view body);

  // The field names, sorted, joined by ','; what a service dispatches on.
  std::string Shape() const;

  bool Has(const std::string& name) const { return fields_.count(name) != 0; }

  // A number within [low, high]; nothing when absent or not such a number.
  std::optional<std::int64_t> Number(const std::string& name, std::int64_t low,
                                     std::int64_t high) const;

  // A text of 1..maxLength bytes that a reply record can carry: no blank, no
  // '$', '*', '&', '=' and no control character. Nothing otherwise.
  std::optional<std::string> Text(const std::string& name, std::size_t maxLength) const;

  // A free text (a country name, a line of a profile) of 0..maxLength bytes:
  // blanks allowed, no control character. Nothing when absent or otherwise.
  std::optional<std::string> FreeText(const std::string& name, std::size_t maxLength) const;

  // A text of the players' name alphabet (Latin and Cyrillic letters, digits
  // and ! ( ) , - . @ _) of minLength..maxLength characters, or exactly "#"
  // where `markAllowed` (the program's mark of a text not given).
  std::optional<std::string> Name(const std::string& name, std::size_t minLength,
                                  std::size_t maxLength, bool markAllowed = false) const;

  // A country code: a continent digit 1..6, '-', three digits.
  std::optional<std::string> Country(const std::string& name) const;

 private:
  std::map<std::string, std::string> fields_;
};

// A field of a reply record: never empty ("#" then), never with a blank, '$'
// or a control character ('_' then).
std::string ReplyField(std::string_view value);

// One record: '$' and the fields joined by blanks.
std::string ReplyRecord(const std::vector<std::string>& fields);

// The replies of the statistics service's write requests.
inline constexpr std::string_view kAccepted = "$+ok#\n";
inline constexpr std::string_view kRefused = "$+no#\n";
// A number reply.
std::string NumberReply(std::int64_t number);

}  // namespace tarvel::services
