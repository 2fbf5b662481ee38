// Fuzz target of the account service's reply parsers and the user file: the
// input is a reply, or the bytes of a "QorUser.qor", as they arrive.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "account_records.h"
#include "fuzz_check.h"

namespace {

using namespace tarvel;

void CheckReplies(std::string_view reply) {
  TQorUser user;
  user.Nick = "Nick";
  user.Pw = "pw";
  if (ParseLoginReply(reply, user)) TARVEL_FUZZ_CHECK(reply.find('$') != std::string_view::npos);
  TARVEL_FUZZ_CHECK(user.Nick == "Nick" && user.Pw == "pw");

  TQorGame game;
  if (ParseGameRecordReply(reply, game)) {
    TARVEL_FUZZ_CHECK(game.Kon >= 0 && game.KonL >= 0 && game.KonL < kAccountCycle);
    TARVEL_FUZZ_CHECK(!std::isnan(game.Rating));
  } else {
    TARVEL_FUZZ_CHECK(game.Kon == 0 && game.KonL == 0);
  }

  AccountTopTen rows;
  ParseRatingListReply(reply, rows);
  TInfo14 info;
  if (!ParseProfileReply(reply, info)) TARVEL_FUZZ_CHECK(info == TInfo14{});
  const int outcome = RegisterOutcome(reply);
  TARVEL_FUZZ_CHECK(outcome >= 0 && outcome <= 2);
  ParseAccountRating(reply);
}

void CheckUserFile(std::string_view text) {
  const auto login = ParseUserFile(text);
  if (!login) return;
  TARVEL_FUZZ_CHECK(text.substr(0, kUserFileTitle.size()) == kUserFileTitle);
  TARVEL_FUZZ_CHECK(!login->nick.empty() && !login->PwC.empty());
  // A password that deciphers is sent without blank, '#' or '$'.
  if (const auto password = StoredPassword(login->PwC))
    TARVEL_FUZZ_CHECK(password->find_first_of(" #$") == std::string::npos);
}

void CheckWire(std::string_view text) {
  const std::string wire = ProfileWireValue(text);
  TARVEL_FUZZ_CHECK(wire.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789%") ==
                    std::string::npos);
  for (const AccountField kind : {AccountField::Nick, AccountField::City, AccountField::Password, AccountField::EMail}) {
    const FieldLamp lamp = CheckAccountField(text, kind);
    if (lamp != FieldLamp::Red) TARVEL_FUZZ_CHECK(text.find_first_of(" #$&=*\r\n") == std::string_view::npos);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckReplies(input);
  CheckUserFile(input);
  CheckWire(input);
  return 0;
}
