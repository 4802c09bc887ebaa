#include "cli/number_text.hpp"

#include <array>
#include <charconv>
#include <cmath>

namespace sledway::cli {
namespace {

// From this magnitude on a double holds no fractional digits, and fixed notation would only
// write a long run of digits that mean nothing.
constexpr double kFixedLimit = 1e15;

// Adding 0.0 turns a negative zero into a plain one, so "-0.000" never appears. The buffer holds
// any double in any of the forms used here.
template <class... Format>
std::string ToChars(double value, Format... format) {
  std::array<char, 128> text{};
  const auto written =
      std::to_chars(text.data(), text.data() + text.size(), value + 0.0, format...);
  return std::string(text.data(), written.ptr);
}

}  // namespace

std::string FixedText(double value, int decimals) {
  if (!(std::abs(value) < kFixedLimit)) return ExactText(value);
  std::string text = ToChars(value, std::chars_format::fixed, decimals);
  // A tiny negative value that rounds to zero is written as zero, without its sign.
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string TrimmedText(double value, int decimals) {
  std::string text = FixedText(value, decimals);
  if (text.find('.') == std::string::npos || text.find('e') != std::string::npos) return text;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

std::string ExactText(double value) {
  return ToChars(value);
}

std::string ScientificText(double value) {
  return ToChars(value, std::chars_format::scientific, 2);
}

}  // namespace sledway::cli
