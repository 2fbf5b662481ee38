// Fuzz target of the calendar's text input: dates given on a command line
// (ParseIsoDate), date fields (ParseDateField) and the console tool's
// arguments (RunCalendarTool). A date is taken only when it is real and
// reads back the same; a date field only with its numbers in range; the
// tool answers 0 or 2, and with 2 prints nothing on standard output.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar_tool.h"
#include "calendar/holidays.h"
#include "fuzz_check.h"

namespace {

using namespace tarvel;

void CheckDate(std::string_view text, int language) {
  const std::optional<CivilDate> date = ParseIsoDate(text);
  if (!date) return;
  TARVEL_FUZZ_CHECK(IsValidDate(*date));
  TARVEL_FUZZ_CHECK(FormatIsoDate(*date) == text);
  const CalendarDay day = PlanCalendarDay(*date, language);
  TARVEL_FUZZ_CHECK(day.Pages.size() >= 2 && day.Pages.size() <= static_cast<std::size_t>(kMaxCalendarPages));
}

void CheckDateField(std::string_view text) {
  const std::optional<DateField> field = ParseDateField(text);
  if (!field) return;
  TARVEL_FUZZ_CHECK(text.size() == 10);
  switch (field->Kind) {
    case DateRuleKind::Fixed:
      TARVEL_FUZZ_CHECK(IsValidDate(CivilDate{2000, field->Month, field->Day}));
      break;
    case DateRuleKind::OrthodoxEaster:
    case DateRuleKind::WesternEaster:
      TARVEL_FUZZ_CHECK(field->Offset >= -99 && field->Offset <= 99);
      break;
    case DateRuleKind::NthWeekday:
      TARVEL_FUZZ_CHECK(field->Week >= 1 && field->Week <= 5);
      [[fallthrough]];
    case DateRuleKind::LastWeekday:
      TARVEL_FUZZ_CHECK(field->Weekday >= 1 && field->Weekday <= 7);
      TARVEL_FUZZ_CHECK(field->Month >= 1 && field->Month <= 12);
      break;
  }
  // Any date may be asked about the rule.
  (void)OccursOn(*field, CivilDate{2024, 2, 29});
}

void CheckTool(std::string_view line) {
  std::vector<std::string_view> args;
  std::size_t start = 0;
  while (start <= line.size()) {
    const std::size_t end = line.find(' ', start);
    args.push_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCalendarTool(args, out, err);
  TARVEL_FUZZ_CHECK(status == 0 || status == 2);
  TARVEL_FUZZ_CHECK(status == 0 ? err.str().empty() : out.str().empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const int language = size == 0 ? 0 : data[0] % 12 - 1;  // -1 .. 10: out of range too
  std::size_t start = 0;
  while (true) {
    const std::size_t end = input.find('\n', start);
    const std::string_view line = input.substr(start, end == std::string_view::npos ? end : end - start);
    CheckDate(line, language);
    CheckDateField(line);
    CheckTool(line);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return 0;
}
