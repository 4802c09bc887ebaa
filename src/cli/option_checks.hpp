#pragma once

#include <CLI/CLI.hpp>

namespace sledway::cli {

// Checks of option values that CLI11's own conversions let through.

// A number that is finite: "nan", "inf" and "1e999" parse as doubles but are no position, delay
// or value.
CLI::Validator FiniteNumber();

// A whole number in decimal digits, as a user means it: CLI11 would read "010" as octal 8 and
// "0x10" as 16. Leading zeros are dropped before CLI11 converts the text; any other spelling is
// refused.
CLI::Validator DecimalInteger();

// A name or path that is not empty: `--drive ''` names nothing and must not count as no drive.
CLI::Validator NonEmpty();

}  // namespace sledway::cli
