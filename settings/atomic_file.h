// Replacing a local file so that a crash or a full disk never leaves it
// half-written: the new contents go to a temporary file beside the target,
// which is flushed to the disk and then renamed over the old file.
#pragma once

#include <filesystem>
#include <string_view>

namespace tarvel {

// The temporary file used while replacing `target`: its name with ".tmp" added.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& target);

// Writes `bytes` as the new contents of `target`. Returns false when any step
// fails; the old file is then untouched and the temporary file removed.
bool ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes);

}  // namespace tarvel
