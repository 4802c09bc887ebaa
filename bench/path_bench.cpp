// Follow motion and chain building at scale.
//
//   build/<dir>/bench/path_bench --benchmark_counters_tabular=true
//
// Step cost: BM_AlignedMoveOnSpline against BM_BareOcctSolveAndD1 on the same B-spline and the
// same distances. The follower is a box sized by a parameter that nothing drives, so the
// recompute inside each move evaluates the parameters and finds nothing to rebuild;
// BM_RecomputeOfTheStepAssembly measures that recompute alone.

#include <benchmark/benchmark.h>

#include <GCPnts_AbscissaPoint.hxx>
#include <GeomAPI_Interpolate.hxx>
#include <GeomAdaptor_Curve.hxx>
#include <Precision.hxx>
#include <TColgp_HArray1OfPnt.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Ax2.hxx>
#include <gp_Pnt2d.hxx>
#include <memory>
#include <numbers>
#include <vector>

#include "modelhost/application/application.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/curves/extended_curve.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"
#include "modelhost/sketch/sketch3d.hpp"
#include "modelhost/sketch/sketch3d_definition.hpp"
#include "path/path_definition.hpp"

namespace sledway {
namespace {

constexpr double kPi = std::numbers::pi;

// A wavy space curve through twelve points.
std::vector<gp_Pnt> SplinePoints() {
  std::vector<gp_Pnt> points;
  for (int i = 0; i < 12; ++i) {
    const double t = i / 11.0;
    points.emplace_back(40 * t, 6 * std::sin(3 * kPi * t), 4 * std::cos(2 * kPi * t) + 3 * t);
  }
  return points;
}

// An assembly that holds a path sketch and a cart following it with its work point "tip",
// aligning its work axis "axis"; the cart is a 4 x 2 x 1 cm box whose length is the parameter
// "cart_length".
struct FollowScene {
  FollowScene() : app(model::Application::Create()), doc(model::AssemblyDocument::Create("bench")) {
    app->SetActiveDocument(doc);
    doc->Parameters().AddUserParameter("cart_length", "40 mm", "mm");
    auto part = doc->AddBoxPart("cart", "cart_length", "20 mm", "10 mm");
    part->AddWorkPoint("tip", gp_Pnt(4, 1, 0.5));
    part->AddWorkAxis("axis", gp_Ax1(gp_Pnt(0, 1, 0.5), gp::DX()));
    gp_Trsf placement;
    placement.SetRotation(gp_Ax1(gp::Origin(), gp_Dir(1, 1, 1)), 0.7);
    cart = doc->AddComponent("cart:1", part, placement);
    path.FollowComponent(cart);
    path.FollowWorkPoint(cart->WorkPoint("tip"));
    path.IsAligned(true);
    path.TangentAxis(cart->WorkAxis("axis"));
  }
  void Follow(const Ref<model::Sketch3d>& sketch) {
    for (int i = 1; i <= sketch->CurveCount(); ++i) {
      const auto curve = sketch->Curve(i);
      path.PathEnts()->Add(app, curve->ObjectType(), curve, 1);
    }
    path.PathEnts()->SortEntityDirections();
    path.Length();
  }

