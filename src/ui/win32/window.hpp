#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/form/form.hpp"
#include "ui/win32/control.hpp"
#include "ui/win32/layouts.hpp"
#include "ui/win32/window_dispatch.hpp"

namespace sledway::win32 {

// Takes back the window classes of the library's windows, which the next window registers again:
// called once none of its windows is left, before the library may be unloaded. A class whose
// windows still exist stays.
void UnregisterWindowClasses();

// A window of the add-in as its design gives it, realising the form's Form over user32: a
// dialog-like top-level window, hidden until shown, whose controls are all its direct children.
// It handles its own keyboard navigation (Tab, Escape), since inside a host its messages pass
// through the host's message loop, which knows nothing of it.
class Window : public form::Form {
 public:
  explicit Window(const FormDesign& design);
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Hwnd() const { return handle_; }

  form::Control& Controls(std::string_view name) override;
  std::string Caption() const override;
  void Caption(const std::string& caption) override;
  void Show() override;
  void Hide() override;
  bool Visible() const override;
  void ShowModal() override;
  void BringToFront() override;
  void Enabled(bool enabled) override;
  void Close() override;
  form::TwipsRect Rect() const override;
  void Move(double left, double top) override;
  form::TwipsRect WorkArea() const override;
  bool OnAnyWorkArea(const form::TwipsRect& rect) const override;
  WindowHandle NativeHandle() override;
  WindowHandle Owner(WindowHandle owner) override;

  // Shared with the controls, which count their own messages.
  std::shared_ptr<Dispatch> Dispatching() const { return dispatch_; }

  // For the controls: the close request of the close box or Escape; the focus moved on as Tab
  // moves it; an option button selected clears the others of its frame.
  void RequestClose(form::CloseReason reason);
  void FocusNext(HWND from, bool backwards);
  void ClearOtherOptions(const Win32Control& selected);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Receive(UINT message, WPARAM w, LPARAM l);

  HWND handle_ = nullptr;
  std::vector<std::unique_ptr<Win32Control>> controls_;
  std::map<std::string, Win32Control*, std::less<>> byName_;
  std::map<HWND, Win32Control*> byHandle_;
  HWND lastFocus_ = nullptr;
  bool everShown_ = false;
  bool modal_ = false;
  bool destroying_ = false;
  std::shared_ptr<Dispatch> dispatch_ = std::make_shared<Dispatch>();
};

}  // namespace sledway::win32
