#pragma once

#include <QApplication>
#include <QLocale>

namespace sledway::test {

// The one QApplication of a test program, made on first use and kept to the end: destroyed among
// the program's static objects it would outlive parts of Qt it needs. The tests run on Qt's
// offscreen platform, in a US English locale unless a test picks another.
inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "sledway-window-tests";
  static char* argv[] = {name, nullptr};
  static QApplication* application = [] {
    // Set here rather than by CTest: the environment of a discovered test holds one variable
    // alone, and the leak suppressions take that place.
    ::qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  return *application;
}

}  // namespace sledway::test
