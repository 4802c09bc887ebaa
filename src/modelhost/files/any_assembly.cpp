#include "modelhost/files/any_assembly.hpp"

#include <algorithm>
#include <cctype>
#include <string>

#include "modelhost/files/step_assembly.hpp"

namespace sledway::model {

AssemblyFile ReadAnyAssembly(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".json") return ReadAssemblyFile(path);
  if (extension == ".stp" || extension == ".step")
    return AssemblyFile{LoadStepAssembly(path), {}, {}, {path}};
  throw AssemblyFileError(path.string() +
                          ": not an assembly file (expected a .json, .stp or .step file)");
}

Ref<AssemblyDocument> LoadAnyAssembly(const std::filesystem::path& path) {
  return ReadAnyAssembly(path).document;
}

}  // namespace sledway::model
