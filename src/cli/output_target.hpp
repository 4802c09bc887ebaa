#pragma once

#include <filesystem>
#include <string_view>

namespace sledway::cli {

// Refuses, with a UsageError naming `option`, a file to write that cannot take a whole output:
// one in a directory that is not there, a directory, or a FIFO or a device (a FIFO that nobody
// reads blocks the writer forever) unless it is standard output's own, as /dev/stdout is.
void CheckOutputTarget(std::string_view option, const std::filesystem::path& target);

}  // namespace sledway::cli
