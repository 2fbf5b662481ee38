// The property checks of the fuzz targets. A failed check names itself on
// standard error and aborts, so that libFuzzer and the replay driver both
// see it as a crash and keep the input.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace tarvel::fuzz {

[[noreturn]] inline void CheckFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, condition);
  std::fflush(stderr);
  std::abort();
}

}  // namespace tarvel::fuzz

#define TARVEL_FUZZ_CHECK(condition)                                        \
  do {                                                                      \
    if (!(condition)) ::tarvel::fuzz::CheckFailed(#condition, __FILE__, __LINE__); \
  } while (false)
