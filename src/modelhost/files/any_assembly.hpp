#pragma once

#include <filesystem>

#include "modelhost/files/assembly_file.hpp"

namespace sledway::model {

// Opens an assembly by the file's extension (any case): ".json" as an assembly file, ".stp" or
// ".step" as a STEP assembly (with no description or suggested run). Any other extension fails
// with an AssemblyFileError naming the file.
AssemblyFile ReadAnyAssembly(const std::filesystem::path& path);
Ref<AssemblyDocument> LoadAnyAssembly(const std::filesystem::path& path);

}  // namespace sledway::model
