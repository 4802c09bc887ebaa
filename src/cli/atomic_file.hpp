#pragma once

#include <filesystem>
#include <string_view>

namespace sledway::cli {

// Writes `content` to the file `target` so that readers see either the old file or the whole
// new one, never a part: a temporary file beside it, flushed to disk, then renamed over it.
// A target that exists but is not a regular file (/dev/null, a pipe) is written directly.
// Throws std::runtime_error naming the file when it cannot be written; a temporary file is
// never left behind.
void WriteFileAtomically(const std::filesystem::path& target, std::string_view content);

}  // namespace sledway::cli
