#pragma once

#include <string>

namespace sledway::cli {

// Numbers as the runner writes them: the same text on every locale (a point, no grouping).
// Values of 1e15 and more in magnitude, and those that are not finite ("inf", "nan"), are
// written as ExactText does ("1e+57") by every function here.

// `decimals` decimals exactly: 1.5 with 3 gives "1.500".
std::string FixedText(double value, int decimals);
// At most `decimals` decimals, trailing zeros dropped: 1.5 with 3 gives "1.5", 2.0 gives "2".
std::string TrimmedText(double value, int decimals);
// The shortest text that reads back as the same double.
std::string ExactText(double value);
// Three significant digits in scientific form: "1.23e-15".
std::string ScientificText(double value);

}  // namespace sledway::cli
