// The tool window's design: where its controls sit (in twips), their captions and initial state.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <array>
#include <initializer_list>

#include "ui/qt/designs.hpp"
#include "ui/qt/twips.hpp"

namespace sledway::qtface {
namespace {

constexpr double kPictureButtonTwips = 405.0;

QLabel* Caption(QWidget* parent, const char* name, const QString& text, double left, double top,
                double width) {
  return Place(new QLabel(text, parent), name, left, top, width, 255);
}

QToolButton* PictureButton(QWidget* parent, const char* name, double left, double top) {
  auto* button = new QToolButton(parent);
  button->setIconSize(QSize(24, 24));
  return Place(button, name, left, top, kPictureButtonTwips, kPictureButtonTwips);
}

// The pressed look of a slot button: a sunken picture box of the same size, which keeps the focus
// for a slot pressed from the keyboard.
QLabel* PressedPicture(QWidget* parent, const char* name) {
  auto* picture = new ClickLabel(parent);
  picture->setFocusPolicy(Qt::ClickFocus);
  picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture->setAlignment(Qt::AlignCenter);
  picture->setObjectName(QString::fromLatin1(name));
  picture->resize(TwipsRect(*picture, 0, 0, kPictureButtonTwips, kPictureButtonTwips).size());
  picture->hide();
  return picture;
}

QToolButton* FlipToggle(QWidget* parent, const char* name, double left, double top) {
  QToolButton* toggle = PictureButton(parent, name, left, top);
  toggle->setCheckable(true);
  toggle->setEnabled(false);
  return toggle;
}

TextBox* NumberBox(QWidget* parent, const char* name, const QString& text, double left, double top,
                   double width) {
  auto* box = new TextBox(parent);
  box->SetTextFromCode(text);
  return Place(box, name, left, top, width, 285);
}

QGroupBox* Frame(QWidget* parent, const char* name, const QString& title, double left, double top,
                 double width, double height) {
  return Place(new QGroupBox(title, parent), name, left, top, width, height);
}

}  // namespace

std::unique_ptr<FormDialog> BuildPathForm() {
  auto dialog = std::make_unique<FormDialog>();
  FormDialog* const self = dialog.get();
  self->setWindowTitle(QStringLiteral("Sledway 2.0"));
  QFont font(QStringLiteral("Verdana"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  self->setFont(font);
  self->setFixedSize(TwipsRect(*self, 0, 0, 6075, 3930).size());

  QGroupBox* Frame1 = Frame(self, "Frame1", QStringLiteral("Path"), 120, 60, 2760, 1500);
  PictureButton(Frame1, "cmdSelect_0", 180, 300);
  PressedPicture(Frame1, "picSelect_0");
  Caption(Frame1, "lblSelect_0", QStringLiteral("Path"), 690, 375, 1400);
  FlipToggle(Frame1, "chkSelect_3", 2220, 300);
  auto* chkHide =
      Place(new QCheckBox(QStringLiteral("Hide"), Frame1), "chkHide", 180, 810, 1500, 285);
  chkHide->setChecked(true);
  Caption(Frame1, "Label2", QStringLiteral("Length: "), 180, 1170, 780);
  Caption(Frame1, "lblLength", QString(), 960, 1170, 1740);

  QGroupBox* Frame2 = Frame(self, "Frame2", QStringLiteral("Component"), 120, 1620, 2760, 1620);
  PictureButton(Frame2, "cmdSelect_1", 180, 300);
  PressedPicture(Frame2, "picSelect_1");
  Caption(Frame2, "lblSelect_1", QStringLiteral("Follow point"), 690, 375, 1950);
  PictureButton(Frame2, "cmdSelect_2", 180, 900);
  PressedPicture(Frame2, "picSelect_2");
  Caption(Frame2, "lblSelect_2", QStringLiteral("Tangent edge/axis"), 690, 975, 1500);
  FlipToggle(Frame2, "chkSelect_4", 2220, 900);

  QGroupBox* Frame3 = Frame(self, "Frame3", QStringLiteral("Increment"), 3000, 60, 2955, 1260);
  Caption(Frame3, "lblMove", QStringLiteral("Steps:"), 150, 345, 960);
  NumberBox(Frame3, "txtSteps", QString(), 1140, 300, 855);
  Caption(Frame3, "Label3", QStringLiteral("Step size:"), 150, 660, 960);
  Caption(Frame3, "lblInc", QString(), 1140, 660, 1740);
  Caption(Frame3, "Label1", QStringLiteral("Delay:"), 150, 945, 960);
  NumberBox(Frame3, "txtPause", QStringLiteral("0.0"), 1140, 900, 855);

  QGroupBox* Frame5 = Frame(self, "Frame5", QStringLiteral("Drive"), 3000, 1380, 2955, 1080);
  Place(new ChoiceList(Frame5), "cboParams", 150, 285, 2655, 315);
  QLabel* lblFrom = Caption(Frame5, "lblFrom", QStringLiteral("From:"), 150, 705, 600);
  TextBox* txtDriveFrom = NumberBox(Frame5, "txtDriveFrom", QStringLiteral("0"), 750, 660, 720);
  QLabel* lblTo = Caption(Frame5, "lblTo", QStringLiteral("To:"), 1590, 705, 420);
  TextBox* txtDriveTo = NumberBox(Frame5, "txtDriveTo", QStringLiteral("10"), 2010, 660, 795);
  for (QWidget* drive : std::initializer_list<QWidget*>{lblFrom, txtDriveFrom, lblTo, txtDriveTo}) {
    drive->setEnabled(false);
  }

  QGroupBox* Frame4 = Frame(self, "Frame4", QStringLiteral("Repetitions"), 3000, 2520, 2955, 780);
  NumberBox(Frame4, "txtReps", QString(), 150, 330, 600);
  auto* optRep0 =
      Place(new QRadioButton(QStringLiteral("Start/End"), Frame4), "optRep_0", 900, 255, 1950, 255);
  Place(new QRadioButton(QStringLiteral("Start/End/Start"), Frame4), "optRep_1", 900, 495, 1950,
        255);
  optRep0->setChecked(true);

  QToolButton* cmdHelp = PictureButton(self, "cmdHelp", 120, 3390);
  cmdHelp->setIconSize(QSize(18, 18));
  const char* const names[] = {"cmdControl_0", "cmdControl_1", "cmdControl_2"};
  const QString captions[] = {QStringLiteral("Position"), QStringLiteral("Run"),
                              QStringLiteral("Cancel")};
  std::array<QPushButton*, 3> cmdControl{};
  for (int i = 0; i < 3; ++i) {
    cmdControl[i] =
        Place(new QPushButton(captions[i], self), names[i], 3000 + i * 1005, 3420, 945, 375);
    // No button answers Enter: a number box keeps it.
    cmdControl[i]->setAutoDefault(false);
  }
  cmdControl[1]->setEnabled(false);
  return dialog;
}

}  // namespace sledway::qtface
