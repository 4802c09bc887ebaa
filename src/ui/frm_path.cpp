#include "ui/frm_path.hpp"

#include <initializer_list>
#include <string>

#include "common/reg_api.hpp"
#include "host/host_error.hpp"
#include "host/parameters.hpp"
#include "platform/desktop.hpp"
#include "ui/form/picture_numbers.hpp"
#include "ui/format_length.hpp"
#include "ui/frm_sledway_help.hpp"
#include "ui/number_text.hpp"
#include "ui/report_failure.hpp"
#include "ui/run_sequences.hpp"

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

Ref<IVAssemblyDocument> ActiveAssembly(IVApplication& app) {
  auto document = As<IVAssemblyDocument>(app.GetActiveDocument());
  if (!document) {
    throw HostError(hresult::kNoInterface, "the active document is not an assembly document");
  }
  return document;
}

// What "Position" needs and the path definition lacks, in the user's words; empty when nothing.
std::string MissingForPosition(CPath& path) {
  const bool noPath = path.PathEnts()->Count() == 0;
  const bool noPoint = !path.FollowComponent() || !path.FollowPoint();
  if (noPath && noPoint) return "Select a path and a follow point first";
  if (noPath) return "Select a path first";
  if (noPoint) return "Select a follow point first";
  return {};
}

}  // namespace

frmPath::frmPath(form::FormFactory& faces)
    : m_faces(faces), m_form(faces.CreateForm(form::FormKind::kPath)) {
  form::Form& f = *m_form;
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i);
    cmdSelect[i] = &f.Controls("cmdSelect_" + n);
    picSelect[i] = &f.Controls("picSelect_" + n);
    cmdControl[i] = &f.Controls("cmdControl_" + n);
  }
  chkSelect[3] = &f.Controls("chkSelect_3");
  chkSelect[4] = &f.Controls("chkSelect_4");
  chkHide = &f.Controls("chkHide");
  lblLength = &f.Controls("lblLength");
  lblInc = &f.Controls("lblInc");
  lblFrom = &f.Controls("lblFrom");
  lblTo = &f.Controls("lblTo");
  txtSteps = &f.Controls("txtSteps");
  txtPause = &f.Controls("txtPause");
  txtDriveFrom = &f.Controls("txtDriveFrom");
  txtDriveTo = &f.Controls("txtDriveTo");
  txtReps = &f.Controls("txtReps");
  cboParams = &f.Controls("cboParams");
  optRep[0] = &f.Controls("optRep_0");
  optRep[1] = &f.Controls("optRep_1");
  cmdHelp = &f.Controls("cmdHelp");
  ConnectHandlers();
}

frmPath::~frmPath() {
  // A pick left running would report to a window that is gone.
  m_cSelectionComplete.Disconnect();
  if (m_oSelect) {
    try {
      m_oSelect->StopSelection();
    } catch (...) {
    }
  }
}

template <class Handler>
void frmPath::RunHandler(Handler&& handler) {
  const std::shared_ptr<frmPath> keepAlive = weak_from_this().lock();
  if (!m_oPath) return;
  ReportingFailures(std::forward<Handler>(handler));
}

