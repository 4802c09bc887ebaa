#include "platform/qt_desktop_services.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

namespace sledway::platform {

DesktopServices QtDesktopServices() {
  return DesktopServices{
      .sleep = [](std::uint32_t milliseconds) { QThread::msleep(milliseconds); },
      .showMessage =
          [](const std::string& text, const std::string& title) {
            QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                            QString::fromStdString(text), QMessageBox::Ok,
                            QApplication::activeWindow());
            box.exec();
          },
      .yieldToMessageLoop = [] { QCoreApplication::processEvents(); },
  };
}

}  // namespace sledway::platform
