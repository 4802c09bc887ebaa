// sledway.dll as the host meets it, under Wine: created through COM from its own manifest,
// activated by the automation test host, its button placed and clicked in a part document and in
// an assembly, and deactivation leaving nothing of the binding.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <gtest/gtest.h>
#include <objbase.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "com_apartment.hpp"
#include "test_host.hpp"

namespace sledway::automation {
namespace {

using automation_host::ActiveDocument;
using automation_host::TestHost;
using Microsoft::WRL::ComPtr;

constexpr CLSID kSledwayClass = {
    0x1ED471A1, 0x4725, 0x4827, {0xB9, 0x1F, 0x4E, 0xE5, 0x10, 0xCB, 0x2B, 0x8D}};
constexpr IID kApplicationAddInServer = {
    0xE3571293, 0xDB40, 0x11D2, {0xB7, 0x83, 0x00, 0x60, 0xB0, 0xF1, 0x59, 0xEF}};
constexpr DISPID kActivate = 0x03001201;
constexpr DISPID kDeactivate = 0x03001202;

HRESULT CanUnloadNow() {
  HMODULE library = GetModuleHandleW(SLEDWAY_DLL);
  if (library == nullptr) return S_OK;
  const auto canUnloadNow = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void (*)()>(GetProcAddress(library, "DllCanUnloadNow")));
  return canUnloadNow == nullptr ? E_FAIL : canUnloadNow();
}

HRESULT Call(IDispatch& server, DISPID member, std::vector<VARIANT> arguments) {
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                    static_cast<UINT>(reversed.size()), 0};
  EXCEPINFO exception{};
  const HRESULT result = server.Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                       &params, nullptr, &exception, nullptr);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrHelpFile);
  return result;
}

// The library's own manifest, as a host without registry keys for it would use it.
class LibraryContext {
 public:
  LibraryContext() {
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = SLEDWAY_DLL;
    context.lpResourceName = MAKEINTRESOURCEW(2);
    handle_ = CreateActCtxW(&context);
    if (handle_ != INVALID_HANDLE_VALUE) ActivateActCtx(handle_, &cookie_);
  }
  ~LibraryContext() {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    DeactivateActCtx(0, cookie_);
    ReleaseActCtx(handle_);
  }
  LibraryContext(const LibraryContext&) = delete;
  LibraryContext& operator=(const LibraryContext&) = delete;

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
};

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// Reads and closes the next message box titled "Sledway" from another thread while `act` runs.
std::wstring MessageWhile(const std::function<void()>& act) {
  std::wstring text;
  std::thread closer([&] {
    for (int tries = 0; tries < 1000; ++tries) {
      if (HWND box = FindWindowW(L"#32770", L"Sledway")) {
        text = TextOf(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(10);
    }
  });
  act();
  closer.join();
  return text;
}

using SledwayInTestHost = automation_host::ComApartment;

TEST_F(SledwayInTestHost, FromTheButtonToTheLastMoveOfARun) {
  TestHost host;
  const LibraryContext library;
  ComPtr<IDispatch> server;
  ASSERT_EQ(CoCreateInstance(kSledwayClass, nullptr, CLSCTX_INPROC_SERVER, kApplicationAddInServer,
                             reinterpret_cast<void**>(server.GetAddressOf())),
            S_OK);
  VARIANT site;
  site.vt = VT_DISPATCH;
  site.pdispVal = host.Site();
  VARIANT firstTime;
  firstTime.vt = VT_BOOL;
  firstTime.boolVal = VARIANT_TRUE;
  ASSERT_EQ(Call(*server.Get(), kActivate, {site, firstTime}), S_OK);

  // The button, once on each of the bars the add-in asks for.
  ASSERT_FALSE(host.PlacedButtons().empty());
  for (const auto& placed : host.PlacedButtons()) EXPECT_EQ(placed.definition, L"Sledway");
  EXPECT_EQ(host.ButtonSinks(L"Sledway"), 1u);

  host.SetActiveDocument(ActiveDocument::kPart);
  EXPECT_EQ(MessageWhile([&] { host.ExecuteButton(L"Sledway"); }),
            L"You can only create sledways in an Assembly document");

  host.SetActiveDocument(ActiveDocument::kAssembly);
  EXPECT_EQ(host.ExecuteButton(L"Sledway"), S_OK);
  Pump();
  HWND window = FindWindowW(nullptr, L"Sledway 2.0");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));

  ASSERT_EQ(Call(*server.Get(), kDeactivate, {}), S_OK);
  Pump();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(host.ButtonSinks(L"Sledway"), 0u);
  server.Reset();
  EXPECT_EQ(CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace sledway::automation