void frmPath::ConnectHandlers() {
  auto& c = m_connections;
  form::Form& f = *m_form;
  for (int i = 0; i < 3; ++i) {
    c.push_back(
        cmdSelect[i]->Click.Connect([this, i] { RunHandler([&] { cmdSelect_Click(i); }); }));
    c.push_back(
        picSelect[i]->Click.Connect([this, i] { RunHandler([&] { picSelect_Click(i); }); }));
    // "Cancel" closes also a window whose set-up failed.
    c.push_back(cmdControl[i]->Click.Connect([this, i] {
      const std::shared_ptr<frmPath> keepAlive = weak_from_this().lock();
      ReportingFailures([&] { cmdControl_Click(i); });
    }));
  }
  for (int i : {3, 4}) {
    c.push_back(
        chkSelect[i]->Click.Connect([this, i] { RunHandler([&] { chkSelect_Click(i); }); }));
  }
  c.push_back(chkHide->Click.Connect([this] { RunHandler([&] { chkHide_Click(); }); }));
  c.push_back(cmdHelp->Click.Connect([this] { RunHandler([&] { cmdHelp_Click(); }); }));
  for (int i = 0; i < 2; ++i) {
    c.push_back(optRep[i]->Click.Connect([this, i] {
      if (optRep[i]->Value()) RunHandler([&] { optRep_Click(i); });
    }));
  }
  c.push_back(cboParams->Click.Connect([this] { RunHandler([&] { cboParams_Click(); }); }));

  const std::pair<form::Control*, void (frmPath::*)()> changes[] = {
      {txtDriveFrom, &frmPath::txtDriveFrom_Change},
      {txtDriveTo, &frmPath::txtDriveTo_Change},
      {txtPause, &frmPath::txtPause_Change},
      {txtReps, &frmPath::txtReps_Change},
      {txtSteps, &frmPath::txtSteps_Change}};
  for (const auto& [box, change] : changes) {
    const auto handler = change;
    c.push_back(box->Change.Connect([this, handler] { RunHandler([&] { (this->*handler)(); }); }));
  }
  const std::pair<form::Control*, NumberKeys> boxes[] = {{txtDriveFrom, NumberKeys::kDecimal},
                                                         {txtDriveTo, NumberKeys::kDecimal},
                                                         {txtPause, NumberKeys::kDecimal},
                                                         {txtReps, NumberKeys::kInteger},
                                                         {txtSteps, NumberKeys::kInteger}};
  for (const auto& [control, numberKeys] : boxes) {
    form::Control* const box = control;
    const NumberKeys keys = numberKeys;
    // Typing, pasting and entering a box follow the same rules whether or not set-up succeeded.
    c.push_back(box->GotFocus.Connect([box] { SelectAllText(*box); }));
    c.push_back(box->KeyPress.Connect(
        [this, box, keys](int& KeyAscii) { NumberBox_KeyPress(*box, keys, KeyAscii); }));
    c.push_back(box->Insert.Connect(
        [keys](form::TextInsertion& insertion) { FilterInsertion(keys, insertion); }));
  }
  c.push_back(f.Unload.Connect([this](form::CloseReason reason, bool& Cancel) {
    const std::shared_ptr<frmPath> keepAlive = weak_from_this().lock();
    Form_QueryUnload(reason, Cancel);
  }));
}

void frmPath::IVApp(const Ref<IVApplication>& app) {
  if (!m_IVApp) m_IVApp = app;
}

void frmPath::Show() {
  if (!m_bLoaded) {
    m_bLoaded = true;
    ReportingFailures([this] { Form_Load(); });
  }
  m_form->Show();
}

void frmPath::Form_Load() {
  m_locale = m_faces.Locale();
  if (!m_IVApp) throw HostError(hresult::kPointer, "the tool window has no application");
  const Ref<IVAssemblyDocument> document = ActiveAssembly(*m_IVApp);
  m_oPath = std::make_shared<CPath>();
  m_oAsmDoc = document;
  txtSteps->Text("50");
  txtReps->Text("1");
  m_oPath->SES(false);
  m_oPath->HidePath(true);
  m_oPath->Pause(0.0);
  RestoreWindowPosition();
  FillParameterList();
  try {
    m_previousOwner = m_form->Owner(m_IVApp->GetMainWindowHandle());
  } catch (...) {
    // The window works without an owner; it only loses staying above the host.
  }
  SetSlotPictures();
}

void frmPath::RestoreWindowPosition() {
  const CRegAPI registry;
  const double top = StoredPosition(registry, "Top");
  const double left = StoredPosition(registry, "Left");
  m_form->Move(left, top);
  // A position saved on a screen that is gone would leave the window out of reach.
  if (!m_form->OnAnyWorkArea(m_form->Rect())) {
    m_form->Move(kDefaultPositionTwips, kDefaultPositionTwips);
  }
}

void frmPath::FillParameterList() {
  const Ref<IVParameters> parameters = m_oAsmDoc->GetDefinition()->GetParameters();
  const Ref<IVParameterList> lists[] = {parameters->GetFirstList(), parameters->GetSecondList()};
  cboParams->AddItem("");
  for (const Ref<IVParameterList>& list : lists) {
    for (int i = 1; i <= list->Count(); ++i) {
      const Ref<IVParameter> parameter = list->Item(i);
      // A parameter that reads others would be overwritten at the next recompute.
      if (parameter->Inputs()->Count() == 0) cboParams->AddItem(parameter->Name());
    }
  }
}

void frmPath::SetSlotPictures() {
  cmdSelect[0]->Picture(form::kPictureSlotToPick);
  cmdSelect[1]->Picture(form::kPictureSlotToPick);
  cmdSelect[2]->Picture(form::kPictureSlotOptional);
  chkSelect[3]->Picture(form::kPictureFlip);
  chkSelect[4]->Picture(form::kPictureFlip);
  cmdHelp->Picture(form::kPictureHelp);
  for (int i = 0; i < 3; ++i) {
    const form::TwipsRect button = cmdSelect[i]->Rect();
    picSelect[i]->Move(button.left, button.top);
  }
}

