#include "cli/option_checks.hpp"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace sledway::cli {

CLI::Validator FiniteNumber() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        double value = 0.0;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, value);
        if (error != std::errc() || stop != end || !std::isfinite(value)) {
          return "'" + text + "' is not a finite number";
        }
        return {};
      },
      "FINITE");
}

CLI::Validator NonEmpty() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        return text.empty() ? std::string("the value may not be empty") : std::string();
      },
      "NOT EMPTY");
}

}  // namespace sledway::cli