  Ref<model::Application> app;
  Ref<model::AssemblyDocument> doc;
  Ref<model::Component> cart;
  CPath path;
};

constexpr int kStepsPerLap = 1000;
double StepFraction(long step) {
  return (step % kStepsPerLap + 0.5) / kStepsPerLap;
}

void BM_AlignedMoveOnSpline(benchmark::State& state) {
  FollowScene scene;
  scene.doc->AddSketch3d("track")->AddSpline(SplinePoints());
  scene.Follow(scene.doc->Sketch3d("track"));
  long step = 0;
  for (auto _ : state) scene.path.MoveToPointOnPath(scene.app, StepFraction(step++));
}
BENCHMARK(BM_AlignedMoveOnSpline);

void BM_RecomputeOfTheStepAssembly(benchmark::State& state) {
  FollowScene scene;
  scene.doc->AddSketch3d("track")->AddSpline(SplinePoints());
  for (auto _ : state) scene.doc->Update();
}
BENCHMARK(BM_RecomputeOfTheStepAssembly);

// What OCCT alone costs for one step: the parameter at a length, then point and derivative.
void BM_BareOcctSolveAndD1(benchmark::State& state) {
  const auto points = SplinePoints();
  Handle(TColgp_HArray1OfPnt) poles = new TColgp_HArray1OfPnt(1, static_cast<int>(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i)
    poles->SetValue(static_cast<int>(i) + 1, points[i]);
  GeomAPI_Interpolate interpolation(poles, false, Precision::Confusion());
  interpolation.Perform();
  const GeomAdaptor_Curve curve(interpolation.Curve());
  const double first = curve.FirstParameter();
  const double length =
      GCPnts_AbscissaPoint::Length(curve, first, curve.LastParameter(), model::kArcLengthTolerance);
  long step = 0;
  gp_Pnt point;
  gp_Vec tangent;
  for (auto _ : state) {
    const GCPnts_AbscissaPoint solver(model::kArcLengthTolerance, curve,
                                      StepFraction(step++) * length, first);
    curve.D1(solver.Parameter(), point, tangent);
    benchmark::DoNotOptimize(point);
    benchmark::DoNotOptimize(tangent);
  }
}
BENCHMARK(BM_BareOcctSolveAndD1);

// 100,000 aligned moves, 100 laps round a circle in a tilted plane, each checked against the
// circle's closed form: the largest distance of the follow point from where it belongs and the
// largest angle between the aligned axis and the circle's tangent.
void BM_DriftRoundAClosedPath(benchmark::State& state) {
  const gp_Ax2 frame(gp_Pnt(5, -3, 2), gp_Dir(1, -2, 2), gp_Dir(2, 2, 1));
  const double radius = 7.0;
  const gp_Vec x(frame.XDirection()), y(frame.YDirection());
  for (auto _ : state) {
    FollowScene scene;
    scene.doc->AddSketch3d("ring")->AddCircle(frame, radius);
    scene.Follow(scene.doc->Sketch3d("ring"));
    const auto tip = scene.cart->WorkPoint("tip");
    const auto axis = scene.cart->WorkAxis("axis");
    double maxDistance = 0.0;
    double maxMisalignment = 0.0;
    for (long step = 0; step < 100 * kStepsPerLap; ++step) {
      const double fraction = StepFraction(step);
      scene.path.MoveToPointOnPath(scene.app, fraction);
      const double angle = 2 * kPi * fraction;
      const gp_Pnt expected =
          frame.Location().Translated(radius * (std::cos(angle) * x + std::sin(angle) * y));
      const auto point = tip->GetPoint();
      maxDistance =
          std::max(maxDistance, expected.Distance(gp_Pnt(point->X(), point->Y(), point->Z())));
      const auto direction = axis->GetLine()->Direction();
      const gp_Vec along(direction->X(), direction->Y(), direction->Z());
      maxMisalignment =
          std::max(maxMisalignment, along.Angle(-std::sin(angle) * x + std::cos(angle) * y));
    }
    state.counters["max_distance_cm"] = maxDistance;
    state.counters["max_misalignment_rad"] = maxMisalignment;
  }
}
BENCHMARK(BM_DriftRoundAClosedPath)->Iterations(1)->Unit(benchmark::kMillisecond);

// Adding n lines of a 2D sketch on a tilted plane to a chain and orienting it. The lines make
// a zigzag and every third one is drawn against the path, so both orientations are decided.
void BM_ChainBuildAndOrient(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  auto app = model::Application::Create();
  auto doc = model::AssemblyDocument::Create("chain");
  app->SetActiveDocument(doc);
  auto definition =
      doc->AddSketch("zigzag", gp_Ax3(gp_Pnt(1, 2, 3), gp_Dir(1, 2, 2), gp_Dir(2, -2, 1)));
  for (int i = 0; i < count; ++i) {
    const gp_Pnt2d from(i, (i % 2) * 0.5), to(i + 1, ((i + 1) % 2) * 0.5);
    if (i % 3 == 2) {
      definition->AddLine(to, from);
    } else {
      definition->AddLine(from, to);
    }
  }
  const auto sketch = doc->Sketch("zigzag");
  std::vector<Ref<IVSketchEntity>> curves;
  for (int i = 1; i <= count; ++i) curves.push_back(sketch->Curve(i));

  std::unique_ptr<CPathEnts> chain;
  for (auto _ : state) {
    state.PauseTiming();  // letting go of the last chain is not part of building one
    chain = std::make_unique<CPathEnts>();
    state.ResumeTiming();
    for (const auto& curve : curves) chain->Add(app, curve->ObjectType(), curve, 0);
    chain->SortEntityDirections();
    benchmark::DoNotOptimize(chain->Item(count)->Reversed());
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ChainBuildAndOrient)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sledway

BENCHMARK_MAIN();
