// The console calendar `tarvel-calendar`:
//   tarvel-calendar --date YYYY-MM-DD [--language N]   the hints of that day's
//                                                     pages, one per line, in page order
//   tarvel-calendar --easter YEAR                      "orthodox YYYY-MM-DD" and
//                                                     "western YYYY-MM-DD"
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace tarvel {

// Runs the tool on its arguments (without the program name). Returns the exit
// status: 0, or 2 with the usage text on `err` for arguments it does not take.
int RunCalendarTool(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace tarvel
