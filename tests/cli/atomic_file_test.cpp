#include "cli/atomic_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "invocation.hpp"

namespace sledway::cli {
namespace {

using AtomicFileTest = test::WithDirectory;

// How the runner's outputs use a platform::ReplacingFile: the stream's own failures count, and
// devices are written directly.
TEST_F(AtomicFileTest, WritesWholeFilesAndDevicesAndReportsAWriteThatFails) {
  const std::filesystem::path file = directory_ / "rows.csv";
  {
    AtomicFile abandoned(file);
    abandoned.Stream() << "half a run";
  }
  EXPECT_TRUE(Names().empty());
  AtomicFile rows(file);
  rows.Stream() << "rows";
  rows.Commit();
  EXPECT_EQ(test::Read(file), "rows");
  EXPECT_THROW(AtomicFile{directory_}, std::runtime_error);

  AtomicFile discarded("/dev/null");
  discarded.Stream() << "discarded";
  discarded.Commit();
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  // A device that takes no data reports the failure instead of swallowing the rows.
  AtomicFile full("/dev/full");
  full.Stream() << "rows";
  EXPECT_THROW(full.Commit(), std::runtime_error);
  EXPECT_EQ(Names(), std::vector<std::string>{"rows.csv"});
}

}  // namespace
}  // namespace sledway::cli
