#pragma once

#include <string>

namespace sledway::platform {

// The user's decimal and digit-group separators as the regional settings give them (UTF-8),
// read anew on every call, since the user may change them while the host runs.
struct NumberSeparators {
  std::string decimal = ".";
  std::string group = ",";
};
NumberSeparators UserNumberSeparators();

}  // namespace sledway::platform
