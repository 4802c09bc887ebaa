#include "ui/win32/control.hpp"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <utility>

#include "platform/desktop.hpp"
#include "platform/win32/wide_text.hpp"
#include "ui/win32/pictures.hpp"
#include "ui/win32/screen.hpp"
#include "ui/win32/window.hpp"

namespace sledway::win32 {
namespace {

using platform::Utf8;
using platform::Wide;

constexpr wchar_t kPictureBoxClass[] = L"SledwayPictureBox";
constexpr wchar_t kBitmapProperty[] = L"SledwayBitmap";

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

// A picture box paints its bitmap in its middle on the dialog colour.
LRESULT CALLBACK PictureBoxProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message != WM_PAINT) return DefWindowProcW(window, message, w, l);
  PAINTSTRUCT paint;
  HDC target = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(target, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (auto bitmap = static_cast<HBITMAP>(GetPropW(window, kBitmapProperty))) {
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(target, (client.right - size.bmWidth) / 2, (client.bottom - size.bmHeight) / 2,
           size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
  }
  EndPaint(window, &paint);
  return 0;
}

// Registered while a window of the library may need it (RegisterClassW refuses a second
// registration, which is then the one in place).
void RegisterPictureBox() {
  WNDCLASSW description{};
  description.lpfnWndProc = PictureBoxProc;
  description.hInstance = ThisModule();
  description.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  description.lpszClassName = kPictureBoxClass;
  RegisterClassW(&description);
}

struct NativeKind {
  const wchar_t* windowClass;
  DWORD style;
  DWORD extendedStyle;
};

NativeKind Native(ControlKind kind) {
  switch (kind) {
    case ControlKind::kFrame:
      return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::kLabel:
      return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, 0};
    case ControlKind::kButton:
      return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::kPictureButton:
      return {L"BUTTON", BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP, 0};
    case ControlKind::kToggle:
      return {L"BUTTON", BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_BITMAP | WS_TABSTOP, 0};
    case ControlKind::kCheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ControlKind::kOption:
      return {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0};
    case ControlKind::kTextBox:
      return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::kNotes:
      return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case ControlKind::kComboBox:
      return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::kPictureBox:
      return {kPictureBoxClass, 0, 0};
    case ControlKind::kSunkenPictureBox:
      return {kPictureBoxClass, 0, WS_EX_CLIENTEDGE};
  }
  return {L"STATIC", 0, 0};
}

bool IsTextBox(ControlKind kind) {
  return kind == ControlKind::kTextBox || kind == ControlKind::kNotes;
}

bool ShowsButtonPicture(ControlKind kind) {
  return kind == ControlKind::kPictureButton || kind == ControlKind::kToggle;
}

bool IsPictureBox(ControlKind kind) {
  return kind == ControlKind::kPictureBox || kind == ControlKind::kSunkenPictureBox;
}

bool HasValue(ControlKind kind) {
  return kind == ControlKind::kToggle || kind == ControlKind::kCheckBox ||
         kind == ControlKind::kOption;
}

// A multi-line box breaks lines at CR LF only.
std::wstring WithCrLf(const std::wstring& text) {
  std::wstring result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) result += L'\r';
    result += text[i];
  }
  return result;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), text.size())));
  return text;
}

std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

void UnregisterPictureBox() {
  UnregisterClassW(kPictureBoxClass, ThisModule());
}

