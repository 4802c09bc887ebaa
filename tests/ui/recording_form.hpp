#pragma once

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "ui/form/form_factory.hpp"
#include "ui/form/picture_numbers.hpp"

// A face without a toolkit: forms whose controls keep what the form logic sets and let a test
// raise what a user would, with the rules a face must keep (a text set by code raises Change, a
// value set by code raises Click, a dropped key does not type, Escape closes the form).
namespace sledway::test {

class RecordingForm;

enum class Kind { kLabel, kButton, kToggle, kCheckBox, kOption, kTextBox, kList, kPicture };

class RecordingControl : public form::Control {
 public:
  RecordingControl(RecordingForm& form, Kind kind, std::string group = {})
      : form_(form), kind_(kind), group_(std::move(group)) {}

  std::string Text() const override {
    if (kind_ == Kind::kList) return index_ >= 0 ? items_[static_cast<std::size_t>(index_)] : "";
    return text_;
  }
  void Text(const std::string& text) override {
    if (kind_ == Kind::kList || kind_ == Kind::kPicture) return;
    const bool changed = text != text_;
    text_ = text;
    if (changed && kind_ == Kind::kTextBox) Change.Raise();
  }
  bool Enabled() const override { return enabled_; }
  void Enabled(bool enabled) override { enabled_ = enabled; }
  bool Visible() const override { return visible_; }
  void Visible(bool visible) override;
  bool Value() const override { return value_; }
  void Value(bool value) override;
  int Picture() const override { return picture_; }
  void Picture(int number) override {
    picture_ = number;
    transparentRgb_ = -1;
  }
  void TransparentPicture(int number, std::uint32_t transparentRgb) override {
    picture_ = number;
    transparentRgb_ = transparentRgb;
  }
  void SetFocus() override;
  bool HasFocus() const override;
  void SelectAll() override { allSelected_ = true; }
  form::TwipsRect Rect() const override { return rect_; }
  void Move(double left, double top) override {
    rect_.left = left;
    rect_.top = top;
  }
  void AddItem(const std::string& item) override { items_.push_back(item); }
  int ListCount() const override { return static_cast<int>(items_.size()); }
  std::string List(int index) const override { return items_.at(static_cast<std::size_t>(index)); }
  int ListIndex() const override { return index_; }
  void ListIndex(int index) override { index_ = index; }

  // What a user does. Each returns false when the control takes no input (disabled or hidden,
  // or its form disabled) and does nothing then.
  bool UserClick();
  // Enters the box (GotFocus), then types each character of `keys`, which replace the text the
  // entry selected; "\b" is Backspace, "\x1b" Escape.
  bool UserType(const std::string& keys);
  // Pastes `text` over the selected text or at the end, as a context menu would.
  bool UserPaste(const std::string& text);
  // Chooses the list's item of that index with a click in the open list.
  bool UserChoose(int index);

  Kind ControlKind() const { return kind_; }
  const std::string& Group() const { return group_; }
  std::int64_t TransparentRgb() const { return transparentRgb_; }
  void Place(const form::TwipsRect& rect) { rect_ = rect; }
  // Another option button of the frame was selected: no event.
  void ClearOption();

 private:
  bool TakesInput() const;

  RecordingForm& form_;
  Kind kind_;
  std::string group_;
  std::string text_;
  bool enabled_ = true;
  bool visible_ = true;
  bool value_ = false;
  int picture_ = 0;
  std::int64_t transparentRgb_ = -1;
  bool allSelected_ = false;
  form::TwipsRect rect_;
  std::vector<std::string> items_;
  int index_ = -1;
};

class RecordingForm : public form::Form {
 public:
  explicit RecordingForm(form::FormKind kind);

  RecordingControl& Get(std::string_view name) {
    const auto found = controls_.find(name);
    if (found == controls_.end()) throw std::logic_error("no control " + std::string(name));
    return *found->second;
  }
  form::Control& Controls(std::string_view name) override { return Get(name); }
  std::string Caption() const override { return caption_; }
  void Caption(const std::string& caption) override { caption_ = caption; }
  void Show() override;
  void Hide() override { visible_ = false; }
  bool Visible() const override { return visible_; }
  void ShowModal() override;
  void BringToFront() override { ++broughtToFront; }
  void Enabled(bool enabled) override { enabled_ = enabled; }
  void Close() override { RequestClose(form::CloseReason::kCode); }
  form::TwipsRect Rect() const override { return rect_; }
  void Move(double left, double top) override {
    rect_.left = left;
    rect_.top = top;
  }
  form::TwipsRect WorkArea() const override { return workArea; }
  bool OnAnyWorkArea(const form::TwipsRect& rect) const override {
    return rect.left < workArea.left + workArea.width && rect.left + rect.width > workArea.left &&
           rect.top < workArea.top + workArea.height && rect.top + rect.height > workArea.top;
  }
  WindowHandle NativeHandle() override { return handle; }
  WindowHandle Owner(WindowHandle owner) override { return std::exchange(owner_, owner); }

  // A close asked by the user (close box, Escape) or by the owner going; returns whether the form
  // closed.
  bool RequestClose(form::CloseReason reason);

  bool TakesInput() const { return enabled_ && visible_; }
  void ClearOtherOptions(const RecordingControl& chosen);
  WindowHandle CurrentOwner() const { return owner_; }
  RecordingControl* focus = nullptr;
  form::TwipsRect workArea{0, 0, 28800, 21600};
  WindowHandle handle = 0;
  int broughtToFront = 0;
  // Runs while the form is shown modal; the form closes after it unless it closed itself.
  std::function<void(RecordingForm&)> whileModal;

 private:
  RecordingControl& Add(const std::string& name, Kind kind, const std::string& text,
                        form::TwipsRect rect, std::string group = {});

  std::map<std::string, std::unique_ptr<RecordingControl>, std::less<>> controls_;
  std::string caption_;
  bool visible_ = false;
  bool enabled_ = true;
  form::TwipsRect rect_{0, 0, 6195, 4350};
  WindowHandle owner_ = 0;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Makes recording forms and keeps track of each, with a chosen number format.
class RecordingFactory : public form::FormFactory {
 public:
  std::unique_ptr<form::Form> CreateForm(form::FormKind kind) override {
    auto form = std::make_unique<RecordingForm>(kind);
    form->handle = static_cast<WindowHandle>(1000 + made.size());
    made.push_back(form.get());
    if (kind == form::FormKind::kSledwayHelp && whileHelpShown) form->whileModal = whileHelpShown;
    return form;
  }
  form::NumberLocale Locale() override { return locale; }
  std::vector<std::uint8_t> ButtonIconPng(int number) override {
    if (number == form::kIconStandard || number == form::kIconLarge) {
      return {0x89, 'P', 'N', 'G', static_cast<std::uint8_t>(number)};
    }
    return {};
  }

  form::NumberLocale locale;
  std::vector<RecordingForm*> made;  // only valid while their owners keep them
  std::function<void(RecordingForm&)> whileHelpShown;
};

}  // namespace sledway::test
