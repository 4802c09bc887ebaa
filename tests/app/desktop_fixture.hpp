#pragma once

#include <gtest/gtest.h>

#include <BRepAdaptor_Curve.hxx>
#include <BRep_Tool.hxx>
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "app/desktop/main_window.hpp"
#include "app/desktop/view_widget.hpp"
#include "platform/desktop.hpp"
#include "tests/modelhost/model_test_helpers.hpp"
#include "tests/platform/scoped_config_home.hpp"

namespace sledway::app::test {

// The desktop host's main window on screen, with messages captured instead of shown.
class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(app_, settings_);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    CaptureMessages();
  }
  // Messages go to shownMessages_; `yield` stands for the host's turn of the message loop.
  void CaptureMessages(std::function<void()> yield = {}) {
    messages_.reset();
    messages_ = std::make_unique<platform::ScopedDesktopServices>(platform::DesktopServices{
        .sleep = {},
        .showMessage = [this](const std::string& text,
                              const std::string&) { shownMessages_.push_back(text); },
        .yieldToMessageLoop = std::move(yield)});
  }
  // Messages captured, and the view repainted at each yield as the main window's own yield
  // does: the watch and a recording see every placement a run makes.
  void RepaintAtEachYield() {
    CaptureMessages([this] {
      QApplication::processEvents();
      View().RedrawNow();
    });
  }
  void TearDown() override {
    messages_.reset();
    window_.reset();
  }

  ViewWidget& View() { return window_->View(); }
  model::AssemblyDocument& Document() { return *window_->Document(); }
  Ref<model::Component> ComponentNamed(const std::string& name) {
    return Document().FindComponent(name);
  }

  // The pointer moves over the view with no button down. QTest would warp the X pointer and
  // leave the move to arrive from the server some time later; this delivers it now.
  void MoveMouse(const QPoint& position) {
    QMouseEvent move(QEvent::MouseMove, position, View().mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&View(), &move);
  }

  // Lets the window lay itself out and draws the view now.
  void Settle() {
    QApplication::processEvents();
    View().repaint();
  }

  // The pixel of the view where `point` (assembly coordinates) appears.
  QPoint ScreenPoint(const gp_Pnt& point) {
    int x = 0, y = 0;
    View().View()->Convert(point.X(), point.Y(), point.Z(), x, y);
    return {x, y};
  }
  // The middle of edge `index` of `component`, where it stands now.
  gp_Pnt EdgeMiddle(const Ref<model::Component>& component, int index) {
    const BRepAdaptor_Curve curve(component->Part()->Edge(index));
    return curve.Value((curve.FirstParameter() + curve.LastParameter()) / 2.0)
        .Transformed(component->Placement());
  }
  gp_Pnt VertexPoint(const Ref<model::Component>& component, int index) {
    return BRep_Tool::Pnt(component->Part()->Vertex(index)).Transformed(component->Placement());
  }

  sledway::test::ScopedConfigHome home_;
  QTemporaryDir settingsDir_;
  QSettings settings_{settingsDir_.filePath("desktop.ini"), QSettings::IniFormat};
  Ref<model::Application> app_ = model::Application::Create();
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<platform::ScopedDesktopServices> messages_;
  std::vector<std::string> shownMessages_;
};

}  // namespace sledway::app::test
