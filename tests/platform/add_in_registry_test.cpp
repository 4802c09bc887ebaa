#include "platform/registry.hpp"
// The registry header comes first: on Windows it must precede <windows.h>.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <tuple>

#include "platform/add_in_registry.hpp"
#include "scoped_config_home.hpp"

namespace sledway::platform {
namespace {

const std::string kSledwayKey = "Software\\Classes\\CLSID\\{1ED471A1-4725-4827-B91F-4EE510CB2B8D}";

// Every field, to compare registrations whole.
auto Fields(const AddInRegistration& r) {
  return std::tie(r.classId, r.name, r.libraryPath, r.loadOnStartUp, r.description,
                  r.supportedSoftwareVersionGreaterThan, r.userUnloadable, r.hidden);
}

void SetDword(const std::string& path, const char* name, std::uint32_t value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const std::uint8_t*>(&value),
                           sizeof value),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST(AddInRegistry, RegistersUnderTheHostsKeysListsOnlyAddInsAndUnregisters) {
  test::ScopedConfigHome home;
  // Registered in this order, listed in the registry's: Quiet first.
  const std::vector<AddInRegistration> addIns = {
      {"{1ED471A1-4725-4827-B91F-4EE510CB2B8D}", "Sledway", "/opt/sledway/libsledway.so", true,
       "Makes a component follow a path", "25..", true, false},
      {"{00000000-0000-0000-0000-00000000000A}", "Quiet", "/opt/quiet.so", false}};
  for (const AddInRegistration& addIn : addIns) RegisterAddIn(addIn);
  // An in-process server that is no add-in: its category key is missing.
  RegisterAddIn({"{00000000-0000-0000-0000-00000000000B}", "Other", "/opt/other.so", true});
  ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER,
                          "Software\\Classes\\CLSID\\{00000000-0000-0000-0000-00000000000B}\\"
                          "Implemented Categories\\{E357129A-DB40-11d2-B783-0060B0F159EF}"),
            ERROR_SUCCESS);
  const std::string text = home.HiveText();
  for (const std::string& written :
       {"[HKEY_CURRENT_USER\\" + kSledwayKey + "]\n@=\"Sledway\"",
        "[HKEY_CURRENT_USER\\" + kSledwayKey +
            "\\InprocServer32]\n@=\"/opt/sledway/libsledway.so\"\n\"ThreadingModel\"=\"Apartment\"",
        "[HKEY_CURRENT_USER\\" + kSledwayKey +
            "\\Implemented Categories\\{E357129A-DB40-11d2-B783-0060B0F159EF}]",
        "[HKEY_CURRENT_USER\\" + kSledwayKey +
            "\\Implemented Categories\\{39AD2B5C-7A29-11D6-8E0A-0010B541CAA8}]",
        "[HKEY_CURRENT_USER\\" + kSledwayKey +
            "\\Description]\n@=\"Makes a component follow a path\"",
        "[HKEY_CURRENT_USER\\" + kSledwayKey +
            "\\Settings]\n\"AddInType\"=\"Standard\"\n\"LoadOnStartUp\"=\"1\"\n"
            "\"SupportedSoftwareVersionGreaterThan\"=\"25..\"\n\"UserUnloadable\"=\"1\"\n"
            "\"Hidden\"=\"0\"\n\"Version\"=dword:00000000"}) {
    EXPECT_NE(text.find(written), std::string::npos) << written << "\nin\n" << text;
  }

  std::vector<AddInRegistration> listed = RegisteredAddIns();
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(Fields(listed[0]), Fields(addIns[1]));
  EXPECT_EQ(Fields(listed[1]), Fields(addIns[0]));

  UnregisterAddIn("{1ED471A1-4725-4827-B91F-4EE510CB2B8D}");
  UnregisterAddIn("{1ED471A1-4725-4827-B91F-4EE510CB2B8D}");  // already gone: no error
  listed = RegisteredAddIns();
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(Fields(listed[0]), Fields(addIns[1]));
  EXPECT_EQ(home.HiveText().find("1ED471A1"), std::string::npos) << home.HiveText();
}

TEST(AddInRegistry, ReadsAnEarlierDwordLoadOnStartUpAndUnregistersOnlyWhatItWrote) {
  test::ScopedConfigHome home;
  RegisterAddIn({"{1ED471A1-4725-4827-B91F-4EE510CB2B8D}", "Sledway", "/opt/libsledway.so", true});
  // As an earlier version stored it.
  SetDword(kSledwayKey + "\\Settings", "LoadOnStartUp", 0);
  ASSERT_EQ(RegisteredAddIns().size(), 1u);
  EXPECT_FALSE(RegisteredAddIns()[0].loadOnStartUp);
  SetDword(kSledwayKey + "\\Settings", "LoadOnStartUp", 1);
  EXPECT_TRUE(RegisteredAddIns()[0].loadOnStartUp);

  // Another program's value and category under our class stay when we unregister.
  SetDword(kSledwayKey + "\\Settings", "Licence", 7);
  SetDword(kSledwayKey + "\\Implemented Categories\\{00000000-0000-0000-0000-0000000000CC}", "Mark",
           1);
  UnregisterAddIn("{1ED471A1-4725-4827-B91F-4EE510CB2B8D}");
  const std::string text = home.HiveText();
  EXPECT_NE(
      text.find("[HKEY_CURRENT_USER\\" + kSledwayKey + "\\Settings]\n\"Licence\"=dword:00000007"),
      std::string::npos)
      << text;
  EXPECT_NE(text.find("{00000000-0000-0000-0000-0000000000CC}"), std::string::npos) << text;
  for (const char* gone : {"LoadOnStartUp", "AddInType", "InprocServer32", "Description",
                           "E357129A", "39AD2B5C", "Version", "\"Sledway\""}) {
    EXPECT_EQ(text.find(gone), std::string::npos) << gone << "\nin\n" << text;
  }
  EXPECT_TRUE(RegisteredAddIns().empty());
}

TEST(AddInRegistry, ModulePathOfNamesTheProgramThatHoldsTheAddress) {
  const std::string path = ModulePathOf(reinterpret_cast<const void*>(&RegisteredAddIns));
  EXPECT_EQ(std::filesystem::canonical("/proc/self/exe").string(), path);
}

}  // namespace
}  // namespace sledway::platform
