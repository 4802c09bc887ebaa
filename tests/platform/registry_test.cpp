#include "platform/registry.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry_trials.hpp"

namespace sledway::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

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
  // Enough to interleave the two many times over.
  EXPECT_EQ(test::WriteFromTwoProcesses(home_, 250), 500);
}

TEST_F(Registry, AWriterKilledBeforeTheRenameLeavesThePreviousFileIntact) {
  const HiveStore store(HiveStore::DefaultFile());
  const auto setValue = [&](const char* name) {
    store.Modify([&](Hive& hive) { return hive.FindKey("")->SetValue(name, 4, {1, 0, 0, 0}); });
  };
  setValue("A");
  EXPECT_TRUE(test::KillBeforeRenameLeavesTheFile(home_));
  // The writer got as far as its complete temporary file.
  const std::vector<std::filesystem::path> left = home_.Beside(".tmp-");
  ASSERT_EQ(left.size(), 1u);
  EXPECT_THAT(test::Contents(left[0]), ::testing::HasSubstr("[HKEY_CURRENT_USER\\Software\\Late]"));

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
