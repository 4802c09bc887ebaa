// The clearance check of a run, per move, against the exact distance of whole shapes.
//
//   build/default/bench/clearance_bench --benchmark_counters_tabular=true
//
// BM_ClearanceMove: one move's clearance of the moving component against every other one, on
// the hierarchies built once (the placements of a 100-step run, taken in turn).
// BM_FacePairSearch: the mesh walk alone of such a move (both hierarchies at once), which picks
// the face pairs the exact step refines; "face pairs" is how many it picks per move.
// BM_WholeShapeDistance: the same, by BRepExtrema_DistShapeShape over the whole placed shapes.
// BM_ClearanceMove's counter "exact fallbacks" is how many measurements of the run's 100 moves
// the certification had to make by BRepExtrema on the face pairs instead; its counter
// "max diff/size" is the largest difference between the two distances over the
// run's placements, relative to the assembly's size (a pair where one solid encloses the other
// is left out: the whole-shape distance is the gap between their surfaces there).
// BM_HierarchyBuild: meshing a part and building its hierarchy, with the triangles and the
// memory it takes ("bytes", measured by the allocator).
// BM_RunClearance: the clearance of a whole run as the runner measures it, after every move and,
// over the whole motion (third argument 1), on the way between moves too, against at the moves
// only (0), at 50 and 1,000 steps; on the pass sample, and on a bar kept tangent to a circle
// turning past a ball. "measurements" counts them per run.
// BM_RunClearanceRoll/<roll>: the bar round the ball at 50 steps over the whole motion under
// the add-in's roll (0), the minimal roll (1) and the up roll 0,0,1 (2), each stepping with its
// own motion and bound between moves.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <BRepBndLib.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <BRepTools.hxx>
#include <Bnd_Box.hxx>
#include <TopLoc_Location.hxx>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gp_Ax1.hxx>
#include <gp_Vec.hxx>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/picked_slots.hpp"
#include "clearance/clearance_check.hpp"
#include "clearance/face_pair_search.hpp"
#include "clearance/hierarchy_cache.hpp"
#include "cli/motion_options.hpp"
#include "cli/run_clearance.hpp"
#include "cli/run_options.hpp"
#include "cli/slot_picking.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/any_assembly.hpp"
#include "modelhost/files/entity_names.hpp"
#include "modelhost/files/sample_assemblies.hpp"
#include "modelhost/geometry/matrix.hpp"
#include "modelhost/part/part.hpp"
#include "path/path_definition.hpp"
#include "ui/run_sequences.hpp"

namespace sledway::clearance {
namespace {

constexpr int kSteps = 100;

// An assembly with a run picked as the runner picks it, and the moving component's placement
// after each of its moves.
struct RunScene {
  RunScene(Ref<model::AssemblyDocument> assembly, const std::string& pathName,
           const std::string& followName, const std::string& tangentName)
      : document(std::move(assembly)), app(model::Application::Create()) {
    app->SetActiveDocument(document);
    const auto path = std::make_shared<CPath>();
    sledway::bench::PickSlots(app, path, *document, pathName, followName, tangentName);
    moving = std::dynamic_pointer_cast<model::Component>(path->FollowComponent());
    for (const auto& component : document->Components()) {
      if (component != moving) others.push_back(component);
    }
    for (int step = 1; step <= kSteps; ++step) {
      path->MoveToPointOnPath(app, static_cast<double>(step) / kSteps);
      placements.push_back(moving->Placement());
    }
    MeasureSize();
  }

  // A scene whose moving component is given its placements.
  RunScene(Ref<model::AssemblyDocument> assembly, Ref<model::Component> component,
           std::vector<gp_Trsf> steps)
      : document(std::move(assembly)), moving(std::move(component)), placements(std::move(steps)) {
    for (const auto& other : document->Components()) {
      if (other != moving) others.push_back(other);
    }
    MeasureSize();
  }

