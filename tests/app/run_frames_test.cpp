#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <Image_AlienPixMap.hxx>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/sledway_cli.hpp"

namespace sledway::cli {
namespace {

using ::testing::HasSubstr;

int Sledway(const std::vector<std::string>& args, std::string* err = nullptr) {
  std::vector<const char*> argv{"sledway"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out, errors;
  const int status = RunSledway(static_cast<int>(argv.size()), argv.data(), Console{out, errors});
  if (err) *err = errors.str();
  return status;
}

// Without a display the runner starts an Xvfb of its own for the pictures; the tests take that
// way whatever display the shell that runs them has.
class FramesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* display = std::getenv("DISPLAY")) display_ = display;
    ::unsetenv("DISPLAY");
    folder_ =
        std::filesystem::temp_directory_path() / ("sledway-frames-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
  }
  void TearDown() override {
    if (display_) ::setenv("DISPLAY", display_->c_str(), 1);
    std::filesystem::remove_all(folder_);
  }

  std::optional<std::string> display_;
  std::filesystem::path folder_;
};

TEST_F(FramesTest, APictureAfterPositionAndAfterEveryMoveShowsTheComponentMoving) {
  const std::filesystem::path frames = folder_ / "frames";
  ASSERT_EQ(Sledway({"run", "--steps", "3", "--frames", frames.string(), "--size", "200x120"}), 0);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(frames)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"frame-00001.png", "frame-00002.png",
                                             "frame-00003.png", "frame-00004.png"}));

  std::vector<Image_AlienPixMap> pictures(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    ASSERT_TRUE(pictures[i].Load(TCollection_AsciiString((frames / names[i]).c_str())));
    EXPECT_EQ(pictures[i].SizeX(), 200u);
    EXPECT_EQ(pictures[i].SizeY(), 120u);
  }
  // The view stays put while the cart moves: consecutive pictures differ.
  for (std::size_t i = 1; i < pictures.size(); ++i) {
    EXPECT_NE(std::memcmp(pictures[i - 1].Data(), pictures[i].Data(), pictures[i].SizeBytes()), 0)
        << names[i];
  }
}

TEST_F(FramesTest, ABadSizeOrDirectoryIsRefusedBeforeTheRun) {
  std::string err;
  EXPECT_EQ(Sledway({"run", "--frames", folder_.string(), "--size", "200"}, &err), 2);
  EXPECT_THAT(err, HasSubstr("--size: '200' is not WxH"));
  EXPECT_FALSE(std::filesystem::exists(folder_));
  EXPECT_EQ(Sledway({"run", "--frames", "/proc/self/frames"}, &err), 2);
  EXPECT_THAT(err, HasSubstr("cannot make the directory /proc/self/frames"));
}

}  // namespace
}  // namespace sledway::cli
