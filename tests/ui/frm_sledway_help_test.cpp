#include "ui/frm_sledway_help.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <cstdlib>

#include "platform/work_area.hpp"
#include "ui/frm_path.hpp"
#include "window_test_support.hpp"

namespace sledway::test {
namespace {

using ::testing::ElementsAre;

// Hears the "mailto:" links the desktop is asked to open.
class MailCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public Q_SLOTS:
  void open(const QUrl& url) { opened.append(url); }
};

class AboutWindowTest : public ::testing::Test, public HostFixture {};

TEST_F(AboutWindowTest, ShowsTheNotesAndTheVersionOnceCentredWithTheLogosGreenTransparent) {
  for (int opening = 0; opening < 2; ++opening) {
    frmSledwayHelp help;
    help.show();
    EXPECT_EQ(Find<QLabel>(help, "lblTitle")->text(), "Sledway 2.0.0");
    EXPECT_EQ(help.windowTitle(), " Sledway contributors Sledway 2.0.0");
    EXPECT_EQ(Find<QLabel>(help, "lblMaker")->text(), "Sledway contributors");
    EXPECT_EQ(Find<QLabel>(help, "Label3")->text(), "Comments and suggestions to: ");
    EXPECT_EQ(Find<QLabel>(help, "lblEmail")->text(), "sledway@example.org");
    EXPECT_TRUE(Find<QLabel>(help, "lblEmail")->font().underline());
    EXPECT_EQ(Find<QLabel>(help, "lb1")->text(), "Notes:");
    const QString notes = Find<QPlainTextEdit>(help, "txtHelp")->toPlainText();
    EXPECT_TRUE(
        notes.startsWith("THE  USER OF THIS PROGRAM ASSUMES ALL RESPONSIBILITY FOR ANY "
                         "DAMAGE OR LOSS OF DATA OCCURRING FROM ITS USE\n\nValid paths: "));
    EXPECT_TRUE(
        notes.endsWith("\n\nOptionally, select a parameter to drive as the component "
                       "follows the path."));
    EXPECT_EQ(notes.split("\n\n").size(), 7);
    const QRect area = platform::WorkArea();
    // Centred to the pixel: an odd remainder may go either way.
    const QRect frame = help.frameGeometry();
    EXPECT_LE(std::abs(2 * frame.left() + frame.width() - 2 * area.left() - area.width()), 1);
    EXPECT_LE(std::abs(2 * frame.top() + frame.height() - 2 * area.top() - area.height()), 1);

    // Where the logo is pure green, the window's own background shows.
    const QImage logo = Find<QLabel>(help, "picLogo")->pixmap().toImage();
    const QImage shown = Find<QLabel>(help, "picViz")->grab().toImage();
    const QColor background = help.palette().color(QPalette::Window);
    int green = 0, drawn = 0;
    for (int y = 0; y < logo.height(); ++y) {
      for (int x = 0; x < logo.width(); ++x) {
        if (logo.pixelColor(x, y) == QColor(0, 255, 0)) {
          ++green;
          EXPECT_EQ(shown.pixelColor(x, y), background) << x << ", " << y;
        } else {
          ++drawn;
          EXPECT_EQ(shown.pixelColor(x, y), logo.pixelColor(x, y)) << x << ", " << y;
        }
      }
    }
    EXPECT_GT(green, 0);
    EXPECT_GT(drawn, 0);
    QTest::mouseClick(Find<QPushButton>(help, "cmdClose"), Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());
  }
}

TEST_F(AboutWindowTest, TheContactLineOpensAMailToTheContactOrSaysItCannot) {
  frmSledwayHelp help;
  help.show();
  // The offscreen platform opens no links.
  QTest::mouseClick(Find<QLabel>(help, "lblEmail"), Qt::LeftButton);
  EXPECT_THAT(messages, ElementsAre("Sledway: Unable to open email program"));
  MailCatcher catcher;
  QDesktopServices::setUrlHandler("mailto", &catcher, "open");
  QTest::mouseClick(Find<QLabel>(help, "lblEmail"), Qt::LeftButton);
  QDesktopServices::unsetUrlHandler("mailto");
  EXPECT_THAT(catcher.opened, ElementsAre(QUrl("mailto:sledway@example.org")));
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_TRUE(help.isVisible());
}

TEST_F(AboutWindowTest, TheToolWindowsHelpButtonShowsItModally) {
  frmPath* window = new frmPath();
  window->IVApp(app);
  window->show();
  QString title;
  bool modal = false;
  QTimer::singleShot(0, [&] {
    QWidget* shown = QApplication::activeModalWidget();
    if (shown == nullptr) return;
    title = shown->windowTitle();
    modal = shown->isModal();
    QTest::mouseClick(Find<QPushButton>(*shown, "cmdClose"), Qt::LeftButton);
  });
  QTest::mouseClick(Find<QToolButton>(*window, "cmdHelp"), Qt::LeftButton);
  EXPECT_EQ(title, " Sledway contributors Sledway 2.0.0");
  EXPECT_TRUE(modal);
  window->close();
  ProcessEvents();
}

}  // namespace
}  // namespace sledway::test

#include "frm_sledway_help_test.moc"
