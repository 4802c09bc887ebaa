#pragma once

#include <string>
#include <string_view>

#include "host/application.hpp"
#include "host/event.hpp"
#include "ui/form/control.hpp"
#include "ui/form/twips_rect.hpp"

namespace sledway::form {

// Why a form is asked to close.
enum class CloseReason {
  // The close box, Alt+F4 or Escape anywhere in the form.
  kUser,
  // Form::Close called by the add-in.
  kCode,
  // The form's owner window is going (the host's main window closing): the form goes with it
  // whatever the handlers say.
  kOwner,
};

// One window of the add-in as a face builds it: every control of the window made, named, placed
// and captioned as the window's design gives it, in Verdana 8.25 pt, hidden until shown. The form
// logic (frmPath, frmSledwayHelp) drives it through this interface only. Positions are in twips
// on the virtual desktop (the form's outer rectangle, frame included). All calls and events happen
// on the user-interface thread; a face never raises an event from inside a call that sets what the
// event reports, except where Control says so (Text raises Change, Value raises Click). The logic
// may destroy a form from inside any of its events (a close heard, a button clicked): the face
// then lets go of the native window once the event is through, and raises nothing more.
class Form {
 public:
  virtual ~Form() = default;

  // The control of that name; fails with a HostError (kInvalidArg) when the form has none.
  virtual Control& Controls(std::string_view name) = 0;

  // The window's caption.
  virtual std::string Caption() const = 0;
  virtual void Caption(const std::string& caption) = 0;

  // Shows the form modeless (a shown form stays as it is); Hide hides it and keeps it whole.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool Visible() const = 0;
  // Shows the form modal to its owner and returns once it has closed.
  virtual void ShowModal() = 0;
  // Brings a shown form to the front of the z-order and activates it.
  virtual void BringToFront() = 0;
  // A disabled form takes no input (a run under way); its controls keep their own states.
  virtual void Enabled(bool enabled) = 0;

  // Asks the form to close as its close box does, with CloseReason::kCode: raises Unload, then
  // hides the form unless a handler cancelled. A closed form can be shown again.
  virtual void Close() = 0;

  // The outer rectangle; Move puts its top left corner there and keeps its size.
  virtual TwipsRect Rect() const = 0;
  virtual void Move(double left, double top) = 0;
  // The work area (the desktop without task bars and docks) of the monitor the form is on, or of
  // the primary monitor before the form was ever shown.
  virtual TwipsRect WorkArea() const = 0;
  // Whether `rect` shows at least in part on the work area of some monitor.
  virtual bool OnAnyWorkArea(const TwipsRect& rect) const = 0;

  // The form's own native window handle (made on first use). Not called Handle: Open CASCADE
  // defines that name as a macro.
  virtual WindowHandle NativeHandle() = 0;
  // Makes the window with that handle the owner of this form: the form stays above it and goes
  // with it. 0, or a handle that names no window, leaves the form without an owner. Returns the
  // previous owner's handle (0 for none). Call it while the form is hidden.
  virtual WindowHandle Owner(WindowHandle owner) = 0;

  // The form became the active window (shown, or brought back from another window).
  Event<> Activate;
  // The form is asked to close (see CloseReason). A handler that sets the flag keeps it open
  // (never for kOwner); otherwise the face hides the form once the handlers return.
  Event<CloseReason, bool&> Unload;
};

}  // namespace sledway::form
