#include "platform/hive_store.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.hpp"
#include "platform/reg_file_format.hpp"
#include "scoped_config_home.hpp"

namespace sledway::platform {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void Overwrite(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

// Files in the hive's folder whose names start with the hive file's name and `suffix`.
std::vector<fs::path> Beside(const fs::path& file, const std::string& suffix) {
  std::vector<fs::path> found;
  for (const auto& entry : fs::directory_iterator(file.parent_path())) {
    if (entry.path().filename().string().starts_with(file.filename().string() + suffix)) {
      found.push_back(entry.path());
    }
  }
  return found;
}

std::function<bool(Hive&)> SetText(const std::string& name, const std::string& text) {
  return [=](Hive& hive) {
    hive.CreateKey("K");
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return hive.FindKey("K")->SetValue(name, 1, data);
  };
}

TEST(HiveStore, WritesWhatChangesAndNothingElse) {
  const test::ScopedConfigHome home;
  const HiveStore store(home.HiveFile());
  EXPECT_EQ(store.Read(), Hive());
  EXPECT_FALSE(fs::exists(home.HiveFile().parent_path()));

  store.Modify([](Hive&) { return false; });
  EXPECT_FALSE(fs::exists(home.HiveFile()));

  store.Modify(SetText("A", "first"));
  const Hive written = store.Read();
  ASSERT_NE(written.FindKey("K"), nullptr);
  EXPECT_EQ(written.FindKey("K")->FindValue("A")->data.size(), 6u);
  EXPECT_EQ(ParseRegFile(Contents(home.HiveFile())), written);
  EXPECT_TRUE(fs::exists(home.HiveFile().string() + ".lock"));
  EXPECT_TRUE(Beside(home.HiveFile(), ".tmp-").empty());
}

TEST(HiveStore, AWriterKilledBeforeTheRenameLeavesThePreviousFileIntact) {
  const test::ScopedConfigHome home;
  const HiveStore store(home.HiveFile());
  store.Modify(SetText("A", "kept"));
  const std::string before = Contents(home.HiveFile());

  const int status = test::WaitFor(test::StartChild([&] {
    const HiveStore dying(home.HiveFile(), [](const fs::path&) { std::raise(SIGKILL); });
    dying.Modify(SetText("B", "lost"));
  }));
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGKILL);

  EXPECT_EQ(Contents(home.HiveFile()), before);
  // The writer got as far as its complete temporary file.
  const std::vector<fs::path> left = Beside(home.HiveFile(), ".tmp-");
  ASSERT_EQ(left.size(), 1u);
  EXPECT_THAT(Contents(left[0]), HasSubstr("\"B\"=\"lost\""));

  // Its death released the lock, and the next writer clears what it left.
  store.Modify(SetText("C", "next"));
  EXPECT_TRUE(Beside(home.HiveFile(), ".tmp-").empty());
  const Hive after = store.Read();
  const HiveKey& key = *after.FindKey("K");
  EXPECT_NE(key.FindValue("A"), nullptr);
  EXPECT_EQ(key.FindValue("B"), nullptr);
  EXPECT_NE(key.FindValue("C"), nullptr);
}

TEST(HiveStore, ACorruptFileIsMovedAsideAndReportedNeverOverwritten) {
  const test::ScopedConfigHome home;
  const HiveStore store(home.HiveFile());
  store.Modify(SetText("A", "x"));
  Overwrite(home.HiveFile(), "REGEDIT4\n\n\"orphan\"=\"value\"\n");

  ::testing::internal::CaptureStderr();
  EXPECT_EQ(store.Read(), Hive());
  const std::string report = ::testing::internal::GetCapturedStderr();

  EXPECT_FALSE(fs::exists(home.HiveFile()));
  const std::vector<fs::path> aside = Beside(home.HiveFile(), ".corrupt-");
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(Contents(aside[0]), "REGEDIT4\n\n\"orphan\"=\"value\"\n");
  EXPECT_THAT(report, HasSubstr(home.HiveFile().string()));
  EXPECT_THAT(report, HasSubstr(aside[0].string()));
  EXPECT_THAT(report, HasSubstr("line 3"));

  // A second bad file within the same second must not replace the first one set aside.
  Overwrite(home.HiveFile(), "not a hive");
  ::testing::internal::CaptureStderr();
  store.Modify(SetText("B", "y"));
  EXPECT_THAT(::testing::internal::GetCapturedStderr(), HasSubstr("cannot be read"));
  EXPECT_EQ(Beside(home.HiveFile(), ".corrupt-").size(), 2u);
  const Hive clean = ParseRegFile(Contents(home.HiveFile()));
  EXPECT_EQ(clean.FindKey("K")->Values().size(), 1u);
  EXPECT_NE(clean.FindKey("K")->FindValue("B"), nullptr);
}

TEST(HiveStore, TheFileLivesInTheUsersConfigFolder) {
  const test::ScopedConfigHome home;
  EXPECT_EQ(HiveStore::DefaultFile(), home.HiveFile());

  // A relative XDG_CONFIG_HOME is to be ignored; then ~/.config serves.
  const std::string previousHome = std::getenv("HOME") == nullptr ? "" : std::getenv("HOME");
  ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
  ::setenv("HOME", home.Folder().c_str(), 1);
  const fs::path file = HiveStore::DefaultFile();
  ::setenv("HOME", previousHome.c_str(), 1);
  EXPECT_EQ(file, home.Folder() / ".config" / "sledway" / "registry.reg");
}

}  // namespace
}  // namespace sledway::platform
