#pragma once

#include <cstdint>
#include <memory>

#include "host/add_in_server.hpp"
#include "host/application.hpp"
#include "host/event.hpp"
#include "host/user_interface.hpp"
#include "ui/form/form_factory.hpp"
#include "ui/frm_path.hpp"

namespace sledway {

// The add-in server the host talks to. Activation puts one command button, "Constrain to path",
// on a command bar of the add-in's own and on the host's assembly panel; a click on it in an
// assembly document opens the tool window, or brings the open one to the front. It holds the
// application, the button and the open window, nothing more; the windows come from `faces`, which
// must outlive the server.
class CSledway : public ApplicationAddInServer {
 public:
  explicit CSledway(form::FormFactory& faces);
  ~CSledway() override;
  CSledway(const CSledway&) = delete;
  CSledway& operator=(const CSledway&) = delete;

  // Every activation does the same work, whatever FirstTime says. It fails, holding nothing,
  // when the host makes no button or puts it on none of the bars.
  void Activate(const Ref<IVAddInSite>& AddInSiteObject, bool FirstTime) override;
  // Lets go of the button, the window and the application. An open window closes as its close
  // box closes it, saving its position, and a run under way ends at its next move: the host's
  // session with the add-in is over. What the host holds of the add-in (its button and bars) goes
  // with the site's binding.
  void Deactivate() override;
  void ExecuteCommand(std::int32_t CommandID) override;
  // No automation object.
  Ref<IVObject> Automation() override;

  // Null before Activate and after Deactivate.
  Ref<IVApplication> IVApp() const { return m_IVApp; }
  // The open tool window; null when none is open.
  const std::shared_ptr<frmPath>& ToolWindow() const { return m_frmPath; }

 private:
  // Assigning the button or the window connects its notification; replacing or clearing it
  // disconnects.
  void ButtonHandler1(Ref<IVButtonHandler> handler);
  void ToolWindow(std::shared_ptr<frmPath> window);
  // Closes the open window for good; its EndSession is no longer heard.
  void EndToolWindowSession();

  void oButtonHandler1_OnClick();
  void m_frmPath_EndSession();

  form::FormFactory& m_faces;
  Ref<IVApplication> m_IVApp;
  Ref<IVButtonHandler> oButtonHandler1;
  Connection m_cOnClick;
  std::shared_ptr<frmPath> m_frmPath;
  Connection m_cEndSession;
};

}  // namespace sledway
