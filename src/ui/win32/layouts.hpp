#pragma once

#include <string>
#include <vector>

#include "ui/form/form_factory.hpp"

namespace sledway::win32 {

// The kinds of control the add-in's windows are made of.
enum class ControlKind {
  kFrame,          // a group box with a caption
  kLabel,          // static text, which reports a click
  kButton,         // a push button with a caption
  kPictureButton,  // a push button showing a picture
  kToggle,         // a push button showing a picture that stays pressed (a graphical check box)
  kCheckBox,
  kOption,  // an option button; selecting one clears the others of its frame
  kTextBox,
  kNotes,  // a read-only text box of several lines with a scroll bar
  kComboBox,
  kPictureBox,        // a flat picture
  kSunkenPictureBox,  // a picture in a sunken border: a picture button's pressed look
};

// One control as the window's design gives it: its place in twips within its container (a frame,
// or the form's client area when `container` is empty), its caption or text, and its first state.
struct ControlDesign {
  std::string name;
  ControlKind kind = ControlKind::kLabel;
  std::string container;
  std::string caption;
  double left = 0, top = 0, width = 0, height = 0;
  int picture = 0;
  bool enabled = true;
  bool visible = true;
  bool value = false;
  // A label whose caption wraps onto its next line where the face's font is too wide for one.
  bool wraps = false;
  // The font: the form's Verdana 8.25 pt unless another face is given.
  std::wstring fontFace;
  double fontPoints = 8.25;
  bool bold = false;
  bool underline = false;
};

struct FormDesign {
  std::string caption;
  double clientWidth = 0, clientHeight = 0;  // twips
  std::vector<ControlDesign> controls;
};

// The tool window (frmPath) and the about window (frmSledwayHelp) as designed.
const FormDesign& Design(form::FormKind kind);

}  // namespace sledway::win32
