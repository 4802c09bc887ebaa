// The Win32 face's tool window under Wine and Xvfb: its controls as designed, and the events
// they raise for the form logic.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "face_test_support.hpp"
#include "host/host_error.hpp"
#include "ui/form/picture_numbers.hpp"
#include "ui/win32/face.hpp"
#include "ui/win32/screen.hpp"

namespace sledway::win32 {
namespace {

using form::CloseReason;
using form::FormKind;
using test::Native;
using test::NativeText;
using test::Pump;

int Dpi(int axis) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, axis);
  ReleaseDC(nullptr, screen);
  return dpi;
}
int PixelsX(double twips) {
  return static_cast<int>(std::lround(twips * Dpi(LOGPIXELSX) / 1440));
}
int PixelsY(double twips) {
  return static_cast<int>(std::lround(twips * Dpi(LOGPIXELSY) / 1440));
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP description{};
  GetObjectW(bitmap, sizeof description, &description);
  return {description.bmWidth, description.bmHeight};
}

struct Expected {
  const char* name;
  const wchar_t* caption;
  bool enabled;
  bool visible;
  // Within the form's client area, in twips.
  double left, top, width, height;
};

// Controls of every kind and frame where the design puts them, frames' contents moved by their
// frame: enough to show the face builds the design, not a copy of all of it.
const std::vector<Expected> kToolWindow = {
    {"Frame1", L"Path", true, true, 120, 60, 2760, 1500},
    {"cmdSelect_0", L"", true, true, 120 + 180, 60 + 300, 405, 405},
    {"chkSelect_3", L"", false, true, 120 + 2220, 60 + 300, 405, 405},
    {"chkHide", L"Hide", true, true, 120 + 180, 60 + 810, 1500, 285},
    {"picSelect_1", L"", true, false, 120 + 180, 1620 + 300, 405, 405},
    {"lblSelect_2", L"Tangent edge/axis", true, true, 120 + 690, 1620 + 975, 1500, 510},
    {"cboParams", L"", true, true, 3000 + 150, 1380 + 285, 2655, 315},
    {"lblFrom", L"From:", false, true, 3000 + 150, 1380 + 705, 600, 255},
    {"txtDriveTo", L"10", false, true, 3000 + 2010, 1380 + 660, 795, 285},
    {"optRep_0", L"Start/End", true, true, 3000 + 900, 2520 + 255, 1950, 255},
    {"optRep_1", L"Start/End/Start", true, true, 3000 + 900, 2520 + 495, 1950, 255},
    {"cmdControl_1", L"Run", false, true, 4005, 3420, 945, 375},
};

