#include "recording_form.hpp"

namespace sledway::test {

void RecordingControl::Visible(bool visible) {
  visible_ = visible;
  // The toolkit moves the focus on from a control it hides; where to is its own affair.
  if (!visible && form_.focus == this) form_.focus = nullptr;
}

void RecordingControl::Value(bool value) {
  if (value == value_) return;
  value_ = value;
  if (kind_ == Kind::kOption && value) form_.ClearOtherOptions(*this);
  if (kind_ != Kind::kOption || value) Click.Raise();
}

void RecordingControl::ClearOption() {
  value_ = false;
}

void RecordingControl::SetFocus() {
  if (!visible_ || !enabled_) return;
  const bool entering = form_.focus != this;
  form_.focus = this;
  if (entering && kind_ == Kind::kTextBox) GotFocus.Raise();
}

bool RecordingControl::HasFocus() const {
  return form_.focus == this;
}

bool RecordingControl::TakesInput() const {
  return enabled_ && visible_ && form_.TakesInput();
}

bool RecordingControl::UserClick() {
  if (!TakesInput()) return false;
  switch (kind_) {
    case Kind::kToggle:
    case Kind::kCheckBox:
      Value(!value_);
      return true;
    case Kind::kOption:
      Value(true);
      return true;
    default:
      Click.Raise();
      return true;
  }
}

bool RecordingControl::UserType(const std::string& keys) {
  if (!TakesInput()) return false;
  allSelected_ = false;
  if (form_.focus != this) SetFocus();
  for (const char key : keys) {
    int KeyAscii = static_cast<unsigned char>(key);
    KeyPress.Raise(KeyAscii);
    if (KeyAscii == 0) continue;
    if (KeyAscii == form::kKeyEscape) {
      form_.RequestClose(form::CloseReason::kUser);
      return true;
    }
    std::string text = allSelected_ ? std::string() : text_;
    allSelected_ = false;
    if (KeyAscii == form::kKeyBackspace) {
      if (!text.empty()) text.pop_back();
    } else {
      text += static_cast<char>(KeyAscii);
    }
    if (text != text_) {
      text_ = text;
      Change.Raise();
    }
  }
  return true;
}

bool RecordingControl::UserPaste(const std::string& text) {
  if (!TakesInput()) return false;
  // What the entry selected is replaced.
  form::TextInsertion insertion{allSelected_ ? std::string() : text_, "", text};
  allSelected_ = false;
  Insert.Raise(insertion);
  if (insertion.before + insertion.text != text_) {
    text_ = insertion.before + insertion.text;
    Change.Raise();
  }
  return true;
}

bool RecordingControl::UserChoose(int index) {
  if (!TakesInput()) return false;
  index_ = index;
  Click.Raise();
  return true;
}

RecordingForm::RecordingForm(form::FormKind kind) {
  if (kind == form::FormKind::kSledwayHelp) {
    caption_ = " Sledway";
    rect_ = {0, 0, 6390, 6705};
    Add("picViz", Kind::kPicture, "", {300, 240, 855, 840});
    for (const char* label : {"lblTitle", "lblMaker", "lblEmail"}) Add(label, Kind::kLabel, "", {});
    Get("lblTitle").Text("Sledway");
    Add("txtHelp", Kind::kTextBox, "", {});
    Add("cmdClose", Kind::kButton, "Close", {});
    return;
  }
  caption_ = "Sledway 2.0";
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i);
    Add("cmdSelect_" + n, Kind::kButton, "", {180, 300.0 + (i == 2 ? 600.0 : 0.0), 405, 405});
    Add("picSelect_" + n, Kind::kPicture, "", {0, 0, 405, 405}).Visible(false);
    Add("cmdControl_" + n, Kind::kButton,
        i == 0   ? "Position"
        : i == 1 ? "Run"
                 : "Cancel",
        {3000.0 + i * 1005, 3420, 945, 375});
  }
  Get("cmdControl_1").Enabled(false);
  for (const char* toggle : {"chkSelect_3", "chkSelect_4"}) {
    Add(toggle, Kind::kToggle, "", {2220, 300, 405, 405}).Enabled(false);
  }
  Add("chkHide", Kind::kCheckBox, "Hide", {}).Value(true);
  for (const char* label : {"lblLength", "lblInc"}) Add(label, Kind::kLabel, "", {});
  Add("lblFrom", Kind::kLabel, "From:", {}).Enabled(false);
  Add("lblTo", Kind::kLabel, "To:", {}).Enabled(false);
  Add("txtSteps", Kind::kTextBox, "", {});
  Add("txtReps", Kind::kTextBox, "", {});
  Add("txtPause", Kind::kTextBox, "0.0", {});
  Add("txtDriveFrom", Kind::kTextBox, "0", {}).Enabled(false);
  Add("txtDriveTo", Kind::kTextBox, "10", {}).Enabled(false);
  Add("cboParams", Kind::kList, "", {});
  Add("optRep_0", Kind::kOption, "Start/End", {}, "Frame4").Value(true);
  Add("optRep_1", Kind::kOption, "Start/End/Start", {}, "Frame4");
  Add("cmdHelp", Kind::kButton, "", {});
}

RecordingControl& RecordingForm::Add(const std::string& name, Kind kind, const std::string& text,
                                     form::TwipsRect rect, std::string group) {
  auto control = std::make_unique<RecordingControl>(*this, kind, std::move(group));
  control->Text(text);
  control->Place(rect);
  return *controls_.emplace(name, std::move(control)).first->second;
}

void RecordingForm::ClearOtherOptions(const RecordingControl& chosen) {
  for (const auto& [name, control] : controls_) {
    if (control.get() != &chosen && control->ControlKind() == Kind::kOption &&
        control->Group() == chosen.Group()) {
      control->ClearOption();
    }
  }
}

void RecordingForm::Show() {
  const bool activating = !visible_;
  visible_ = true;
  if (activating) Activate.Raise();
}

void RecordingForm::ShowModal() {
  Show();
  if (whileModal) whileModal(*this);
  if (visible_) RequestClose(form::CloseReason::kUser);
}

bool RecordingForm::RequestClose(form::CloseReason reason) {
  bool cancel = false;
  // Whoever hears the close may drop the form.
  const std::weak_ptr<bool> alive = alive_;
  Unload.Raise(reason, cancel);
  if (alive.expired()) return true;
  if (cancel && reason != form::CloseReason::kOwner) return false;
  visible_ = false;
  focus = nullptr;
  return true;
}

}  // namespace sledway::test
