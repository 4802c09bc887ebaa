#include "cli/atomic_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "invocation.hpp"

namespace sledway::cli {
namespace {

using test::Read;

using AtomicFileTest = test::WithDirectory;

TEST_F(AtomicFileTest, ReplacesTheWholeFileOrNothingAndLeavesNothingElse) {
  const std::filesystem::path file = directory_ / "rows.csv";
  WriteFileAtomically(file, "first,version\n1,2\n");
  WriteFileAtomically(file, "second\n");
  EXPECT_EQ(Read(file), "second\n");
  // Readable as a file made the usual way, not only by its owner.
  struct stat status {};
  ASSERT_EQ(::stat(file.c_str(), &status), 0);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(status.st_mode & 0777, 0666 & ~mask);

  const std::filesystem::path missing = directory_ / "missing" / "rows.csv";
  try {
    WriteFileAtomically(missing, "lost");
    FAIL() << "a file in a missing directory was written";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(missing.string()), std::string::npos);
  }
  EXPECT_THROW(WriteFileAtomically(directory_, "a directory"), std::runtime_error);
  // Nor does a write left unfinished; a device that takes no data reports the failure instead
  // of swallowing the rows.
  {
    AtomicFile abandoned(file);
    abandoned.Stream() << "half a run";
  }
  EXPECT_THROW(WriteFileAtomically("/dev/full", "rows"), std::runtime_error);
  EXPECT_EQ(Read(file), "second\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"rows.csv"});
}

TEST_F(AtomicFileTest, WritesThroughALinkAndIntoDevicesWithoutReplacingThem) {
  const std::filesystem::path file = directory_ / "target.json";
  const std::filesystem::path link = directory_ / "link.json";
  WriteFileAtomically(file, "old");
  std::filesystem::create_symlink(file, link);
  WriteFileAtomically(link, "new");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(Read(file), "new");

  WriteFileAtomically("/dev/null", "discarded");
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

}  // namespace
}  // namespace sledway::cli
