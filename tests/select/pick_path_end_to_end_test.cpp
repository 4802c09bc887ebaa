#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "modelhost/sketch/planar_sketch_definition.hpp"
#include "pick_rig.hpp"

namespace sledway::test {
namespace {

using PickPathEndToEnd = PickRig;

// A track on a tilted plane: down a straight, round a quarter circle, along a straight. The
// curves are drawn in another order and partly against the way along the track.
TEST_F(PickPathEndToEnd, PickedSketchPathCarriesTheCartFromEndToEnd) {
  const double pi = std::numbers::pi;
  const gp_Ax3 plane(gp_Pnt(2, -1, 4), gp_Dir(1, 2, 2), gp_Dir(2, -2, 1));
  auto track = doc->AddSketch("track", plane);
  track->AddLine(gp_Pnt2d(15, 15), gp_Pnt2d(15, 5));
  track->AddArc(gp_Pnt2d(10, 5), 5, -pi / 2, 0);
  track->AddLine(gp_Pnt2d(0, 0), gp_Pnt2d(10, 0));
  const auto toModel = [&](double x, double y) {
    return plane.Location()
        .Translated(x * gp_Vec(plane.XDirection()))
        .Translated(y * gp_Vec(plane.YDirection()));
  };
  const auto sketch = doc->Sketch("track");

  // Pick the path by pointing at its arc and clicking.
  StartPick(0, path->FollowComponent(), true);
  ASSERT_TRUE(Running().Hover(sketch->Curve(2)));
  ASSERT_TRUE(Running().Click());
  ASSERT_EQ(completedSlot, 0);
  const auto picked = Items(select->SelectedEntities());
  // From the free end of the first curve drawn, along the track.
  ASSERT_EQ(picked,
            (std::vector<Ref<IVObject>>{sketch->Curve(1), sketch->Curve(2), sketch->Curve(3)}));

  // Store it as the tool window does.
  path->DeletePath();
  for (const Ref<IVObject>& curve : picked) {
    path->PathEnts()->Add(app, As<IVSketchEntity>(curve)->ObjectType(), curve, 0);
  }
  path->PathEnts()->SortEntityDirections();
  path->SetPathParent();
  EXPECT_NEAR(path->Length(), 20 + 2.5 * pi, 1e-9);

  // The cart's corner follows.
  const Ref<IVVertex> corner = cart->Vertex(1);
  path->IsPointFromVertex(true);
  path->FollowVertex(corner);
  path->FollowComponent(cart);
  path->FollowPoint(corner->GetPoint());

  const auto cornerAt = [&](double fraction) {
    path->MoveToPointOnPath(app, fraction);
    const Ref<IVPoint> point = corner->GetPoint();
    return gp_Pnt(point->X(), point->Y(), point->Z());
  };
  EXPECT_LT(cornerAt(0.0).Distance(toModel(15, 15)), 1e-9);
  // Half way is the middle of the arc: the two straights are equally long.
  EXPECT_LT(cornerAt(0.5).Distance(toModel(10 + 5 * std::cos(-pi / 4), 5 + 5 * std::sin(-pi / 4))),
            1e-8);
  EXPECT_LT(cornerAt(1.0).Distance(toModel(0, 0)), 1e-9);
}

}  // namespace
}  // namespace sledway::test
