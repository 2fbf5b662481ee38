// Fuzz target of the services' request bodies: whatever a body holds, a
// parsed form gives only checked numbers and texts, and reply records made
// of any bytes carry no blank and no empty field.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "form_fields.h"
#include "fuzz_check.h"

namespace {

using namespace tarvel::services;

void CheckForm(std::string_view body) {
  const auto form = FormFields::Parse(body);
  if (!form) return;
  TARVEL_FUZZ_CHECK(body.size() <= kMaxBody);
  for (const char* name : {"gid", "nick", "score", "R10", "stat4"}) {
    if (const auto number = form->Number(name, -1000, 1000))
      TARVEL_FUZZ_CHECK(*number >= -1000 && *number <= 1000);
    if (const auto text = form->Text(name, 12)) {
      TARVEL_FUZZ_CHECK(!text->empty() && text->size() <= 12);
      TARVEL_FUZZ_CHECK(text->find_first_of(" $*&=\r\n\t") == std::string::npos);
    }
    if (const auto text = form->Name(name, 2, 12)) {
      TARVEL_FUZZ_CHECK(text->size() >= 2 && text->size() <= 12);
      for (const char c : *text) {
        const auto byte = static_cast<unsigned char>(c);
        TARVEL_FUZZ_CHECK(byte > ' ' && c != '#' && c != '%' && c != '+' && c != ':');
      }
    }
    if (const auto country = form->Country(name))
      TARVEL_FUZZ_CHECK(country->size() == 5 && (*country)[1] == '-');
  }
}

void CheckRecord(std::string_view bytes) {
  const std::size_t cut = bytes.size() / 2;
  const std::string record =
      ReplyRecord({std::string(bytes.substr(0, cut)), std::string(bytes.substr(cut)), ""});
  TARVEL_FUZZ_CHECK(record.front() == '$');
  TARVEL_FUZZ_CHECK(record.find('$', 1) == std::string::npos);
  TARVEL_FUZZ_CHECK(record.find("  ") == std::string::npos);
  for (const char c : record.substr(1)) TARVEL_FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  CheckForm(body);
  CheckRecord(body);
  return 0;
}
