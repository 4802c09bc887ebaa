#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/sledway_cli.hpp"
#include "tests/common/test_directory.hpp"

namespace sledway::cli::test {

using sledway::test::Names;
using sledway::test::Read;
using sledway::test::WithDirectory;

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

// Refused with exit status 2, nothing on standard output, and a message holding `message`.
inline void ExpectRefused(const std::vector<std::string>& args, const std::string& message) {
  const Invocation run = Sledway(args);
  EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args) << "\n" << run.err;
  EXPECT_THAT(run.err, ::testing::HasSubstr(message)) << ::testing::PrintToString(args);
  EXPECT_EQ(run.out, "") << ::testing::PrintToString(args);
}

}  // namespace sledway::cli::test