TEST(Win32ToolWindow, OpensOwnedWithEveryControlUnderItsNameCaptionStateAndPlace) {
  Win32FormFactory face;
  test::HostWindow host;
  std::unique_ptr<form::Form> window = face.CreateForm(FormKind::kPath);
  EXPECT_EQ(window->Owner(reinterpret_cast<WindowHandle>(host.handle)), 0);
  window->Move(1000, 1000);
  window->Show();
  Pump();
  const auto handle = reinterpret_cast<HWND>(window->NativeHandle());
  EXPECT_EQ(GetWindow(handle, GW_OWNER), host.handle);
  EXPECT_EQ(NativeText(handle), L"Sledway 2.0");
  RECT client;
  GetClientRect(handle, &client);
  EXPECT_EQ(client.right, PixelsX(6075));
  EXPECT_EQ(client.bottom, PixelsY(3930));
  RECT outer;
  GetWindowRect(handle, &outer);
  EXPECT_EQ(outer.left, PixelsX(1000));
  EXPECT_EQ(outer.top, PixelsY(1000));

  for (const Expected& expected : kToolWindow) {
    SCOPED_TRACE(expected.name);
    form::Control& control = window->Controls(expected.name);
    const HWND native = Native(control);
    EXPECT_EQ(GetParent(native), handle);
    EXPECT_EQ(NativeText(native), expected.caption);
    EXPECT_EQ(IsWindowEnabled(native) != 0, expected.enabled);
    EXPECT_EQ(control.Visible(), expected.visible);
    RECT place;
    GetWindowRect(native, &place);
    MapWindowPoints(HWND_DESKTOP, handle, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, PixelsX(expected.left));
    EXPECT_EQ(place.top, PixelsY(expected.top));
    EXPECT_EQ(place.right - place.left, PixelsX(expected.width));
    if (std::string(expected.name) != "cboParams") {  // a combo box is as high as its font asks
      EXPECT_EQ(place.bottom - place.top, PixelsY(expected.height));
    }
    if (std::string(expected.name).starts_with("picSelect")) continue;  // pictures only
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(native, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -static_cast<LONG>(std::lround(8.25 * Dpi(LOGPIXELSY) / 72)));
    if (HasFontFace(L"Verdana")) {
      EXPECT_STREQ(font.lfFaceName, L"Verdana");
    }
  }
  EXPECT_THROW(window->Controls("cmdSelect_5"), HostError);

  // Place in twips within the container, as the logic reads and sets it.
  form::Control& pressed = window->Controls("picSelect_2");
  const form::TwipsRect rect = pressed.Rect();
  EXPECT_NEAR(rect.left, 180, 1440.0 / Dpi(LOGPIXELSX));
  EXPECT_NEAR(rect.top, 900, 1440.0 / Dpi(LOGPIXELSY));
  pressed.Move(180, 300);
  EXPECT_NEAR(pressed.Rect().top, 300, 1440.0 / Dpi(LOGPIXELSY));

  // The pictures at their own sizes: 24 x 24 slots, 19 x 21 flip, 18 x 18 help.
  const auto picture = [&](const char* name) {
    return BitmapSize(reinterpret_cast<HBITMAP>(
        SendMessageW(Native(window->Controls(name)), BM_GETIMAGE, IMAGE_BITMAP, 0)));
  };
  EXPECT_EQ(picture("cmdSelect_0").cx, 24);
  EXPECT_EQ(picture("cmdSelect_2").cy, 24);
  EXPECT_EQ(picture("chkSelect_4").cx, 19);
  EXPECT_EQ(picture("chkSelect_4").cy, 21);
  EXPECT_EQ(picture("cmdHelp").cx, 18);
  EXPECT_EQ(window->Controls("cmdSelect_2").Picture(), form::kPictureSlotOptional);
  EXPECT_TRUE(window->Controls("chkHide").Value());
  EXPECT_TRUE(window->Controls("optRep_0").Value());
  EXPECT_FALSE(window->Controls("optRep_1").Value());
}

