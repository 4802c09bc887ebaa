#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace sledway::test {

inline std::string Read(const std::filesystem::path& file) {
  std::ostringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  return text.str();
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
                 ("sledway-test-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(directory_);
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::vector<std::string> Names() const { return test::Names(directory_); }
  // Writes `text` into the file `name` of the directory and gives its path.
  std::string Assembly(const std::string& text, const std::string& name = "assembly.json") const {
    std::ofstream(directory_ / name, std::ios::binary) << text;
    return (directory_ / name).string();
  }

  std::filesystem::path directory_;
};

}  // namespace sledway::test
