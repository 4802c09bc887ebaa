#include "ui/frm_path.hpp"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "common/reg_api.hpp"
#include "host/host_error.hpp"
#include "host/parameters.hpp"
#include "platform/desktop.hpp"
#include "platform/window_owner.hpp"
#include "platform/work_area.hpp"
#include "ui/format_length.hpp"
#include "ui/frm_sledway_help.hpp"
#include "ui/number_text.hpp"
#include "ui/numeric_text_box.hpp"
#include "ui/pictures.hpp"
#include "ui/report_failure.hpp"
#include "ui/run_sequences.hpp"
#include "ui/selection_slots.hpp"
#include "ui/twips.hpp"

namespace sledway {
namespace {

constexpr const char* kAppName = "Sledway";
constexpr const char* kSection = "Settings";
constexpr double kDefaultPositionTwips = 1000.0;

// A stored position in twips, as a single-precision number; the default when there is none or
// it holds no number.
double StoredPosition(const CRegAPI& registry, const char* key) {
  const RegValue value = registry.GetSetting(kAppName, kSection, key, kDefaultPositionTwips);
  return static_cast<float>(NumberIn(value).value_or(kDefaultPositionTwips));
}

}  // namespace

frmPath::frmPath(QWidget* parent) : QDialog(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  CreateControls();
  ConnectHandlers();
}

frmPath::~frmPath() = default;

void frmPath::IVApp(const Ref<IVApplication>& app) {
  if (!m_IVApp) m_IVApp = app;
}

void frmPath::setVisible(bool visible) {
  if (visible && !m_bLoaded) {
    m_bLoaded = true;
    ReportingFailures([this] { Form_Load(); });
  }
  QDialog::setVisible(visible);
}

void frmPath::Form_Load() {
  const auto document = As<IVAssemblyDocument>(m_IVApp->GetActiveDocument());
  if (!document) {
    throw HostError(hresult::kNoInterface, "the active document is not an assembly document");
  }
  m_oPath = std::make_shared<CPath>();
  m_oAsmDoc = document;
  txtSteps->setText(QStringLiteral("50"));
  txtReps->setText(QStringLiteral("1"));
  m_oPath->SES(false);
  m_oPath->HidePath(true);
  m_oPath->Pause(0.0);
  RestoreWindowPosition();
  FillParameterList();
  try {
    m_previousOwner = platform::SetWindowOwner(*this, m_IVApp->GetMainWindowHandle());
  } catch (...) {
    // The window works without an owner; it only loses staying above the host.
  }
  SetSlotPictures();
}

void frmPath::RestoreWindowPosition() {
  const CRegAPI registry;
  const double top = StoredPosition(registry, "Top");
  const double left = StoredPosition(registry, "Left");
  QPoint position(TwipsToPixelsX(*this, left), TwipsToPixelsY(*this, top));
  // A position saved on a screen that is gone would leave the window out of reach.
  if (!platform::OnAnyWorkArea(QRect(position, frameGeometry().size()))) {
    position = QPoint(TwipsToPixelsX(*this, kDefaultPositionTwips),
                      TwipsToPixelsY(*this, kDefaultPositionTwips));
  }
  move(position);
}

void frmPath::FillParameterList() {
  const auto document = As<IVAssemblyDocument>(m_IVApp->GetActiveDocument());
  if (!document) {
    throw HostError(hresult::kNoInterface, "the active document is not an assembly document");
  }
  const Ref<IVParameters> parameters = document->GetDefinition()->GetParameters();
  const Ref<IVParameterList> lists[] = {parameters->GetFirstList(), parameters->GetSecondList()};
  cboParams->addItem(QString());
  for (const Ref<IVParameterList>& list : lists) {
    for (int i = 1; i <= list->Count(); ++i) {
      const Ref<IVParameter> parameter = list->Item(i);
      if (parameter->Inputs()->Count() == 0) {
        cboParams->addItem(QString::fromStdString(parameter->Name()));
      }
    }
  }
}

void frmPath::SetSlotPictures() {
  cmdSelect[0]->setIcon(Picture(kPictureSlotToPick));
  cmdSelect[1]->setIcon(Picture(kPictureSlotToPick));
  cmdSelect[2]->setIcon(Picture(kPictureSlotOptional));
  chkSelect[3]->setIcon(Picture(kPictureFlip));
  chkSelect[4]->setIcon(Picture(kPictureFlip));
  chkSelect[3]->setIconSize(QSize(19, 21));
  chkSelect[4]->setIconSize(QSize(19, 21));
  cmdHelp->setIcon(Picture(kPictureHelp));
  for (int i = 0; i < 3; ++i) picSelect[i]->move(cmdSelect[i]->pos());
}

void frmPath::cmdSelect_Click(int Index) {
  cmdSelect[Index]->hide();
  picSelect[Index]->show();
  picSelect[Index]->setPixmap(cmdSelect[Index]->icon().pixmap(cmdSelect[Index]->iconSize()));
  PickSlot(static_cast<SelectionSlot>(Index));
}

void frmPath::picSelect_Click(int Index) {
  cmdSelect[Index]->show();
  picSelect[Index]->hide();
}

void frmPath::StopRunningPick() {
  if (!m_oSelect) return;
  // The stop reports SelectionComplete, which puts the stopped slot back to idle.
  m_oSelect->StopSelection();
  m_cSelectionComplete.Disconnect();
  m_oSelect.reset();
  platform::YieldToMessageLoop();
}

void frmPath::PickSlot(SelectionSlot slot) {
  StopRunningPick();
  const SlotPick& settings = SlotPickSettings(slot);
  const long number = static_cast<long>(slot);
  m_oSelect = std::make_unique<CSelectPath>();
  m_cSelectionComplete = m_oSelect->SelectionComplete.Connect([this](long& SelectType) {
    ReportingFailures([&] { m_oSelect_SelectionComplete(SelectType); });
  });
  m_oSelect->SelType(number);
  m_oSelect->Pick(m_IVApp, settings.filters, settings.getTangents, settings.single, number, m_oPath,
                  m_oPath->FollowComponent());
}

void frmPath::m_oSelect_SelectionComplete(long SelectType) {
  const int Index = static_cast<int>(SelectType);
  const Ref<IVEntityCollection> selected = m_oSelect ? m_oSelect->SelectedEntities() : nullptr;
  if (!selected || selected->Count() == 0) {
    EndSlotPick(Index, false);
    return;
  }
  // The pick has done its work; the window lets go of it while it is still reporting, which
  // the picker allows.
  m_cSelectionComplete.Disconnect();
  m_oSelect.reset();
  try {
    StoreSlotSelection(m_IVApp, *m_oPath, static_cast<SelectionSlot>(SelectType), selected);
  } catch (...) {
    EndSlotPick(Index, false);
    throw;
  }
  EndSlotPick(Index, true);
  if (static_cast<SelectionSlot>(SelectType) == SelectionSlot::kPath) {
    lblLength->setText(FormatLength(m_oPath->Length(), 2));
    ShowStepSize();
  }
}

void frmPath::EndSlotPick(int Index, bool bSuccess) {
  m_bSlotUpdate = true;
  if (bSuccess) {
    cmdSelect[Index]->setIcon(Picture(kPictureSlotPicked));
    if (Index == 0) chkSelect[3]->setEnabled(true);
    if (Index == 2) chkSelect[4]->setEnabled(true);
  }
  cmdSelect[Index]->show();
  picSelect[Index]->hide();
  m_bSlotUpdate = false;
}

void frmPath::chkSelect_Click(int Index) {
  if (m_bSlotUpdate) return;
  if (Index != 3 && Index != 4) return;
  StopRunningPick();
  if (Index == 3) m_oPath->FlipPath(chkSelect[3]->isChecked());
  if (Index == 4) m_oPath->FlipEdge(chkSelect[4]->isChecked());
}

void frmPath::chkHide_Click() {
  m_oPath->HidePath(chkHide->isChecked());
}

void frmPath::cmdHelp_Click() {
  frmSledwayHelp help(this);
  help.exec();
}

void frmPath::cmdControl_Click(int Index) {
  if (m_bMoving) return;
  if (Index != 2 && !m_oPath) return;
  switch (Index) {
    case 0:
      Position();
      return;
    case 1:
      Run();
      return;
    case 2:
      close();
      return;
    default:
      return;
  }
}

void frmPath::Position() {
  // The path definition outlives a close that comes while the host processes its messages.
  const Ref<CPath> path = m_oPath;
  m_bMoving = true;
  const MotionOutcome outcome = PositionAtStart(m_IVApp, m_oAsmDoc, *path);
  m_bMoving = false;
  if (outcome.moves == 1) cmdControl[1]->setEnabled(true);
  if (m_bCloseWhenStill) close();
}

void frmPath::Run() {
  const Ref<CPath> path = m_oPath;
  m_bMoving = true;
  hide();
  // Should the host's button show the window again during the run, it takes no input.
  setEnabled(false);
  RunPath(m_IVApp, m_oAsmDoc, *path);
  setEnabled(true);
  m_bMoving = false;
  show();
  if (m_bCloseWhenStill) close();
}

void frmPath::optRep_Click(int Index) {
  m_oPath->SES(Index == 1);
}

void frmPath::cboParams_Click() {
  const QString chosen = cboParams->currentText();
  if (chosen.isEmpty()) {
    for (QWidget* drive :
         std::initializer_list<QWidget*>{lblFrom, lblTo, txtDriveFrom, txtDriveTo}) {
      drive->setEnabled(false);
    }
    m_oPath->Driven("");
    m_oPath->DriveFrom(0.0);
    m_oPath->DriveTo(10.0);
    return;
  }
  for (QWidget* drive : std::initializer_list<QWidget*>{lblFrom, lblTo, txtDriveFrom, txtDriveTo}) {
    drive->setEnabled(true);
  }
  m_oPath->Driven(chosen.toStdString());
  Ref<IVParameter> parameter;
  try {
    parameter = m_oAsmDoc->GetDefinition()->GetParameters()->Item(chosen.toStdString());
  } catch (...) {
    // A parameter gone since the list was filled: Driven keeps its name, the values stay.
    return;
  }
  // Each statement on its own: one that fails is skipped and the next runs.
  try {
    m_oPath->DriveFrom(parameter->Value());
  } catch (...) {
  }
  try {
    m_oPath->DriveTo(parameter->Value() + 10.0);
  } catch (...) {
  }
  txtDriveFrom->setText(DoubleText(m_oPath->DriveFrom()));
  txtDriveTo->setText(DoubleText(m_oPath->DriveTo()));
  txtDriveFrom->setFocus();
}

void frmPath::txtDriveFrom_Change() {
  if (m_oPath) m_oPath->DriveFrom(TextToDouble(txtDriveFrom->text()));
}

void frmPath::txtDriveTo_Change() {
  if (m_oPath) m_oPath->DriveTo(TextToDouble(txtDriveTo->text()));
}

void frmPath::txtPause_Change() {
  if (m_oPath) m_oPath->Pause(TextToDouble(txtPause->text()));
}

void frmPath::txtReps_Change() {
  if (m_oPath) m_oPath->Reps(TextToLong(txtReps->text()));
}

void frmPath::txtSteps_Change() {
  if (!m_oPath) return;
  m_oPath->Steps(TextToLong(txtSteps->text()));
  ShowStepSize();
}

void frmPath::ShowStepSize() {
  const double length = m_oPath->Length();
  const double steps = TextToDouble(txtSteps->text());
  lblInc->setText(steps != 0.0 ? FormatLength(length / steps, 2) : QString());
}

QString frmPath::FormatLength(double length, int decimals) const {
  return sledway::FormatLength(*m_oAsmDoc, length, decimals);
}

bool frmPath::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    for (int i = 0; i < 3; ++i) {
      if (watched == picSelect[i]) {
        ReportingFailures([&] { picSelect_Click(i); });
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmPath::reject() {
  close();
}

void frmPath::closeEvent(QCloseEvent* event) {
  if (m_bMoving) {
    // The motion holds the window's path definition; the window closes once it ends.
    m_bCloseWhenStill = true;
    event->ignore();
    return;
  }
  m_bCloseWhenStill = false;
  ReportingFailures([this] { Form_Unload(); });
  // Closing is never refused. QDialog's own handler would go through reject(), which closes.
  event->accept();
}

void frmPath::Form_Unload() {
  // A pick left running would report to a window that is gone.
  if (m_oSelect) {
    m_cSelectionComplete.Disconnect();
    m_oSelect->StopSelection();
    m_oSelect.reset();
  }
  SaveWindowPosition();
  m_oPath.reset();
  m_oAsmDoc.reset();
  m_IVApp.reset();
  try {
    platform::SetWindowOwner(*this, m_previousOwner);
  } catch (...) {
  }
  EndSession.Raise();
}

void frmPath::SaveWindowPosition() {
  const CRegAPI registry;
  const QPoint position = frameGeometry().topLeft();
  registry.SaveSetting(
      kAppName, kSection, "Top",
      static_cast<double>(static_cast<float>(PixelsToTwipsY(*this, position.y()))));
  registry.SaveSetting(
      kAppName, kSection, "Left",
      static_cast<double>(static_cast<float>(PixelsToTwipsX(*this, position.x()))));
}

}  // namespace sledway
