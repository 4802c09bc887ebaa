#pragma once

#include <string>
#include <string_view>

#include "host/document.hpp"
#include "ui/form/number_locale.hpp"

namespace sledway {

// The number at the start of `text` as a plain numeric scan reads it: blanks, tabs and line
// feeds anywhere are skipped, a point is the decimal separator whatever the locale, a sign and an
// exponent are taken, and the first character that cannot continue the number ends it. Text
// without a leading number gives 0.
double LeadingNumber(std::string_view text);

// `value` rounded to `decimals` places, a half going to the even neighbour.
double RoundHalfEven(double value, int decimals);

// `value` in the pattern "#,###.#####": thousands grouped with the locale's group separator, at
// most five decimals, no zero before the decimal separator and no trailing zeros after it, and
// the separator always written: "1,234.5", ".25", "12.".
std::string LengthPattern(double value, const form::NumberLocale& locale);

// A length in the host's model unit as the tool window shows it: written by the host in the
// document's length unit, read back, rounded to `decimals` places, put in the pattern above and
// followed by one blank and the unit's label ("1,234.5 mm").
std::string FormatLength(IVAssemblyDocument& document, double length, int decimals,
                         const form::NumberLocale& locale);

}  // namespace sledway
