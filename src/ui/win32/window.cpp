#include "ui/win32/window.hpp"

#include <exception>

#include "host/host_error.hpp"
#include "platform/desktop.hpp"
#include "platform/win32/wide_text.hpp"
#include "platform/win32/window_owner.hpp"
#include "platform/win32/work_area.hpp"
#include "ui/win32/screen.hpp"

namespace sledway::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"SledwayWindow";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExtendedStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// Activate is raised from the message loop, after the call that activated the window.
constexpr UINT kRaiseActivate = WM_APP + 0x51;

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

form::TwipsRect ToTwips(const RECT& rect) {
  return {PixelsToTwipsX(rect.left), PixelsToTwipsY(rect.top),
          PixelsToTwipsX(rect.right - rect.left), PixelsToTwipsY(rect.bottom - rect.top)};
}

RECT ToPixels(const form::TwipsRect& rect) {
  const int left = TwipsToPixelsX(rect.left);
  const int top = TwipsToPixelsY(rect.top);
  return {left, top, left + TwipsToPixelsX(rect.width), top + TwipsToPixelsY(rect.height)};
}

}  // namespace

void UnregisterWindowClasses() {
  UnregisterClassW(kWindowClass, ThisModule());
  UnregisterPictureBox();
}

Window::Window(const FormDesign& design) {
  // Registered while a window of the library may need it (RegisterClassW refuses a second
  // registration, which is then the one in place).
  WNDCLASSW description{};
  description.lpfnWndProc = Procedure;
  description.hInstance = ThisModule();
  description.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  description.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  description.lpszClassName = kWindowClass;
  RegisterClassW(&description);
  RECT outer{0, 0, TwipsToPixelsX(design.clientWidth), TwipsToPixelsY(design.clientHeight)};
  AdjustWindowRectEx(&outer, kStyle, FALSE, kExtendedStyle);
  handle_ = CreateWindowExW(kExtendedStyle, kWindowClass, platform::Wide(design.caption).c_str(),
                            kStyle, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                            nullptr, nullptr, ThisModule(), this);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font(L"Verdana", 8.25)), FALSE);
  for (const ControlDesign& control : design.controls) {
    const auto container = byName_.find(control.container);
    controls_.push_back(std::make_unique<Win32Control>(
        *this, control, container != byName_.end() ? container->second : nullptr));
    byName_.emplace(control.name, controls_.back().get());
    byHandle_.emplace(controls_.back()->Handle(), controls_.back().get());
  }
}

Window::~Window() {
  dispatch_->alive = false;
  destroying_ = true;
  if (modal_) Hide();
  SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);  // no message reaches this object any more
  controls_.clear();
  if (dispatch_->depth == 0) {
    DestroyWindow(handle_);
  } else {
    // Destroyed from inside one of its own events: user32 is still inside the window's (or a
    // control's) procedure, so the window goes once that message is through.
    ShowWindow(handle_, SW_HIDE);
    PostMessageW(handle_, WM_CLOSE, 0, 0);
  }
}

form::Control& Window::Controls(std::string_view name) {
  const auto found = byName_.find(name);
  if (found == byName_.end()) {
    throw HostError(hresult::kInvalidArg, "the window has no control " + std::string(name));
  }
  return *found->second;
}

std::string Window::Caption() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(handle_, text.data(), text.size())));
  return platform::Utf8(text);
}

void Window::Caption(const std::string& caption) {
  SetWindowTextW(handle_, platform::Wide(caption).c_str());
}

void Window::Show() {
  if (Visible()) return;
  everShown_ = true;
  ShowWindow(handle_, SW_SHOW);
}

void Window::Hide() {
  if (modal_) {
    // The owner is enabled again before this window goes, so that it, and not another
    // program's window, becomes the active one.
    if (HWND owner = GetWindow(handle_, GW_OWNER)) EnableWindow(owner, TRUE);
    modal_ = false;
  }
  ShowWindow(handle_, SW_HIDE);
}

bool Window::Visible() const {
  return IsWindowVisible(handle_) != 0;
}

