#pragma once

#include <QPointer>
#include <cstdint>

#include "host/add_in_server.hpp"
#include "host/application.hpp"
#include "host/event.hpp"
#include "host/user_interface.hpp"
#include "ui/frm_path.hpp"

namespace sledway {

// The add-in server the host talks to. Activation puts one command button, "Constrain to path",
// on a command bar of the add-in's own and on the host's assembly panel; a click on it in an
// assembly document opens the tool window, or brings the open one to the front. It holds the
// application, the button and the open window, nothing more.
class CSledway : public ApplicationAddInServer {
 public:
  CSledway();
  ~CSledway() override;
  CSledway(const CSledway&) = delete;
  CSledway& operator=(const CSledway&) = delete;

  // Every activation does the same work, whatever FirstTime says.
  void Activate(const Ref<IVAddInSite>& AddInSiteObject, bool FirstTime) override;
  // Lets go of the button, the window and the application; leaves the bars and an open window
  // in place.
  void Deactivate() override;
  void ExecuteCommand(std::int32_t CommandID) override;
  // No automation object.
  Ref<IVObject> Automation() override;

  // Null before Activate and after Deactivate.
  Ref<IVApplication> IVApp() const { return m_IVApp; }

 private:
  // Assigning the button or the window connects its notification; replacing or clearing it
  // disconnects.
  void ButtonHandler1(Ref<IVButtonHandler> handler);
  void ToolWindow(frmPath* window);

  void oButtonHandler1_OnClick();
  void m_frmPath_EndSession();

  Ref<IVApplication> m_IVApp;
  Ref<IVButtonHandler> oButtonHandler1;
  Connection m_cOnClick;
  // Qt deletes a closed window; the pointer then reads null.
  QPointer<frmPath> m_frmPath;
  Connection m_cEndSession;
};

}  // namespace sledway