Win32Control::Win32Control(Window& form, const ControlDesign& design, const Win32Control* container)
    : form_(form), name_(design.name), kind_(design.kind), container_(container) {
  RegisterPictureBox();
  NativeKind native = Native(kind_);
  if (design.wraps && kind_ == ControlKind::kLabel) {
    native.style = (native.style & ~static_cast<DWORD>(SS_TYPEMASK)) | SS_LEFT;
  }
  const form::TwipsRect offset = container_ != nullptr ? container_->Rect() : form::TwipsRect{};
  const int left = TwipsToPixelsX(offset.left + design.left);
  const int top = TwipsToPixelsY(offset.top + design.top);
  const int width = TwipsToPixelsX(design.width);
  // A combo box's height is its closed box and its open list together.
  const int height = TwipsToPixelsY(design.height) + (kind_ == ControlKind::kComboBox ? 200 : 0);
  handle_ = CreateWindowExW(native.extendedStyle | WS_EX_NOPARENTNOTIFY, native.windowClass,
                            Wide(design.caption).c_str(),
                            native.style | WS_CHILD | (design.visible ? WS_VISIBLE : 0) |
                                (design.enabled ? 0 : WS_DISABLED),
                            left, top, width, height, form_.Hwnd(), nullptr, ThisModule(), nullptr);
  SendMessageW(handle_, WM_SETFONT,
               reinterpret_cast<WPARAM>(Font(design.fontFace.empty() ? L"Verdana" : design.fontFace,
                                             design.fontPoints, design.bold, design.underline)),
               FALSE);
  if (kind_ == ControlKind::kComboBox) {
    // The closed box's own height, which the window's height does not set.
    SendMessageW(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 TwipsToPixelsY(design.height) - 6);
  }
  if (design.value) SendMessageW(handle_, BM_SETCHECK, BST_CHECKED, 0);
  if (design.picture != 0) Picture(design.picture);
  SetWindowSubclass(handle_, Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

Win32Control::~Win32Control() {
  RemoveWindowSubclass(handle_, Subclass, 1);
  RemovePropW(handle_, kBitmapProperty);
}

std::string Win32Control::Text() const {
  if (kind_ == ControlKind::kComboBox) return ListIndex() < 0 ? std::string() : List(ListIndex());
  if (IsPictureBox(kind_)) return {};
  return Utf8(WindowText(handle_));
}

void Win32Control::Text(const std::string& text) {
  if (IsPictureBox(kind_)) return;
  if (kind_ == ControlKind::kComboBox) {
    const auto found = SendMessageW(handle_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(Wide(text).c_str()));
    if (found != CB_ERR) ListIndex(static_cast<int>(found));
    return;
  }
  const std::wstring wide = kind_ == ControlKind::kNotes ? WithCrLf(Wide(text)) : Wide(text);
  // The same text raises no Change; an edit control raises EN_CHANGE for any other.
  if (wide != WindowText(handle_)) SetWindowTextW(handle_, wide.c_str());
}

bool Win32Control::Enabled() const {
  return IsWindowEnabled(handle_) != 0;
}

void Win32Control::Enabled(bool enabled) {
  EnableWindow(handle_, enabled ? TRUE : FALSE);
}

bool Win32Control::Visible() const {
  return (GetWindowLongW(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Control::Visible(bool visible) {
  // Windows leaves the focus on a control it hides; move it on as the Tab key would.
  if (!visible && GetFocus() == handle_) {
    HWND next = GetNextDlgTabItem(form_.Hwnd(), handle_, FALSE);
    ::SetFocus(next != handle_ ? next : form_.Hwnd());
  }
  ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32Control::Value() const {
  return HasValue(kind_) && SendMessageW(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Control::Value(bool value) {
  if (!HasValue(kind_) || value == Value()) return;
  if (value && kind_ == ControlKind::kOption) form_.ClearOtherOptions(*this);
  SendMessageW(handle_, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  Click.Raise();
}

int Win32Control::Picture() const {
  return picture_;
}

void Win32Control::Picture(int number) {
  picture_ = number;
  ShowPicture(number == 0 ? nullptr : PictureBitmap(number, GetSysColor(COLOR_BTNFACE)));
}

void Win32Control::TransparentPicture(int number, std::uint32_t transparentRgb) {
  picture_ = number;
  ShowPicture(number == 0 ? nullptr
                          : PictureBitmap(number, GetSysColor(COLOR_BTNFACE), transparentRgb));
}

void Win32Control::ShowPicture(HBITMAP bitmap) {
  if (ShowsButtonPicture(kind_)) {
    SendMessageW(handle_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  } else if (IsPictureBox(kind_)) {
    SetPropW(handle_, kBitmapProperty, bitmap);
    InvalidateRect(handle_, nullptr, TRUE);
  }
}

void Win32Control::SetFocus() {
  ::SetFocus(handle_);
}

bool Win32Control::HasFocus() const {
  return GetFocus() == handle_;
}

void Win32Control::SelectAll() {
  if (IsTextBox(kind_)) SendMessageW(handle_, EM_SETSEL, 0, -1);
}

form::TwipsRect Win32Control::Rect() const {
  RECT rect;
  GetWindowRect(handle_, &rect);
  MapWindowPoints(HWND_DESKTOP, form_.Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
  const form::TwipsRect offset = container_ != nullptr ? container_->Rect() : form::TwipsRect{};
  return {PixelsToTwipsX(rect.left) - offset.left, PixelsToTwipsY(rect.top) - offset.top,
          PixelsToTwipsX(rect.right - rect.left), PixelsToTwipsY(rect.bottom - rect.top)};
}

void Win32Control::Move(double left, double top) {
  const form::TwipsRect offset = container_ != nullptr ? container_->Rect() : form::TwipsRect{};
  SetWindowPos(handle_, nullptr, TwipsToPixelsX(offset.left + left),
               TwipsToPixelsY(offset.top + top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Control::AddItem(const std::string& item) {
  if (kind_ == ControlKind::kComboBox) {
    SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
  }
}

int Win32Control::ListCount() const {
  return kind_ == ControlKind::kComboBox
             ? static_cast<int>(SendMessageW(handle_, CB_GETCOUNT, 0, 0))
             : 0;
}

std::string Win32Control::List(int index) const {
  if (index < 0 || index >= ListCount()) return {};
  std::wstring item(static_cast<std::size_t>(SendMessageW(handle_, CB_GETLBTEXTLEN, index, 0)) + 1,
                    L'\0');
  item.resize(static_cast<std::size_t>(
      SendMessageW(handle_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()))));
  return Utf8(item);
}

int Win32Control::ListIndex() const {
  return kind_ == ControlKind::kComboBox
             ? static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0))
             : -1;
}

void Win32Control::ListIndex(int index) {
  if (kind_ == ControlKind::kComboBox) SendMessageW(handle_, CB_SETCURSEL, index, 0);
}

void Win32Control::Notified(WORD code) {
  // A disabled control takes no input, whatever message reached it.
  if (!IsWindowEnabled(handle_)) return;
  switch (kind_) {
    case ControlKind::kButton:
    case ControlKind::kPictureButton:
    case ControlKind::kToggle:
    case ControlKind::kCheckBox:
    case ControlKind::kLabel:  // STN_CLICKED has BN_CLICKED's code
      if (code == BN_CLICKED) Click.Raise();
      return;
    case ControlKind::kOption:
      if (code == BN_CLICKED && !Value()) Value(true);
      return;
    case ControlKind::kTextBox:
    case ControlKind::kNotes:
      if (code == EN_CHANGE) Change.Raise();
      if (code == EN_SETFOCUS) GotFocus.Raise();
      return;
    case ControlKind::kComboBox:
      if (code == CBN_SELENDOK) Click.Raise();
      if (code == CBN_SETFOCUS) GotFocus.Raise();
      return;
    default:
      return;
  }
}

LRESULT CALLBACK Win32Control::Subclass(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                        DWORD_PTR self) {
  auto& control = *reinterpret_cast<Win32Control*>(self);
  const Handling handling(control.form_.Dispatching());
  // A failure must not unwind through user32's frames: it is reported here.
  try {
    return control.Receive(window, handling, message, w, l);
  } catch (const std::exception& failure) {
    platform::ShowMessage(failure.what(), "Sledway");
  } catch (...) {
    platform::ShowMessage("An unexpected error occurred.", "Sledway");
  }
  return 0;
}

LRESULT Win32Control::Receive(HWND window, const Handling& handling, UINT message, WPARAM w,
                              LPARAM l) {
  const bool textBox = kind_ == ControlKind::kTextBox;
  const bool closedList =
      kind_ == ControlKind::kComboBox && SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) == FALSE;
  switch (message) {
    case WM_GETDLGCODE:
      // Every key reaches the control; Tab and Escape are the form's, below.
      return DLGC_WANTALLKEYS | DefSubclassProc(window, message, w, l);
    case WM_KEYDOWN:
      if (w == VK_TAB) {
        form_.FocusNext(window, GetKeyState(VK_SHIFT) < 0);
        return 0;
      }
      // Escape closes the form, but first an open list; a text box reports it as a key.
      if (w == VK_ESCAPE && !textBox && (kind_ != ControlKind::kComboBox || closedList)) {
        form_.RequestClose(form::CloseReason::kUser);
        return 0;
      }
      // Cursor keys over the closed parameter list would choose a parameter.
      if (closedList && (w == VK_UP || w == VK_DOWN || w == VK_PRIOR || w == VK_NEXT ||
                         w == VK_HOME || w == VK_END || w == VK_LEFT || w == VK_RIGHT)) {
        return 0;
      }
      if (IsPictureBox(kind_) && (w == VK_SPACE || w == VK_RETURN)) {
        Click.Raise();
        return 0;
      }
      break;
    case WM_CHAR:
      if (w == L'\t' || (w == 27 && !textBox)) return 0;  // handled as WM_KEYDOWN
      if (closedList) return 0;                           // a typed letter would choose too
      if (textBox) return Typed(window, handling, w, l);
      break;
    case WM_MOUSEWHEEL:
      if (closedList) return 0;
      break;
    case WM_PASTE:
      if (textBox) {
        Pasted(handling);
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
      // Entered with the mouse, a number box keeps its whole text selected.
      if (textBox && GetFocus() != window) {
        ::SetFocus(window);
        return 0;
      }
      if (IsPictureBox(kind_)) ::SetFocus(window);
      break;
    case WM_LBUTTONUP:
      if (IsPictureBox(kind_)) {
        Click.Raise();
        return 0;
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, w, l);
}

LRESULT Win32Control::Typed(HWND window, const Handling& handling, WPARAM w, LPARAM l) {
  // A character beyond the basic plane arrives as two WM_CHARs; it is reported once, whole.
  const auto unit = static_cast<wchar_t>(w);
  if (IS_HIGH_SURROGATE(unit)) {
    highSurrogate_ = unit;
    return 0;
  }
  int code = static_cast<int>(unit);
  const wchar_t high = std::exchange(highSurrogate_, 0);
  if (IS_LOW_SURROGATE(unit) && high != 0) {
    code = 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00);
  }
  KeyPress.Raise(code);
  if (!handling.Alive() || code == 0) return 0;
  if (code == form::kKeyEscape) {
    form_.RequestClose(form::CloseReason::kUser);
    return 0;
  }
  if (code >= 0x10000) {
    DefSubclassProc(window, WM_CHAR, 0xD800 + ((code - 0x10000) >> 10), l);
    return DefSubclassProc(window, WM_CHAR, 0xDC00 + ((code - 0x10000) & 0x3FF), l);
  }
  return DefSubclassProc(window, WM_CHAR, static_cast<WPARAM>(code), l);
}

void Win32Control::Pasted(const Handling& handling) {
  const std::wstring text = WindowText(handle_);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  start = std::min<DWORD>(start, static_cast<DWORD>(text.size()));
  end = std::clamp<DWORD>(end, start, static_cast<DWORD>(text.size()));
  form::TextInsertion insertion{Utf8(text.substr(0, start)), Utf8(text.substr(end)),
                                Utf8(ClipboardText(handle_))};
  Insert.Raise(insertion);
  if (!handling.Alive()) return;
  SendMessageW(handle_, EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(Wide(insertion.text).c_str()));
}

}  // namespace sledway::win32
