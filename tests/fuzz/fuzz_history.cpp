// Fuzz target of the history file check: any bytes are checked without
// harm; a file that passes keeps its record lines when a game is appended,
// and the new file passes with one line more.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "history_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvel;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const HistoryCheck check = CheckHistoryBytes(bytes);
  TARVEL_FUZZ_CHECK(check.valid || (check.records == 0 && check.lines.empty()));
  if (!check.valid) return 0;
  TARVEL_FUZZ_CHECK(check.records == static_cast<int>(check.lines.size()));
  HisStr entry;
  entry.HName = std::string(bytes.substr(0, 60));
  const std::string appended = FormatHistoryFile(check.lines, {entry}, HistoryStamp{"12:34", "01.02.2025"});
  const HistoryCheck again = CheckHistoryBytes(appended);
  TARVEL_FUZZ_CHECK(again.valid);
  TARVEL_FUZZ_CHECK(again.records == check.records + 1);
  for (std::size_t i = 0; i < check.lines.size(); ++i) TARVEL_FUZZ_CHECK(again.lines[i] == check.lines[i]);
  return 0;
}
