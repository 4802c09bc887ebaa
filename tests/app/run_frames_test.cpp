#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <Image_AlienPixMap.hxx>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/cli/invocation.hpp"

namespace sledway::cli {
namespace {

using test::ExpectRefused;
using test::Sledway;

// Without a display the runner starts an Xvfb of its own for the pictures; the tests take that
// way whatever display the shell that runs them has.
class FramesTest : public test::WithDirectory {
 protected:
  void SetUp() override {
    WithDirectory::SetUp();
    if (const char* display = std::getenv("DISPLAY")) display_ = display;
    ::unsetenv("DISPLAY");
  }
  void TearDown() override {
    if (display_) ::setenv("DISPLAY", display_->c_str(), 1);
    WithDirectory::TearDown();
  }

  std::optional<std::string> display_;
};

TEST_F(FramesTest, APictureAfterPositionAndAfterEveryMoveShowsTheComponentMoving) {
  const std::filesystem::path frames = directory_ / "frames";
  ASSERT_EQ(
      Sledway({"run", "--steps", "3", "--frames", frames.string(), "--size", "200x120"}).status, 0);
  const std::vector<std::string> names = test::Names(frames);
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
  ExpectRefused({"run", "--frames", (directory_ / "out").string(), "--size", "200"},
                "--size: '200' is not WxH");
  EXPECT_FALSE(std::filesystem::exists(directory_ / "out"));
  ExpectRefused({"run", "--frames", "/proc/self/frames"},
                "cannot make the directory /proc/self/frames");
}

}  // namespace
}  // namespace sledway::cli
