// The about window's design. The maker's name, the contact address and the version are the
// build's, which the window's set-up writes in.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/form/picture_numbers.hpp"
#include "ui/qt/designs.hpp"
#include "ui/qt/pictures.hpp"
#include "ui/qt/twips.hpp"

namespace sledway::qtface {
namespace {

QFont Arial(double points, bool bold, bool underline) {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

}  // namespace

std::unique_ptr<FormDialog> BuildSledwayHelpForm() {
  auto dialog = std::make_unique<FormDialog>();
  FormDialog* const self = dialog.get();
  self->setWindowTitle(QStringLiteral(" Sledway"));
  QFont font(QStringLiteral("Verdana"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  self->setFont(font);
  self->setFixedSize(TwipsRect(*self, 0, 0, 6270, 6285).size());

  auto* picLogo = Place(new QLabel(self), "picLogo", 300, 240, 855, 840);
  picLogo->setPixmap(Picture(form::kPictureLogo));
  picLogo->hide();
  Place(new QLabel(self), "picViz", 300, 240, 855, 840);
  auto* lblTitle =
      Place(new QLabel(QStringLiteral("Sledway"), self), "lblTitle", 1380, 300, 4590, 375);
  lblTitle->setFont(Arial(12, true, false));
  Place(new QLabel(self), "lblMaker", 1380, 750, 4590, 285);
  Place(new QLabel(QStringLiteral("Notes:"), self), "lb1", 300, 1260, 2000, 255);
  auto* txtHelp = Place(new QPlainTextEdit(self), "txtHelp", 300, 1530, 5670, 3480);
  txtHelp->setReadOnly(true);
  Place(new QLabel(QStringLiteral("Comments and suggestions to: "), self), "Label3", 300, 5190,
        2640, 255);
  auto* lblEmail = Place(new ClickLabel(self), "lblEmail", 2940, 5190, 3030, 255);
  lblEmail->setFont(Arial(8.25, false, true));
  lblEmail->setCursor(Qt::PointingHandCursor);
  auto* cmdClose =
      Place(new QPushButton(QStringLiteral("Close"), self), "cmdClose", 4860, 5700, 1110, 375);
  cmdClose->setAutoDefault(false);
  return dialog;
}

}  // namespace sledway::qtface
