#include "ui/drive_value.hpp"

#include <array>
#include <charconv>

namespace sledway {

double DriveValue(std::int64_t k, std::int64_t steps, double driveFrom, double driveTo) {
  return (static_cast<double>(k) / static_cast<double>(steps)) * (driveTo - driveFrom) + driveFrom;
}

std::string DriveExpression(double value, const std::string& units) {
  // to_chars ignores the locale, so a user's comma never reaches the host's expression parser.
  // Adding 0.0 turns a negative zero into "0" rather than "-0".
  std::array<char, 32> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(), value + 0.0,
                                     std::chars_format::general, 15);
  return std::string(text.data(), written.ptr) + " " + units;
}

}  // namespace sledway
