#pragma once

#include <stdexcept>

namespace sledway::cli {

// Bad input on the command line or in what it names (an unknown example, a file that does not
// load, an entity the pick refuses). The runner exits with status 2 and the message.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace sledway::cli