void frmPath::cmdSelect_Click(int Index) {
  // Pressed from the keyboard, the slot keeps the focus through its pressed look, so that the
  // next key does not land on whichever control the toolkit would move it to.
  const bool focused = cmdSelect[Index]->HasFocus();
  picSelect[Index]->Visible(true);
  picSelect[Index]->Picture(cmdSelect[Index]->Picture());
  if (focused) picSelect[Index]->SetFocus();
  cmdSelect[Index]->Visible(false);
  PickSlot(static_cast<SelectionSlot>(Index));
}

void frmPath::picSelect_Click(int Index) {
  const bool focused = picSelect[Index]->HasFocus();
  cmdSelect[Index]->Visible(true);
  if (focused) cmdSelect[Index]->SetFocus();
  picSelect[Index]->Visible(false);
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
  // The yield may have closed the window, which released the path definition.
  if (!m_oPath) return;
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
  const auto slot = static_cast<SelectionSlot>(SelectType);
  try {
    StoreSlotSelection(m_IVApp, *m_oPath, slot, selected);
  } catch (...) {
    EndSlotPick(Index, false);
    if (slot == SelectionSlot::kPath) ShowPathSlot();
    throw;
  }
  EndSlotPick(Index, true);
  if (slot == SelectionSlot::kPath) {
    lblLength->Text(FormatLength(m_oPath->Length(), 2));
    ShowStepSize();
  }
}

void frmPath::EndSlotPick(int Index, bool bSuccess) {
  m_bSlotUpdate = true;
  if (bSuccess) {
    cmdSelect[Index]->Picture(form::kPictureSlotPicked);
    if (Index == 0) chkSelect[3]->Enabled(true);
    if (Index == 2) chkSelect[4]->Enabled(true);
  }
  picSelect_Click(Index);
  m_bSlotUpdate = false;
}

void frmPath::ShowPathSlot() {
  const bool held = m_oPath->PathEnts()->Count() > 0;
  cmdSelect[0]->Picture(held ? form::kPictureSlotPicked : form::kPictureSlotToPick);
  chkSelect[3]->Enabled(held);
  lblLength->Text(held ? FormatLength(m_oPath->Length(), 2) : std::string());
  ShowStepSize();
}

void frmPath::chkSelect_Click(int Index) {
  if (m_bSlotUpdate) return;
  if (Index != 3 && Index != 4) return;
  StopRunningPick();
  if (!m_oPath) return;  // closed during the stop's yield
  if (Index == 3) m_oPath->FlipPath(chkSelect[3]->Value());
  if (Index == 4) m_oPath->FlipEdge(chkSelect[4]->Value());
}

void frmPath::chkHide_Click() {
  m_oPath->HidePath(chkHide->Value());
}

void frmPath::cmdHelp_Click() {
  frmSledwayHelp help(m_faces);
  help.Show(m_form->NativeHandle());
}

void frmPath::cmdControl_Click(int Index) {
  if (m_bMoving) return;
  if (Index != 2 && !m_oPath) return;
  // "Run" follows a "Position" that worked, whatever way a click reaches it.
  if (Index == 1 && !cmdControl[1]->Enabled()) return;
  switch (Index) {
    case 0:
      Position();
      return;
    case 1:
      Run();
      return;
    case 2:
      m_form->Close();
      return;
    default:
      return;
  }
}

void frmPath::Position() {
  // The path definition, the application and the document outlive a close that comes while the
  // host processes its messages.
  const Ref<CPath> path = m_oPath;
  const Ref<IVApplication> app = m_IVApp;
  const Ref<IVAssemblyDocument> document = m_oAsmDoc;
  if (const std::string missing = MissingForPosition(*path); !missing.empty()) {
    platform::ShowMessage(missing, kMessageTitle);
    return;
  }
  MotionStop stop;
  m_pMotionStop = &stop;
  m_bMoving = true;
  const MotionOutcome outcome = PositionAtStart(app, document, *path, &stop);
  m_bMoving = false;
  m_pMotionStop = nullptr;
  if (m_bUnloaded) return;
  if (outcome.moves == 1 && !stop.Requested()) cmdControl[1]->Enabled(true);
  if (m_bCloseWhenStill) m_form->Close();
}

