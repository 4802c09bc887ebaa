// One move of a follow run over the model host: the cart put on a 2D sketch profile of a line, a
// tangent arc and a line, turned along the path's tangent. The same move through the automation
// binding under Wine, with the same profile in the automation test host, is timed by
// bench/move_timing.cpp; together they give the binding's cost per move.
//
//   build/default/bench/profile_move_bench

#include <benchmark/benchmark.h>

#include <gp_Ax3.hxx>
#include <gp_Pnt2d.hxx>
#include <numbers>

#include "modelhost/application/application.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"
#include "path/path_definition.hpp"

namespace sledway {
namespace {

constexpr double kPi = std::numbers::pi;

void BM_AlignedMoveOnLineArcLine(benchmark::State& state) {
  const auto app = model::Application::Create();
  const auto doc = model::AssemblyDocument::Create("bench");
  app->SetActiveDocument(doc);
  const auto track = doc->AddSketch("track", gp_Ax3());
  track->AddLine(gp_Pnt2d(0, 0), gp_Pnt2d(10, 0));
  track->AddArc(gp_Pnt2d(10, 5), 5, -kPi / 2, 0);
  track->AddLine(gp_Pnt2d(15, 5), gp_Pnt2d(15, 15));
  auto part = doc->AddBoxPart("cart", "40 mm", "20 mm", "10 mm");
  part->AddWorkPoint("tip", gp_Pnt(4, 1, 0.5));
  part->AddWorkAxis("axis", gp_Ax1(gp_Pnt(0, 1, 0.5), gp::DX()));
  const auto cart = doc->AddComponent("cart:1", part, gp_Trsf());
  CPath path;
  path.FollowComponent(cart);
  path.FollowWorkPoint(cart->WorkPoint("tip"));
  path.IsAligned(true);
  path.TangentAxis(cart->WorkAxis("axis"));
  const auto sketch = doc->Sketch("track");
  for (int i = 1; i <= sketch->CurveCount(); ++i) {
    const auto curve = sketch->Curve(i);
    path.PathEnts()->Add(app, curve->ObjectType(), curve, 0);  // a 2D sketch curve
  }
  path.PathEnts()->SortEntityDirections();
  path.Length();
  long step = 0;
  for (auto _ : state) path.MoveToPointOnPath(app, (step++ % 10 + 0.5) / 10);
}
BENCHMARK(BM_AlignedMoveOnLineArcLine);

}  // namespace
}  // namespace sledway

BENCHMARK_MAIN();
