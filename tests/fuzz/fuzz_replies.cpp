// Fuzz target of the service reply parsers: the input is a reply (or a GET
// document) as it comes off the wire.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "replies.h"
#include "tour_requests.h"

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

// The tournament's replies: the tables fill from table 10 down, a reply
// without '$' leaves every default, and a failed parse is only ever caused
// by a numeric field.
void CheckTournament(std::string_view reply) {
  TourTables tables;
  const bool ok = ParseTourTablesReply(reply, tables);
  const bool dollar = reply.find('$') != std::string_view::npos;
  if (!dollar) TARVEL_FUZZ_CHECK(ok && tables[0].IP == "0.0.0.0" && tables[9].IP == "0.0.0.0");
  const auto records = ReplyRecords(reply, tables.size(), true);
  for (std::size_t t = 0; t + records.size() < tables.size(); ++t) {
    TARVEL_FUZZ_CHECK(tables[t].IP == "0.0.0.0" && tables[t].Port == 0);
    for (int place = 1; place <= kTourPlaces; ++place) TARVEL_FUZZ_CHECK(PlaceFree(tables[t].Place(place)));
  }
  TourServerInfo info;
  TARVEL_FUZZ_CHECK(ParseTourServerInfoReply(reply, info));
  TARVEL_FUZZ_CHECK(info.text.find('_') == std::string::npos);
  const PlaceReply place = ParsePlaceReply(reply);
  TARVEL_FUZZ_CHECK((place == PlaceReply::Done) == (reply.find("ok") != std::string_view::npos));
  TQorClient client;
  if (!ParseTourClientReply(reply, client)) TARVEL_FUZZ_CHECK(dollar);
  const std::string address = ExternalAddressOf(reply);
  TARVEL_FUZZ_CHECK(address == "X" || (address.size() <= 45 && reply.find(address) != std::string_view::npos));
  TQorClient own;
  own.Score = 7;
  if (!ParseTourStandingReply(reply, own)) TARVEL_FUZZ_CHECK(own.Score == 7);
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
  CheckTournament(reply);
  CheckDocuments(reply);
  CheckWireSafe(reply);
  return 0;
}
