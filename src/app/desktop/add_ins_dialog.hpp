#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace sledway::app {

class AddInManager;

// Tools > Add-Ins: the registered add-ins with their library, whether they load at start-up and
// whether they run now; the selected one can be loaded or unloaded.
class AddInsDialog : public QDialog {
  Q_OBJECT

 public:
  AddInsDialog(AddInManager& manager, QWidget* parent = nullptr);

 private:
  void Fill();
  void ToggleSelected();
  // The button loads or unloads the selected add-in, whichever it needs.
  void UpdateToggle();

  AddInManager& manager_;
  QTableWidget* table_;
  QPushButton* toggle_;
};

}  // namespace sledway::app