void frmPath::Run() {
  const Ref<CPath> path = m_oPath;
  const Ref<IVApplication> app = m_IVApp;
  const Ref<IVAssemblyDocument> document = m_oAsmDoc;
  MotionStop stop;
  m_pMotionStop = &stop;
  m_bMoving = true;
  m_form->Hide();
  // Should the host's button show the window again during the run, it takes no input.
  m_form->Enabled(false);
  RunPath(app, document, *path, {}, {}, &stop);
  m_bMoving = false;
  m_pMotionStop = nullptr;
  if (m_bUnloaded) return;
  m_form->Enabled(true);
  // A window that closes now has no reason to show itself first.
  if (m_bCloseWhenStill) {
    m_form->Close();
    return;
  }
  m_form->Show();
}

void frmPath::optRep_Click(int Index) {
  m_oPath->SES(Index == 1);
}

void frmPath::cboParams_Click() {
  const std::string chosen = cboParams->Text();
  const bool driven = !chosen.empty();
  for (form::Control* drive : {lblFrom, lblTo, txtDriveFrom, txtDriveTo}) drive->Enabled(driven);
  if (!driven) {
    m_oPath->Driven("");
    m_oPath->DriveFrom(0.0);
    m_oPath->DriveTo(10.0);
    return;
  }
  m_oPath->Driven(chosen);
  Ref<IVParameter> parameter;
  try {
    parameter = m_oAsmDoc->GetDefinition()->GetParameters()->Item(chosen);
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
  txtDriveFrom->Text(DoubleText(m_oPath->DriveFrom(), m_locale));
  txtDriveTo->Text(DoubleText(m_oPath->DriveTo(), m_locale));
  txtDriveFrom->SetFocus();
}

void frmPath::NumberBox_KeyPress(form::Control& box, NumberKeys keys, int& KeyAscii) {
  keys == NumberKeys::kInteger ? FilterIntegerKey(box, KeyAscii) : FilterDecimalKey(box, KeyAscii);
}

void frmPath::txtDriveFrom_Change() {
  m_oPath->DriveFrom(TextToDouble(txtDriveFrom->Text(), m_locale));
}

void frmPath::txtDriveTo_Change() {
  m_oPath->DriveTo(TextToDouble(txtDriveTo->Text(), m_locale));
}

void frmPath::txtPause_Change() {
  m_oPath->Pause(TextToDouble(txtPause->Text(), m_locale));
}

void frmPath::txtReps_Change() {
  m_oPath->Reps(TextToLong(txtReps->Text(), m_locale));
}

void frmPath::txtSteps_Change() {
  m_oPath->Steps(TextToLong(txtSteps->Text(), m_locale));
  ShowStepSize();
}

void frmPath::ShowStepSize() {
  const double length = m_oPath->Length();
  const double steps = TextToDouble(txtSteps->Text(), m_locale);
  lblInc->Text(steps != 0.0 ? FormatLength(length / steps, 2) : std::string());
}

std::string frmPath::FormatLength(double length, int decimals) const {
  return sledway::FormatLength(*m_oAsmDoc, length, decimals, m_locale);
}

void frmPath::EndHostSession() {
  if (m_pMotionStop != nullptr) m_pMotionStop->Request();
  m_form->Close();
}

void frmPath::Form_QueryUnload(form::CloseReason reason, bool& Cancel) {
  if (m_bUnloaded) return;
  if (m_bMoving && reason != form::CloseReason::kOwner) {
    // The motion holds the window's path definition; the window closes once it ends.
    m_bCloseWhenStill = true;
    Cancel = true;
    return;
  }
  m_bCloseWhenStill = false;
  Form_Unload(reason);
}

void frmPath::Form_Unload(form::CloseReason reason) {
  m_bUnloaded = true;
  // Whatever fails on the way, the window closes and says so: a listener that never heard
  // EndSession would hold on to a closed window.
  if (m_oSelect) {
    m_cSelectionComplete.Disconnect();
    try {
      m_oSelect->StopSelection();
    } catch (...) {
    }
    m_oSelect.reset();
  }
  ReportingFailures([this] { SaveWindowPosition(); });
  m_oPath.reset();
  m_oAsmDoc.reset();
  m_IVApp.reset();
  // An owner that is going takes the window with it; there is nothing to give back.
  if (reason != form::CloseReason::kOwner) {
    try {
      m_form->Owner(m_previousOwner);
    } catch (...) {
    }
  }
  EndSession.Raise();
}

void frmPath::SaveWindowPosition() {
  const CRegAPI registry;
  const form::TwipsRect rect = m_form->Rect();
  registry.SaveSetting(kAppName, kSection, "Top",
                       static_cast<double>(static_cast<float>(rect.top)));
  registry.SaveSetting(kAppName, kSection, "Left",
                       static_cast<double>(static_cast<float>(rect.left)));
}

}  // namespace sledway
