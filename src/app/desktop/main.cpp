#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "app/desktop/add_in_manager.hpp"
#include "app/desktop/main_window.hpp"
#include "app/desktop/registration_command.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/files/sample_assemblies.hpp"

int main(int argc, char** argv) {
  // Registering needs no window, so it works without a display.
  if (argc == 3 &&
      (std::strcmp(argv[1], "--register") == 0 || std::strcmp(argv[1], "--unregister") == 0)) {
    return sledway::app::RegisterAddInLibrary(argv[2], std::strcmp(argv[1], "--unregister") == 0,
                                              std::cout, std::cerr);
  }

  QApplication qt(argc, argv);
  QCoreApplication::setOrganizationName("Sledway");
  QCoreApplication::setApplicationName("Sledway Desktop");
  QCommandLineParser parser;
  parser.setApplicationDescription("Sledway's desktop host: assemblies in a 3D view, with add-ins");
  parser.addHelpOption();
  parser.addOption({"register", "Register the add-in LIBRARY and quit.", "LIBRARY"});
  parser.addOption({"unregister", "Unregister the add-in LIBRARY and quit.", "LIBRARY"});
  parser.addPositionalArgument("FILE", "An assembly file (.json) or STEP assembly (.step, .stp)",
                               "[FILE]");
  parser.process(qt);
  if (parser.isSet("register") || parser.isSet("unregister") ||
      parser.positionalArguments().size() > 1) {
    std::cerr << "sledway-desktop: give one FILE, or --register LIBRARY or --unregister LIBRARY "
                 "alone\n";
    return 2;
  }

  QSettings settings;
  sledway::app::MainWindow window(sledway::model::Application::Create(), settings);
  window.show();
  // The add-in built with the host: beside the program where it is installed, else where the
  // build made it.
  const std::filesystem::path beside =
      std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) /
      SLEDWAY_OWN_ADD_IN_NAME;
  window.AddIns().RegisterOwnAddInWhenNoneIs({beside, SLEDWAY_OWN_ADD_IN});
  window.AddIns().LoadAtStartUp();
  const QStringList files = parser.positionalArguments();
  if (files.isEmpty()) {
    window.OpenSample(sledway::model::SampleAssemblies().front().name);
  } else {
    window.OpenFile(files.front().toStdString());
  }
  return qt.exec();
}
