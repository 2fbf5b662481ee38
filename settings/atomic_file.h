// Replacing a local file so that a crash or a full disk never leaves it
// half-written: the new contents go to a temporary file beside the target,
// which is flushed to the disk and then renamed over the old file.
//
// Every replacement uses a temporary file of its own (a unique name made by
// mkstemp), so two processes saving the same file at once never write into
// each other's temporary file: a reader always sees one whole version.
// Read-modify-write sequences (read a file, change it, write it back) that
// two copies of the game may run at once take a FileLock around them.
#pragma once

#include <filesystem>
#include <string_view>

namespace tarvel {

// Writes `bytes` as the new contents of `target`. Returns false when any step
// fails; the old file is then untouched and the temporary file removed.
bool ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes);

// An exclusive lock on a lock file (created when missing), held from
// construction to destruction; waits while another process holds it. A lock
// file that cannot be opened gives no lock (Held() false) rather than
// stopping the caller: the files stay consistent on their own, only a
// concurrent update could be lost. Locks do not nest within one process.
class FileLock {
 public:
  explicit FileLock(const std::filesystem::path& lockFile);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool Held() const { return descriptor_ >= 0; }

 private:
  int descriptor_ = -1;
};

}  // namespace tarvel
