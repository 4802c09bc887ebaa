#pragma once

#include <QApplication>
#include <QMainWindow>
#include <QWidget>
#include <memory>
#include <vector>

#include "host_fixture.hpp"
#include "qt_application.hpp"

namespace sledway::test {

// The model host under a Qt main window for the add-in's windows to belong to; a yield lets Qt
// deliver what is pending.
class QtHostFixture : public HostFixture {
 protected:
  QtHostFixture() {
    app->SetMainWindowHandle(static_cast<WindowHandle>(mainWindow->winId()));
    onYield = [] { QCoreApplication::processEvents(); };
  }

  // The tool windows shown now (owned windows count among Qt's top-level widgets).
  static std::vector<QWidget*> ToolWindows() {
    std::vector<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->windowTitle() == "Sledway 2.0" && widget->isVisible()) windows.push_back(widget);
    }
    return windows;
  }

  static void ProcessEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QApplication& qt = TestApplication();
  std::unique_ptr<QMainWindow> mainWindow = std::make_unique<QMainWindow>();
};

}  // namespace sledway::test
