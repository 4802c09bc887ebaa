// The motion options of the runner against the add-in's own move, on the helix sample.
//
//   build/default/bench/motion_bench --benchmark_counters_tabular=true
//
// BM_Move/<mode>: one move of a 100-step run (0 add-in, 1 minimal, 2 up 0,0,1), recompute
// included. Its counter "max diff 10/1000 rad" is the largest angle between the bead's
// orientations at the fractions k/10 of a 10-step and of a 1,000-step run in that mode.
// BM_MinimalFrameSetUp/<n>: the rotation-minimising frame of a wave of n half circles (each an
// entity), with "pieces" the sub-division it took.
// BM_CoilFrameSetUp: the path curve and the rotation-minimising frame of the coil sample, a
// closed spline of 72 points in one entity.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <gp_Mat.hxx>
#include <gp_Quaternion.hxx>
#include <memory>
#include <string>
#include <vector>

#include "bench/picked_slots.hpp"
#include "modelhost/files/assembly_file.hpp"
#include "modelhost/files/sample_assemblies.hpp"
#include "modelhost/geometry/conversions.hpp"
#include "motion/path_motion.hpp"

namespace sledway::motion {
namespace {

struct Scene {
  explicit Scene(model::AssemblyFile file)
      : document(file.document),
        app(model::Application::Create()),
        path(std::make_shared<CPath>()) {
    app->SetActiveDocument(document);
    bench::PickSlots(app, path, *document, file.run->path, file.run->follow, file.run->tangent);
    path->Length();
  }
  Ref<model::AssemblyDocument> document;
  Ref<model::Application> app;
  Ref<CPath> path;
};

Scene Helix() {
  return Scene(model::ReadSampleAssembly(model::FindSampleAssembly("helix")));
}

RollChoice Roll(std::int64_t mode) {
  if (mode == 1) return {RollMode::kMinimal, {}};
  if (mode == 2) return {RollMode::kUp, gp_Dir(0, 0, 1)};
  return {};
}

// The rotations at the fractions k / 10 of a run of `steps` moves.
std::vector<gp_Mat> Orientations(std::int64_t mode, int steps) {
  Scene scene = Helix();
  PathMotion motion(scene.app, *scene.path, Roll(mode), {});
  scene.path->MoveToPointOnPath(scene.app, -1.0);
  motion.Start();
  std::vector<gp_Mat> rotations;
  for (int j = 1; j <= steps; ++j) {
    motion.MoveTo(static_cast<double>(j) / steps);
    if (j % (steps / 10) == 0) {
      rotations.push_back(
          model::ToTrsf(scene.path->FollowComponent()->GetTransformation()).VectorialPart());
    }
  }
  return rotations;
}

void BM_Move(benchmark::State& state) {
  Scene scene = Helix();
  PathMotion motion(scene.app, *scene.path, Roll(state.range(0)), {});
  scene.path->MoveToPointOnPath(scene.app, -1.0);
  motion.Start();
  int j = 0;
  for (auto _ : state) {
    j = j % 100 + 1;
    motion.MoveTo(j / 100.0);
  }
  const std::vector<gp_Mat> coarse = Orientations(state.range(0), 10);
  const std::vector<gp_Mat> fine = Orientations(state.range(0), 1000);
  double largest = 0.0;
  for (std::size_t k = 0; k < coarse.size(); ++k) {
    const gp_Quaternion difference(coarse[k] * fine[k].Transposed());
    largest = std::max(largest, std::abs(difference.GetRotationAngle()));
  }
  state.counters["max diff 10/1000 rad"] = largest;
}
BENCHMARK(BM_Move)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// A wave of `count` half circles of radius 10 mm, tangent end to end, in one 2D sketch.
std::string Wave(int count) {
  std::string curves;
  for (int i = 0; i < count; ++i) {
    const bool up = i % 2 == 0;
    curves += (i ? "," : "") + std::string(R"({"kind": "arc", "centre": [)") +
              std::to_string(20 * i) + R"(, 0], "radius": 10, "startAngle": )" +
              (up ? "0" : "180") + R"(, "endAngle": )" + (up ? "180" : "360") + "}";
  }
  return R"({"units": "mm",
    "parts": [{"name": "bead", "sphere": {"radius": 1}, "workPoints": [{"name": "c", "point": [0, 0, 0]}],
               "workAxes": [{"name": "a", "origin": [0, 0, 0], "direction": [1, 0, 0]}]}],
    "components": [{"name": "bead:1", "part": "bead"}],
    "sketches": [{"name": "wave", "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]},
                  "curves": [)" +
         curves + R"(]}],
    "run": {"path": "sketch:wave/curve:1", "follow": "component:bead:1/workpoint:c",
            "tangent": "component:bead:1/workaxis:a"}})";
}

void BM_MinimalFrameSetUp(benchmark::State& state) {
  Scene scene(model::ReadAssemblyText(Wave(static_cast<int>(state.range(0))), "wave.json", "."));
  const PathCurve curve(*scene.path);
  std::size_t pieces = 0;
  for (auto _ : state) {
    const MinimalFrame frame(curve, gp_Dir(0, 0, 1));
    pieces = frame.PieceCount();
    benchmark::DoNotOptimize(pieces);
  }
  state.counters["pieces"] = static_cast<double>(pieces);
}
BENCHMARK(BM_MinimalFrameSetUp)->Arg(4)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);

void BM_CoilFrameSetUp(benchmark::State& state) {
  Scene scene(model::ReadSampleAssembly(model::FindSampleAssembly("coil")));
  std::size_t pieces = 0;
  for (auto _ : state) {
    const PathCurve curve(*scene.path);
    const MinimalFrame frame(curve, gp_Dir(0, 0, 1));
    pieces = frame.PieceCount();
    benchmark::DoNotOptimize(pieces);
  }
  state.counters["pieces"] = static_cast<double>(pieces);
}
BENCHMARK(BM_CoilFrameSetUp)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace sledway::motion

BENCHMARK_MAIN();