  void MeasureSize() {
    Bnd_Box box;
    for (const auto& component : document->Components()) {
      BRepBndLib::Add(component->Part()->Shape().Moved(TopLoc_Location(component->Placement())),
                      box);
    }
    size = std::sqrt(box.SquareExtent());
  }

  void Place(int step) {
    moving->SetTransformation(std::make_shared<model::Matrix>(placements[step % kSteps]));
  }

  // The least distance over the whole shapes, or not a number where a solid encloses another.
  double WholeShapeDistance() const {
    const TopoDS_Shape placed = moving->Part()->Shape().Moved(TopLoc_Location(moving->Placement()));
    double least = std::numeric_limits<double>::max();
    for (const auto& other : others) {
      const BRepExtrema_DistShapeShape exact(
          placed, other->Part()->Shape().Moved(TopLoc_Location(other->Placement())));
      least = std::min(least, exact.Value());
    }
    return least;
  }

  Ref<model::AssemblyDocument> document;
  Ref<model::Application> app;
  Ref<model::Component> moving;
  std::vector<Ref<model::Component>> others;
  std::vector<gp_Trsf> placements;
  double size = 0.0;
};

const char* const kScenes[] = {"as1-oc-214.stp", "pass sample", "sphere under slab"};

// A ball of radius 20 mm in 100 steps along x from -25 to 25 mm under a 100 mm cube whose
// bottom face lies 0.5 mm above the ball's top, the ball turning as it goes.
std::unique_ptr<RunScene> SphereUnderSlab() {
  const auto document = model::AssemblyDocument::Create("sphere under slab");
  const auto ball = document->AddSpherePart("ball", "20 mm");
  const auto cube = document->AddBoxPart("cube", "100 mm", "100 mm", "100 mm");
  gp_Trsf above;
  above.SetTranslation(gp_Vec(-5.0, -5.0, 2.05));
  document->AddComponent("cube:1", cube, above);
  const auto moving = document->AddComponent("ball:1", ball, gp_Trsf());
  std::vector<gp_Trsf> placements;
  for (int step = 1; step <= kSteps; ++step) {
    gp_Trsf along, turn;
    along.SetTranslation(gp_Vec(-2.5 + 5.0 * step / kSteps, 0.0, 0.0));
    turn.SetRotation(gp_Ax1(gp::Origin(), gp_Dir(1.0, 2.0, 3.0)), 0.02 * step);
    placements.push_back(along * turn);
  }
  return std::make_unique<RunScene>(document, moving, std::move(placements));
}

RunScene& Scene(int which) {
  static std::map<int, std::unique_ptr<RunScene>> scenes;
  auto& scene = scenes[which];
  if (scene) return *scene;
  if (which == 2) {
    scene = SphereUnderSlab();
  } else if (which == 0) {
    // A rod's end runs round the rim of a hole of the plate, the rod kept along the rim.
    scene = std::make_unique<RunScene>(
        model::LoadAnyAssembly(SLEDWAY_STEP_ASSEMBLY), "component:plate_1/edge:5",
        "component:rod-assembly_1/vertex:1", "component:rod-assembly_1/edge:1");
  } else {
    for (const model::SampleAssembly& sample : model::SampleAssemblies()) {
      if (sample.name != "pass") continue;
      scene = std::make_unique<RunScene>(model::ReadSampleAssembly(sample).document,
                                         sample.run.path, sample.run.follow, sample.run.tangent);
    }
  }
  return *scene;
}

void BM_ClearanceMove(benchmark::State& state) {
  RunScene& scene = Scene(static_cast<int>(state.range(0)));
  ClearanceCheck check(scene.moving, scene.others, 1e-4);
  double largestDifference = 0.0;
  int exact = 0;
  for (int step = 0; step < kSteps; ++step) {
    scene.Place(step);
    const Clearance clearance = check.Measure();
    exact += clearance.measuredExactly;
    if (clearance.nearest->enclosed) continue;
    largestDifference = std::max(
        largestDifference, std::abs(clearance.nearest->distance - scene.WholeShapeDistance()));
  }
  int step = 0;
  for (auto _ : state) {
    scene.Place(step++);
    benchmark::DoNotOptimize(check.Measure());
  }
  state.counters["max diff/size"] = largestDifference / scene.size;
  // How many of the run's component measurements the certification sent to BRepExtrema.
  state.counters["exact fallbacks"] = exact;
  state.counters["hierarchies"] = check.Hierarchies().Builds();
  state.SetLabel(kScenes[state.range(0)]);
}
BENCHMARK(BM_ClearanceMove)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_FacePairSearch(benchmark::State& state) {
  RunScene& scene = Scene(static_cast<int>(state.range(0)));
  HierarchyCache cache;
  const PartHierarchy& moving = cache.For(scene.moving->Part());
  double pairs = 0.0;
  int step = 0;
  for (auto _ : state) {
    scene.Place(step++);
    for (const auto& other : scene.others) {
      const PartHierarchy& fixed = cache.For(other->Part());
      // The margin the clearance check walks with: both meshes' deflections, twice.
      const double margin = 2.0 * (fixed.Deflection() + moving.Deflection());
      const FacePairs found = NearFacePairs(
          fixed, moving, other->Placement().Inverted() * scene.moving->Placement(), margin);
      pairs += static_cast<double>(found.withinMargin.size());
    }
  }
  state.counters["face pairs"] = benchmark::Counter(pairs, benchmark::Counter::kAvgIterations);
  state.SetLabel(kScenes[state.range(0)]);
}
BENCHMARK(BM_FacePairSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_WholeShapeDistance(benchmark::State& state) {
  RunScene& scene = Scene(static_cast<int>(state.range(0)));
  int step = 0;
  for (auto _ : state) {
    scene.Place(step++);
    benchmark::DoNotOptimize(scene.WholeShapeDistance());
  }
  state.SetLabel(kScenes[state.range(0)]);
}
BENCHMARK(BM_WholeShapeDistance)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_HierarchyBuild(benchmark::State& state) {
  RunScene& scene = Scene(static_cast<int>(state.range(0)));
  const auto& part = scene.document->Parts()[static_cast<std::size_t>(state.range(1))];
  std::size_t bytes = 0;
  std::size_t triangles = 0;
  for (auto _ : state) {
    state.PauseTiming();
    BRepTools::Clean(part->Shape());  // the mesh is made again, as for a part never shown
    const std::size_t before = mallinfo2().uordblks;
    state.ResumeTiming();
    const PartHierarchy hierarchy(part->Shape());
    state.PauseTiming();
    bytes = mallinfo2().uordblks - before;
    triangles = hierarchy.TriangleCount();
    state.ResumeTiming();
  }
  state.counters["triangles"] = static_cast<double>(triangles);
  state.counters["bytes"] = static_cast<double>(bytes);
  state.SetLabel(std::string(kScenes[state.range(0)]) + " " + part->Name());
}
BENCHMARK(BM_HierarchyBuild)->ArgsProduct({{0, 1}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

// A bar 20 x 4 x 4 mm kept tangent to a circle of radius 50 mm, its inner face passing 5 mm
// from a ball of radius 3 mm.
constexpr const char* kRing = R"({"units": "mm",
  "parts": [{"name": "bar", "box": {"length": 20, "width": 4, "height": 4},
             "workPoints": [{"name": "middle", "point": [10, 2, 2]}],
             "workAxes": [{"name": "along", "origin": [0, 2, 2], "direction": [1, 0, 0]}]},
            {"name": "ball", "sphere": {"radius": 3}}],
  "components": [{"name": "bar:1", "part": "bar"},
                 {"name": "ball:1", "part": "ball", "placement": {"origin": [0, 40, 0]}}],
  "sketches": [{"name": "ring", "curves": [{"kind": "circle", "centre": [0, 0], "radius": 50}],
                "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]}}],
  "run": {"path": "sketch:ring/curve:1", "follow": "component:bar:1/workpoint:middle",
          "tangent": "component:bar:1/workaxis:along"}})";

void BM_RunClearance(benchmark::State& state) {
  Ref<model::AssemblyDocument> document;
  model::SuggestedRun run;
  if (state.range(0) == 0) {
    for (const model::SampleAssembly& sample : model::SampleAssemblies()) {
      if (sample.name != "pass") continue;
      document = model::ReadSampleAssembly(sample).document;
      run = sample.run;
    }
  } else {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "sledway-clearance-bench-ring.json";
    std::ofstream(file) << kRing;
    document = model::LoadAnyAssembly(file);
    std::filesystem::remove(file);
    run.path = "sketch:ring/curve:1";
    run.follow = "component:bar:1/workpoint:middle";
    run.tangent = "component:bar:1/workaxis:along";
  }
  const Ref<model::Application> app = model::Application::Create();
  app->SetActiveDocument(document);
  const auto path = std::make_shared<CPath>();
  sledway::bench::PickSlots(app, path, *document, run.path, run.follow, run.tangent);
  path->Steps(static_cast<std::int32_t>(state.range(1)));
  path->Reps(1);
  cli::RunOptions options;
  options.clearance.emplace();
  options.clearanceAtMoves = state.range(2) == 0;
  std::int64_t measurements = 0;
  for (auto _ : state) {
    state.PauseTiming();
    PositionAtStart(app, document, *path);
    cli::RunClearance clearance(options, *document, *path, app);
    clearance.AtStart(0, 0.0);
    state.ResumeTiming();
    RunPath(app, document, *path, [&](const RunMove& move) {
      clearance.AfterMove(move.index, move.step, move.fraction);
    });
    measurements = clearance.Summary().measurements;
  }
  state.counters["measurements"] = static_cast<double>(measurements);
  state.SetLabel(std::string(state.range(0) == 0 ? "pass sample" : "bar round a ball") +
                 (state.range(2) ? ", whole motion" : ", at moves"));
}
BENCHMARK(BM_RunClearance)
    ->ArgsProduct({{0, 1}, {50, 1000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

void BM_RunClearanceRoll(benchmark::State& state) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "sledway-clearance-bench-roll.json";
  std::ofstream(file) << kRing;
  const Ref<model::AssemblyDocument> document = model::LoadAnyAssembly(file);
  std::filesystem::remove(file);
  const Ref<model::Application> app = model::Application::Create();
  app->SetActiveDocument(document);
  const auto path = std::make_shared<CPath>();
  const std::string follow = "component:bar:1/workpoint:middle";
  sledway::bench::PickSlots(app, path, *document, "sketch:ring/curve:1", follow,
                            "component:bar:1/workaxis:along");
  path->Steps(50);
  path->Reps(1);
  cli::RunOptions options;
  options.clearance.emplace();
  const std::vector<std::vector<std::string>> rolls{{"add-in"}, {"minimal"}, {"up", "0,0,1"}};
  options.roll = rolls[static_cast<std::size_t>(state.range(0))];
  cli::RunMotionPlan plan(options, *document, app, *path, follow);
  std::int64_t measurements = 0;
  for (auto _ : state) {
    state.PauseTiming();
    PositionAtStart(app, document, *path);
    plan.Start();
    cli::RunClearance clearance(options, *document, *path, app, plan.Motion());
    clearance.AtStart(0, 0.0);
    state.ResumeTiming();
    RunPath(
        app, document, *path,
        [&](const RunMove& move) { clearance.AfterMove(move.index, move.step, move.fraction); },
        plan.Hooks());
    measurements = clearance.Summary().measurements;
  }
  state.counters["measurements"] = static_cast<double>(measurements);
  state.SetLabel("bar round a ball, 50 steps, --roll " + options.roll.front());
}
BENCHMARK(BM_RunClearanceRoll)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sledway::clearance

BENCHMARK_MAIN();
