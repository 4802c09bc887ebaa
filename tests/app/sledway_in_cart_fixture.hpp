#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
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

  QTimer boxWatch_;
  std::vector<std::string> boxes_;
  // The add-in's tool window, once a test has opened it.
  QPointer<QWidget> tool_;
};

}  // namespace sledway::app::test
