#include "form_fields.h"

#include "passport_name.h"
#include "replies.h"

namespace tarvel::services {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> FormDecode(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      decoded += ' ';
    } else if (c == '%') {
      if (i + 2 >= text.size()) return std::nullopt;
      const int high = HexValue(text[i + 1]);
      const int low = HexValue(text[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      decoded += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      decoded += c;
    }
  }
  return decoded;
}

std::string_view Trimmed(std::string_view piece) {
  while (!piece.empty() && (piece.front() == '\r' || piece.front() == '\n')) piece.remove_prefix(1);
  while (!piece.empty() && (piece.back() == '\r' || piece.back() == '\n')) piece.remove_suffix(1);
  return piece;
}

bool ForbiddenInReply(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F || byte == ' ' || byte == '$';
}

}  // namespace

std::optional<FormFields> FormFields::Parse(std::string_view body) {
  if (body.size() > kMaxBody) return std::nullopt;
  body = Trimmed(body);
  if (!body.empty() && body.back() == '*') body.remove_suffix(1);
  FormFields form;
  while (!body.empty()) {
    const std::size_t amp = body.find('&');
    const std::string_view piece = Trimmed(body.substr(0, amp));
    body = amp == std::string_view::npos ? std::string_view{} : body.substr(amp + 1);
    if (piece.empty()) continue;
    const std::size_t equals = piece.find('=');
    if (equals == std::string_view::npos || equals == 0) return std::nullopt;
    std::optional<std::string> name = FormDecode(piece.substr(0, equals));
    std::optional<std::string> value = FormDecode(piece.substr(equals + 1));
    if (!name || !value || name->empty()) return std::nullopt;
    if (!form.fields_.emplace(std::move(*name), std::move(*value)).second) return std::nullopt;
  }
  return form;
}

std::string FormFields::Shape() const {
  std::string shape;
  for (const auto& [name, value] : fields_) {
    if (!shape.empty()) shape += ',';
    shape += name;
  }
  return shape;
}

std::optional<std::int64_t> FormFields::Number(const std::string& name, std::int64_t low,
                                               std::int64_t high) const {
  const auto found = fields_.find(name);
  if (found == fields_.end()) return std::nullopt;
  const std::optional<std::int64_t> number = ParseDecimal<std::int64_t>(found->second);
  if (!number || *number < low || *number > high) return std::nullopt;
  return number;
}

std::optional<std::string> FormFields::Text(const std::string& name, std::size_t maxLength) const {
  const auto found = fields_.find(name);
  if (found == fields_.end()) return std::nullopt;
  const std::string& value = found->second;
  if (value.empty() || value.size() > maxLength) return std::nullopt;
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (ForbiddenInReply(byte) || c == '*' || c == '&' || c == '=') return std::nullopt;
  }
  return value;
}

std::optional<std::string> FormFields::FreeText(const std::string& name,
                                                std::size_t maxLength) const {
  const auto found = fields_.find(name);
  if (found == fields_.end() || found->second.size() > maxLength) return std::nullopt;
  for (const char c : found->second) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return std::nullopt;
  }
  return found->second;
}

std::optional<std::string> FormFields::Name(const std::string& name, std::size_t minLength,
                                            std::size_t maxLength, bool markAllowed) const {
  const std::optional<std::string> value = Text(name, maxLength);
  if (!value) return std::nullopt;
  if (markAllowed && *value == "#") return value;
  if (value->size() < minLength) return std::nullopt;
  for (const char c : *value) {
    if (!InNameAlphabet(static_cast<unsigned char>(c))) return std::nullopt;
  }
  return value;
}

std::optional<std::string> FormFields::Country(const std::string& name) const {
  const std::optional<std::string> value = Text(name, 5);
  if (!value || value->size() != 5 || (*value)[0] < '1' || (*value)[0] > '6' || (*value)[1] != '-')
    return std::nullopt;
  for (std::size_t i = 2; i < 5; ++i) {
    if ((*value)[i] < '0' || (*value)[i] > '9') return std::nullopt;
  }
  return value;
}

std::string ReplyField(std::string_view value) {
  if (value.empty()) return "#";
  std::string field(value);
  for (char& c : field) {
    if (ForbiddenInReply(static_cast<unsigned char>(c))) c = '_';
  }
  return field;
}

std::string ReplyRecord(const std::vector<std::string>& fields) {
  std::string record = "$";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) record += ' ';
    record += ReplyField(fields[i]);
  }
  return record;
}

std::string NumberReply(std::int64_t number) {
  // Built front to back: a literal joined in front of a short string makes
  // GCC 12 at -O3 report a false -Wrestrict inside the library.
  std::string reply(1, '$');
  reply += std::to_string(number);
  reply += "$\n";
  return reply;
}

}  // namespace tarvel::services
