#include "ui/number_text.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>

namespace sledway {
namespace {

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The whole of `text` as a number with a point as separator; a sign may lead.
std::optional<double> ReadPlain(std::string_view text) {
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  double value = 0.0;
  const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
  if (read.ec != std::errc() || read.ptr != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// With the locale's own separator, which then stands where a point would; a text holding a point
// beside another separator is no number of that locale.
std::optional<double> ReadLocal(std::string_view text, const std::string& separator) {
  if (separator.empty() || separator == "." || text.find('.') != std::string_view::npos) {
    return std::nullopt;
  }
  std::string plain(text);
  if (const std::size_t at = plain.find(separator); at != std::string::npos) {
    plain.replace(at, separator.size(), ".");
  }
  return ReadPlain(plain);
}

std::optional<double> ReadNumber(const std::string& text, const form::NumberLocale& locale) {
  const std::string_view trimmed = Trimmed(text);
  if (const auto local = ReadLocal(trimmed, locale.decimalSeparator)) return local;
  return ReadPlain(trimmed);
}

}  // namespace

std::string DoubleText(double value, const form::NumberLocale& locale) {
  std::array<char, 32> buffer{};
  // Adding 0.0 turns a negative zero into "0".
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value + 0.0,
                                     std::chars_format::general, 15);
  std::string text(buffer.data(), written.ptr);
  if (const std::size_t point = text.find('.'); point != std::string::npos) {
    text.replace(point, 1, locale.decimalSeparator);
  }
  return text;
}

double TextToDouble(const std::string& text, const form::NumberLocale& locale) {
  return ReadNumber(text, locale).value_or(0.0);
}

std::int32_t TextToLong(const std::string& text, const form::NumberLocale& locale) {
  const double value = std::nearbyint(ReadNumber(text, locale).value_or(0.0));
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return 0;
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace sledway
