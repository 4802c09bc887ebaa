#pragma once

#include <filesystem>

namespace sledway::model {

// Fails with a PlacedError for the file as a whole unless `path` names a regular file (through
// any links): a directory, a FIFO (whose reader would wait for a writer forever), a device or a
// link that cannot be resolved is no assembly, and is refused before anything opens it.
void RequireRegularFile(const std::filesystem::path& path);

}  // namespace sledway::model
