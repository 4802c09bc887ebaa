#include "platform/registry.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "platform/hive_store.hpp"
#include "platform/reg_file_format.hpp"
#include "scoped_config_home.hpp"

namespace sledway::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Runs `body` in a forked child, which leaves through _exit so that nothing of the parent runs
// twice; returns the child's wait status.
pid_t StartChild(const std::function<void()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    body();
    ::_exit(0);
  }
  return pid;
}
int WaitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) continue;
  return status;
}

class Registry : public ::testing::Test {
 protected:
  ~Registry() override {
    for (HKEY key : opened_) RegCloseKey(key);
  }

  HKEY Create(const std::string& path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, 0x3F, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS)
        << path;
    opened_.push_back(key);
    return key;
  }

  static std::int32_t Set(HKEY key, const char* name, std::uint32_t type, const Bytes& data) {
    return RegSetValueExA(key, name, 0, type, data.data(), static_cast<std::uint32_t>(data.size()));
  }

  test::ScopedConfigHome home_;
  std::vector<HKEY> opened_;
};

TEST_F(Registry, KeysAreFoundWithoutRegardToCaseAndDeletedByTheRegistrysRules) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Autodesk", 0, 0x3F, &key),
            ERROR_FILE_NOT_FOUND);
  Create("Software\\Autodesk\\InventorSledway\\Settings");
  Create("Software\\AutodeskX");  // shares the text "Autodesk" but is no subkey of it
  EXPECT_EQ(
      RegCreateKeyExA(HKEY_CURRENT_USER, "a\\\\b", 0, nullptr, 0, 0x3F, nullptr, &key, nullptr),
      ERROR_INVALID_PARAMETER);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\autodesk", 0, 0x3F, &key), ERROR_SUCCESS);
  opened_.push_back(key);

  // Subkeys are listed with the spelling first given, and only the direct ones.
  char name[32];
  std::uint32_t length = sizeof name;
  ASSERT_EQ(RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(std::string(name, length), "InventorSledway");
  length = sizeof name;
  EXPECT_EQ(RegEnumKeyExA(key, 1, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);

  HKEY child = Create("software\\autodesk\\inventorsledway");
  EXPECT_EQ(RegDeleteKeyA(key, "InventorSledway"), ERROR_ACCESS_DENIED);  // it has a subkey
  EXPECT_EQ(RegDeleteKeyA(child, "SETTINGS"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(child, "Settings"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyA(key, "InventorSledway"), ERROR_SUCCESS);
  // The handle still names the deleted key; another process may have deleted it too.
  EXPECT_EQ(Set(child, "v", REG_DWORD, {1, 2, 3, 4}), ERROR_KEY_DELETED);
  EXPECT_EQ(ParseRegFile(home_.HiveText()).FindKey("Software\\Autodesk\\InventorSledway"), nullptr);
}

TEST_F(Registry, ValuesReadBackExactlyAsTheyWereSet) {
  HKEY key = Create("Software\\Test");
  ASSERT_EQ(Set(key, "Raw", REG_SZ, {'1', '5', '0', '0'}), ERROR_SUCCESS);
  EXPECT_EQ(Set(key, "two\nlines", REG_SZ, {0}), ERROR_INVALID_PARAMETER);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  ASSERT_EQ(RegQueryValueExA(key, "RAW", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 4u);
  // The file holds the text without a NUL exactly so.
  EXPECT_EQ(ParseRegFile(home_.HiveText()).FindKey("Software\\Test")->FindValue("Raw")->data,
            (Bytes{'1', '5', '0', '0'}));
}

TEST_F(Registry, TwoProcessesWritingAtOnceLoseNothing) {
  // Enough to interleave the two many times over: each sets "<prefix><i>" to i.
  constexpr int kEach = 250;
  std::vector<pid_t> writers;
  for (const std::string prefix : {"p0-", "p1-"}) {
    writers.push_back(StartChild([&] {
      HKEY key = Create("Software\\Shared");
      for (int i = 0; i < kEach; ++i) {
        if (Set(key, (prefix + std::to_string(i)).c_str(), REG_DWORD, {std::uint8_t(i), 0, 0, 0})) {
          std::abort();
        }
      }
    }));
  }
  for (const pid_t writer : writers) EXPECT_EQ(WaitFor(writer), 0);
  const Hive hive = ParseRegFile(home_.HiveText());
  for (int i = 0; i < 2 * kEach; ++i) {
    const std::string name = "p" + std::to_string(i / kEach) + "-" + std::to_string(i % kEach);
    const HiveValue* value = hive.FindKey("Software\\Shared")->FindValue(name);
    ASSERT_NE(value, nullptr) << name;
    EXPECT_EQ(value->data[0], std::uint8_t(i % kEach)) << name;
  }
}

TEST_F(Registry, AWriterKilledBeforeTheRenameLeavesThePreviousFileIntact) {
  const HiveStore store(HiveStore::DefaultFile());
  const auto setValue = [&](const char* name) {
    store.Modify([&](Hive& hive) { return hive.FindKey("")->SetValue(name, 4, {1, 0, 0, 0}); });
  };
  setValue("A");
  // Killed once the new contents are complete in its temporary file, before the rename.
  const std::string before = home_.HiveText();
  const int status = WaitFor(StartChild([&] {
    const HiveStore dying(home_.HiveFile(), [](auto&) { std::raise(SIGKILL); });
    dying.Modify([](Hive& hive) { return hive.CreateKey("Software\\Late"); });
  }));
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  EXPECT_EQ(home_.HiveText(), before);
  const std::vector<std::filesystem::path> left = home_.Beside(".tmp-");
  ASSERT_EQ(left.size(), 1u);
  EXPECT_THAT(test::Read(left[0]), ::testing::HasSubstr("[HKEY_CURRENT_USER\\Software\\Late]"));

  // Its death released the lock, and the next writer clears what it left.
  setValue("B");
  EXPECT_TRUE(home_.Beside(".tmp-").empty());
  const Hive after = store.Read();
  EXPECT_NE(after.FindKey("")->FindValue("A"), nullptr);
  EXPECT_NE(after.FindKey("")->FindValue("B"), nullptr);
  EXPECT_EQ(after.FindKey("Software\\Late"), nullptr);
}

}  // namespace
}  // namespace sledway::platform
