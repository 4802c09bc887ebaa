// The tool window's controls: where they sit (in twips), their captions and initial state, and
// which handler each one calls.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "ui/frm_path.hpp"
#include "ui/numeric_text_box.hpp"
#include "ui/pictures.hpp"
#include "ui/report_failure.hpp"
#include "ui/twips.hpp"

namespace sledway {
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

// The pressed look of a slot button: a sunken picture box of the same size.
QLabel* PressedPicture(QWidget* parent, const char* name) {
  auto* picture = new QLabel(parent);
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

NumericTextBox* NumberBox(QWidget* parent, const char* name, NumericTextBox::Keys keys,
                          const QString& text, double left, double top, double width) {
  auto* box = new NumericTextBox(keys, parent);
  box->setText(text);
  return Place(box, name, left, top, width, 285);
}

QGroupBox* Frame(QWidget* parent, const char* name, const QString& title, double left, double top,
                 double width, double height) {
  return Place(new QGroupBox(title, parent), name, left, top, width, height);
}

}  // namespace

void frmPath::CreateControls() {
  setWindowTitle(QStringLiteral("Sledway 2.0"));
  QFont font(QStringLiteral("Verdana"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  setFont(font);
  setFixedSize(TwipsRect(*this, 0, 0, 6075, 3930).size());

  Frame1 = Frame(this, "Frame1", QStringLiteral("Path"), 120, 60, 2760, 1500);
  cmdSelect[0] = PictureButton(Frame1, "cmdSelect_0", 180, 300);
  picSelect[0] = PressedPicture(Frame1, "picSelect_0");
  lblSelect[0] = Caption(Frame1, "lblSelect_0", QStringLiteral("Path"), 690, 375, 1400);
  chkSelect[3] = FlipToggle(Frame1, "chkSelect_3", 2220, 300);
  chkHide = Place(new QCheckBox(QStringLiteral("Hide"), Frame1), "chkHide", 180, 810, 1500, 285);
  chkHide->setChecked(true);
  Label2 = Caption(Frame1, "Label2", QStringLiteral("Length: "), 180, 1170, 780);
  lblLength = Caption(Frame1, "lblLength", QString(), 960, 1170, 1740);

  Frame2 = Frame(this, "Frame2", QStringLiteral("Component"), 120, 1620, 2760, 1620);
  cmdSelect[1] = PictureButton(Frame2, "cmdSelect_1", 180, 300);
  picSelect[1] = PressedPicture(Frame2, "picSelect_1");
  lblSelect[1] = Caption(Frame2, "lblSelect_1", QStringLiteral("Follow point"), 690, 375, 1950);
  cmdSelect[2] = PictureButton(Frame2, "cmdSelect_2", 180, 900);
  picSelect[2] = PressedPicture(Frame2, "picSelect_2");
  lblSelect[2] =
      Caption(Frame2, "lblSelect_2", QStringLiteral("Tangent edge/axis"), 690, 975, 1500);
  chkSelect[4] = FlipToggle(Frame2, "chkSelect_4", 2220, 900);

  Frame3 = Frame(this, "Frame3", QStringLiteral("Increment"), 3000, 60, 2955, 1260);
  lblMove = Caption(Frame3, "lblMove", QStringLiteral("Steps:"), 150, 345, 960);
  txtSteps =
      NumberBox(Frame3, "txtSteps", NumericTextBox::Keys::kInteger, QString(), 1140, 300, 855);
  Label3 = Caption(Frame3, "Label3", QStringLiteral("Step size:"), 150, 660, 960);
  lblInc = Caption(Frame3, "lblInc", QString(), 1140, 660, 1740);
  Label1 = Caption(Frame3, "Label1", QStringLiteral("Delay:"), 150, 945, 960);
  txtPause = NumberBox(Frame3, "txtPause", NumericTextBox::Keys::kDecimal, QStringLiteral("0.0"),
                       1140, 900, 855);

  Frame5 = Frame(this, "Frame5", QStringLiteral("Drive"), 3000, 1380, 2955, 1080);
  cboParams = Place(new QComboBox(Frame5), "cboParams", 150, 285, 2655, 315);
  lblFrom = Caption(Frame5, "lblFrom", QStringLiteral("From:"), 150, 705, 600);
  txtDriveFrom = NumberBox(Frame5, "txtDriveFrom", NumericTextBox::Keys::kDecimal,
                           QStringLiteral("0"), 750, 660, 720);
  lblTo = Caption(Frame5, "lblTo", QStringLiteral("To:"), 1590, 705, 420);
  txtDriveTo = NumberBox(Frame5, "txtDriveTo", NumericTextBox::Keys::kDecimal, QStringLiteral("10"),
                         2010, 660, 795);
  for (QWidget* drive : std::initializer_list<QWidget*>{lblFrom, txtDriveFrom, lblTo, txtDriveTo}) {
    drive->setEnabled(false);
  }

  Frame4 = Frame(this, "Frame4", QStringLiteral("Repetitions"), 3000, 2520, 2955, 780);
  txtReps = NumberBox(Frame4, "txtReps", NumericTextBox::Keys::kInteger, QString(), 150, 330, 600);
  optRep[0] =
      Place(new QRadioButton(QStringLiteral("Start/End"), Frame4), "optRep_0", 900, 255, 1950, 255);
  optRep[1] = Place(new QRadioButton(QStringLiteral("Start/End/Start"), Frame4), "optRep_1", 900,
                    495, 1950, 255);
  optRep[0]->setChecked(true);

  cmdHelp = PictureButton(this, "cmdHelp", 120, 3390);
  cmdHelp->setIconSize(QSize(18, 18));
  const char* const names[] = {"cmdControl_0", "cmdControl_1", "cmdControl_2"};
  const QString captions[] = {QStringLiteral("Position"), QStringLiteral("Run"),
                              QStringLiteral("Cancel")};
  for (int i = 0; i < 3; ++i) {
    cmdControl[i] =
        Place(new QPushButton(captions[i], this), names[i], 3000 + i * 1005, 3420, 945, 375);
    // No button answers Enter: a number box keeps it.
    cmdControl[i]->setAutoDefault(false);
  }
  cmdControl[1]->setEnabled(false);
}

template <class Handler>
void frmPath::Handle(Handler&& handler) {
  // A window whose set-up failed only closes.
  if (!m_oPath) return;
  ReportingFailures(std::forward<Handler>(handler));
}

void frmPath::ConnectHandlers() {
  for (int i = 0; i < 3; ++i) {
    connect(cmdSelect[i], &QToolButton::clicked, this,
            [this, i] { Handle([&] { cmdSelect_Click(i); }); });
    picSelect[i]->installEventFilter(this);
    // "Cancel" closes also a window whose set-up failed.
    connect(cmdControl[i], &QPushButton::clicked, this,
            [this, i] { ReportingFailures([&] { cmdControl_Click(i); }); });
  }
  for (int i : {3, 4}) {
    connect(chkSelect[i], &QToolButton::toggled, this,
            [this, i] { Handle([&] { chkSelect_Click(i); }); });
  }
  connect(chkHide, &QCheckBox::toggled, this, [this] { Handle([&] { chkHide_Click(); }); });
  connect(cmdHelp, &QToolButton::clicked, this, [this] { Handle([&] { cmdHelp_Click(); }); });
  for (int i = 0; i < 2; ++i) {
    connect(optRep[i], &QRadioButton::toggled, this, [this, i](bool selected) {
      if (selected) Handle([&] { optRep_Click(i); });
    });
  }
  connect(cboParams, &QComboBox::activated, this, [this] { Handle([&] { cboParams_Click(); }); });
  const std::pair<NumericTextBox*, void (frmPath::*)()> changes[] = {
      {txtDriveFrom, &frmPath::txtDriveFrom_Change},
      {txtDriveTo, &frmPath::txtDriveTo_Change},
      {txtPause, &frmPath::txtPause_Change},
      {txtReps, &frmPath::txtReps_Change},
      {txtSteps, &frmPath::txtSteps_Change}};
  for (const auto& boxAndHandler : changes) {
    const auto change = boxAndHandler.second;
    connect(boxAndHandler.first, &QLineEdit::textChanged, this,
            [this, change] { Handle([&] { (this->*change)(); }); });
  }
}

}  // namespace sledway
