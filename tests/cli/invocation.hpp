#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
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

inline std::string Read(const std::filesystem::path& file) {
  std::ostringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  return text.str();
}

// Refused with exit status 2, nothing on standard output, and a message holding `message`.
inline void ExpectRefused(const std::vector<std::string>& args, const std::string& message) {
  const Invocation run = Sledway(args);
  EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args) << "\n" << run.err;
  EXPECT_THAT(run.err, ::testing::HasSubstr(message)) << ::testing::PrintToString(args);
  EXPECT_EQ(run.out, "") << ::testing::PrintToString(args);
}

// The names a directory holds, sorted: a temporary file left behind shows here.
inline std::vector<std::string> Names(const std::filesystem::path& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Every test has a fresh directory of its own, removed after it.
class WithDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = std::filesystem::temp_directory_path() /
                 ("sledway-cli-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(directory_);
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::vector<std::string> Names() const { return test::Names(directory_); }

  std::filesystem::path directory_;
};

}  // namespace sledway::cli::test
