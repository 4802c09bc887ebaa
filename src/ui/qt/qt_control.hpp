#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/form/control.hpp"

namespace sledway::qtface {

// A control of the Qt face: one widget of a form's dialog (a label, button, tool button, check
// box, option button, frame, text box, multi-line text, drop-down list or picture box), reached
// through the form interface. A widget that is gone makes every call do nothing.
class QtControl : public form::Control {
 public:
  explicit QtControl(QWidget& widget);
  ~QtControl() override;
  QtControl(const QtControl&) = delete;
  QtControl& operator=(const QtControl&) = delete;

  std::string Text() const override;
  void Text(const std::string& text) override;
  bool Enabled() const override;
  void Enabled(bool enabled) override;
  bool Visible() const override;
  void Visible(bool visible) override;
  bool Value() const override;
  void Value(bool value) override;
  int Picture() const override { return picture_; }
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

 private:
  void ConnectEvents();

  QPointer<QWidget> widget_;
  // Owns the connections to the widget's signals: they go with this control.
  QObject receiver_;
  int picture_ = 0;
};

}  // namespace sledway::qtface
