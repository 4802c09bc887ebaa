#include "platform/registry.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.hpp"
#include "platform/reg_file_format.hpp"
#include "scoped_config_home.hpp"

namespace sledway::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

class Registry : public ::testing::Test {
 protected:
  Registry() = default;
  explicit Registry(const std::filesystem::path& parent) : home_(parent) {}
  ~Registry() override {
    for (HKEY key : opened_) RegCloseKey(key);
  }

  HKEY Create(const std::string& path, std::uint32_t* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, 0x3F, nullptr, &key,
                              disposition),
              ERROR_SUCCESS)
        << path;
    opened_.push_back(key);
    return key;
  }

  std::int32_t Open(const std::string& path, HKEY& key) {
    const std::int32_t result = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, 0x3F, &key);
    if (result == ERROR_SUCCESS) opened_.push_back(key);
    return result;
  }

  static std::int32_t Set(HKEY key, const char* name, std::uint32_t type, const Bytes& data) {
    return RegSetValueExA(key, name, 0, type, data.data(), static_cast<std::uint32_t>(data.size()));
  }

  Hive FileContents() const {
    std::ifstream in(home_.HiveFile(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return ParseRegFile(text.str());
  }

  test::ScopedConfigHome home_;
  std::vector<HKEY> opened_;
};

TEST_F(Registry, KeysAreCreatedAlongTheirPathAndOpenWithoutRegardToCase) {
  HKEY key = nullptr;
  EXPECT_EQ(Open("Software\\Autodesk", key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);

  std::uint32_t disposition = 0;
  Create("Software\\Autodesk\\InventorSledway\\Settings", &disposition);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  Create("SOFTWARE\\AUTODESK\\INVENTORSLEDWAY\\SETTINGS", &disposition);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);

  ASSERT_EQ(Open("software\\autodesk", key), ERROR_SUCCESS);
  HKEY child = nullptr;
  ASSERT_EQ(RegOpenKeyExA(key, "inventorsledway", 0, 0x3F, &child), ERROR_SUCCESS);
  opened_.push_back(child);
  char name[32];
  std::uint32_t length = sizeof name;
  ASSERT_EQ(RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(std::string(name, length), "InventorSledway");
  length = sizeof name;
  EXPECT_EQ(RegEnumKeyExA(key, 1, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);
  length = 5;  // no room for the NUL
  EXPECT_EQ(RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_MORE_DATA);

  EXPECT_EQ(
      RegCreateKeyExA(HKEY_CURRENT_USER, "a\\\\b", 0, nullptr, 0, 0x3F, nullptr, &child, nullptr),
      ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegOpenKeyExA(nullptr, "Software", 0, 0x3F, &child), ERROR_INVALID_HANDLE);
}

TEST_F(Registry, ValuesReadBackAsTheyWereSet) {
  HKEY key = Create("Software\\Test");
  ASSERT_EQ(Set(key, "Top", REG_DWORD, {0xd2, 0x04, 0, 0}), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, "Raw", REG_SZ, {'1', '5', '0', '0'}), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, nullptr, REG_BINARY, {}), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, "TOP", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  ASSERT_EQ(RegQueryValueExA(key, "raw", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 4u);
  std::uint8_t data[8] = {};
  size = 3;
  EXPECT_EQ(RegQueryValueExA(key, "Raw", nullptr, &type, data, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 4u);
  size = sizeof data;
  ASSERT_EQ(RegQueryValueExA(key, "Raw", nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(std::string(data, data + size), "1500");
  EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);

  // Listing: order of first setting, names as first spelt, sizes of the longest.
  std::uint32_t subkeys = 9, values = 0, longestName = 0, longestData = 0;
  ASSERT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                             &longestName, &longestData, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 0u);
  EXPECT_EQ(values, 3u);
  EXPECT_EQ(longestName, 3u);
  EXPECT_EQ(longestData, 4u);
  std::vector<std::string> names;
  for (std::uint32_t i = 0;; ++i) {
    char name[8];
    std::uint32_t length = sizeof name;
    size = sizeof data;
    const std::int32_t result = RegEnumValueA(key, i, name, &length, nullptr, &type, data, &size);
    if (result == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(result, ERROR_SUCCESS);
    names.emplace_back(name, length);
  }
  EXPECT_THAT(names, ::testing::ElementsAre("Top", "Raw", ""));

  // The file holds the text without a NUL exactly so.
  const Hive hive = FileContents();
  EXPECT_EQ(hive.FindKey("Software\\Test")->FindValue("Raw")->data, (Bytes{'1', '5', '0', '0'}));
  EXPECT_EQ(Set(key, "two\nlines", REG_SZ, {0}), ERROR_INVALID_PARAMETER);
}

TEST_F(Registry, DeletionsFollowTheRegistrysRules) {
  HKEY parent = Create("Software\\Parent");
  HKEY child = Create("Software\\Parent\\Child");
  ASSERT_EQ(Set(child, "v", REG_DWORD, {1, 2, 3, 4}), ERROR_SUCCESS);

  EXPECT_EQ(RegDeleteValueA(child, "V"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueA(child, "v"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Parent"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(parent, "CHILD"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(parent, "Child"), ERROR_FILE_NOT_FOUND);

  // The handle still names the deleted key; another process may have deleted it too.
  EXPECT_EQ(Set(child, "v", REG_DWORD, {1, 2, 3, 4}), ERROR_KEY_DELETED);
  std::uint32_t size = 0;
  EXPECT_EQ(RegQueryValueExA(child, "v", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
  HKEY again = nullptr;
  EXPECT_EQ(RegCreateKeyExA(child, "Grandchild", 0, nullptr, 0, 0x3F, nullptr, &again, nullptr),
            ERROR_KEY_DELETED);
  EXPECT_EQ(FileContents().FindKey("Software\\Parent\\Child"), nullptr);
  EXPECT_NE(FileContents().FindKey("Software\\Parent"), nullptr);
}

// Hundreds of flushed writes take many seconds on a busy disk and none in memory; what is
// tested here is the locking, which is the same in both.
class RegistryInMemory : public Registry {
 protected:
  RegistryInMemory() : Registry(test::MemoryFolder()) {}
};

TEST_F(RegistryInMemory, TwoProcessesWritingAtOnceLoseNothing) {
  // Enough to interleave the two many times over; the full 1,000 each, on disk, is the
  // reliability program's job.
  constexpr int kPerProcess = 250;
  Create("Software\\Shared");
  std::vector<pid_t> children;
  for (int process = 0; process < 2; ++process) {
    children.push_back(test::StartChild([process] {
      HKEY key = nullptr;
      if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Shared", 0, 0x3F, &key) != ERROR_SUCCESS) {
        throw std::runtime_error("open");
      }
      for (int i = 0; i < kPerProcess; ++i) {
        const std::string name = "p" + std::to_string(process) + "-" + std::to_string(i);
        const Bytes data{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8), 0,
                         static_cast<std::uint8_t>(process)};
        if (Set(key, name.c_str(), REG_DWORD, data) != ERROR_SUCCESS)
          throw std::runtime_error(name);
      }
      RegCloseKey(key);
    }));
  }
  for (const pid_t child : children) {
    const int status = test::WaitFor(child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }

  const Hive hive = FileContents();
  const HiveKey& shared = *hive.FindKey("Software\\Shared");
  EXPECT_EQ(shared.Values().size(), 2u * kPerProcess);
  for (int process = 0; process < 2; ++process) {
    for (int i = 0; i < kPerProcess; ++i) {
      const HiveValue* value =
          shared.FindValue("p" + std::to_string(process) + "-" + std::to_string(i));
      ASSERT_NE(value, nullptr) << process << "-" << i;
      EXPECT_EQ(value->data[0] | (value->data[1] << 8), i);
      EXPECT_EQ(value->data[3], process);
    }
  }
}

}  // namespace
}  // namespace sledway::platform
