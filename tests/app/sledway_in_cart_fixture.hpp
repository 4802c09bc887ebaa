#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <string>
#include <vector>

#include "app/desktop/add_in_manager.hpp"
#include "tests/app/desktop_fixture.hpp"

namespace sledway::app::test {

// The desktop host with its own Sledway add-in loaded and the cart sample open. The add-in
// shows its messages in Qt boxes of its own, which the captured services do not reach: a box
// would wait for a click that never comes, so each is noted in boxes_ and closed.
class SledwayInCartTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    ASSERT_TRUE(window_->AddIns().RegisterOwnAddInWhenNoneIs({SLEDWAY_ADDIN_LIBRARY}));
    window_->AddIns().LoadAtStartUp();
    ASSERT_TRUE(window_->AddIns().Loaded("{1ED471A1-4725-4827-B91F-4EE510CB2B8D}"));
    ASSERT_TRUE(window_->OpenSample("cart"));
    Settle();
    QObject::connect(&boxWatch_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        boxes_.push_back(box->text().toStdString());
        box->reject();
      }
    });
    boxWatch_.start(20);
  }
  void TearDown() override {
    boxWatch_.stop();
    if (tool_) tool_->close();
    QApplication::processEvents();
    DesktopTest::TearDown();
  }

  // Opens the tool window with the add-in's one toolbar button and moves it aside: the view must
  // be the window's topmost at the spots picked.
  void OpenToolWindow() {
    QToolBar* bar = window_->findChild<QToolBar*>("Sledway");
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);
    QTest::mouseClick(bar->widgetForAction(bar->actions().front()), Qt::LeftButton);
    for (QWidget* child : window_->findChildren<QWidget*>()) {
      if (child->isWindow() && child->windowTitle() == "Sledway 2.0" && child->isVisible()) {
        tool_ = child;
      }
    }
    ASSERT_NE(tool_, nullptr);
    tool_->move(window_->geometry().topRight() + QPoint(20, 0));
  }
  template <class Control = QWidget>
  Control* Get(const char* name) const {
    auto* control = tool_->findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  void Click(const char* name) { QTest::mouseClick(Get(name), Qt::LeftButton); }

  QTimer boxWatch_;
  std::vector<std::string> boxes_;
  // The add-in's tool window, once a test has opened it.
  QPointer<QWidget> tool_;
};

}  // namespace sledway::app::test
