// The registry functions and the add-in registrations over advapi32, run under Wine: the cases
// of the hive file's tests that hold on Windows too.
#include "platform/registry.hpp"
// The registry header comes first: it must precede <windows.h>.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/add_in_registry.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace sledway::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Calls through our signatures: beside <windows.h> an unqualified name would also find
// advapi32's own by argument-dependent lookup.
namespace reg = sledway::platform;

// Each test works below a key of its own and removes it afterwards.
class Win32Registry : public ::testing::Test {
 protected:
  Win32Registry()
      : root_("Software\\SledwayTest-" + std::to_string(GetCurrentProcessId()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name()) {}
  ~Win32Registry() override {
    for (HKEY key : opened_) reg::RegCloseKey(key);
    RegDeleteTreeA(HKEY_CURRENT_USER, root_.c_str());
  }

  HKEY Create(const std::string& path) {
    HKEY key = nullptr;
    EXPECT_EQ(reg::RegCreateKeyExA(HKEY_CURRENT_USER, (root_ + "\\" + path).c_str(), 0, nullptr, 0,
                                   KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    opened_.push_back(key);
    return key;
  }

  const std::string root_;
  std::vector<HKEY> opened_;
};

// The key rules themselves are advapi32's; these are the calls our signatures carry over to it.
TEST_F(Win32Registry, KeysAreCreatedListedCountedAndDeleted) {
  std::uint32_t disposition = 0;
  HKEY key = nullptr;
  ASSERT_EQ(reg::RegCreateKeyExA(HKEY_CURRENT_USER, (root_ + "\\Autodesk\\InventorSledway").c_str(),
                                 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  reg::RegCloseKey(key);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  ASSERT_EQ(reg::RegOpenKeyExA(HKEY_CURRENT_USER, (root_ + "\\AUTODESK").c_str(), 0, KEY_ALL_ACCESS,
                               &key),
            ERROR_SUCCESS);
  opened_.push_back(key);

  char name[32];
  std::uint32_t length = sizeof name;
  ASSERT_EQ(reg::RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(std::string(name, length), "InventorSledway");
  length = sizeof name;
  EXPECT_EQ(reg::RegEnumKeyExA(key, 1, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);
  std::uint32_t subkeys = 0;
  std::uint32_t longest = 0;
  ASSERT_EQ(reg::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, &longest, nullptr,
                                  nullptr, nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 1u);
  EXPECT_EQ(longest, std::string("InventorSledway").size());
  EXPECT_EQ(reg::RegDeleteKeyA(key, "inventorsledway"), ERROR_SUCCESS);
  EXPECT_EQ(reg::RegDeleteKeyA(key, "InventorSledway"), ERROR_FILE_NOT_FOUND);
}

TEST_F(Win32Registry, ValuesReadBackExactlyAsTheyWereSetAndAreListed) {
  HKEY key = Create("Test");
  const Bytes text{'1', '5', '0', '0', 0};
  ASSERT_EQ(reg::RegSetValueExA(key, "Width", 0, REG_SZ, text.data(), 5), ERROR_SUCCESS);
  const Bytes number{0x18, 0xfc, 0xff, 0xff};  // -1000
  ASSERT_EQ(reg::RegSetValueExA(key, "Left", 0, REG_DWORD, number.data(), 4), ERROR_SUCCESS);

  // The type and size alone; then a buffer too small, which learns the size it needs.
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  ASSERT_EQ(reg::RegQueryValueExA(key, "WIDTH", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 5u);
  Bytes read(2);
  size = static_cast<std::uint32_t>(read.size());
  EXPECT_EQ(reg::RegQueryValueExA(key, "Left", nullptr, &type, read.data(), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 4u);
  read.resize(size);
  ASSERT_EQ(reg::RegQueryValueExA(key, "Left", nullptr, &type, read.data(), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(read, number);

  std::uint32_t values = 0;
  std::uint32_t longestName = 0;
  ASSERT_EQ(reg::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                  &values, &longestName, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(values, 2u);
  EXPECT_EQ(longestName, 5u);
  std::map<std::string, Bytes> listed;
  for (std::uint32_t index = 0;; ++index) {
    char name[16];
    std::uint32_t nameLength = sizeof name;
    Bytes data(8);
    size = static_cast<std::uint32_t>(data.size());
    const std::int32_t result =
        reg::RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data.data(), &size);
    if (result == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(result, ERROR_SUCCESS);
    data.resize(size);
    listed.emplace(std::string(name, nameLength), data);
  }
  EXPECT_EQ(listed, (std::map<std::string, Bytes>{{"Left", number}, {"Width", text}}));

  EXPECT_EQ(reg::RegDeleteValueA(key, "width"), ERROR_SUCCESS);
  EXPECT_EQ(reg::RegQueryValueExA(key, "Width", nullptr, nullptr, nullptr, nullptr),
            ERROR_FILE_NOT_FOUND);
}

// A library in a folder whose name is outside any ANSI code page keeps its path.
TEST(Win32AddInRegistry, RegistersUnderTheInProcessServerKeysListsOnlyAddInsAndUnregisters) {
  const std::string sledway = "{1ED471A1-4725-4827-B91F-4EE510CB2B8D}";
  const std::string library = "C:\\Users\\Дизайнер\\設計 R&D <x>\\sledway.dll";
  RegisterAddIn({sledway, "Sledway", library, true});
  RegisterAddIn({"{00000000-0000-0000-0000-00000000000A}", "Quiet", "C:\\quiet.dll", false});
  // An in-process server that is no add-in: its category key is missing.
  RegisterAddIn({"{00000000-0000-0000-0000-00000000000B}", "Other", "C:\\other.dll", true});
  ASSERT_EQ(reg::RegDeleteKeyA(HKEY_CURRENT_USER,
                               "Software\\Classes\\CLSID\\{00000000-0000-0000-0000-00000000000B}\\"
                               "Implemented Categories\\{E357129A-DB40-11d2-B783-0060B0F159EF}"),
            ERROR_SUCCESS);

  std::vector<AddInRegistration> listed = RegisteredAddIns();
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0].name, "Quiet");
  EXPECT_FALSE(listed[0].loadOnStartUp);
  EXPECT_EQ(listed[1].classId, sledway);
  EXPECT_EQ(listed[1].libraryPath, library);
  EXPECT_TRUE(listed[1].loadOnStartUp);
  const std::wstring classKey = L"Software\\Classes\\CLSID\\{1ED471A1-4725-4827-B91F-4EE510CB2B8D}";
  wchar_t path[MAX_PATH] = {};
  DWORD size = sizeof path;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, (classKey + L"\\InprocServer32").c_str(), nullptr,
                         RRF_RT_REG_SZ, nullptr, path, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(path),
            L"C:\\Users\\\u0414\u0438\u0437\u0430\u0439\u043d\u0435\u0440\\\u8a2d\u8a08 R&D "
            L"<x>\\sledway.dll");
  DWORD version = 1;
  size = sizeof version;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, (classKey + L"\\Settings").c_str(), L"Version",
                         RRF_RT_REG_DWORD, nullptr, &version, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(version, 0u);
  HKEY category = nullptr;
  EXPECT_EQ(
      RegOpenKeyExW(
          HKEY_CURRENT_USER,
          (classKey + L"\\Implemented Categories\\{39AD2B5C-7A29-11D6-8E0A-0010B541CAA8}").c_str(),
          0, KEY_READ, &category),
      ERROR_SUCCESS);
  ::RegCloseKey(category);

  UnregisterAddIn(sledway);
  UnregisterAddIn(sledway);  // already gone: no error
  listed = RegisteredAddIns();
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].name, "Quiet");
  UnregisterAddIn("{00000000-0000-0000-0000-00000000000A}");
  UnregisterAddIn("{00000000-0000-0000-0000-00000000000B}");
}

TEST(Win32AddInRegistry, ModulePathOfNamesTheProgramThatHoldsTheAddress) {
  wchar_t program[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::string expected(program, program + length);  // the build tree's path is ASCII
  EXPECT_EQ(ModulePathOf(reinterpret_cast<const void*>(&RegisteredAddIns)), expected);
}

}  // namespace
}  // namespace sledway::platform