void Window::ShowModal() {
  HWND owner = GetWindow(handle_, GW_OWNER);
  if (owner != nullptr) EnableWindow(owner, FALSE);
  modal_ = true;
  Show();
  const std::shared_ptr<Dispatch> dispatch = dispatch_;
  MSG message;
  while (dispatch->alive && Visible()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // the host's loop's
      break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (dispatch->alive && modal_) Hide();
}

void Window::BringToFront() {
  BringWindowToTop(handle_);
  SetForegroundWindow(handle_);
}

void Window::Enabled(bool enabled) {
  EnableWindow(handle_, enabled ? TRUE : FALSE);
}

void Window::Close() {
  RequestClose(form::CloseReason::kCode);
}

form::TwipsRect Window::Rect() const {
  RECT rect;
  GetWindowRect(handle_, &rect);
  return ToTwips(rect);
}

void Window::Move(double left, double top) {
  SetWindowPos(handle_, nullptr, TwipsToPixelsX(left), TwipsToPixelsY(top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

form::TwipsRect Window::WorkArea() const {
  return ToTwips(platform::WorkAreaOf(everShown_ ? handle_ : nullptr));
}

bool Window::OnAnyWorkArea(const form::TwipsRect& rect) const {
  return platform::OnAnyWorkArea(ToPixels(rect));
}

WindowHandle Window::NativeHandle() {
  return reinterpret_cast<WindowHandle>(handle_);
}

WindowHandle Window::Owner(WindowHandle owner) {
  return reinterpret_cast<WindowHandle>(
      platform::SetWindowOwner(handle_, reinterpret_cast<HWND>(owner)));
}

void Window::RequestClose(form::CloseReason reason) {
  const std::shared_ptr<Dispatch> dispatch = dispatch_;
  bool cancel = false;
  Unload.Raise(reason, cancel);
  if (dispatch->alive && !destroying_ && (!cancel || reason == form::CloseReason::kOwner)) Hide();
}

void Window::FocusNext(HWND from, bool backwards) {
  if (HWND next = GetNextDlgTabItem(handle_, from, backwards ? TRUE : FALSE)) {
    SetFocus(next);
    if (byHandle_.contains(next) && byHandle_[next]->Kind() == ControlKind::kTextBox) {
      byHandle_[next]->SelectAll();
    }
  }
}

void Window::ClearOtherOptions(const Win32Control& selected) {
  for (const auto& control : controls_) {
    if (control.get() != &selected && control->Kind() == ControlKind::kOption &&
        control->Container() == selected.Container()) {
      SendMessageW(control->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(l);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || self->handle_ == nullptr) return DefWindowProcW(window, message, w, l);
  const Handling handling(self->dispatch_);
  // A failure must not unwind through user32's frames: it is reported here.
  try {
    return self->Receive(message, w, l);
  } catch (const std::exception& failure) {
    platform::ShowMessage(failure.what(), "Sledway");
  } catch (...) {
    platform::ShowMessage("An unexpected error occurred.", "Sledway");
  }
  return 0;
}

LRESULT Window::Receive(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: {
      const auto found = byHandle_.find(reinterpret_cast<HWND>(l));
      if (found != byHandle_.end()) found->second->Notified(HIWORD(w));
      return 0;
    }
    case WM_CLOSE:
      RequestClose(form::CloseReason::kUser);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(w) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(handle_, focus)) lastFocus_ = focus;
        return 0;
      }
      SetFocus(lastFocus_ != nullptr && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_)
                   ? lastFocus_
                   : GetNextDlgTabItem(handle_, nullptr, FALSE));
      PostMessageW(handle_, kRaiseActivate, 0, 0);
      return 0;
    case kRaiseActivate:
      if (Visible()) Activate.Raise();
      return 0;
    case WM_DESTROY:
      // Destroyed by its owner going, not by its own end: the logic hears it closing.
      if (!destroying_) {
        destroying_ = true;
        bool ignored = false;
        Unload.Raise(form::CloseReason::kOwner, ignored);
      }
      return 0;
    default:
      return DefWindowProcW(handle_, message, w, l);
  }
}

}  // namespace sledway::win32
