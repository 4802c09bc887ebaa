#include "platform/registry.hpp"
// The registry header comes first: on Windows it must precede <windows.h>.
#include "platform/add_in_registry.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "scoped_config_home.hpp"

namespace sledway::platform {
namespace {

TEST(AddInRegistry, RegistersUnderTheInProcessServerKeysListsOnlyAddInsAndUnregisters) {
  test::ScopedConfigHome home;
  RegisterAddIn({"{1ED471A1-4725-4827-B91F-4EE510CB2B8D}", "Sledway", "/opt/sledway/libsledway.so",
                 true});
  RegisterAddIn({"{00000000-0000-0000-0000-00000000000A}", "Quiet", "/opt/quiet.so", false});
  // An in-process server that is no add-in: its category key is missing.
  RegisterAddIn({"{00000000-0000-0000-0000-00000000000B}", "Other", "/opt/other.so", true});
  ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER,
                          "Software\\Classes\\CLSID\\{00000000-0000-0000-0000-00000000000B}\\"
                          "Implemented Categories\\{E357129A-DB40-11d2-B783-0060B0F159EF}"),
            ERROR_SUCCESS);
  const std::string text = home.HiveText();
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{1ED471A1-4725-4827-B91F-"
                      "4EE510CB2B8D}\\InprocServer32]\n@=\"/opt/sledway/libsledway.so\""),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\\Implemented Categories\\{E357129A-DB40-11d2-B783-0060B0F159EF}]"),
            std::string::npos);
  EXPECT_NE(text.find("\"LoadOnStartUp\"=dword:00000000"), std::string::npos);

  std::vector<AddInRegistration> listed = RegisteredAddIns();
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0].classId, "{00000000-0000-0000-0000-00000000000A}");
  EXPECT_FALSE(listed[0].loadOnStartUp);
  EXPECT_EQ(listed[1].name, "Sledway");
  EXPECT_EQ(listed[1].libraryPath, "/opt/sledway/libsledway.so");
  EXPECT_TRUE(listed[1].loadOnStartUp);

  UnregisterAddIn("{1ED471A1-4725-4827-B91F-4EE510CB2B8D}");
  UnregisterAddIn("{1ED471A1-4725-4827-B91F-4EE510CB2B8D}");  // already gone: no error
  listed = RegisteredAddIns();
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].name, "Quiet");
}

TEST(AddInRegistry, ModulePathOfNamesTheProgramThatHoldsTheAddress) {
  const std::string path = ModulePathOf(reinterpret_cast<const void*>(&RegisteredAddIns));
  EXPECT_TRUE(std::filesystem::path(path).is_absolute()) << path;
  EXPECT_EQ(std::filesystem::canonical("/proc/self/exe").string(), path);
}

}  // namespace
}  // namespace sledway::platform
