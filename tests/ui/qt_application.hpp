#pragma once

#include <QApplication>
#include <QLocale>

namespace sledway::test {

// The one QApplication of a test program, made on first use and kept to the end: destroyed among
// the program's static objects it would outlive parts of Qt it needs. The tests run on Qt's
// offscreen platform (set by CMake), in a US English locale unless a test picks another.
inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "sledway-window-tests";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  return *application;
}

}  // namespace sledway::test
