#include "addin/sledway_server.hpp"

#include <exception>
#include <string>
#include <utility>

#include "addin/resource_picture.hpp"
#include "host/codes.hpp"
#include "host/host_error.hpp"
#include "platform/desktop.hpp"
#include "platform/live_objects.hpp"
#include "ui/report_failure.hpp"

namespace sledway {
namespace {

constexpr const char* kButtonName = "Sledway";
constexpr const char* kButtonTip = "Constrain to path";
constexpr const char* kOwnBarName = "Sledway";
constexpr const char* kHostBarName = "AMxAssemblyPanelCmdBar";
constexpr const char* kNotAnAssembly = "You can only create sledways in an Assembly document";

template <class T>
const Ref<T>& Required(const Ref<T>& object, const char* what) {
  if (!object) throw HostError(hresult::kPointer, std::string(what) + " is missing");
  return object;
}

}  // namespace

CSledway::CSledway(form::FormFactory& faces) : m_faces(faces) {
  ObjectCreated();
}

CSledway::~CSledway() {
  ButtonHandler1(nullptr);
  EndToolWindowSession();
  ObjectDestroyed();
}

void CSledway::ButtonHandler1(Ref<IVButtonHandler> handler) {
  oButtonHandler1 = std::move(handler);
  m_cOnClick = oButtonHandler1 ? oButtonHandler1->OnClick.Connect([this] {
    ReportingFailures([this] { oButtonHandler1_OnClick(); });
  })
                               : Connection();
}

void CSledway::ToolWindow(std::shared_ptr<frmPath> window) {
  m_frmPath = std::move(window);
  m_cEndSession =
      m_frmPath ? m_frmPath->EndSession.Connect([this] { m_frmPath_EndSession(); }) : Connection();
}

void CSledway::EndToolWindowSession() {
  const std::shared_ptr<frmPath> window = m_frmPath;
  ToolWindow(nullptr);
  if (window) ReportingFailures([&] { window->EndHostSession(); });
}

void CSledway::Activate(const Ref<IVAddInSite>& AddInSiteObject, bool /*FirstTime*/) {
  const Ref<IVAddInSite> site = AddInSiteObject;
  // The icons only dress the button: one the library cannot give is left out.
  const auto icon = [this](int number) -> Ref<IVPictureDisp> {
    try {
      return LoadIcon(m_faces, number);
    } catch (const HostError&) {
      return nullptr;
    }
  };
  const Ref<IVPictureDisp> standardIcon = icon(form::kIconStandard);
  const Ref<IVPictureDisp> largeIcon = icon(form::kIconLarge);
  const Ref<IVApplication> app =
      Required(Required(site, "the add-in site")->GetApplication(), "the application");

  // The button. A host that refuses the icons gets it without them; any other refusal ends the
  // activation: a button the host holds without this server hearing it would open nothing.
  bool skipFailures = true;
  Ref<IVButtonHandler> handler;
  try {
    handler = site->CreateButtonHandler(kButtonName, kButtonHandlerKind, kButtonName, kButtonName,
                                        kButtonTip, standardIcon, largeIcon);
  } catch (const HostError& error) {
    // Whatever the host found wrong with the icons, the button goes without them.
    if (error.Code() != hresult::kUnexpected && !standardIcon && !largeIcon) throw;
    handler = site->CreateButtonHandler(kButtonName, kButtonHandlerKind, kButtonName, kButtonName,
                                        kButtonTip, nullptr, nullptr);
    // After the retry of a host that refused icons as such, a failure ends the activation.
    if (error.Code() == hresult::kUnexpected) skipFailures = false;
  }

  // Its places: until the retry, a failing step is skipped and the next one runs. A button on no
  // bar at all cannot be clicked: the activation then fails with the first failure.
  std::exception_ptr firstFailure;
  const auto step = [&](auto&& action) {
    if (!skipFailures) {
      action();
      return;
    }
    try {
      action();
    } catch (...) {
      if (!firstFailure) firstFailure = std::current_exception();
    }
  };
  bool placed = false;
  Ref<IVUserInterface> userInterface;
  Ref<IVCommandBars> bars;
  Ref<IVCommandBar> ownBar;
  Ref<IVCommandBar> hostBar;
  Ref<IVButtonDefinition> definition;
  step([&] { userInterface = app->GetUserInterface(); });
  step([&] { bars = Required(userInterface, "the user interface")->GetCommandBars(); });
  step([&] { ownBar = Required(bars, "the command bars")->Add(kOwnBarName); });
  step([&] { definition = Required(handler, "the button")->GetButtonDefinition(); });
  step([&] {
    Required(ownBar, "the add-in's command bar")
        ->GetControls()
        ->Add(kButtonControlKind, Required(definition, "the button definition"));
    placed = true;
  });
  step([&] { hostBar = Required(bars, "the command bars")->Item(kHostBarName); });
  step([&] {
    Required(hostBar, "the assembly panel bar")
        ->GetControls()
        ->Add(kButtonControlKind, Required(definition, "the button definition"));
    placed = true;
  });
  // Each placement that was not made failed.
  if (!placed) std::rethrow_exception(firstFailure);
  m_IVApp = app;
  ButtonHandler1(handler);
}

void CSledway::oButtonHandler1_OnClick() {
  if (!Is<IVAssemblyDocument>(Required(m_IVApp, "the application")->GetActiveDocument())) {
    platform::ShowMessage(kNotAnAssembly, "Sledway");
    return;
  }
  if (m_frmPath) {
    if (m_frmPath->Visible()) {
      m_frmPath->BringToFront();
    } else {
      m_frmPath->Show();
    }
    return;
  }
  // The window's code lives in this library, which must stay loaded while the window does; a
  // handler of the window may keep it a moment after the server let go of it.
  auto* const created = new frmPath(m_faces);
  ObjectCreated();
  const std::shared_ptr<frmPath> window(created, [](frmPath* closed) {
    delete closed;
    ObjectDestroyed();
  });
  ToolWindow(window);
  window->IVApp(m_IVApp);
  window->Show();
}

void CSledway::m_frmPath_EndSession() {
  ToolWindow(nullptr);
}

void CSledway::Deactivate() {
  ButtonHandler1(nullptr);
  EndToolWindowSession();
  m_IVApp.reset();
}

void CSledway::ExecuteCommand(std::int32_t /*CommandID*/) {}

Ref<IVObject> CSledway::Automation() {
  return nullptr;
}

}  // namespace sledway
