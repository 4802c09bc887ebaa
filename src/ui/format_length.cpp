#include "ui/format_length.hpp"

#include <array>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "host/codes.hpp"

namespace sledway {
namespace {

bool Skipped(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool Digit(char c) {
  return c >= '0' && c <= '9';
}

// The characters of `text` that make its leading number, blanks left out: sign, digits, one
// point, then an exponent when digits follow its letter.
std::string LeadingNumberText(std::string_view text) {
  std::string compact;
  for (char c : text) {
    if (!Skipped(c)) compact += c;
  }
  std::size_t at = 0;
  if (at < compact.size() && (compact[at] == '+' || compact[at] == '-')) ++at;
  bool digits = false;
  while (at < compact.size() && Digit(compact[at])) ++at, digits = true;
  if (at < compact.size() && compact[at] == '.') {
    ++at;
    while (at < compact.size() && Digit(compact[at])) ++at, digits = true;
  }
  if (!digits) return {};
  std::string number = compact.substr(0, at);
  if (at < compact.size() &&
      (compact[at] == 'e' || compact[at] == 'E' || compact[at] == 'd' || compact[at] == 'D')) {
    std::size_t exponent = at + 1;
    if (exponent < compact.size() && (compact[exponent] == '+' || compact[exponent] == '-')) {
      ++exponent;
    }
    const std::size_t firstDigit = exponent;
    while (exponent < compact.size() && Digit(compact[exponent])) ++exponent;
    if (exponent > firstDigit) {
      number += 'e';
      number += compact.substr(at + 1, exponent - at - 1);
    }
  }
  return number;
}

}  // namespace

double LeadingNumber(std::string_view text) {
  const std::string number = LeadingNumberText(text);
  if (number.empty()) return 0.0;
  // from_chars reads a point whatever the process's locale, which a desktop program may take from
  // the user; a number too large for a double counts as none.
  double value = 0.0;
  const char* first = number.data() + (number.front() == '+' ? 1 : 0);
  const std::from_chars_result read = std::from_chars(first, number.data() + number.size(), value);
  return read.ec == std::errc() && std::isfinite(value) ? value : 0.0;
}

double RoundHalfEven(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const int mode = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double rounded = std::nearbyint(value * scale) / scale;
  std::fesetround(mode);
  return rounded;
}

std::string LengthPattern(double value, const form::NumberLocale& locale) {
  std::array<char, 512> fixed{};
  const auto written = std::to_chars(fixed.data(), fixed.data() + fixed.size(), std::fabs(value),
                                     std::chars_format::fixed, 5);
  const std::string text(fixed.data(), written.ptr);
  const std::size_t point = text.find('.');
  std::string whole = text.substr(0, point);
  std::string decimals = text.substr(point + 1);
  while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
  if (whole == "0") whole.clear();

  std::string grouped;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) grouped += locale.groupSeparator;
    grouped += whole[i];
  }
  const bool negative = std::signbit(value) && (!whole.empty() || !decimals.empty());
  return (negative ? "-" : "") + grouped + locale.decimalSeparator + decimals;
}

std::string FormatLength(IVAssemblyDocument& document, double length, int decimals,
                         const form::NumberLocale& locale) {
  const Ref<IVUnits> units = document.GetUnits();
  const double shown = RoundHalfEven(
      LeadingNumber(units->FormatValue(length, kDefaultDisplayLengthUnits)), decimals);
  return LengthPattern(shown, locale) + ' ' + units->UnitsLabel(kDefaultDisplayLengthUnits);
}

}  // namespace sledway
