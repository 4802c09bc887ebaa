#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/hive.hpp"

namespace sledway::platform {

// The hive file is a registry editor export (REGEDIT4) of HKEY_CURRENT_USER: a person can
// read it, and the registry editor can import it.
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Autodesk\InventorSledway\Settings]
//   "Top"=dword:000004d2
//   "Caption"="text with \"quotes\" and a \\ backslash"
//   "Raw"=hex:01,02,ff
//   @=hex(1):31,35,30,30
//
// A text value goes between quotes only when it holds one terminating NUL and no other
// control character; anything else is written byte for byte as hex(type), so every value
// reads back exactly as it was set.

// Text that is not such a file. The message names the line and what is wrong with it.
class RegFormatError : public std::runtime_error {
 public:
  RegFormatError(int line, const std::string& problem);
  int Line() const { return line_; }

 private:
  int line_;
};

// Accepts line feeds or carriage return and line feed, comments (';'), hex lists continued
// over lines, and keys listed before their parents. Import instructions that delete a key or
// a value describe no state and are errors.
Hive ParseRegFile(std::string_view text);

// Keys in key path order, each key's values in the order they were set. The root key gets a
// section only when it holds values.
std::string FormatRegFile(const Hive& hive);

}  // namespace sledway::platform
