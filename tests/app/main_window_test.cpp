#include <gmock/gmock.h>

#include <BRepBndLib.hxx>
#include <Bnd_Box.hxx>
#include <Graphic3d_Group.hxx>
#include <PrsMgr_PresentationManager.hxx>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <fstream>

#include "app/desktop/model_browser.hpp"
#include "app/view/assembly_scene.hpp"
#include "modelhost/files/entity_names.hpp"
#include "modelhost/files/sample_assemblies.hpp"
#include "modelhost/geometry/matrix.hpp"
#include "tests/app/desktop_fixture.hpp"

namespace sledway::app::test {
namespace {

using ::testing::HasSubstr;

class MainWindowTest : public DesktopTest {
 protected:
  // Every component is displayed and the whole assembly (bodies, sketches, work features) lies
  // in the view, filling most of it one way or the other.
  void ExpectFitted() {
    Bnd_Box all;
    for (const Ref<model::Component>& component : Document().Components()) {
      EXPECT_TRUE(View().Context()->IsDisplayed(View().Scene()->BodyOf(component)))
          << component->ComponentName();
      BRepBndLib::Add(component->Part()->Shape().Moved(TopLoc_Location(component->Placement())),
                      all);
    }
    for (const model::NamedEntity& named : model::ListEntities(Document())) {
      if (const TopoDS_Shape shape = View().Scene()->ShapeOf(named.entity); !shape.IsNull()) {
        BRepBndLib::Add(shape, all);
      }
    }
    double xMin, yMin, zMin, xMax, yMax, zMax;
    all.Get(xMin, yMin, zMin, xMax, yMax, zMax);
    int left = View().width(), right = 0, top = View().height(), bottom = 0;
    for (const double x : {xMin, xMax}) {
      for (const double y : {yMin, yMax}) {
        for (const double z : {zMin, zMax}) {
          const QPoint pixel = ScreenPoint(gp_Pnt(x, y, z));
          left = std::min(left, pixel.x());
          right = std::max(right, pixel.x());
          top = std::min(top, pixel.y());
          bottom = std::max(bottom, pixel.y());
        }
      }
    }
    // The corners of the box may stand a little outside the fitted shapes themselves.
    const int slack = View().width() / 10;
    EXPECT_GE(left, -slack);
    EXPECT_LE(right, View().width() + slack);
    EXPECT_GE(top, -slack);
    EXPECT_LE(bottom, View().height() + slack);
    EXPECT_TRUE(right - left > View().width() / 2 || bottom - top > View().height() / 2);
  }
};

TEST_F(MainWindowTest, EverySampleAndTheStepAssemblyOpenAndFitTheView) {
  for (const model::SampleAssembly& sample : model::SampleAssemblies()) {
    SCOPED_TRACE(sample.name);
    ASSERT_TRUE(window_->OpenSample(sample.name));
    EXPECT_EQ(app_->GetActiveDocument(), window_->Document());
    Settle();
    ExpectFitted();
  }
  ASSERT_TRUE(window_->OpenFile(SLEDWAY_TEST_DATA "/as1-oc-214.stp"));
  Settle();
  ExpectFitted();
  EXPECT_TRUE(shownMessages_.empty());
}

TEST_F(MainWindowTest, ABadFileIsReportedAndLeavesTheOpenAssemblyAsItWas) {
  ASSERT_TRUE(window_->OpenSample("slot"));
  const Ref<model::AssemblyDocument> open = window_->Document();
  QTemporaryDir folder;
  const std::string bad = folder.filePath("broken.json").toStdString();
  std::ofstream(bad) << R"({"parts": [{"name": "p", "box": {"length": 1}}], "components": [)";

  // A malformed STEP file is the runner's tests' (the same reader refuses it).

  EXPECT_FALSE(window_->OpenFile(bad));
  EXPECT_FALSE(window_->OpenFile(folder.filePath("missing.step").toStdString()));
  ASSERT_EQ(shownMessages_.size(), 2u);
  EXPECT_THAT(shownMessages_[0], HasSubstr("broken.json"));
  EXPECT_THAT(shownMessages_[1], HasSubstr("missing.step"));
  EXPECT_EQ(window_->Document(), open);
  EXPECT_EQ(app_->GetActiveDocument(), open);
  EXPECT_EQ(View().Scene()->Document(), open);
  EXPECT_NE(window_->Browser().ItemNamed("component:plate:1"), nullptr);
}

TEST_F(MainWindowTest, AMoveChangesOnlyTheDisplayedLocationAndHidingErases) {
  ASSERT_TRUE(window_->OpenSample("slot"));
  Settle();
  const Ref<model::Component> slider = ComponentNamed("slider:1");
  const Handle(AIS_Shape) body = View().Scene()->BodyOf(slider);
  const Handle(PrsMgr_Presentation) shown =
      View().Context()->MainPrsMgr()->Presentation(body, AIS_Shaded);
  ASSERT_FALSE(shown.IsNull());
  const Graphic3d_SequenceOfGroup groupsBefore = shown->Groups();

  slider->SetTransformation(std::make_shared<model::Matrix>(model::Shifted(3.0, 4.0, 2.0)));
  Settle();
  EXPECT_TRUE(body->LocalTransformation().TranslationPart().IsEqual(gp_XYZ(3.0, 4.0, 2.0), 1e-12));
  // The same presentation with the same groups: no new triangulation was made.
  EXPECT_EQ(View().Context()->MainPrsMgr()->Presentation(body, AIS_Shaded), shown);
  ASSERT_EQ(shown->Groups().Size(), groupsBefore.Size());
  for (int i = 1; i <= groupsBefore.Size(); ++i) EXPECT_EQ(shown->Groups()(i), groupsBefore(i));

  slider->Visible(false);
  Settle();
  EXPECT_FALSE(View().Context()->IsDisplayed(body));
  slider->SetTransformation(std::make_shared<model::Matrix>(model::Shifted(5.0, 1.0, 2.0)));
  slider->Visible(true);
  Settle();
  EXPECT_TRUE(View().Context()->IsDisplayed(body));
  EXPECT_TRUE(body->LocalTransformation().TranslationPart().IsEqual(gp_XYZ(5.0, 1.0, 2.0), 1e-12));
}

TEST_F(MainWindowTest, AfterAMoveTheWindowShowsTheComponentWhereItNowStands) {
  ASSERT_TRUE(window_->OpenSample("slot"));
  Settle();
  const auto onScreen = [this] {
    return View()
        .screen()
        ->grabWindow(View().winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
  };
  const QImage before = onScreen();
  const Ref<model::Component> slider = ComponentNamed("slider:1");
  slider->SetTransformation(std::make_shared<model::Matrix>(model::Shifted(3.0, 4.0, 2.0)));
  Settle();
  const QImage afterMove = onScreen();
  EXPECT_TRUE(afterMove != before);
  // The same view drawn again from nothing.
  View().View()->Invalidate();
  View().repaint();
  EXPECT_TRUE(afterMove == onScreen()) << "the window shows the slider where it stood before";
}

TEST_F(MainWindowTest, MessagesYieldAndTheWindowHandleAreTheDesktopHostsOwn) {
  ASSERT_TRUE(window_->OpenSample("slot"));
  Settle();
  messages_.reset();  // the window's own services from here on
  EXPECT_EQ(QWidget::find(static_cast<WId>(app_->GetMainWindowHandle())), window_.get());

  QString title, text;
  QMessageBox::Icon icon = QMessageBox::Critical;
  QMessageBox::StandardButtons buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    buttons = box->standardButtons();
    box->accept();
  });
  platform::ShowMessage("You can only create sledways in an Assembly document", "Sledway");
  EXPECT_EQ(title, "Sledway");
  EXPECT_EQ(text, "You can only create sledways in an Assembly document");
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_EQ(buttons, QMessageBox::Ok);

  // A run yields after every move: the view shows the move then, before the run goes on.
  const Ref<model::Component> slider = ComponentNamed("slider:1");
  slider->SetTransformation(std::make_shared<model::Matrix>(model::Shifted(7.0, 2.0, 1.0)));
  platform::YieldToMessageLoop();
  EXPECT_TRUE(View().Scene()->BodyOf(slider)->LocalTransformation().TranslationPart().IsEqual(
      gp_XYZ(7.0, 2.0, 1.0), 1e-12));
}

}  // namespace
}  // namespace sledway::app::test
