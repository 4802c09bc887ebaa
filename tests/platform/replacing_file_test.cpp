#include "platform/replacing_file.hpp"

#include <gmock/gmock.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/common/test_directory.hpp"

namespace sledway::platform {
namespace {

namespace fs = std::filesystem;
using test::Read;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

class ReplacingFileTest : public test::WithDirectory {
 protected:
  static void Write(const fs::path& file, const std::string& text) {
    ReplacingFile replacing(file);
    std::ofstream(replacing.TemporaryPath()) << text;
    replacing.Commit();
  }
};

TEST_F(ReplacingFileTest, ReplacesTheWholeFileOrNothingAndLeavesNothingElse) {
  const fs::path file = directory_ / "rows.csv";
  Write(file, "first\n");
  {
    // The caller hears the temporary name before the file is made; until the commit the old
    // file stays whole, and without one the temporary file goes.
    std::string named;
    ReplacingFile unfinished(file, [&](const std::string& name) {
      named = name;
      EXPECT_FALSE(fs::exists(name));
    });
    EXPECT_EQ(named, unfinished.TemporaryPath());
    std::ofstream(unfinished.TemporaryPath()) << "half a run";
    EXPECT_EQ(Read(file), "first\n");
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"rows.csv"});
  Write(file, "second\n");
  EXPECT_EQ(Read(file), "second\n");
  // Readable as a file made the usual way, not only by its owner.
  struct stat status {};
  ASSERT_EQ(::stat(file.c_str(), &status), 0);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(status.st_mode & 0777, 0666 & ~mask);

  const fs::path missing = directory_ / "missing" / "rows.csv";
  EXPECT_THAT(
      [&] { ReplacingFile{missing}; },
      ThrowsMessage<std::runtime_error>(HasSubstr("cannot write '" + missing.string() + "'")));
  EXPECT_THROW(ReplacingFile{directory_}, std::runtime_error);
  // A rename that fails removes the temporary file.
  ReplacingFile blocked(directory_ / "later");
  fs::create_directories(directory_ / "later" / "inside");
  EXPECT_THROW(blocked.Commit(), std::runtime_error);
  EXPECT_EQ(Names(), (std::vector<std::string>{"later", "rows.csv"}));
}

TEST_F(ReplacingFileTest, ALinkIsFollowedAndTheFileItNamesReplaced) {
  const fs::path file = directory_ / "target.json";
  const fs::path link = directory_ / "link.json";
  Write(file, "old");
  fs::create_symlink(file, link);
  Write(link, "new");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Read(file), "new");
}

}  // namespace
}  // namespace sledway::platform
