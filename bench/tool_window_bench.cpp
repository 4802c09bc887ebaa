// The time from a click on the add-in's button to its tool window shown, over the model host on
// Qt's offscreen platform:
//
//   build/<dir>/bench/tool_window_bench
//
// BM_ClickOpensToolWindow: a click in an assembly with no window open, up to the window shown
// (its set-up included: defaults, position from the per-user settings, parameter list, owner,
// pictures). BM_ClickRaisesOpenWindow: a click while the window is open, which only brings it to
// the front; the ratio of the two is the cost of making the window.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <cstdlib>

#include "addin/sledway_server.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/application/button_definition.hpp"
#include "modelhost/application/command_bar.hpp"
#include "modelhost/application/command_bar_controls.hpp"
#include "modelhost/application/command_bars.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/sample_assemblies.hpp"
#include "scoped_config_home.hpp"
#include "ui/qt/qt_form_factory.hpp"

namespace sledway {
namespace {

// The lift sample activated with the add-in, and the button the user clicks.
struct ClickScene {
  ClickScene() {
    app->SetActiveDocument(model::ReadSampleAssembly(model::FindSampleAssembly("lift")).document);
    app->SetMainWindowHandle(static_cast<WindowHandle>(mainWindow.winId()));
    server->Activate(app->CreateAddInSite(), true);
    const auto definition = app->UserInterfaceObject()
                                ->Bars()
                                ->Item("Sledway")
                                ->GetControls()
                                ->Item(1)
                                ->ButtonDefinition();
    button = std::dynamic_pointer_cast<model::ButtonDefinition>(definition);
  }

  void CloseToolWindows() const {
    if (server->ToolWindow()) server->ToolWindow()->Window().Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  test::ScopedConfigHome configHome;
  QMainWindow mainWindow;
  Ref<model::Application> app = model::Application::Create();
  qtface::QtFormFactory faces;
  std::shared_ptr<CSledway> server = std::make_shared<CSledway>(faces);
  Ref<model::ButtonDefinition> button;
};

void BM_ClickOpensToolWindow(benchmark::State& state) {
  ClickScene scene;
  for (auto _ : state) {
    scene.button->Execute();
    state.PauseTiming();
    scene.CloseToolWindows();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ClickOpensToolWindow)->Unit(benchmark::kMillisecond);

void BM_ClickRaisesOpenWindow(benchmark::State& state) {
  ClickScene scene;
  scene.button->Execute();
  for (auto _ : state) scene.button->Execute();
  scene.CloseToolWindows();
}
BENCHMARK(BM_ClickRaisesOpenWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sledway

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Kept to the end: destroyed among the program's statics it would outlive parts of Qt.
  static auto* application = new QApplication(argc, argv);
  (void)application;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
