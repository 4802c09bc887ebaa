// sledway.dll installed as a designer installs it, met by a host-like program under Wine: the MSI
// run without user interface, and `cmake --install` to a relative prefix in a folder of any name.
// The program reads the .addin file in the add-in's folder, creates the server registry-free
// through the manifest the library carries and activates it in the automation test host; the
// MSI's uninstall leaves no file and no key.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <gtest/gtest.h>
#include <msi.h>
#include <msiquery.h>
#include <msxml2.h>
#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <filesystem>
#include <set>
#include <string>

#include "addin/com/add_in_guids.hpp"
#include "automation/owned_values.hpp"
#include "com_apartment.hpp"
#include "host_loading.hpp"
#include "platform/win32/wide_text.hpp"
#include "test_host.hpp"
#include "test_site.hpp"

namespace sledway::com {
namespace {

namespace fs = std::filesystem;
using automation::Bstr;
using Microsoft::WRL::ComPtr;

// The installer's upgrade code (src/addin/com/sledway.wxs).
constexpr const wchar_t* kUpgradeCode = L"{5999B75B-12BD-4FE0-BEE3-91C0A037697B}";

fs::path Windows(const char* utf8) {
  return fs::path(platform::Wide(utf8)).make_preferred();
}

// What a host reads from an .addin file; `error` says why it could not.
struct AddinFile {
  std::wstring error;
  std::wstring classId;
  std::wstring assembly;
};

std::wstring TextAt(IXMLDOMDocument& document, const wchar_t* path) {
  ComPtr<IXMLDOMNode> node;
  BSTR text = nullptr;
  if (document.selectSingleNode(Bstr::Adopt(SysAllocString(path)).Get(), &node) != S_OK ||
      node->get_text(&text) != S_OK) {
    return L"";
  }
  const Bstr owned = Bstr::Adopt(text);
  return owned.Get() != nullptr ? owned.Get() : L"";
}

AddinFile ReadAddinFile(const fs::path& file) {
  AddinFile read;
  CLSID parser{};
  ComPtr<IXMLDOMDocument> document;
  if (FAILED(CLSIDFromProgID(L"Msxml2.DOMDocument.6.0", &parser)) ||
      FAILED(CoCreateInstance(parser, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                              reinterpret_cast<void**>(document.GetAddressOf())))) {
    read.error = L"no XML parser";
    return read;
  }
  document->put_async(VARIANT_FALSE);
  automation::Variant name;
  name.Get()->vt = VT_BSTR;
  name.Get()->bstrVal = SysAllocString(file.c_str());
  VARIANT_BOOL loaded = VARIANT_FALSE;
  if (document->load(name.Value(), &loaded) != S_OK || loaded != VARIANT_TRUE) {
    read.error = L"not a well-formed XML file";
    return read;
  }
  read.classId = TextAt(*document.Get(), L"/Addin/ClassId");
  read.assembly = TextAt(*document.Get(), L"/Addin/Assembly");
  return read;
}

// As the host takes the library's path: relative to the .addin file's folder, or a full path.
// A drive-relative path ("Z:folder") or one from the drive's root names no definite file.
fs::path LibraryOf(const fs::path& folder, const std::wstring& assembly) {
  const fs::path named(assembly);
  if (named.is_absolute()) return named;
  if (named.has_root_name() || named.has_root_directory()) return {};
  return folder / named;
}

// The host's part, from the .addin file in `folder` to the add-in activated in the test host,
// deactivated and the library unloaded again (so that an uninstall can remove it).
void ActivateFromFolder(const fs::path& folder) {
  const AddinFile addin = ReadAddinFile(folder / L"Sledway.addin");
  ASSERT_EQ(addin.error, L"");
  const fs::path library = LibraryOf(folder, addin.assembly);
  ASSERT_TRUE(fs::is_regular_file(library)) << platform::Utf8(addin.assembly);
  CLSID server{};
  ASSERT_EQ(CLSIDFromString(addin.classId.c_str(), &server), S_OK);
  {
    automation_host::TestHost host;
    ComPtr<IDispatch> addIn;
    // Nothing registers the class: only the library's own manifest makes it known.
    EXPECT_EQ(CoCreateInstance(server, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &addIn),
              REGDB_E_CLASSNOTREG);
    {
      const test::ActivationContext context(library.wstring());
      ASSERT_TRUE(context.Active()) << GetLastError();
      ASSERT_EQ(CoCreateInstance(server, nullptr, CLSCTX_INPROC_SERVER, kIID_ApplicationAddInServer,
                                 &addIn),
                S_OK);
    }
    test::Call activate;
    test::Invoke(*addIn.Get(), kDispidActivate, DISPATCH_METHOD,
                 {test::Object(host.Site()), test::Boolean(true)}, activate);
    ASSERT_EQ(activate.result, S_OK) << platform::Utf8(activate.Description());
    EXPECT_EQ(host.PlacedButtons().size(), 1u);
    test::Call deactivate;
    test::Invoke(*addIn.Get(), kDispidDeactivate, DISPATCH_METHOD, {}, deactivate);
    EXPECT_EQ(deactivate.result, S_OK);
  }
  EXPECT_EQ(test::CanUnloadNow(library.wstring()), S_OK);
  CoFreeUnusedLibrariesEx(0, 0);
  EXPECT_EQ(GetModuleHandleW(library.c_str()), nullptr);
}

fs::path RoamingAppData() {
  PWSTR found = nullptr;
  fs::path path;
  if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &found) == S_OK) path = found;
  CoTaskMemFree(found);
  return path;
}

