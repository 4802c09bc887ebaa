// The Win32 face's number boxes under Wine: typed keys and pasted text reach the logic before
// they take effect, and what the logic leaves is what the box gets.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "face_test_support.hpp"
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

std::pair<DWORD, DWORD> Selection(HWND box) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

TEST(Win32NumberBoxes, KeysAndPastedTextPassTheLogicFirstAndEscapeClosesTheWindow) {
  Win32FormFactory face;
  std::unique_ptr<form::Form> window = face.CreateForm(form::FormKind::kPath);
  window->Show();
  Pump();
  form::Control& steps = window->Controls("txtSteps");
  const HWND box = Native(steps);
  // A logic that takes digits and Backspace, types "5" as "6", and keeps digits of pastes.
  std::vector<int> keys;
  int changes = 0;
  std::vector<Connection> connections;
  connections.push_back(steps.KeyPress.Connect([&](int& key) {
    keys.push_back(key);
    if (key == '5') key = '6';
    if (!std::isdigit(key) && key != form::kKeyBackspace && key != form::kKeyEscape) key = 0;
  }));
  form::TextInsertion heard;
  connections.push_back(steps.Insert.Connect([&](form::TextInsertion& insertion) {
    heard = insertion;
    std::erase_if(insertion.text,
                  [](char c) { return !std::isdigit(static_cast<unsigned char>(c)); });
  }));
  connections.push_back(steps.Change.Connect([&] { ++changes; }));
  connections.push_back(steps.GotFocus.Connect([&] { steps.SelectAll(); }));

  steps.SetFocus();
  for (wchar_t typed : std::wstring(L"1-5.x")) SendMessageW(box, WM_CHAR, typed, 0);
  EXPECT_EQ(steps.Text(), "16");
  EXPECT_EQ(keys, (std::vector<int>{'1', '-', '5', '.', 'x'}));
  EXPECT_EQ(changes, 2);
  SendMessageW(box, WM_CHAR, form::kKeyBackspace, 0);
  EXPECT_EQ(steps.Text(), "1");
  // A character beyond the basic plane is reported once, whole.
  SendMessageW(box, WM_CHAR, 0xD83D, 0);
  SendMessageW(box, WM_CHAR, 0xDE00, 0);
  EXPECT_EQ(keys.back(), 0x1F600);
  EXPECT_EQ(steps.Text(), "1");

  // Pasted over the selection "23" of "1234": the logic sees both sides and the text.
  steps.Text("1234");
  SendMessageW(box, EM_SETSEL, 1, 3);
  SetClipboardText(L"7 a8");
  SendMessageW(box, WM_PASTE, 0, 0);
  EXPECT_EQ(heard.before, "1");
  EXPECT_EQ(heard.after, "4");
  EXPECT_EQ(heard.text, "7 a8");
  EXPECT_EQ(steps.Text(), "1784");
  EXPECT_EQ(Selection(box), std::make_pair(DWORD{3}, DWORD{3}));  // the cursor after the paste

  // Code writing a number: one Change when it differs, none when it does not, no filter.
  changes = 0;
  steps.Text("2.5");
  steps.Text("2.5");
  EXPECT_EQ(changes, 1);

  // Entered with the mouse, the box keeps its whole text selected.
  window->Controls("cmdControl_0").SetFocus();
  SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(steps.HasFocus());
  EXPECT_EQ(Selection(box), std::make_pair(DWORD{0}, DWORD{3}));

  // Escape in a number box is the window's close request, as anywhere else in it.
  int closes = 0;
  connections.push_back(window->Unload.Connect([&](form::CloseReason reason, bool&) {
    closes += reason == form::CloseReason::kUser ? 1 : 0;
  }));
  SendMessageW(box, WM_CHAR, form::kKeyEscape, 0);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(window->Visible());
}

}  // namespace
}  // namespace sledway::win32
