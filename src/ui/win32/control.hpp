#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/form/control.hpp"
#include "ui/win32/layouts.hpp"
#include "ui/win32/window_dispatch.hpp"

namespace sledway::win32 {

class Window;

// Takes back the picture box's window class (see UnregisterWindowClasses).
void UnregisterPictureBox();

// One child window of a form, found by its name, realising the form's Control over user32 and
// comctl32. Every control is a child of the form's window itself, placed over its frame, so the
// form receives all notifications; `container` is the frame it sits in (null: the client area).
class Win32Control : public form::Control {
 public:
  Win32Control(Window& form, const ControlDesign& design, const Win32Control* container);
  ~Win32Control() override;
  Win32Control(const Win32Control&) = delete;
  Win32Control& operator=(const Win32Control&) = delete;

  HWND Handle() const { return handle_; }
  const std::string& Name() const { return name_; }
  ControlKind Kind() const { return kind_; }
  const Win32Control* Container() const { return container_; }

  std::string Text() const override;
  void Text(const std::string& text) override;
  bool Enabled() const override;
  void Enabled(bool enabled) override;
  bool Visible() const override;
  void Visible(bool visible) override;
  bool Value() const override;
  void Value(bool value) override;
  int Picture() const override;
  void Picture(int number) override;
  void TransparentPicture(int number, std::uint32_t transparentRgb) override;
  void SetFocus() override;
  bool HasFocus() const override;
  void SelectAll() override;
  form::TwipsRect Rect() const override;
  void Move(double left, double top) override;
  void AddItem(const std::string& item) override;
  int ListCount() const override;
  std::string List(int index) const override;
  int ListIndex() const override;
  void ListIndex(int index) override;

  // A notification the form received from this control (WM_COMMAND's code).
  void Notified(WORD code);

 private:
  static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR id,
                                   DWORD_PTR self);
  // The control's own messages; `window` and `handling` stay valid should the logic destroy the
  // form, and so this control, from inside an event raised here.
  LRESULT Receive(HWND window, const Handling& handling, UINT message, WPARAM w, LPARAM l);
  LRESULT Typed(HWND window, const Handling& handling, WPARAM w, LPARAM l);
  void Pasted(const Handling& handling);
  void ShowPicture(HBITMAP bitmap);

  Window& form_;
  HWND handle_ = nullptr;
  std::string name_;
  ControlKind kind_;
  const Win32Control* container_;
  int picture_ = 0;
  wchar_t highSurrogate_ = 0;
};

}  // namespace sledway::win32