std::set<std::wstring> FilesIn(const fs::path& folder) {
  std::set<std::wstring> names;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder, ignored)) {
    names.insert(entry.path().filename().wstring());
  }
  return names;
}

using InstalledAddIn = automation_host::ComApartment;

TEST_F(InstalledAddIn, TheMsiInstallsForTheUserAndUninstallsLeavingNothing) {
  const fs::path msi = Windows(SLEDWAY_MSI);
  // A package that asks for no elevation: a designer without administrator rights installs it.
  MSIHANDLE summary = 0;
  ASSERT_EQ(MsiGetSummaryInformationW(0, msi.c_str(), 0, &summary), 0u);
  INT wordCount = 0;
  UINT type = 0;
  DWORD unused = 0;
  EXPECT_EQ(MsiSummaryInfoGetPropertyW(summary, PIDSI_WORDCOUNT, &type, &wordCount, nullptr,
                                       nullptr, &unused),
            0u);
  MsiCloseHandle(summary);
  EXPECT_NE(wordCount & 8, 0) << "elevated privileges not required";

  const fs::path autodesk = RoamingAppData() / L"Autodesk";
  const fs::path folder = autodesk / L"ApplicationPlugins" / L"Sledway";
  ASSERT_FALSE(fs::exists(autodesk));
  ASSERT_EQ(test::RunAndWait(L"msiexec.exe /i \"" + msi.wstring() + L"\" /qn"), 0u);
  EXPECT_EQ(FilesIn(folder), (std::set<std::wstring>{L"Sledway.addin", L"sledway.dll"}));
  EXPECT_EQ(ReadAddinFile(folder / L"Sledway.addin").assembly, L"sledway.dll");
  wchar_t product[39] = {};
  ASSERT_EQ(MsiEnumRelatedProductsW(kUpgradeCode, 0, 0, product), 0u);
  EXPECT_EQ(MsiQueryProductStateW(product), INSTALLSTATE_DEFAULT);

  ASSERT_NO_FATAL_FAILURE(ActivateFromFolder(folder));

  ASSERT_EQ(test::RunAndWait(L"msiexec.exe /x \"" + msi.wstring() + L"\" /qn"), 0u);
  EXPECT_FALSE(fs::exists(autodesk));
  EXPECT_EQ(MsiQueryProductStateW(product), INSTALLSTATE_UNKNOWN);
  wchar_t left[39] = {};
  EXPECT_EQ(MsiEnumRelatedProductsW(kUpgradeCode, 0, 0, left),
            static_cast<UINT>(ERROR_NO_MORE_ITEMS));
  EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, L"Software\\Sledway"));
  const std::wstring uninstallKey =
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + std::wstring(product);
  EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, uninstallKey));
  EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, uninstallKey));
}

// The folders lay_out_addin_folders.cmake makes (its names, as Windows shows them).
TEST_F(InstalledAddIn, InstalledToARelativePrefixInAFolderOfAnyName) {
  const fs::path folder = Windows(SLEDWAY_ADDIN_FOLDERS) / L"Sledway Путь 路径 R&D 'x'";
  EXPECT_EQ(ReadAddinFile(folder / L"Sledway.addin").assembly, L"sledway.dll");
  ASSERT_NO_FATAL_FAILURE(ActivateFromFolder(folder));

  // The library registers itself by its own path, every character of the folder's name kept.
  const fs::path library = folder / L"sledway.dll";
  const HMODULE loaded = LoadLibraryW(library.c_str());
  ASSERT_NE(loaded, nullptr);
  using Entry = HRESULT(STDAPICALLTYPE*)();
  const auto entry = [&](const char* name) {
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(loaded, name)));
  };
  ASSERT_EQ(entry("DllRegisterServer")(), S_OK);
  wchar_t registered[MAX_PATH] = {};
  DWORD size = sizeof registered;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER,
                         L"Software\\Classes\\CLSID\\{1ED471A1-4725-4827-B91F-4EE510CB2B8D}"
                         L"\\InprocServer32",
                         nullptr, RRF_RT_REG_SZ, nullptr, registered, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(CompareStringOrdinal(registered, -1, library.c_str(), -1, TRUE), CSTR_EQUAL)
      << platform::Utf8(registered);
  EXPECT_EQ(entry("DllUnregisterServer")(), S_OK);
  FreeLibrary(loaded);

  // A library's full path with XML's specials in it is written as XML text.
  const fs::path escaped = Windows(SLEDWAY_ADDIN_FOLDERS) / L"escaped";
  const AddinFile addin = ReadAddinFile(escaped / L"Sledway.addin");
  EXPECT_EQ(addin.error, L"");
  EXPECT_EQ(addin.assembly, (escaped / L"R&D <x> \"Путь\" 路径" / L"sledway.dll").wstring());
}

}  // namespace
}  // namespace sledway::com
