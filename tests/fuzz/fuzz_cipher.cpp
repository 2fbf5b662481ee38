// Fuzz target of the program's cipher: Decipher takes any text without harm
// and accepts only what Encipher writes; Encipher takes any bytes and writes
// one line of its alphabet that deciphers to them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cipher.h"
#include "fuzz_check.h"

namespace {

bool IsCipherCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

bool IsCipherText(std::string_view text) {
  for (const char c : text) {
    if (!IsCipherCharacter(c)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvel;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  // The input as an enciphered line. Whatever is accepted is exactly what
  // Encipher writes for the result: one plain text has one enciphered form.
  const std::optional<std::string> plain = Decipher(text);
  if (!IsCipherText(text)) TARVEL_FUZZ_CHECK(!plain);
  if (text.empty()) TARVEL_FUZZ_CHECK(plain && plain->empty());
  if (plain) {
    TARVEL_FUZZ_CHECK(Encipher(*plain) == text);
    TARVEL_FUZZ_CHECK(Decipher(Encipher(*plain)) == plain);
  }

  // The input as plain bytes: a check byte and the bytes, six bits a
  // character, and back.
  const std::string enciphered = Encipher(text);
  TARVEL_FUZZ_CHECK(IsCipherText(enciphered));
  const std::size_t bits = text.empty() ? 0 : 8 * (text.size() + 1);
  TARVEL_FUZZ_CHECK(enciphered.size() == (bits + 5) / 6);
  TARVEL_FUZZ_CHECK(Decipher(enciphered) == std::optional<std::string>(text));
  return 0;
}
