#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/object.hpp"
#include "modelhost/files/assembly_file_error.hpp"
#include "modelhost/files/suggested_run.hpp"

namespace sledway::model {

class AssemblyDocument;

// An assembly opened from a file: the document, and what the file says about it besides.
struct AssemblyFile {
  Ref<AssemblyDocument> document;
  std::string description;
  std::optional<SuggestedRun> run;
  // Every file read: the assembly's own and its STEP parts (none for text at hand).
  std::vector<std::filesystem::path> files;
};

// Opens an assembly file (the JSON format of docs/assembly-format.md). Either the whole file is
// read into a fresh document or an AssemblyFileError names the file, the place in it and the
// problem; nothing of a refused file is kept. STEP parts are found relative to the file.
AssemblyFile ReadAssemblyFile(const std::filesystem::path& path);
// The same for JSON text at hand: `nameForMessages` stands for the file in messages and names
// the document (its stem), `baseDir` is where STEP parts are found.
AssemblyFile ReadAssemblyText(std::string_view json, const std::filesystem::path& nameForMessages,
                              const std::filesystem::path& baseDir);

// The document alone.
Ref<AssemblyDocument> LoadAssemblyFile(const std::filesystem::path& path);
Ref<AssemblyDocument> LoadAssemblyText(std::string_view json,
                                       const std::filesystem::path& nameForMessages,
                                       const std::filesystem::path& baseDir);

}  // namespace sledway::model
