// Fuzz target of the name alphabet: nicks, cities and chat texts as they
// come from the services or the keyboard (passport_name.h, chat_board.h).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "chat_board.h"
#include "fuzz_check.h"
#include "passport_name.h"

namespace {

using namespace tarvel;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const std::size_t limit : {kNickLimit, kCityLimit}) {
    const int result = CheckPassportName(text, limit);
    TARVEL_FUZZ_CHECK(result >= kNameRefused && result <= kNameLatin);
    // An accepted name is short, without blanks, and shown as it is.
    if (result != kNameRefused) {
      TARVEL_FUZZ_CHECK(text.size() >= 2 && text.size() <= 2 * limit);
      TARVEL_FUZZ_CHECK(text.find_first_of(" \r\n\t<>&") == std::string_view::npos);
      TARVEL_FUZZ_CHECK(ShownName(text, limit) == text);
    } else {
      TARVEL_FUZZ_CHECK(ShownName(text, limit) == "#");
    }
  }
  // A chat text keeps only the alphabet: checking it again changes nothing,
  // and no character survives that a text-style body or a label could
  // misread.
  const std::string sent = NameAlphabetOnly(text);
  TARVEL_FUZZ_CHECK(sent.size() <= text.size());
  TARVEL_FUZZ_CHECK(NameAlphabetOnly(sent) == sent);
  TARVEL_FUZZ_CHECK(sent.find_first_of(" &=$*#+%<>\r\n\t\"'") == std::string::npos);
  const std::string shown = ShownChatText(sent);
  TARVEL_FUZZ_CHECK(shown.size() == sent.size() && shown.find('_') == std::string::npos);
  const std::string when = ChatTimeField(text, text, "Tarvel");
  TARVEL_FUZZ_CHECK(NameAlphabetOnly(when) == when);
  return 0;
}
