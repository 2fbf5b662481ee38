// Reading what the maker's services answer. Every function here is pure: it
// takes the reply's bytes (Windows-1251 for POST replies, UTF-8 for the GET
// documents) and never fails on any input; a reply that does not fit says so
// through its result.
//
// Records: a record begins after a '$' and ends before the next '$' (or, for
// the replies that say so, before the next '*'), or at the end of the reply.
// Its fields are separated by single blanks and numbered from 1, so two
// blanks in a row make an empty field. Line breaks that close the reply are
// not part of its last record or number.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "service_records.h"

namespace tarvel {

// The fields of one record.
using ReplyFields = std::vector<std::string_view>;

// The records of a reply, at most `limit` of them, in order. `starEnds` also
// ends a record at '*'. A reply without '$' has no records.
std::vector<ReplyFields> ReplyRecords(std::string_view reply, std::size_t limit,
                                      bool starEnds = false);

// A decimal integer with an optional sign that fits T; nothing else.
template <typename T>
std::optional<T> ParseDecimal(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return std::nullopt;
  T value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A numeric field: optional sign and decimal digits that fit 32 bits.
inline std::optional<std::int32_t> FieldNumber(std::string_view field) {
  return ParseDecimal<std::int32_t>(field);
}

// Reading one field of a record (fields numbered from 1). A field the record
// lacks leaves `target` as it was. A numeric field that is not a number gives
// false (the request fails); a text is converted to UTF-8; a character field
// takes the field's first byte, an empty field leaves it.
bool TakeRecordNumber(const ReplyFields& fields, std::size_t index, std::int32_t& target);
void TakeRecordText(const ReplyFields& fields, std::size_t index, std::string& target);
void TakeRecordChar(const ReplyFields& fields, std::size_t index, char& target);

// World top ten lists and chat boards: fills `list` in the order of the
// records (fields 1 Place, 3 Score, 4 Nick, 5 Country, 6 City, 7..10 R07..R10;
// field 2 skipped). Entries that no record fills keep what they held, and so
// do fields a short record lacks. False when a numeric field is not a number;
// `list` may then be partly filled. Texts are converted to UTF-8.
bool ParseTopTenReply(std::string_view reply, TopTenList& list);

// The online tournament's top ten: fields 1 Place, 2 Nick, 3 City, 4 Country,
// 5 R07, 6 Score, otherwise as ParseTopTenReply.
bool ParseOnlineTopTenReply(std::string_view reply, TopTenList& list);

// The statistics record: the first record's 18 fields. False when a numeric
// field is not a number.
bool ParseStatReply(std::string_view reply, TQorStat& stat);

// A number reply: the digits after the last '$' that is not the reply's last
// character, up to the first character that is not a digit. Nothing when there
// is no such '$', no digit follows it, or the digits do not fit 32 bits.
std::optional<std::int32_t> ParseNumberReply(std::string_view reply);

// The "ok" marker of the statistics service: "ok" as the second and third
// characters of the text after the last '$' (that text ends at '#').
bool OkAfterLastDollar(std::string_view reply);

// A key of the service directory: present anywhere in the document. Its value
// starts one character after the key (which is followed by a separator) and
// ends before the next '#', or at the end of the document when no '#' follows.
bool DirectoryHasKey(std::string_view document, std::string_view key);
std::optional<std::string> DirectoryValue(std::string_view document, std::string_view key);

// The latest news number: the five characters after "QorNews" read as a
// number; 0 when the marker is absent or they are not a number.
std::int32_t NewsNumber(std::string_view document);

// A user-given value made safe for a text-style body, whose fields are joined
// unencoded: a blank, '&', '=', '$', '*', '#', '+', '%' or a control character
// would split, forge or alter fields, so each becomes '_'. Other bytes pass.
std::string WireSafe(std::string_view value);

}  // namespace tarvel
