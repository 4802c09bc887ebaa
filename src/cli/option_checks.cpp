#include "cli/option_checks.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "host/echoed_text.hpp"

namespace sledway::cli {

CLI::Validator FiniteNumber() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        double value = 0.0;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, value);
        if (error != std::errc() || stop != end || !std::isfinite(value)) {
          return "'" + EchoedText(text) + "' is not a finite number";
        }
        return {};
      },
      "FINITE");
}

CLI::Validator DecimalInteger() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        const std::size_t digits = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
        if (text.size() == digits ||
            text.find_first_not_of("0123456789", digits) != std::string::npos) {
          return "'" + EchoedText(text) + "' is not a whole number in decimal digits";
        }
        const std::size_t significant =
            std::min(text.find_first_not_of('0', digits), text.size() - 1);
        text.erase(digits, significant - digits);
        return {};
      },
      "DECIMAL");
}

CLI::Validator NonEmpty() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        return text.empty() ? std::string("the value may not be empty") : std::string();
      },
      "NOT EMPTY");
}

}  // namespace sledway::cli
