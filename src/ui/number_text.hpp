#pragma once

#include <cstdint>
#include <string>

#include "ui/form/number_locale.hpp"

namespace sledway {

// The default text form of a double shown to the user: up to 15 significant digits, the
// locale's decimal separator, no digit grouping ("25", "2,5" in German, "1e+20").
std::string DoubleText(double value, const form::NumberLocale& locale);

// The number a text box holds: read with the locale's decimal separator and, failing that, with
// a point, since the boxes only let a point be typed. Digit grouping is not read: a German
// "1.500" typed as one and a half stays 1.5. Empty text, or text that is no finite number, counts
// as 0.
double TextToDouble(const std::string& text, const form::NumberLocale& locale);

// The same as a 32-bit count, rounded to the nearest whole number (halves to even); a number
// outside the 32-bit range counts as 0, like any other text that is not a count.
std::int32_t TextToLong(const std::string& text, const form::NumberLocale& locale);

}  // namespace sledway
