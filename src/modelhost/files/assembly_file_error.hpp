#pragma once

#include <stdexcept>

namespace sledway::model {

// An assembly file that cannot be opened. The message names the file, the place in it (a JSON
// pointer, or a line and column for text that is not JSON) and the problem, for example
// "track.json: /components/1/part: no part named 'crt'".
class AssemblyFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace sledway::model
