#pragma once

#include <ostream>

namespace sledway::cli {

// Where the runner writes: results to `out`, messages and the progress bar to `err`.
struct Console {
  std::ostream& out;
  std::ostream& err;
  // The progress bar is drawn only on a terminal.
  bool errIsTerminal = false;
};

}  // namespace sledway::cli
