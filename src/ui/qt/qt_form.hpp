#pragma once

#include <QPointer>
#include <map>
#include <memory>
#include <string>

#include "ui/form/form.hpp"
#include "ui/qt/face_widgets.hpp"
#include "ui/qt/qt_control.hpp"

namespace sledway::qtface {

// A form of the Qt face: a dialog whose named child widgets are its controls. The dialog goes
// with the form; a form dropped from inside one of its own handlers lets Qt delete the dialog
// once the event is through. An owner that is deleted takes the dialog along: the form hears it
// as a close with CloseReason::kOwner, and every call after does nothing.
class QtForm : public form::Form {
 public:
  // Takes `dialog` with its controls built and named.
  explicit QtForm(std::unique_ptr<FormDialog> dialog);
  ~QtForm() override;
  QtForm(const QtForm&) = delete;
  QtForm& operator=(const QtForm&) = delete;

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

  // The dialog, for tests and the desktop host; null once its owner has deleted it.
  FormDialog* Dialog() const { return dialog_; }

 private:
  QPointer<FormDialog> dialog_;
  bool dialogGoing_ = false;
  std::map<std::string, std::unique_ptr<QtControl>, std::less<>> controls_;
};

}  // namespace sledway::qtface
