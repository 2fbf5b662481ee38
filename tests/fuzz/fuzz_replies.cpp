// Fuzz target of the service reply parsers: the input is a reply (or a GET
// document) as it comes off the wire.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "replies.h"

namespace {

using namespace tarvel;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number comes only from digits that follow a '$' of the reply, and its
// last digit is the reply's own.
void CheckNumber(std::string_view reply) {
  const auto number = ParseNumberReply(reply);
  if (!number) return;
  TARVEL_FUZZ_CHECK(*number >= 0);
  bool dollarDigit = false;
  for (std::size_t i = 0; i + 1 < reply.size(); ++i)
    dollarDigit = dollarDigit || (reply[i] == '$' && IsDigit(reply[i + 1]));
  TARVEL_FUZZ_CHECK(dollarDigit);
  const char last = static_cast<char>('0' + *number % 10);
  TARVEL_FUZZ_CHECK(reply.find(last) != std::string_view::npos);
}

// Records and fields are pieces of the reply without '$' or blanks.
void CheckRecords(std::string_view reply, bool starEnds) {
  const auto records = ReplyRecords(reply, 10, starEnds);
  TARVEL_FUZZ_CHECK(records.size() <= 10);
  if (reply.find('$') == std::string_view::npos) TARVEL_FUZZ_CHECK(records.empty());
  for (const ReplyFields& fields : records) {
    TARVEL_FUZZ_CHECK(!fields.empty());
    for (const std::string_view field : fields) {
      TARVEL_FUZZ_CHECK(field.find_first_of(starEnds ? "$ *" : "$ ") == std::string_view::npos);
      TARVEL_FUZZ_CHECK(field.empty() || reply.find(field) != std::string_view::npos);
    }
  }
}

// A list fills at most ten entries and keeps the list number; a reply
// without '$' changes nothing.
void CheckLists(std::string_view reply) {
  TopTenList list = EmptyTopTenList(807);
  const bool ok = ParseTopTenReply(reply, list);
  for (const TQorRecord& entry : list) TARVEL_FUZZ_CHECK(entry.GID == 807);
  if (reply.find('$') == std::string_view::npos) {
    TARVEL_FUZZ_CHECK(ok);
    TARVEL_FUZZ_CHECK(list == EmptyTopTenList(807));
  }
  TopTenList online = EmptyTopTenList(87);
  const bool onlineOk = ParseOnlineTopTenReply(reply, online);
  for (const TQorRecord& entry : online) TARVEL_FUZZ_CHECK(entry.GID == 87);
  if (reply.find('$') == std::string_view::npos) TARVEL_FUZZ_CHECK(onlineOk && online == EmptyTopTenList(87));
  TQorStat stat;
  ParseStatReply(reply, stat);
}

void CheckDocuments(std::string_view document) {
  const std::int32_t news = NewsNumber(document);
  TARVEL_FUZZ_CHECK(news >= 0 && news <= 99999);
  if (document.find("QorNews") == std::string_view::npos) TARVEL_FUZZ_CHECK(news == 0);
  for (const std::string_view key : {"WTGamesPatt", "StatPath", "AccPath"}) {
    const auto value = DirectoryValue(document, key);
    TARVEL_FUZZ_CHECK(value.has_value() == DirectoryHasKey(document, key));
    if (value) TARVEL_FUZZ_CHECK(value->find('#') == std::string::npos);
  }
  OkAfterLastDollar(document);
}

void CheckWireSafe(std::string_view value) {
  const std::string safe = WireSafe(value);
  TARVEL_FUZZ_CHECK(safe.size() == value.size());
  TARVEL_FUZZ_CHECK(safe.find_first_of(" &=$*#+%\r\n\t") == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view reply(reinterpret_cast<const char*>(data), size);
  CheckNumber(reply);
  CheckRecords(reply, false);
  CheckRecords(reply, true);
  CheckLists(reply);
  CheckDocuments(reply);
  CheckWireSafe(reply);
  return 0;
}
