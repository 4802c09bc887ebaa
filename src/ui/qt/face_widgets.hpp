#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <functional>

#include "ui/form/control.hpp"
#include "ui/form/form.hpp"

// The widgets of the Qt face that Qt Widgets lacks as they are: each reports to the face's control
// through hooks, which the control clears when it goes.
namespace sledway::qtface {

// A single-line text box whose typed keys and inserted text pass through the form logic first.
class TextBox : public QLineEdit {
 public:
  struct Hooks {
    std::function<void()> gotFocus;
    std::function<void(int&)> keyPress;
    std::function<void(form::TextInsertion&)> insert;
  };

  explicit TextBox(QWidget* parent);

  // Shows `text` as it is: code's own text is not filtered.
  void SetTextFromCode(const QString& text);
  // Selects the whole text now and once a mouse press that gave the focus is through.
  void SelectAllKept();

  Hooks hooks;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  class InsertionFilter;
  InsertionFilter* filter_;
};

// A label or picture box that can be clicked; one that takes the focus is clicked by Space or
// Enter too.
class ClickLabel : public QLabel {
 public:
  explicit ClickLabel(QWidget* parent);

  std::function<void()> clicked;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

// A drop-down list that chooses only by a click in its open list or by Enter: cursor keys, typed
// letters and the mouse wheel leave the closed list as it is.
class ChoiceList : public QComboBox {
 public:
  explicit ChoiceList(QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
};

// The window of a form: its close requests and activation go to the face's form.
// A dropped form leaves its dialog for Qt to delete once the event at hand is through; until then
// the dialog's code must stay loaded, which `Alive` tells.
class FormDialog : public QDialog {
 public:
  struct Hooks {
    // A close was asked; set the flag to refuse it.
    std::function<void(form::CloseReason, bool&)> unload;
    std::function<void()> activate;
    // The dialog goes without a close, taken by its owner.
    std::function<void()> ownerGone;
  };

  FormDialog();
  ~FormDialog() override;

  // Closes the window as the add-in's code asks.
  void CloseFromCode();

  // How many form dialogs exist, deleted or not yet.
  static int Alive();

  Hooks hooks;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // Escape closes the window as its close box does.
  void reject() override;

 private:
  form::CloseReason reason_ = form::CloseReason::kUser;
};

}  // namespace sledway::qtface
