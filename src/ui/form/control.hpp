#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "host/event.hpp"
#include "ui/form/twips_rect.hpp"

namespace sledway::form {

// Key codes a KeyPress carries: the character typed (UTF-32), or one of these. Keys that type no
// character (cursor keys, Delete, Home, function keys) are never reported.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;
// Ctrl+A to Ctrl+Z are reported as 1 to 26.

// Text that reaches a text box other than by a typed key: pasted, dropped, from an input method.
struct TextInsertion {
  // The box's text around the insertion, the replaced selection already taken out (UTF-8).
  std::string before;
  std::string after;
  // What arrives (UTF-8). Handlers may shorten it; the face inserts what is left between `before`
  // and `after` and puts the cursor after it.
  std::string text;
};

// One control of a form, found by its name ("cmdSelect_0", "txtSteps", "cboParams"). Every
// member applies to every kind of control; where a kind has no such thing (the items of a button,
// the text of a picture box) the getter answers empty, false or 0 and the setter does nothing.
// Positions and sizes are in twips (1/1440 logical inch) from the top left of the control's
// container (its frame, or the form's client area). Texts are UTF-8. All calls and events happen
// on the user-interface thread.
class Control {
 public:
  virtual ~Control() = default;

  // The caption of a label, button, check box, option button or frame; the text of a text box;
  // the chosen item's text of a combo box. Setting a text box's text raises Change once when the
  // text differs, as a user's edit does; it is never filtered (code writes numbers as they are).
  virtual std::string Text() const = 0;
  virtual void Text(const std::string& text) = 0;

  // A disabled control shows as disabled and takes no input and no focus.
  virtual bool Enabled() const = 0;
  virtual void Enabled(bool enabled) = 0;

  // Whether the control itself is set visible (its form need not be shown). Hiding the control
  // that has the focus moves the focus on as the toolkit does.
  virtual bool Visible() const = 0;
  virtual void Visible(bool visible) = 0;

  // A check box ticked, a toggle button pressed, an option button selected. Setting a different
  // value raises Click, as a user's click does; selecting an option button clears the others of
  // its frame (each of which raises no event).
  virtual bool Value() const = 0;
  virtual void Value(bool value) = 0;

  // The add-in's picture of that number (ui/form/picture_numbers.hpp) on a button, toggle or
  // picture box, drawn at its own size in the middle of the control; 0 removes it. Picture()
  // answers the number shown.
  virtual int Picture() const = 0;
  virtual void Picture(int number) = 0;
  // The same, with every pixel of the colour `transparentRgb` (0xRRGGBB) left out so that what
  // lies under the control shows through.
  virtual void TransparentPicture(int number, std::uint32_t transparentRgb) = 0;

  // Gives the control the keyboard focus (a picture box that raises Click takes it too, and a
  // Space or Enter on it raises Click); HasFocus tells whether it has it now.
  virtual void SetFocus() = 0;
  virtual bool HasFocus() const = 0;
  // Selects the whole text of a text box, so that typing replaces it. Called from GotFocus; the
  // face keeps it selected whichever way the box was entered (Tab, a mouse press).
  virtual void SelectAll() = 0;

  // The control's outer rectangle; Move keeps its size.
  virtual TwipsRect Rect() const = 0;
  virtual void Move(double left, double top) = 0;

  // A combo box's list: items in order, indexes from 0; ListIndex -1 when none is chosen.
  // Setting ListIndex shows that item and raises no event.
  virtual void AddItem(const std::string& item) = 0;
  virtual int ListCount() const = 0;
  virtual std::string List(int index) const = 0;
  virtual int ListIndex() const = 0;
  virtual void ListIndex(int index) = 0;

  // A button, toggle, check box or option button clicked (by the mouse, or Space from the
  // keyboard); a label or picture box clicked. A combo box: an item chosen by a click in the open
  // list or by Enter; cursor keys and the mouse wheel over the closed list choose nothing and
  // raise nothing.
  Event<> Click;
  // A text box's text changed, by the user or by code.
  Event<> Change;
  // A text box (or combo box) gained the keyboard focus.
  Event<> GotFocus;
  // A key typed into a text box, before it takes effect. A handler that sets the code to 0 drops
  // the key: it neither types nor reaches the form. A key left non-zero gets the control's
  // ordinary treatment: a character is typed, Backspace deletes, and Escape is the form's close
  // request (Form::Unload with CloseReason::kUser), as Escape is anywhere else in the form.
  Event<int&> KeyPress;
  // Text arriving in a text box other than by a typed key, before it is inserted.
  Event<TextInsertion&> Insert;
};

}  // namespace sledway::form
