#include "replies.h"

#include <limits>

#include "cp1251.h"

namespace tarvel {
namespace {

// Line breaks that a service writes after its last record or number.
std::string_view WithoutClosingBreaks(std::string_view reply) {
  while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r')) reply.remove_suffix(1);
  return reply;
}

ReplyFields SplitFields(std::string_view record) {
  ReplyFields fields;
  for (;;) {
    const std::size_t blank = record.find(' ');
    fields.push_back(record.substr(0, blank));
    if (blank == std::string_view::npos) break;
    record.remove_prefix(blank + 1);
  }
  return fields;
}

// Field `index` (1-based) of a record, if the record has it.
std::optional<std::string_view> Field(const ReplyFields& fields, std::size_t index) {
  if (index == 0 || index > fields.size()) return std::nullopt;
  return fields[index - 1];
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where the fields of a list entry stand in its record (1-based; 0 absent).
struct EntryFields {
  std::size_t place, score, nick, country, city, r07, r08, r09, r10;
};

// Fills `list` in the order of the records.
bool ParseEntries(std::string_view reply, TopTenList& list, const EntryFields& at) {
  const std::vector<ReplyFields> records = ReplyRecords(reply, list.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    const ReplyFields& fields = records[i];
    TQorRecord& entry = list[i];
    if (!TakeRecordNumber(fields, at.place, entry.Place) || !TakeRecordNumber(fields, at.score, entry.Score)) return false;
    TakeRecordText(fields, at.nick, entry.Nick);
    TakeRecordText(fields, at.country, entry.Country);
    TakeRecordText(fields, at.city, entry.City);
    TakeRecordText(fields, at.r07, entry.R07);
    TakeRecordText(fields, at.r08, entry.R08);
    TakeRecordText(fields, at.r09, entry.R09);
    TakeRecordText(fields, at.r10, entry.R10);
  }
  return true;
}

}  // namespace

bool TakeRecordNumber(const ReplyFields& fields, std::size_t index, std::int32_t& target) {
  const std::optional<std::string_view> field = Field(fields, index);
  if (!field) return true;
  const std::optional<std::int32_t> number = FieldNumber(*field);
  if (!number) return false;
  target = *number;
  return true;
}

void TakeRecordText(const ReplyFields& fields, std::size_t index, std::string& target) {
  if (const std::optional<std::string_view> field = Field(fields, index))
    target = Cp1251ToUtf8(*field);
}

void TakeRecordChar(const ReplyFields& fields, std::size_t index, char& target) {
  const std::optional<std::string_view> field = Field(fields, index);
  if (field && !field->empty()) target = field->front();
}

std::vector<ReplyFields> ReplyRecords(std::string_view reply, std::size_t limit, bool starEnds) {
  reply = WithoutClosingBreaks(reply);
  std::vector<ReplyFields> records;
  std::size_t start = reply.find('$');
  while (start != std::string_view::npos && records.size() < limit) {
    const std::string_view rest = reply.substr(start + 1);
    const std::size_t end = rest.find_first_of(starEnds ? "$*" : "$");
    records.push_back(SplitFields(rest.substr(0, end)));
    if (end == std::string_view::npos) break;
    start = reply.find('$', start + 1 + end);
  }
  return records;
}

bool ParseTopTenReply(std::string_view reply, TopTenList& list) {
  return ParseEntries(reply, list, {1, 3, 4, 5, 6, 7, 8, 9, 10});
}

bool ParseOnlineTopTenReply(std::string_view reply, TopTenList& list) {
  return ParseEntries(reply, list, {1, 6, 2, 4, 3, 5, 0, 0, 0});
}

bool ParseStatReply(std::string_view reply, TQorStat& stat) {
  const std::vector<ReplyFields> records = ReplyRecords(reply, 1);
  if (records.empty()) return true;
  const ReplyFields& fields = records.front();
  if (!TakeRecordNumber(fields, 1, stat.Stat1) || !TakeRecordNumber(fields, 2, stat.Stat2) ||
      !TakeRecordNumber(fields, 3, stat.Stat3))
    return false;
  TakeRecordText(fields, 4, stat.Stat4);
  for (std::size_t i = 0; i < stat.StatX.size(); ++i) {
    if (!TakeRecordNumber(fields, 5 + i, stat.StatX[i])) return false;
  }
  if (!TakeRecordNumber(fields, 17, stat.StatY)) return false;
  TakeRecordText(fields, 18, stat.StatZ);
  return true;
}

std::optional<std::int32_t> ParseNumberReply(std::string_view reply) {
  reply = WithoutClosingBreaks(reply);
  if (reply.size() < 2) return std::nullopt;
  const std::size_t dollar = reply.rfind('$', reply.size() - 2);
  if (dollar == std::string_view::npos) return std::nullopt;
  std::string_view digits = reply.substr(dollar + 1);
  std::size_t length = 0;
  while (length < digits.size() && IsDigit(digits[length])) ++length;
  if (length == 0) return std::nullopt;
  return FieldNumber(digits.substr(0, length));
}

bool OkAfterLastDollar(std::string_view reply) {
  const std::size_t dollar = reply.rfind('$');
  if (dollar == std::string_view::npos) return false;
  std::string_view text = reply.substr(dollar + 1);
  text = text.substr(0, text.find('#'));
  return text.size() >= 3 && text.substr(1, 2) == "ok";
}

bool DirectoryHasKey(std::string_view document, std::string_view key) {
  return !key.empty() && document.find(key) != std::string_view::npos;
}

std::optional<std::string> DirectoryValue(std::string_view document, std::string_view key) {
  if (!DirectoryHasKey(document, key)) return std::nullopt;
  const std::size_t start = document.find(key) + key.size() + 1;
  if (start > document.size()) return std::string{};
  const std::string_view value = document.substr(start);
  return std::string(value.substr(0, value.find('#')));
}

std::int32_t NewsNumber(std::string_view document) {
  constexpr std::string_view kMarker = "QorNews";
  const std::size_t at = document.find(kMarker);
  if (at == std::string_view::npos) return 0;
  const std::string_view digits = document.substr(at + kMarker.size(), 5);
  for (const char c : digits) {
    if (!IsDigit(c)) return 0;
  }
  return FieldNumber(digits).value_or(0);
}

std::string WireSafe(std::string_view value) {
  std::string safe(value);
  for (char& c : safe) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || std::string_view(" &=$*#+%").find(c) != std::string_view::npos)
      c = '_';
  }
  return safe;
}

}  // namespace tarvel
