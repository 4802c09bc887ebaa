#pragma once

// sledway.dll in the automation test host, as the tests that play the host drive it: the host's
// calls to the add-in server, the message loop, message boxes and the tool window's controls
// found as a person finds them.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <gtest/gtest.h>
#include <objbase.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "face_test_support.hpp"
#include "host_loading.hpp"
#include "test_host.hpp"
#include "test_site.hpp"

namespace sledway::automation::in_test_host {

using automation_host::TestHost;
using Microsoft::WRL::ComPtr;
using win32::test::MessageWhile;
using win32::test::NativeText;
using win32::test::Pump;

constexpr CLSID kSledwayClass = {
    0x1ED471A1, 0x4725, 0x4827, {0xB9, 0x1F, 0x4E, 0xE5, 0x10, 0xCB, 0x2B, 0x8D}};
constexpr IID kApplicationAddInServer = {
    0xE3571293, 0xDB40, 0x11D2, {0xB7, 0x83, 0x00, 0x60, 0xB0, 0xF1, 0x59, 0xEF}};
constexpr DISPID kActivate = 0x03001201;
constexpr DISPID kDeactivate = 0x03001202;

inline HRESULT CanUnloadNow() {
  return com::test::CanUnloadNow(SLEDWAY_DLL);
}

// The host's call of `member`, the arguments given first to last; `said` receives the
// EXCEPINFO's description.
inline HRESULT Call(IDispatch& server, DISPID member, std::vector<VARIANT> arguments,
                    std::wstring* said = nullptr) {
  com::test::Call call;
  com::test::Invoke(server, member, DISPATCH_METHOD, std::move(arguments), call);
  if (said != nullptr) *said = call.Description();
  return call.result;
}

// Activate(site, FirstTime true), as the host calls it.
inline HRESULT Activate(IDispatch& server, IDispatch* site, std::wstring* said = nullptr) {
  return Call(server, kActivate, {com::test::Object(site), com::test::Boolean(true)}, said);
}

// A new server of sledway.dll, created through COM as the host creates it.
inline ComPtr<IDispatch> CreateServer() {
  ComPtr<IDispatch> server;
  CoCreateInstance(kSledwayClass, nullptr, CLSCTX_INPROC_SERVER, kApplicationAddInServer,
                   reinterpret_cast<void**>(server.GetAddressOf()));
  return server;
}

// The shown top-level window of that caption, once the messages that show it have been handled
// (a window of the same caption may exist hidden); null when none shows within two seconds.
inline HWND ShownWindow(const wchar_t* caption) {
  HWND found = nullptr;
  for (int tries = 0; tries < 200 && found == nullptr; ++tries) {
    Pump();
    found = sledway::test::OwnWindow(caption);
    if (found == nullptr) Sleep(10);
  }
  return found;
}

// While this lives, every dialog window this thread would create, message boxes among them, is
// counted and refused at its creation: MessageBoxW returns at once instead of waiting for a click.
class RefusedMessageBoxes {
 public:
  RefusedMessageBoxes() {
    count_ = 0;
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~RefusedMessageBoxes() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  }
  RefusedMessageBoxes(const RefusedMessageBoxes&) = delete;
  RefusedMessageBoxes& operator=(const RefusedMessageBoxes&) = delete;

  bool Hooked() const { return hook_ != nullptr; }
  int Count() const { return count_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM window, LPARAM data) {
    if (code == HCBT_CREATEWND) {
      const CREATESTRUCTW& created = *reinterpret_cast<CBT_CREATEWNDW*>(data)->lpcs;
      // The dialog class is the atom 32770.
      if (created.lpszClass == MAKEINTATOM(32770) ||
          (!IS_INTRESOURCE(created.lpszClass) && std::wstring(created.lpszClass) == L"#32770")) {
        ++count_;
        return 1;
      }
    }
    return CallNextHookEx(nullptr, code, window, data);
  }

  static inline int count_ = 0;
  HHOOK hook_ = nullptr;
};

// The tool window's controls, found as a person finds them: by their text, and the fields and
// picture buttons by the label or option beside them.
class ToolWindow {
 public:
  explicit ToolWindow(HWND window) : window_(window) {}

  HWND Control(const wchar_t* kind, const wchar_t* text) const {
    for (HWND child : Children()) {
      if (Kind(child) == kind && NativeText(child) == text &&
          (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX) {
        return child;
      }
    }
    return nullptr;
  }
  HWND Button(const wchar_t* text) const { return Control(L"Button", text); }
  HWND Label(const wchar_t* text) const { return Control(L"Static", text); }
  // The control of class `kind` just left of `neighbour`, on its line: a shown one, and with no
  // text when `untitled`.
  HWND LeftOf(HWND neighbour, const wchar_t* kind, bool untitled) const {
    return Nearest(neighbour, kind, [untitled](HWND child, const RECT& rect, const RECT& beside) {
      if (rect.right > beside.left || (untitled && !NativeText(child).empty()) ||
          !IsWindowVisible(child)) {
        return -1L;
      }
      return beside.left - rect.right;
    });
  }
  // The control of class `kind` just right of `neighbour`, on its line.
  HWND RightOf(HWND neighbour, const wchar_t* kind) const {
    return Nearest(neighbour, kind, [](HWND, const RECT& rect, const RECT& beside) {
      return rect.left >= beside.right ? rect.left - beside.right : -1L;
    });
  }
  HWND Slot(const wchar_t* label) const { return LeftOf(Label(label), L"Button", true); }

  void Click(HWND control) const {
    ASSERT_NE(control, nullptr);
    SendMessageW(control, BM_CLICK, 0, 0);
    Pump();
  }
  void Type(HWND edit, const wchar_t* text) const {
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, text);
    Pump();
  }
  void Choose(const wchar_t* item) const {
    for (HWND child : Children()) {
      if (Kind(child) != L"ComboBox") continue;
      SendMessageW(child, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item));
      SendMessageW(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), CBN_SELENDOK),
                   reinterpret_cast<LPARAM>(child));
      Pump();
    }
  }

 private:
  // Of the controls of class `kind` on `neighbour`'s line, the one `gapOf` puts nearest (it gives
  // the gap to `neighbour`, or -1 for a control on the wrong side or of the wrong sort).
  template <typename Gap>
  HWND Nearest(HWND neighbour, const wchar_t* kind, Gap gapOf) const {
    RECT beside{};
    GetWindowRect(neighbour, &beside);
    HWND nearest = nullptr;
    LONG least = 0;
    for (HWND child : Children()) {
      RECT rect{};
      GetWindowRect(child, &rect);
      if (Kind(child) != kind || rect.top > beside.bottom || rect.bottom < beside.top) continue;
      const LONG gap = gapOf(child, rect, beside);
      if (gap >= 0 && (nearest == nullptr || gap < least)) {
        nearest = child;
        least = gap;
      }
    }
    return nearest;
  }

  static std::wstring Kind(HWND window) {
    wchar_t kind[32] = {};
    GetClassNameW(window, kind, 32);
    return kind;
  }
  std::vector<HWND> Children() const {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      children.push_back(child);
    }
    return children;
  }

  HWND window_;
};

// sledway.dll created through COM, as the host creates it, and activated with the host's site.
inline void CreateAndActivate(TestHost& host, ComPtr<IDispatch>& server) {
  server = CreateServer();
  ASSERT_NE(server, nullptr);
  ASSERT_EQ(Activate(*server.Get(), host.Site()), S_OK);
}

}  // namespace sledway::automation::in_test_host
