// The desktop host's view during a run, under Xvfb with Mesa's software renderer.
//
//   build/default/bench/desktop_bench --benchmark_counters_tabular=true
//
// BM_MoveAndRepaint: one move of the follow motion (placement, recompute) and a repaint of a
// 1280 x 800 view, as a run in the window does after every step; "moves/s" is the rate.
// BM_Repaint: the repaint alone, on the same view. At the end the program prints, for each
// assembly, the ratio of the two measured in this run, and BM_FirstPicture times a new main
// window from construction to the first picture of the default sample.
// BM_MoveAndRepaintWatched: the same moves with the clearance watch on (the clearance measured
// after each move, contact drawn red, the closest pair joined); the program prints its moves per
// second against those without the watch.

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/desktop/clearance_watch.hpp"
#include "app/desktop/main_window.hpp"
#include "app/desktop/view_widget.hpp"
#include "app/view/xvfb_display.hpp"
#include "bench/picked_slots.hpp"
#include "cli/slot_picking.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/any_assembly.hpp"
#include "modelhost/files/entity_names.hpp"
#include "modelhost/files/sample_assemblies.hpp"
#include "path/path_definition.hpp"

namespace sledway::app {
namespace {

// An assembly shown in a 1280 x 800 view, with a path and a follower picked as a user would.
struct RunScene {
  RunScene(Ref<model::AssemblyDocument> document, const std::string& pathName,
           const std::string& followName, const std::string& tangentName = "")
      : app(model::Application::Create()), view(app) {
    app->SetActiveDocument(document);
    path->Steps(100);
    sledway::bench::PickSlots(app, path, *document, pathName, followName, tangentName);
    view.resize(1280, 800);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) throw std::runtime_error("the view never showed");
    view.ShowDocument(document);
    view.repaint();
  }

  // Draws the view and waits until the renderer has finished the picture.
  void Repaint() {
    view.RedrawNow();
    glFinish();
  }

  Ref<model::Application> app;
  Ref<CPath> path = std::make_shared<CPath>();
  ViewWidget view;
};

std::unique_ptr<RunScene> DefaultSample() {
  const model::SampleAssembly sample = model::SampleAssemblies().front();
  return std::make_unique<RunScene>(model::ReadSampleAssembly(sample).document, sample.run.path,
                                    sample.run.follow, sample.run.tangent);
}

std::unique_ptr<RunScene> PassSample() {
  for (const model::SampleAssembly& sample : model::SampleAssemblies()) {
    if (sample.name == "pass") {
      return std::make_unique<RunScene>(model::ReadSampleAssembly(sample).document, sample.run.path,
                                        sample.run.follow, sample.run.tangent);
    }
  }
  throw std::runtime_error("no pass sample");
}

std::unique_ptr<RunScene> StepAssembly() {
  // A bolt end follows the rim of a hole of the plate.
  return std::make_unique<RunScene>(model::LoadAnyAssembly(SLEDWAY_STEP_ASSEMBLY),
                                    "component:plate_1/edge:5",
                                    "component:rod-assembly_1/vertex:1");
}

// Made on first use, and let go of before the display goes.
std::map<int, std::unique_ptr<RunScene>> scenes;

RunScene& Scene(int which) {
  auto& scene = scenes[which];
  if (!scene) scene = which == 0 ? DefaultSample() : which == 1 ? StepAssembly() : PassSample();
  return *scene;
}

const char* const kAssemblies[] = {"default sample", "as1-oc-214.stp", "pass sample"};

void BM_Repaint(benchmark::State& state) {
  RunScene& scene = Scene(static_cast<int>(state.range(0)));
  for (auto _ : state) scene.Repaint();
  state.SetLabel(kAssemblies[state.range(0)]);
}
BENCHMARK(BM_Repaint)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MoveAndRepaint(benchmark::State& state) {
  RunScene& scene = Scene(static_cast<int>(state.range(0)));
  int step = 0;
  for (auto _ : state) {
    scene.path->MoveToPointOnPath(scene.app, (step++ % 100) / 100.0);
    scene.Repaint();
  }
  state.counters["moves/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.SetLabel(kAssemblies[state.range(0)]);
}
BENCHMARK(BM_MoveAndRepaint)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MoveAndRepaintWatched(benchmark::State& state) {
  RunScene& scene = Scene(static_cast<int>(state.range(0)));
  ClearanceWatch watch(scene.view);
  scene.view.OnSceneChanged([&watch] { watch.Update(); });
  watch.SetEnabled(true);
  int step = 0;
  for (auto _ : state) {
    scene.path->MoveToPointOnPath(scene.app, (step++ % 100) / 100.0);
    scene.Repaint();
  }
  scene.view.OnSceneChanged({});
  state.counters["moves/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.SetLabel(kAssemblies[state.range(0)]);
}
BENCHMARK(BM_MoveAndRepaintWatched)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_FirstPicture(benchmark::State& state) {
  QTemporaryDir folder;
  QSettings settings(folder.filePath("desktop.ini"), QSettings::IniFormat);
  for (auto _ : state) {
    MainWindow window(model::Application::Create(), settings);
    window.show();
    window.OpenSample(model::SampleAssemblies().front().name);
    if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("the window never showed");
    window.View().repaint();
    glFinish();
  }
}
BENCHMARK(BM_FirstPicture)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// Prints what the console shows, then the ratio of move and repaint to repaint alone.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (int i = 0; i < 3; ++i) {
      const std::string arg = "/" + std::to_string(i) + "/real_time";
      const auto move = times_.find("BM_MoveAndRepaint" + arg);
      const auto repaint = times_.find("BM_Repaint" + arg);
      const auto watched = times_.find("BM_MoveAndRepaintWatched" + arg);
      if (move == times_.end()) continue;
      if (repaint != times_.end()) {
        std::printf("%s: (move + repaint) / repaint = %.3f\n", kAssemblies[i],
                    move->second / repaint->second);
      }
      if (watched != times_.end()) {
        std::printf("%s: moves/s with the clearance watch / without = %.3f\n", kAssemblies[i],
                    move->second / watched->second);
      }
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace
}  // namespace sledway::app

int main(int argc, char** argv) {
  const sledway::app::XvfbDisplay display(1600, 1000);
  qputenv("QT_QPA_PLATFORM", "xcb");
  qputenv("LIBGL_ALWAYS_SOFTWARE", "1");
  QApplication qt(argc, argv);
  benchmark::Initialize(&argc, argv);
  sledway::app::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  sledway::app::scenes.clear();
  return 0;
}
