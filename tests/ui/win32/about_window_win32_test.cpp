// The Win32 face's about window under Wine and Xvfb: its captions and fonts as designed, and a
// failure of a handler reported in a message box.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "face_test_support.hpp"
#include "host/host_error.hpp"
#include "platform/desktop.hpp"
#include "platform/win32/desktop_services.hpp"
#include "ui/form/picture_numbers.hpp"
#include "ui/win32/face.hpp"

namespace sledway::win32 {
namespace {

using test::MessageWhile;
using test::Native;
using test::NativeText;
using test::Pump;

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

TEST(Win32AboutWindow, CaptionsAndFontsAsDesigned) {
  Win32FormFactory face;
  std::unique_ptr<form::Form> window = face.CreateForm(form::FormKind::kSledwayHelp);
  EXPECT_EQ(window->Caption(), " Sledway contributors Sledway");
  EXPECT_EQ(window->Controls("lblTitle").Text(), "Sledway");
  EXPECT_EQ(window->Controls("cmdClose").Text(), "Close");
  EXPECT_EQ(window->Controls("lblEmail").Text(), "sledway@example.org");
  EXPECT_FALSE(window->Controls("picLogo").Visible());
  EXPECT_EQ(window->Controls("picLogo").Picture(), form::kPictureLogo);
  const LOGFONTW title = FontOf(Native(window->Controls("lblTitle")));
  EXPECT_EQ(title.lfWeight, FW_BOLD);
  EXPECT_TRUE(FontOf(Native(window->Controls("lblEmail"))).lfUnderline);

  // The notes break their lines where the text does.
  window->Controls("txtHelp").Text("one\n\ntwo");
  EXPECT_EQ(SendMessageW(Native(window->Controls("txtHelp")), EM_GETLINECOUNT, 0, 0), 3);
}

TEST(Win32AboutWindow, AFailingHandlerIsReportedInAMessageBoxThroughThePlatform) {
  const platform::ScopedDesktopServices services(platform::Win32DesktopServices());
  Win32FormFactory face;
  std::unique_ptr<form::Form> window = face.CreateForm(form::FormKind::kSledwayHelp);
  window->Show();
  Pump();
  Connection failing = window->Controls("lblEmail").Click.Connect([] {
    throw HostError(hresult::kFail, "Unable to open email program");
  });
  // A click on the label, as the mouse gives it.
  EXPECT_EQ(MessageWhile([&] {
              SendMessageW(reinterpret_cast<HWND>(window->NativeHandle()), WM_COMMAND,
                           MAKEWPARAM(0, STN_CLICKED),
                           reinterpret_cast<LPARAM>(Native(window->Controls("lblEmail"))));
            }),
            L"Unable to open email program");
  EXPECT_TRUE(window->Visible());
}

}  // namespace
}  // namespace sledway::win32
