#pragma once

#include <QLineEdit>
#include <QString>

class QWidget;

namespace sledway {

// Selects the whole text of a text box or of an editable combo box; other controls are left
// alone.
void SelectAllText(QWidget* ctl);

// Key filters of the number boxes, on a key's character code (8 for Backspace): a key they drop
// becomes 0. The integer class keeps the digits and Backspace; the decimal class also keeps one
// point, while the control's text holds none yet. Controls other than text boxes and combo boxes
// are left alone.
void FilterIntegerKey(QWidget* ctl, int& KeyAscii);
void FilterDecimalKey(QWidget* ctl, int& KeyAscii);

// A text box for a non-negative number. Entering it selects its whole text; a typed character
// passes the box's key filter or is dropped; text that arrives otherwise (pasted through the
// context menu, dropped, from an input method) is filtered character by character as if typed
// at that place. Cursor and delete keys work as in any text box.
class NumericTextBox : public QLineEdit {
 public:
  enum class Keys { kInteger, kDecimal };

  NumericTextBox(Keys keys, QWidget* parent);

  // Shows `text` as it is, unfiltered: code writes numbers in the user's own form ("2,5", "-3").
  // Hides QLineEdit::setText so that every caller through this class is seen.
  void setText(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  class InsertionFilter;

  Keys keys_;
  InsertionFilter* filter_;
};

}  // namespace sledway
