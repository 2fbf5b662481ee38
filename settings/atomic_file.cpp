#include "atomic_file.h"

#include <unistd.h>

#include <cstdio>
#include <system_error>

namespace tarvel {

std::filesystem::path TemporaryPathFor(const std::filesystem::path& target) {
  std::filesystem::path temporary = target;
  temporary += ".tmp";
  return temporary;
}

bool ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes) {
  const std::filesystem::path temporary = TemporaryPathFor(target);
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  written = std::fflush(file) == 0 && written;
  written = ::fsync(::fileno(file)) == 0 && written;
  written = std::fclose(file) == 0 && written;

  std::error_code error;
  if (written) std::filesystem::rename(temporary, target, error);
  if (!written || error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace tarvel
