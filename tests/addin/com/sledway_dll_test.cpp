// sledway.dll as the CAD host meets it: registered by regsvr32, created through the registry,
// driven through IDispatch. (Created without registry keys, from an installed .addin file and
// the library's own manifest: installed_add_in_test.cpp.)

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <gtest/gtest.h>
#include <objbase.h>
#include <wrl/client.h>

#include <fstream>
#include <iterator>
#include <string>

#include "addin/com/add_in_guids.hpp"
#include "host_loading.hpp"
#include "platform/win32/wide_text.hpp"
#include "test_site.hpp"

namespace sledway::com {
namespace {

using Microsoft::WRL::ComPtr;
using test::Boolean;
using test::Call;
using test::Object;

constexpr CLSID kSledwayClass = {
    0x1ED471A1, 0x4725, 0x4827, {0xB9, 0x1F, 0x4E, 0xE5, 0x10, 0xCB, 0x2B, 0x8D}};
const std::wstring kClassKey = L"Software\\Classes\\CLSID\\{1ED471A1-4725-4827-B91F-4EE510CB2B8D}";

// The library's full Windows path, as the registry and the .addin file name it.
std::wstring LibraryPath() {
  const std::wstring given = platform::Wide(SLEDWAY_DLL);
  std::wstring full(MAX_PATH, L'\0');
  full.resize(GetFullPathNameW(given.c_str(), MAX_PATH, full.data(), nullptr));
  return full;
}

// Runs Wine's (or Windows') regsvr32 silently; its exit code.
DWORD Regsvr32(const std::wstring& options) {
  return test::RunAndWait(L"regsvr32.exe /s " + options + L" \"" + LibraryPath() + L"\"");
}

// A string value of HKEY_CURRENT_USER, or "(none)".
std::wstring Text(const std::wstring& key, const wchar_t* name) {
  std::wstring value(1024, L'\0');
  DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value.data(),
                   &size) != ERROR_SUCCESS) {
    return L"(none)";
  }
  value.resize(size / sizeof(wchar_t) - 1);
  return value;
}

bool KeyExists(const std::wstring& key) {
  return test::KeyExists(HKEY_CURRENT_USER, key);
}

// Windows finds a class registered for the user through HKEY_CLASSES_ROOT, its merged view of
// the user's and the machine's classes. Wine does not merge the user's classes in (its bug
// 14771), so under Wine the class's keys are copied to the machine's classes while this lives.
class UserClassesMerged {
 public:
  UserClassesMerged() {
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr) return;
    HKEY machine = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kClassKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &machine, nullptr) != ERROR_SUCCESS) {
      return;
    }
    copied_ = RegCopyTreeW(HKEY_CURRENT_USER, kClassKey.c_str(), machine) == ERROR_SUCCESS;
    RegCloseKey(machine);
  }
  ~UserClassesMerged() {
    if (copied_) RegDeleteTreeW(HKEY_LOCAL_MACHINE, kClassKey.c_str());
  }
  UserClassesMerged(const UserClassesMerged&) = delete;
  UserClassesMerged& operator=(const UserClassesMerged&) = delete;

 private:
  bool copied_ = false;
};

HRESULT CanUnloadNow() {
  return test::CanUnloadNow(LibraryPath());
}

// What the host does with a server it made: the four names, an activation over a site that has no
// application (refused, naming the member it lacks, with the site let go), and deactivation.
// Broken calls are the server object's own tests.
void DriveAsTheHost(IDispatch& server) {
  for (const auto& [name, id] :
       {std::pair{L"Activate", 0x03001201}, std::pair{L"Deactivate", 0x03001202},
        std::pair{L"ExecuteCommand", 0x03001203}, std::pair{L"Automation", 0x03001204}}) {
    LPOLESTR text = const_cast<LPOLESTR>(name);
    DISPID found = 0;
    EXPECT_EQ(server.GetIDsOfNames(IID_NULL, &text, 1, LOCALE_USER_DEFAULT, &found), S_OK);
    EXPECT_EQ(found, id);
  }

  test::TestSite site;
  Call activate;
  test::Invoke(server, kDispidActivate, DISPATCH_METHOD, {Object(&site), Boolean(true)}, activate);
  EXPECT_EQ(activate.result, DISP_E_EXCEPTION);
  EXPECT_EQ(activate.exception.scode, DISP_E_UNKNOWNNAME);
  EXPECT_NE(activate.Description().find(L"ApplicationAddInSite.Application"), std::wstring::npos);
  EXPECT_EQ(site.references, 0u);

  Call deactivate;
  test::Invoke(server, kDispidDeactivate, DISPATCH_METHOD, {}, deactivate);
  EXPECT_EQ(deactivate.result, S_OK);
}

class SledwayDllTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override {
    Regsvr32(L"/u");
    CoUninitialize();
  }
};

TEST_F(SledwayDllTest, RegistersForTheUserIsCreatedThroughTheRegistryAndUnregistersCleanly) {
  ASSERT_EQ(Regsvr32(L""), 0u);
  EXPECT_EQ(Text(kClassKey, nullptr), L"Sledway");
  EXPECT_EQ(CompareStringOrdinal(Text(kClassKey + L"\\InprocServer32", nullptr).c_str(), -1,
                                 LibraryPath().c_str(), -1, TRUE),
            CSTR_EQUAL)
      << platform::Utf8(Text(kClassKey + L"\\InprocServer32", nullptr));
  EXPECT_EQ(Text(kClassKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_TRUE(
      KeyExists(kClassKey + L"\\Implemented Categories\\{E357129A-DB40-11d2-B783-0060B0F159EF}"));
  EXPECT_EQ(Text(kClassKey + L"\\Description", nullptr),
            L"Makes a component of an assembly follow a path");
  EXPECT_EQ(Text(kClassKey + L"\\Settings", L"AddInType"), L"Standard");
  EXPECT_EQ(Text(kClassKey + L"\\Settings", L"LoadOnStartUp"), L"1");
  EXPECT_EQ(Text(kClassKey + L"\\Settings", L"SupportedSoftwareVersionGreaterThan"), L"25..");

  {
    const UserClassesMerged merged;
    ComPtr<IDispatch> server;
    ASSERT_EQ(CoCreateInstance(kSledwayClass, nullptr, CLSCTX_INPROC_SERVER,
                               kIID_ApplicationAddInServer, &server),
              S_OK);
    EXPECT_EQ(CanUnloadNow(), S_FALSE);
    DriveAsTheHost(*server.Get());
  }
  EXPECT_EQ(CanUnloadNow(), S_OK);

  ASSERT_EQ(Regsvr32(L"/u"), 0u);
  EXPECT_FALSE(KeyExists(kClassKey));
}

TEST(SledwayDll, CarriesItsVersionAndAnAddinFileNamingIt) {
  const std::wstring library = LibraryPath();
  DWORD ignored = 0;
  std::string block(GetFileVersionInfoSizeW(library.c_str(), &ignored), '\0');
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(
      GetFileVersionInfoW(library.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(0, 2)));
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);

  std::ifstream file(SLEDWAY_ADDIN_FILE);
  const std::string addin{std::istreambuf_iterator<char>(file), {}};
  EXPECT_NE(addin.find("<Addin Type=\"Standard\">"), std::string::npos) << addin;
  EXPECT_NE(addin.find("<ClassId>{1ED471A1-4725-4827-B91F-4EE510CB2B8D}</ClassId>"),
            std::string::npos);
  EXPECT_NE(addin.find("<Assembly>" + platform::Utf8(library) + "</Assembly>"), std::string::npos)
      << addin;
}

}  // namespace
}  // namespace sledway::com
