#pragma once

#include <array>
#include <memory>
#include <vector>

#include "host/application.hpp"
#include "host/document.hpp"
#include "host/event.hpp"
#include "path/path_definition.hpp"
#include "select/select_path.hpp"
#include "ui/form/form_factory.hpp"
#include "ui/form/number_locale.hpp"
#include "ui/numeric_fields.hpp"
#include "ui/run_sequences.hpp"
#include "ui/selection_slots.hpp"

namespace sledway {

// The tool window: a modeless window, owned by the host's main window, that collects the path,
// the follow point and the tangent line in three selection slots, edits the run settings and
// drives the follow component with "Position" and "Run". Its handlers work on the form a face
// built (controls cmdSelect_0, txtSteps, cboParams...).
//
// Set-up runs when the window is first shown; closing it (its close box, Escape, "Cancel", or the
// host ending the session) saves its position, gives it back its previous owner, raises
// EndSession and releases the path definition. Held by shared_ptr: a handler keeps the window
// alive until it returns, so that whoever hears EndSession may let go of it at once.
class frmPath : public std::enable_shared_from_this<frmPath> {
 public:
  explicit frmPath(form::FormFactory& faces);
  ~frmPath();
  frmPath(const frmPath&) = delete;
  frmPath& operator=(const frmPath&) = delete;

  // Stored once: a later set is ignored.
  void IVApp(const Ref<IVApplication>& app);
  Ref<IVApplication> IVApp() const { return m_IVApp; }

  // The window's path definition: created at set-up, released at close.
  const Ref<CPath>& PathDefinition() const { return m_oPath; }

  // The form the face built for this window.
  form::Form& Window() { return *m_form; }

  // Shows the window modeless; set-up runs on the first show.
  void Show();
  bool Visible() const { return m_form->Visible(); }
  void BringToFront() { m_form->BringToFront(); }
  // The host's session ends (its main window closing, the add-in deactivated): the window closes
  // as its close box closes it. A run or positioning under way puts back at once what it hid and
  // ends before its next move, silently; the window closes once it has.
  void EndHostSession();

  // The window has closed.
  Event<> EndSession;

 private:
  void ConnectHandlers();
  // Runs a control's handler, its failures shown to the user; nothing for a window whose set-up
  // failed.
  template <class Handler>
  void RunHandler(Handler&& handler);

  void Form_Load();
  void Form_QueryUnload(form::CloseReason reason, bool& Cancel);
  void Form_Unload(form::CloseReason reason);
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
  // The path slot, the flip path toggle, the length and the step size as the path definition
  // holds them, after a path pick failed half way.
  void ShowPathSlot();

  void Position();
  void Run();

  // The numeric-field handlers.
  void NumberBox_KeyPress(form::Control& box, NumberKeys keys, int& KeyAscii);
  void txtDriveFrom_Change();
  void txtDriveTo_Change();
  void txtPause_Change();
  void txtReps_Change();
  void txtSteps_Change();
  // lblInc: the path length divided by the steps; empty for no steps.
  void ShowStepSize();
  std::string FormatLength(double length, int decimals) const;

  form::FormFactory& m_faces;
  std::unique_ptr<form::Form> m_form;
  form::NumberLocale m_locale;
  Ref<IVApplication> m_IVApp;
  Ref<IVAssemblyDocument> m_oAsmDoc;
  Ref<CPath> m_oPath;
  std::unique_ptr<CSelectPath> m_oSelect;
  Connection m_cSelectionComplete;
  WindowHandle m_previousOwner = 0;
  bool m_bSlotUpdate = false;
  bool m_bLoaded = false;
  bool m_bUnloaded = false;
  // A run or a positioning is under way: the window takes no input, and a close waits for it.
  bool m_bMoving = false;
  bool m_bCloseWhenStill = false;
  // The motion under way, which the end of the host's session stops; null when none is.
  MotionStop* m_pMotionStop = nullptr;

  std::array<form::Control*, 3> cmdSelect{};
  std::array<form::Control*, 3> picSelect{};
  // Indexes 3 (flip path) and 4 (flip edge); 0 to 2 stay empty.
  std::array<form::Control*, 5> chkSelect{};
  form::Control* chkHide = nullptr;
  form::Control* lblLength = nullptr;
  form::Control* lblInc = nullptr;
  form::Control* lblFrom = nullptr;
  form::Control* lblTo = nullptr;
  form::Control* txtSteps = nullptr;
  form::Control* txtPause = nullptr;
  form::Control* txtDriveFrom = nullptr;
  form::Control* txtDriveTo = nullptr;
  form::Control* txtReps = nullptr;
  form::Control* cboParams = nullptr;
  std::array<form::Control*, 2> optRep{};
  form::Control* cmdHelp = nullptr;
  std::array<form::Control*, 3> cmdControl{};
  // Last, so that the handlers go before the form they hear.
  std::vector<Connection> m_connections;
};

}  // namespace sledway
