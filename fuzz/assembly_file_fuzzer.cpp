// Any text given to the assembly-file reader either opens as a whole assembly or is refused
// with an AssemblyFileError; nothing else may escape, crash, leak or take long.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "modelhost/files/assembly_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    // STEP parts are looked for in a directory that does not exist, so the reader meets only
    // the paths the input names itself.
    sledway::model::ReadAssemblyText(text, "fuzz.json", "/nonexistent-sledway-fuzz");
  } catch (const sledway::model::AssemblyFileError&) {
  }
  return 0;
}
