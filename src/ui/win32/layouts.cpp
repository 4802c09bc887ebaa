#include "ui/win32/layouts.hpp"

#include "ui/form/picture_numbers.hpp"

namespace sledway::win32 {
namespace {

using enum ControlKind;

// The slot buttons, their pressed pictures and the flip toggles are square.
constexpr double kSlot = 405;

// The designs below list each control's name, kind, container, caption and place, then what
// differs from a plain enabled, visible control in Verdana.
class Builder {
 public:
  explicit Builder(FormDesign& design) : design_(design) {}

  Builder& operator()(const char* name, ControlKind kind, const char* container,
                      const std::string& caption, double left, double top, double width,
                      double height) {
    ControlDesign control;
    control.name = name;
    control.kind = kind;
    control.container = container;
    control.caption = caption;
    control.left = left;
    control.top = top;
    control.width = width;
    control.height = height;
    design_.controls.push_back(control);
    return *this;
  }
  Builder& Picture(int number) { return Last().picture = number, *this; }
  Builder& Disabled() { return Last().enabled = false, *this; }
  Builder& Hidden() { return Last().visible = false, *this; }
  Builder& Set() { return Last().value = true, *this; }
  Builder& Wraps() { return Last().wraps = true, *this; }
  Builder& Arial(double points, bool bold, bool underline) {
    ControlDesign& control = Last();
    control.fontFace = L"Arial";
    control.fontPoints = points;
    control.bold = bold;
    control.underline = underline;
    return *this;
  }

 private:
  ControlDesign& Last() { return design_.controls.back(); }
  FormDesign& design_;
};

FormDesign PathDesign() {
  FormDesign design{"Sledway 2.0", 6075, 3930, {}};
  Builder add(design);
  add("Frame1", kFrame, "", "Path", 120, 60, 2760, 1500);
  add("cmdSelect_0", kPictureButton, "Frame1", "", 180, 300, kSlot, kSlot)
      .Picture(form::kPictureSlotToPick);
  add("picSelect_0", kSunkenPictureBox, "Frame1", "", 180, 300, kSlot, kSlot).Hidden();
  add("lblSelect_0", kLabel, "Frame1", "Path", 690, 375, 1400, 255);
  add("chkSelect_3", kToggle, "Frame1", "", 2220, 300, kSlot, kSlot)
      .Picture(form::kPictureFlip)
      .Disabled();
  add("chkHide", kCheckBox, "Frame1", "Hide", 180, 810, 1500, 285).Set();
  add("Label2", kLabel, "Frame1", "Length: ", 180, 1170, 780, 255);
  add("lblLength", kLabel, "Frame1", "", 960, 1170, 1740, 255);

  add("Frame2", kFrame, "", "Component", 120, 1620, 2760, 1620);
  add("cmdSelect_1", kPictureButton, "Frame2", "", 180, 300, kSlot, kSlot)
      .Picture(form::kPictureSlotToPick);
  add("picSelect_1", kSunkenPictureBox, "Frame2", "", 180, 300, kSlot, kSlot).Hidden();
  add("lblSelect_1", kLabel, "Frame2", "Follow point", 690, 375, 1950, 255);
  add("cmdSelect_2", kPictureButton, "Frame2", "", 180, 900, kSlot, kSlot)
      .Picture(form::kPictureSlotOptional);
  add("picSelect_2", kSunkenPictureBox, "Frame2", "", 180, 900, kSlot, kSlot).Hidden();
  // Two lines high: where the face's font is wider than the design's, the caption wraps beside
  // the flip toggle instead of being cut.
  add("lblSelect_2", kLabel, "Frame2", "Tangent edge/axis", 690, 975, 1500, 510).Wraps();
  add("chkSelect_4", kToggle, "Frame2", "", 2220, 900, kSlot, kSlot)
      .Picture(form::kPictureFlip)
      .Disabled();

  add("Frame3", kFrame, "", "Increment", 3000, 60, 2955, 1260);
  add("lblMove", kLabel, "Frame3", "Steps:", 150, 345, 960, 255);
  add("txtSteps", kTextBox, "Frame3", "", 1140, 300, 855, 285);
  add("Label3", kLabel, "Frame3", "Step size:", 150, 660, 960, 255);
  add("lblInc", kLabel, "Frame3", "", 1140, 660, 1740, 255);
  add("Label1", kLabel, "Frame3", "Delay:", 150, 945, 960, 255);
  add("txtPause", kTextBox, "Frame3", "0.0", 1140, 900, 855, 285);

  add("Frame5", kFrame, "", "Drive", 3000, 1380, 2955, 1080);
  add("cboParams", kComboBox, "Frame5", "", 150, 285, 2655, 315);
  add("lblFrom", kLabel, "Frame5", "From:", 150, 705, 600, 255).Disabled();
  add("txtDriveFrom", kTextBox, "Frame5", "0", 750, 660, 720, 285).Disabled();
  add("lblTo", kLabel, "Frame5", "To:", 1590, 705, 420, 255).Disabled();
  add("txtDriveTo", kTextBox, "Frame5", "10", 2010, 660, 795, 285).Disabled();

  add("Frame4", kFrame, "", "Repetitions", 3000, 2520, 2955, 780);
  add("txtReps", kTextBox, "Frame4", "", 150, 330, 600, 285);
  add("optRep_0", kOption, "Frame4", "Start/End", 900, 255, 1950, 255).Set();
  add("optRep_1", kOption, "Frame4", "Start/End/Start", 900, 495, 1950, 255);

  add("cmdHelp", kPictureButton, "", "", 120, 3390, kSlot, kSlot).Picture(form::kPictureHelp);
  add("cmdControl_0", kButton, "", "Position", 3000, 3420, 945, 375);
  add("cmdControl_1", kButton, "", "Run", 4005, 3420, 945, 375).Disabled();
  add("cmdControl_2", kButton, "", "Cancel", 5010, 3420, 945, 375);
  return design;
}

FormDesign SledwayHelpDesign() {
  FormDesign design{std::string(" ") + SLEDWAY_MAKER + " Sledway", 6270, 6285, {}};
  Builder add(design);
  add("picLogo", kPictureBox, "", "", 300, 240, 855, 840).Picture(form::kPictureLogo).Hidden();
  add("picViz", kPictureBox, "", "", 300, 240, 855, 840);
  add("lblTitle", kLabel, "", "Sledway", 1380, 300, 4590, 375).Arial(12, true, false);
  add("lblMaker", kLabel, "", SLEDWAY_MAKER, 1380, 750, 4590, 285);
  add("lb1", kLabel, "", "Notes:", 300, 1260, 2000, 255);
  add("txtHelp", kNotes, "", "", 300, 1530, 5670, 3480);
  add("Label3", kLabel, "", "Comments and suggestions to: ", 300, 5190, 2640, 255);
  // A little apart from the label before it, whose text may fill its whole width.
  add("lblEmail", kLabel, "", SLEDWAY_CONTACT, 3030, 5190, 2940, 255).Arial(8.25, false, true);
  add("cmdClose", kButton, "", "Close", 4860, 5700, 1110, 375);
  return design;
}

}  // namespace

const FormDesign& Design(form::FormKind kind) {
  static const FormDesign path = PathDesign();
  static const FormDesign help = SledwayHelpDesign();
  return kind == form::FormKind::kPath ? path : help;
}

}  // namespace sledway::win32
