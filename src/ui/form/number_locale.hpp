#pragma once

#include <string>

namespace sledway::form {

// The user's way of writing numbers, as the face or the platform reports it (UTF-8; a separator
// may be more than one byte, such as a narrow no-break space).
struct NumberLocale {
  std::string decimalSeparator = ".";
  std::string groupSeparator = ",";
};

}  // namespace sledway::form
