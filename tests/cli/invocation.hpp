#pragma once

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/sledway_cli.hpp"

namespace sledway::cli::test {

// One run of the command line, with what it wrote.
struct Invocation {
  int status = -1;
  std::string out;
  std::string err;

  nlohmann::json Json() const { return nlohmann::json::parse(out); }
};

// Runs `sledway args...` in this process; `terminal` says whether standard error counts as a
// terminal.
inline Invocation Sledway(const std::vector<std::string>& args, bool terminal = false) {
  std::vector<const char*> argv{"sledway"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out;
  std::ostringstream err;
  const int status =
      RunSledway(static_cast<int>(argv.size()), argv.data(), Console{out, err, terminal});
  return {status, out.str(), err.str()};
}

}  // namespace sledway::cli::test
