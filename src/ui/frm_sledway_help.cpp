#include "ui/frm_sledway_help.hpp"

#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include "platform/desktop.hpp"
#include "platform/mail_link.hpp"
#include "platform/work_area.hpp"
#include "ui/center_form.hpp"
#include "ui/pictures.hpp"
#include "ui/report_failure.hpp"
#include "ui/transparent_picture.hpp"
#include "ui/twips.hpp"

namespace sledway {
namespace {

// Build options; see src/ui/CMakeLists.txt.
constexpr const char* kVersion = SLEDWAY_VERSION_TEXT;
constexpr const char* kMaker = SLEDWAY_MAKER;
constexpr const char* kContact = SLEDWAY_CONTACT;

const QColor kLogoTransparent(0, 255, 0);

QFont Arial(double points, bool bold, bool underline) {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

}  // namespace

QString SledwayNotes() {
  return QStringList{
      QStringLiteral("THE  USER OF THIS PROGRAM ASSUMES ALL RESPONSIBILITY FOR ANY DAMAGE OR LOSS "
                     "OF DATA OCCURRING FROM ITS USE"),
      QStringLiteral("Valid paths: An open or closed 2D or 3D sketch, or a set of tangentially "
                     "connected part edges."),
      QStringLiteral(
          "A sketch selected as a path can only contain a single profile (open or closed)."),
      QStringLiteral("Select a vertex or work point on the follow component. This point will "
                     "travel along the path."),
      QStringLiteral("Optionally (not required), select a linear edge or axis on the follow "
                     "component. This line will remain tangent to the path."),
      QStringLiteral("Click flip path to start from the other end of the path, click flip edge "
                     "to flip the orientation of the tangent line."),
      QStringLiteral("Optionally, select a parameter to drive as the component follows the path."),
  }
      .join(QStringLiteral("\n\n"));
}

frmSledwayHelp::frmSledwayHelp(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral(" %1 Sledway").arg(QString::fromUtf8(kMaker)));
  QFont font(QStringLiteral("Verdana"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  setFont(font);
  setFixedSize(TwipsRect(*this, 0, 0, 6270, 6285).size());

  picLogo = Place(new QLabel(this), "picLogo", 300, 240, 855, 840);
  picLogo->setPixmap(LogoPicture());
  picLogo->hide();
  picViz = Place(new QLabel(this), "picViz", 300, 240, 855, 840);
  lblTitle = Place(new QLabel(QStringLiteral("Sledway"), this), "lblTitle", 1380, 300, 4590, 375);
  lblTitle->setFont(Arial(12, true, false));
  lblMaker = Place(new QLabel(QString::fromUtf8(kMaker), this), "lblMaker", 1380, 750, 4590, 285);
  lb1 = Place(new QLabel(QStringLiteral("Notes:"), this), "lb1", 300, 1260, 2000, 255);
  txtHelp = Place(new QPlainTextEdit(this), "txtHelp", 300, 1530, 5670, 3480);
  txtHelp->setReadOnly(true);
  Label3 = Place(new QLabel(QStringLiteral("Comments and suggestions to: "), this), "Label3", 300,
                 5190, 2640, 255);
  lblEmail =
      Place(new QLabel(QString::fromUtf8(kContact), this), "lblEmail", 2940, 5190, 3030, 255);
  lblEmail->setFont(Arial(8.25, false, true));
  lblEmail->setCursor(Qt::PointingHandCursor);
  lblEmail->installEventFilter(this);
  cmdClose =
      Place(new QPushButton(QStringLiteral("Close"), this), "cmdClose", 4860, 5700, 1110, 375);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmSledwayHelp::setVisible(bool visible) {
  const bool loading = visible && !m_bLoaded;
  if (loading) {
    m_bLoaded = true;
    ReportingFailures([this] { Form_Load(); });
  }
  QDialog::setVisible(visible);
  // The window's frame counts in its size, and the platform knows the frame once the window is
  // shown.
  if (loading) CenterForm(*this, platform::WorkArea());
}

void frmSledwayHelp::Form_Load() {
  txtHelp->setPlainText(SledwayNotes());
  const QString version = QLatin1Char(' ') + QString::fromLatin1(kVersion);
  lblTitle->setText(lblTitle->text() + version);
  setWindowTitle(windowTitle() + version);
  // Qt keeps the picture and repaints it itself, so drawing it once is enough.
  picViz->setPixmap(BltTransparent(BltMode::kTransparent, picLogo->pixmap(), kLogoTransparent));
}

void frmSledwayHelp::lblEmail_Click() {
  if (!platform::OpenMailLink(kContact)) {
    platform::ShowMessage("Unable to open email program", "Sledway");
  }
}

bool frmSledwayHelp::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lblEmail && event->type() == QEvent::MouseButtonRelease) {
    lblEmail_Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace sledway
