#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>

#include "host/application.hpp"
#include "host/document.hpp"
#include "host/event.hpp"
#include "path/path_definition.hpp"
#include "select/select_path.hpp"
#include "ui/selection_slots.hpp"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace sledway {

class NumericTextBox;

// The tool window: a modeless dialog, owned by the host's main window, that collects the path,
// the follow point and the tangent line in three selection slots, edits the run settings and
// drives the follow component with "Position" and "Run". Its controls carry the names the
// window's handlers use (cmdSelect_0, txtSteps, cboParams...) as object names.
//
// Set-up runs when the window is first shown; closing it (its close box or "Cancel") saves its
// position, gives it back its previous owner, raises EndSession and deletes the window.
class frmPath : public QDialog {
 public:
  explicit frmPath(QWidget* parent = nullptr);
  ~frmPath() override;

  // Stored once: a later set is ignored.
  void IVApp(const Ref<IVApplication>& app);
  Ref<IVApplication> IVApp() const { return m_IVApp; }

  // The window's path definition: created at set-up, released at close.
  const Ref<CPath>& PathDefinition() const { return m_oPath; }

  // The window has closed.
  Event<> EndSession;

  void setVisible(bool visible) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Escape closes the window the way its close box does.
  void reject() override;

 private:
  void CreateControls();
  void ConnectHandlers();
  // Runs a control's handler, its failures shown to the user.
  template <class Handler>
  void Handle(Handler&& handler);

  void Form_Load();
  void Form_Unload();
  void RestoreWindowPosition();
  void SaveWindowPosition();
  void FillParameterList();
  void SetSlotPictures();

  void cmdSelect_Click(int Index);
  void picSelect_Click(int Index);
  void chkSelect_Click(int Index);
  void chkHide_Click();
  void cmdHelp_Click();
  void cmdControl_Click(int Index);
  void optRep_Click(int Index);
  void cboParams_Click();

  // Starts the pick of a selection slot after stopping the one that runs.
  void PickSlot(SelectionSlot slot);
  void StopRunningPick();
  void m_oSelect_SelectionComplete(long SelectType);
  void EndSlotPick(int Index, bool bSuccess);

  void Position();
  void Run();

  // The change handlers of the number boxes.
  void txtDriveFrom_Change();
  void txtDriveTo_Change();
  void txtPause_Change();
  void txtReps_Change();
  void txtSteps_Change();
  // lblInc: the path length divided by the steps; empty for no steps.
  void ShowStepSize();
  QString FormatLength(double length, int decimals) const;

  Ref<IVApplication> m_IVApp;
  Ref<IVAssemblyDocument> m_oAsmDoc;
  Ref<CPath> m_oPath;
  std::unique_ptr<CSelectPath> m_oSelect;
  Connection m_cSelectionComplete;
  WId m_previousOwner = 0;
  bool m_bSlotUpdate = false;
  bool m_bLoaded = false;
  // A run or a positioning is under way: the window takes no input, and a close waits for it.
  bool m_bMoving = false;
  bool m_bCloseWhenStill = false;

  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QGroupBox* Frame4 = nullptr;
  QGroupBox* Frame5 = nullptr;
  std::array<QToolButton*, 3> cmdSelect{};
  std::array<QLabel*, 3> picSelect{};
  std::array<QLabel*, 3> lblSelect{};
  // Indexes 3 (flip path) and 4 (flip edge); 0 to 2 stay empty.
  std::array<QToolButton*, 5> chkSelect{};
  QCheckBox* chkHide = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* lblLength = nullptr;
  QLabel* lblMove = nullptr;
  QLabel* lblInc = nullptr;
  QLabel* lblFrom = nullptr;
  QLabel* lblTo = nullptr;
  NumericTextBox* txtSteps = nullptr;
  NumericTextBox* txtPause = nullptr;
  NumericTextBox* txtDriveFrom = nullptr;
  NumericTextBox* txtDriveTo = nullptr;
  NumericTextBox* txtReps = nullptr;
  QComboBox* cboParams = nullptr;
  std::array<QRadioButton*, 2> optRep{};
  QToolButton* cmdHelp = nullptr;
  std::array<QPushButton*, 3> cmdControl{};
};

}  // namespace sledway
