// Any text given to the REGEDIT4 reader is either refused with a RegFormatError or read into a
// hive that writes out and reads back as the same hive.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/reg_file_format.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sledway::platform;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Hive hive;
  try {
    hive = ParseRegFile(text);
  } catch (const RegFormatError&) {
    return 0;
  }
  if (!(ParseRegFile(FormatRegFile(hive)) == hive)) std::abort();
  return 0;
}
