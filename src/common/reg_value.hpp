#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace sledway {

// A setting's value as CRegAPI takes and gives it, in place of a variant:
//   std::monostate             empty: a missing value reads as this
//   std::string                text, stored as REG_SZ
//   std::int32_t               a 32-bit signed integer, stored as REG_DWORD
//   std::vector<std::uint8_t>  bytes, stored as REG_BINARY
//   double                     a number from the caller (a window position in twips); it is
//                              stored as REG_DWORD, rounded, or as its text
// Reads give the first four only.
using RegValue =
    std::variant<std::monostate, std::string, std::int32_t, std::vector<std::uint8_t>, double>;

// A list of rows, the result of GetAllSettings and GetAllKeys; empty when there is nothing to
// list.
using RegTable = std::vector<std::vector<RegValue>>;

// The number a value holds or reads as: numbers as they are, text that reads as a finite
// decimal number with blanks around it allowed (" -12.5e1 "), nothing otherwise. A window
// uses it on a stored position, which may have been written as text.
std::optional<double> NumberIn(const RegValue& value);

}  // namespace sledway
