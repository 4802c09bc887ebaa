// View tests need OpenGL on an X display: each test program starts an Xvfb of its own, so that
// they run on a clean machine and side by side with other test programs.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>
#include <memory>

#include "app/view/xvfb_display.hpp"

// Under AddressSanitizer, leaks are not checked here: Mesa's shader compiler and the D-Bus
// connection of Qt's X11 platform keep memory for the life of the process, in code without frame
// pointers that a suppression could name. Memory errors are still caught; the model host's and
// the add-in loader's own objects are leak-checked by the other test programs.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
  bool listing = false;
  for (int i = 1; i < argc; ++i) listing |= std::strcmp(argv[i], "--gtest_list_tests") == 0;
  std::unique_ptr<sledway::app::XvfbDisplay> display;
  if (!listing) display = std::make_unique<sledway::app::XvfbDisplay>(1600, 1000);
  ::qputenv("QT_QPA_PLATFORM", "xcb");
  // Mesa's software renderer: the same pictures on every machine.
  ::qputenv("LIBGL_ALWAYS_SOFTWARE", "1");
  ::testing::InitGoogleTest(&argc, argv);
  if (listing) return RUN_ALL_TESTS();
  QApplication qt(argc, argv);
  return RUN_ALL_TESTS();
}
