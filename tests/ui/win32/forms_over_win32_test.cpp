// The form logic over the Win32 face under Wine and Xvfb, on a small host double: the tool
// window opens owned by the host's main window, a slot button starts the pick, the number boxes
// filter keys and pastes, and the about window shows its version once and its logo.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "face_test_support.hpp"
#include "host_double.hpp"
#include "ui/form/picture_numbers.hpp"
#include "ui/frm_path.hpp"
#include "ui/frm_sledway_help.hpp"
#include "ui/win32/face.hpp"

namespace sledway::win32 {
namespace {

using test::Native;
using test::Pump;

void SetClipboardText(const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(data)));
  GlobalUnlock(data);
  SetClipboardData(CF_UNICODETEXT, data);
  CloseClipboard();
}

class ToolWindow : public ::testing::Test {
 protected:
  ToolWindow() {
    window_->IVApp(host_);
    window_->Show();
    Pump();
  }
  ~ToolWindow() override {
    window_->Window().Close();
    Pump();
  }

  form::Control& Control(const char* name) { return window_->Window().Controls(name); }
  void Type(const char* box, const std::wstring& keys) {
    for (wchar_t key : keys) SendMessageW(Native(Control(box)), WM_CHAR, key, 0);
  }

  Win32FormFactory face_;
  test::HostWindow main_;
  std::shared_ptr<test::HostDouble> host_ =
      std::make_shared<test::HostDouble>(reinterpret_cast<WindowHandle>(main_.handle));
  std::shared_ptr<frmPath> window_ = std::make_shared<frmPath>(face_);
};

TEST_F(ToolWindow, OpensOwnedByTheHostsMainWindowAndASlotButtonStartsThePick) {
  const auto handle = reinterpret_cast<HWND>(window_->Window().NativeHandle());
  EXPECT_TRUE(IsWindowVisible(handle));
  EXPECT_EQ(GetWindow(handle, GW_OWNER), main_.handle);
  EXPECT_EQ(Control("txtSteps").Text(), "50");
  EXPECT_EQ(Control("txtReps").Text(), "1");

  SendMessageW(Native(Control("cmdSelect_0")), BM_CLICK, 0, 0);
  EXPECT_EQ(host_->picks.started, 1);
  EXPECT_EQ(host_->picks.filters, (std::vector<IVSelectFilter>{IVSelectFilter::kSketch3DDefault,
                                                               IVSelectFilter::kSketchDefault,
                                                               IVSelectFilter::kPartEdge}));
  // The slot looks pressed: its picture box stands where the button was, with its picture.
  EXPECT_FALSE(IsWindowVisible(Native(Control("cmdSelect_0"))));
  EXPECT_TRUE(IsWindowVisible(Native(Control("picSelect_0"))));
  EXPECT_EQ(Control("picSelect_0").Picture(), form::kPictureSlotToPick);

  // The next slot's button first stops the running pick.
  SendMessageW(Native(Control("cmdSelect_2")), BM_CLICK, 0, 0);
  EXPECT_EQ(host_->picks.stopped, 1);
  EXPECT_EQ(host_->picks.started, 2);
}

TEST_F(ToolWindow, NumberBoxesFilterKeysAndPastesAndEscapeClosesTheWindow) {
  const std::shared_ptr<CPath> path = window_->PathDefinition();
  Control("txtPause").Text("");
  Type("txtPause", L"1.5.-");
  EXPECT_EQ(Control("txtPause").Text(), "1.5");
  EXPECT_DOUBLE_EQ(path->Pause(), 1.5);
  Control("txtSteps").Text("");
  Type("txtSteps", L"2.5e");
  EXPECT_EQ(Control("txtSteps").Text(), "25");
  EXPECT_EQ(path->Steps(), 25);

  // Pasted over the selection: only what could have been typed there is kept.
  const HWND reps = Native(Control("txtReps"));
  Control("txtReps").Text("12");
  SendMessageW(reps, EM_SETSEL, 1, 2);
  SetClipboardText(L"-3 a.4\r\n");
  SendMessageW(reps, WM_PASTE, 0, 0);
  EXPECT_EQ(Control("txtReps").Text(), "134");
  EXPECT_EQ(path->Reps(), 134);

  // Entered with the mouse, a box has its whole text selected.
  const HWND steps = Native(Control("txtSteps"));
  SendMessageW(steps, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(steps, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  DWORD start = 1;
  DWORD end = 0;
  SendMessageW(steps, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 2u);

  int ended = 0;
  Connection end_session = window_->EndSession.Connect([&] { ++ended; });
  Type("txtSteps", L"\x1b");
  EXPECT_EQ(ended, 1);
  EXPECT_FALSE(window_->Visible());
}

TEST(AboutWindow, ShowsTheVersionOnceAndTheLogoWithItsGreenTransparent) {
  Win32FormFactory face;
  test::HostWindow main;
  for (int opening = 0; opening < 2; ++opening) {
    frmSledwayHelp about(face);
    static std::string caption, title, notes;
    static COLORREF corner, outline;
    static form::Form* shown;
    shown = &about.Window();
    // The window is modal: a timer reads it and closes it with its own button.
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
      KillTimer(nullptr, timer);
      caption = shown->Caption();
      title = shown->Controls("lblTitle").Text();
      notes = shown->Controls("txtHelp").Text();
      const HWND logo = Native(shown->Controls("picViz"));
      UpdateWindow(logo);
      RECT client;
      GetClientRect(logo, &client);
      HDC dc = GetDC(logo);
      // The 57 x 56 logo in the middle of the box: its corner is pure green in the artwork, the
      // pixel at 27, 8 its dark outline.
      corner = GetPixel(dc, (client.right - 57) / 2, (client.bottom - 56) / 2);
      outline = GetPixel(dc, (client.right - 57) / 2 + 27, (client.bottom - 56) / 2 + 8);
      ReleaseDC(logo, dc);
      SendMessageW(Native(shown->Controls("cmdClose")), BM_CLICK, 0, 0);
    });
    about.Show(reinterpret_cast<WindowHandle>(main.handle));
    EXPECT_EQ(caption, " Sledway contributors Sledway 2.0.0");
    EXPECT_EQ(title, "Sledway 2.0.0");
    EXPECT_EQ(notes.find("THE  USER OF THIS PROGRAM"), 0u);
    EXPECT_EQ(corner, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(outline, RGB(31, 31, 30));
    EXPECT_TRUE(IsWindowEnabled(main.handle));  // given back its input after the modal window
  }
}

}  // namespace
}  // namespace sledway::win32
