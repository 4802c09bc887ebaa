// The platform's Win32 services, under Wine and an Xvfb of the test session's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "own_windows.hpp"
#include "platform/desktop.hpp"
#include "platform/win32/desktop_services.hpp"
#include "platform/win32/number_separators.hpp"
#include "platform/win32/window_owner.hpp"
#include "platform/win32/work_area.hpp"

namespace sledway::platform {
namespace {

constexpr UINT kPing = WM_APP + 1;

// A plain top-level window that counts the kPing messages it receives.
class TestWindow {
 public:
  TestWindow() {
    static const ATOM windowClass = [] {
      WNDCLASSW description{};
      description.lpfnWndProc = [](HWND window, UINT message, WPARAM w, LPARAM l) -> LRESULT {
        if (message == kPing) ++*reinterpret_cast<int*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        return DefWindowProcW(window, message, w, l);
      };
      description.hInstance = GetModuleHandleW(nullptr);
      description.lpszClassName = L"SledwayPlatformTestWindow";
      return RegisterClassW(&description);
    }();
    handle = CreateWindowExW(0, MAKEINTATOM(windowClass), L"test", WS_OVERLAPPEDWINDOW, 100, 100,
                             300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&pings));
  }
  ~TestWindow() { DestroyWindow(handle); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND handle = nullptr;
  int pings = 0;
};

TEST(Win32Desktop, AMessageBoxHasTheTextTheTitleAnOkButtonAndNoIcon) {
  const ScopedDesktopServices installed(Win32DesktopServices());
  std::wstring text;
  int buttons = 0;
  bool icon = false;
  // The box is modal: another thread finds it, reads it and presses OK.
  std::thread closer([&] {
    for (int tries = 0; tries < 500; ++tries) {
      if (HWND box = sledway::test::OwnMessageBox(L"Sledway")) {
        wchar_t caption[256] = {};
        GetWindowTextW(GetDlgItem(box, 0xFFFF), caption, 256);  // the message's static text
        text = caption;
        for (int id : {IDOK, IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE}) {
          buttons += GetDlgItem(box, id) != nullptr ? 1 : 0;
        }
        icon = GetDlgItem(box, 0x0014) != nullptr &&  // the icon's static control, when shown
               IsWindowVisible(GetDlgItem(box, 0x0014));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      ::Sleep(20);
    }
  });
  ShowMessage("Unable to open email program \xe2\x80\x94 \xc3\xa9t\xc3\xa9", "Sledway");
  closer.join();
  EXPECT_EQ(text, L"Unable to open email program \u2014 \u00e9t\u00e9");
  EXPECT_EQ(buttons, 1);
  EXPECT_FALSE(icon);
}

TEST(Win32Desktop, AYieldDispatchesWhatIsPendingAndLeavesTheQuitToTheHostsLoop) {
  const ScopedDesktopServices installed(Win32DesktopServices());
  TestWindow window;
  PostMessageW(window.handle, kPing, 0, 0);
  PostMessageW(window.handle, kPing, 0, 0);
  YieldToMessageLoop();
  EXPECT_EQ(window.pings, 2);

  PostQuitMessage(3);
  YieldToMessageLoop();
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);

  const DWORD before = GetTickCount();
  Sleep(120);
  EXPECT_GE(GetTickCount() - before, 100u);
}

TEST(Win32Desktop, TheOwnerIsSetGivenBackAndRefusedForAHandleThatNamesNoWindow) {
  TestWindow owner;
  TestWindow other;
  TestWindow tool;
  EXPECT_EQ(SetWindowOwner(tool.handle, owner.handle), nullptr);
  EXPECT_EQ(GetWindow(tool.handle, GW_OWNER), owner.handle);
  EXPECT_EQ(SetWindowOwner(tool.handle, other.handle), owner.handle);
  EXPECT_EQ(GetWindow(tool.handle, GW_OWNER), other.handle);

  HWND gone =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(SetWindowOwner(tool.handle, gone), other.handle);
  EXPECT_EQ(GetWindow(tool.handle, GW_OWNER), nullptr);
}

TEST(Win32Desktop, TheWorkAreaIsThePrimaryMonitorsWithoutItsTaskBarAndFramesAreFoundOnIt) {
  RECT primary{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0));
  TestWindow window;  // at 100, 100: on the primary monitor, the session's only one
  const RECT area = WorkAreaOf(window.handle);
  EXPECT_TRUE(EqualRect(&area, &primary));
  const RECT beforeShown = WorkAreaOf(nullptr);
  EXPECT_TRUE(EqualRect(&beforeShown, &primary));

  EXPECT_TRUE(OnAnyWorkArea(
      RECT{primary.right - 10, primary.bottom - 10, primary.right + 300, primary.bottom + 200}));
  EXPECT_FALSE(OnAnyWorkArea(RECT{primary.right + 10, primary.top, primary.right + 300, 200}));
  EXPECT_FALSE(OnAnyWorkArea(RECT{-30000, -30000, -29000, -29000}));
}

TEST(Win32Desktop, TheUsersSeparatorsAreTheRegionalSettings) {
  wchar_t decimal[8];
  ASSERT_GT(GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8), 1);
  const NumberSeparators separators = UserNumberSeparators();
  EXPECT_FALSE(separators.decimal.empty());
  EXPECT_NE(separators.decimal, separators.group);
}

}  // namespace
}  // namespace sledway::platform
