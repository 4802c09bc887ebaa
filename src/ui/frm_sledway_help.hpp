#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace sledway {

// The seven paragraphs of notes on use, the disclaimer first, an empty line between each two.
QString SledwayNotes();

// The about window: the notes, the product's name and version, its maker, a contact line whose
// address opens the user's mail program, and the logo drawn with pure green transparent. Each
// opening starts from the window's own captions; set-up (centring, the notes, the version)
// runs when it is first shown.
class frmSledwayHelp : public QDialog {
 public:
  explicit frmSledwayHelp(QWidget* parent = nullptr);

  void setVisible(bool visible) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Form_Load();
  void lblEmail_Click();

  bool m_bLoaded = false;
  QLabel* lb1 = nullptr;
  QPlainTextEdit* txtHelp = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* lblEmail = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblMaker = nullptr;
  QLabel* picLogo = nullptr;
  QLabel* picViz = nullptr;
  QPushButton* cmdClose = nullptr;
};

}  // namespace sledway
