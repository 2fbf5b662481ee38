#include "atomic_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "settings_test_support.h"

namespace tarvel {
namespace {

using testing::ReadBytes;
using testing::TempDir;

// Runs `body` in a child process; returns its pid.
template <typename Body>
pid_t Spawn(Body body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    body();
    ::_exit(0);
  }
  return pid;
}

bool ExitedCleanly(pid_t pid) {
  int status = 0;
  return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Two processes replace the same file over and over with versions of
// different sizes while this one reads it: every read sees one whole version,
// never an empty or mixed file.
TEST(AtomicFile, TwoWritersAtOnceNeverShowAPartialFile) {
  TempDir dir;
  const auto file = dir.path() / "Tarvel.ini";
  const std::string first(20000, 'a');
  const std::string second(7000, 'b');
  ASSERT_TRUE(ReplaceFileContents(file, first));
  constexpr int kWrites = 1500;
  const pid_t one = Spawn([&] {
    for (int i = 0; i < kWrites; ++i) ReplaceFileContents(file, first);
  });
  const pid_t two = Spawn([&] {
    for (int i = 0; i < kWrites; ++i) ReplaceFileContents(file, second);
  });
  int reads = 0;
  int torn = 0;
  int status = 0;
  while (::waitpid(one, &status, WNOHANG) == 0 || reads < 100) {
    const std::string seen = ReadBytes(file);
    ++reads;
    if (seen != first && seen != second) ++torn;
  }
  EXPECT_TRUE(ExitedCleanly(two));
  EXPECT_EQ(torn, 0) << "of " << reads << " reads";
  const std::string last = ReadBytes(file);
  EXPECT_TRUE(last == first || last == second);
  // Nothing is left beside the file but the file.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// Two processes each add one to a counter file a few hundred times, reading
// and rewriting it under the lock: no increment is lost.
TEST(AtomicFile, LockedReadModifyWriteLosesNoUpdate) {
  TempDir dir;
  const auto file = dir.path() / "counter";
  const auto lock = dir.path() / "counter.lock";
  ASSERT_TRUE(ReplaceFileContents(file, "0"));
  constexpr int kEach = 300;
  const auto add = [&] {
    for (int i = 0; i < kEach; ++i) {
      FileLock held(lock);
      if (!held.Held()) ::_exit(1);
      const int value = std::stoi(ReadBytes(file));
      if (!ReplaceFileContents(file, std::to_string(value + 1))) ::_exit(1);
    }
  };
  const pid_t one = Spawn(add);
  const pid_t two = Spawn(add);
  EXPECT_TRUE(ExitedCleanly(one));
  EXPECT_TRUE(ExitedCleanly(two));
  EXPECT_EQ(ReadBytes(file), std::to_string(2 * kEach));
}

}  // namespace
}  // namespace tarvel