TEST(Win32ToolWindow, ClicksOptionsAndTheClosedListRaiseWhatTheLogicListensTo) {
  Win32FormFactory face;
  std::unique_ptr<form::Form> window = face.CreateForm(FormKind::kPath);
  window->Show();
  Pump();
  std::map<std::string, int> clicks;
  std::vector<Connection> connections;
  for (const Expected& expected : kToolWindow) {
    connections.push_back(
        window->Controls(expected.name).Click.Connect([&clicks, name = std::string(expected.name)] {
          ++clicks[name];
        }));
  }
  const auto click = [&](const char* name) {
    SendMessageW(Native(window->Controls(name)), BM_CLICK, 0, 0);
  };
  click("cmdSelect_0");
  click("cmdControl_1");  // disabled: nothing
  click("chkHide");
  click("optRep_1");
  EXPECT_EQ(clicks,
            (std::map<std::string, int>{{"cmdSelect_0", 1}, {"chkHide", 1}, {"optRep_1", 1}}));
  EXPECT_FALSE(window->Controls("chkHide").Value());
  EXPECT_TRUE(window->Controls("optRep_1").Value());
  EXPECT_FALSE(window->Controls("optRep_0").Value());  // cleared without a click of its own

  // Code that changes a value raises Click as a user's click does; the same value raises none.
  form::Control& flip = window->Controls("chkSelect_3");
  flip.Enabled(true);
  flip.Value(true);
  flip.Value(true);
  EXPECT_EQ(clicks["chkSelect_3"], 1);
  SendMessageW(Native(flip), BM_CLICK, 0, 0);
  EXPECT_FALSE(flip.Value());
  EXPECT_EQ(clicks["chkSelect_3"], 2);

  // A picture box clicked; the slot button hidden while it has the focus hands the focus on.
  form::Control& button = window->Controls("cmdSelect_1");
  form::Control& picture = window->Controls("picSelect_1");
  button.SetFocus();
  EXPECT_TRUE(button.HasFocus());
  button.Visible(false);
  picture.Visible(true);
  EXPECT_FALSE(button.HasFocus());
  EXPECT_NE(GetFocus(), nullptr);
  SendMessageW(Native(picture), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(Native(picture), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(clicks["picSelect_1"], 1);
  EXPECT_TRUE(picture.HasFocus());
  SendMessageW(Native(picture), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(clicks["picSelect_1"], 2);

  // The parameter list chooses on a click in its open list only: cursor keys, the wheel and
  // typed letters over the closed list choose nothing.
  form::Control& list = window->Controls("cboParams");
  for (const char* item : {"d0", "d1", "Length"}) list.AddItem(item);
  EXPECT_EQ(list.ListCount(), 3);
  EXPECT_EQ(list.List(2), "Length");
  list.SetFocus();
  const HWND native = Native(list);
  SendMessageW(native, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(native, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  SendMessageW(native, WM_CHAR, 'L', 0);
  EXPECT_EQ(list.ListIndex(), -1);
  list.ListIndex(1);
  EXPECT_EQ(list.Text(), "d1");
  EXPECT_EQ(clicks["cboParams"], 0);
  // What the list sends when an item is chosen in the open list, by a click or Enter.
  SendMessageW(reinterpret_cast<HWND>(window->NativeHandle()), WM_COMMAND,
               MAKEWPARAM(0, CBN_SELENDOK), reinterpret_cast<LPARAM>(native));
  EXPECT_EQ(clicks["cboParams"], 1);
}

TEST(Win32ToolWindow, CloseBoxEscapeAndTheOwnerGoingAskTheLogicWithTheirReasons) {
  Win32FormFactory face;
  auto host = std::make_unique<test::HostWindow>();
  std::unique_ptr<form::Form> window = face.CreateForm(FormKind::kPath);
  window->Owner(reinterpret_cast<WindowHandle>(host->handle));
  std::vector<CloseReason> asked;
  bool keepOpen = true;
  Connection unload = window->Unload.Connect([&](CloseReason reason, bool& cancel) {
    asked.push_back(reason);
    cancel = keepOpen;
  });
  window->Show();
  Pump();
  const auto handle = reinterpret_cast<HWND>(window->NativeHandle());
  SendMessageW(handle, WM_CLOSE, 0, 0);
  EXPECT_TRUE(window->Visible());  // the handler kept it open
  SendMessageW(Native(window->Controls("cmdControl_0")), WM_KEYDOWN, VK_ESCAPE, 0);
  keepOpen = false;
  window->Close();
  EXPECT_FALSE(window->Visible());
  window->Show();
  host.reset();  // the host's main window goes, and its owned window with it
  EXPECT_EQ(asked, (std::vector<CloseReason>{CloseReason::kUser, CloseReason::kUser,
                                             CloseReason::kCode, CloseReason::kOwner}));
}

TEST(Win32ToolWindow, TheLogicMayDestroyTheWindowFromInsideItsOwnClick) {
  Win32FormFactory face;
  std::unique_ptr<form::Form> window = face.CreateForm(FormKind::kPath);
  window->Show();
  Pump();
  const auto handle = reinterpret_cast<HWND>(window->NativeHandle());
  const HWND cancel = Native(window->Controls("cmdControl_2"));
  Connection click = window->Controls("cmdControl_2").Click.Connect([&] { window.reset(); });
  SendMessageW(cancel, BM_CLICK, 0, 0);
  EXPECT_EQ(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(handle));
  Pump();
  EXPECT_FALSE(IsWindow(handle));
}

}  // namespace
}  // namespace sledway::win32
