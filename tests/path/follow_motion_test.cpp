#include <cmath>
#include <limits>

#include "path/path_definition.hpp"
#include "path_test_support.hpp"
#include "platform/desktop.hpp"

namespace sledway {
namespace {

using model::ModelPoint;
using test::ToVec;
constexpr double kOnPath = 1e-9;
constexpr double kPi = std::numbers::pi;

// A box cart (4 x width x 1 cm) standing turned, away from the origin. It follows with its work
// point "tip"; its work axis "axis" (along the box's length) is the tangent line.
struct FollowRig {
  FollowRig() {
    model.doc->Parameters().AddModelParameter("width", "20 mm", "mm");
    auto part = model.doc->AddBoxPart("cart", "40 mm", "width", "10 mm");
    part->AddWorkPoint("tip", gp_Pnt(4, 1, 0.5));
    part->AddWorkAxis("axis", gp_Ax1(gp_Pnt(0, 1, 0.5), gp::DX()));
    gp_Trsf placement;
    placement.SetRotation(gp_Ax1(gp::Origin(), gp_Dir(1, 1, 1)), 0.7);
    placement.SetTranslationPart(gp_Vec(3, -2, 5));
    cart = model.doc->AddComponent("cart:1", part, placement);
    path.FollowComponent(cart);
    path.FollowWorkPoint(cart->WorkPoint("tip"));
    path.TangentAxis(cart->WorkAxis("axis"));
  }
  // Chains a sketch's curves as the tool window does after a pick.
  template <class Sketch>
  void Follow(const Ref<Sketch>& sketch, int entType) {
    for (int i = 1; i <= sketch->CurveCount(); ++i) {
      path.PathEnts()->Add(model.app, sketch->Curve(i)->ObjectType(), sketch->Curve(i), entType);
    }
    path.PathEnts()->SortEntityDirections();
  }
  void Move(double fraction) { path.MoveToPointOnPath(model.app, fraction); }
  gp_Pnt Tip() { return ModelPoint(cart->WorkPoint("tip")->GetPoint()); }
  gp_Vec Axis() { return ToVec(cart->WorkAxis("axis")->GetLine()->Direction()).Normalized(); }

  test::ModelAssembly model;
  Ref<model::Component> cart;
  CPath path;
};

// A 2D sketch's points and tangents turn with its plane: on a tilted plane the follow vertex runs
// on the circle and the tangent edge along its model-space direction.
TEST(FollowMotionTest, AlignedOnATiltedSketchCircleTheVertexRunsOnItAndTheEdgeAlongIt) {
  FollowRig rig;
  const gp_Ax3 plane(gp_Pnt(1, -2, 0.5), gp_Dir(1, 2, 2), gp_Dir(2, -2, 1));
  const gp_Vec x(plane.XDirection()), y(plane.YDirection());
  const gp_Pnt centre = plane.Location().Translated(x + y);
  const double radius = 7.0;
  rig.model.doc->AddSketch("tilted", plane)->AddCircle(gp_Pnt2d(1, 1), radius);
  rig.Follow(rig.model.doc->Sketch("tilted"), 0);
  rig.path.Length();
  const auto vertex = rig.cart->Vertex(1);
  const auto edge = rig.cart->Edge(1);
  rig.path.IsPointFromVertex(true);
  rig.path.FollowVertex(vertex);
  rig.path.IsAligned(true);
  rig.path.IsTangentFromEdge(true);
  rig.path.TangentEdge(edge);
  const auto edgeDirection = [&] {
    double param = 0.0, direction[3] = {};
    edge->GetEvaluator()->GetTangent(std::span<const double>(&param, 1), direction);
    return gp_Vec(direction[0], direction[1], direction[2]).Normalized();
  };

  for (const double fraction : {0.0, 0.1, 0.37, 0.93, 1.0}) {
    SCOPED_TRACE(fraction);
    rig.Move(fraction);
    const double angle = 2 * kPi * fraction;
    const gp_Pnt expected = centre.Translated(radius * (std::cos(angle) * x + std::sin(angle) * y));
    EXPECT_LT(ModelPoint(vertex->GetPoint()).Distance(expected), kOnPath);
    EXPECT_LT((edgeDirection() - (-std::sin(angle) * x + std::cos(angle) * y)).Magnitude(),
              kOnPath);
  }
  // The line flipped at the same place: half a turn about an axis across the path.
  const gp_Trsf before = rig.cart->Placement();
  rig.path.FlipEdge(true);
  rig.Move(1.0);
  const gp_Mat turn = rig.cart->Placement().VectorialPart() * before.VectorialPart().Transposed();
  EXPECT_NEAR(turn(1, 1) + turn(2, 2) + turn(3, 3), -1.0, kOnPath);
  EXPECT_LT((turn * y.XYZ() + y.XYZ()).Modulus(), kOnPath);
  EXPECT_LT(ModelPoint(vertex->GetPoint()).Distance(centre.Translated(radius * x)), kOnPath);
}

TEST(FollowMotionTest, FractionsMapOntoTheChainAndTravelStopsAtItsEnds) {
  FollowRig rig;
  auto sketch = rig.model.doc->AddSketch3d("corner");
  sketch->AddLine(gp_Pnt(0, 0, 0), gp_Pnt(2, 0, 0));
  sketch->AddLine(gp_Pnt(2, 2, 0), gp_Pnt(2, 0, 0));  // drawn against the path
  rig.Follow(rig.model.doc->Sketch3d("corner"), 1);
  const gp_Mat rotation = rig.cart->Placement().VectorialPart();
  const auto expectAt = [&](double fraction, const gp_Pnt& point) {
    SCOPED_TRACE(fraction);
    rig.Move(fraction);
    EXPECT_LT(rig.Tip().Distance(point), kOnPath);
    const gp_Mat turned = rig.cart->Placement().VectorialPart() - rotation;  // not aligned
    EXPECT_LT(turned.Column(1).Modulus() + turned.Column(2).Modulus() + turned.Column(3).Modulus(),
              1e-15);
  };
  expectAt(0.75, gp_Pnt(0, 0, 0));  // the length was never read: every fraction means 0
  rig.path.Length();
  expectAt(-1.0, gp_Pnt(0, 0, 0));
  expectAt(0.75, gp_Pnt(2, 1, 0));
  expectAt(-0.25, gp_Pnt(-1, 0, 0));       // before the start, along the first entity
  expectAt(1.0 + 1e-13, gp_Pnt(2, 2, 0));  // rounding at the end of travel
  rig.path.FlipPath(true);
  expectAt(-1.0, gp_Pnt(2, 2, 0));
  expectAt(0.0, gp_Pnt(0, 0, 0));

  // Aligned by the work axis. The distance at the end of an entity belongs to it: at the corner
  // the axis still runs x.
  rig.path.IsAligned(true);
  rig.Move(0.5);
  EXPECT_LT((rig.Axis() - gp_Vec(1, 0, 0)).Magnitude(), kOnPath);
  rig.Move(0.5 + 1e-9);
  EXPECT_LT((rig.Axis() - gp_Vec(0, 1, 0)).Magnitude(), kOnPath);

  // Beyond the end or not a number: the call fails and nothing moves.
  for (const bool aligned : {true, false}) {
    rig.path.IsAligned(aligned);
    for (const double fraction : {1.0 + 1e-9, std::numeric_limits<double>::quiet_NaN()}) {
      const gp_Trsf placed = rig.cart->Placement();
      EXPECT_THROW(rig.Move(fraction), HostError) << fraction;
      for (int cell = 0; cell < 12; ++cell) {
        EXPECT_EQ(placed.Value(cell / 4 + 1, cell % 4 + 1),
                  rig.cart->Placement().Value(cell / 4 + 1, cell % 4 + 1));
      }
    }
  }
}

TEST(FollowMotionTest, AFailedRecomputeRaisesUpdateErrorOnceAndDoesNotYield) {
  FollowRig rig;
  rig.model.doc->AddSketch3d("line")->AddLine(gp_Pnt(0, 0, 0), gp_Pnt(10, 0, 0));
  rig.Follow(rig.model.doc->Sketch3d("line"), 1);
  rig.path.Length();
  int yields = 0, errors = 0;
  bool fixedWhileYielding = false, fixedOnError = true;
  // Standard sleep and messages; a yield that counts.
  platform::ScopedDesktopServices services({{}, {}, [&] {
                                              ++yields;
                                              fixedWhileYielding = rig.cart->Fixed();
                                            }});
  const Connection connection = rig.path.UpdateError.Connect([&] {
    ++errors;
    fixedOnError = rig.cart->Fixed();
  });
  const auto width = rig.model.doc->GetDefinition()->GetParameters()->Item("width");

  width->Expression("0 mm");
  rig.Move(0.5);
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(yields, 0);
  EXPECT_FALSE(fixedOnError || rig.cart->Fixed());
  EXPECT_LT(rig.Tip().Distance(gp_Pnt(5, 0, 0)), kOnPath);  // placed all the same

  width->Expression("30 mm");
  rig.Move(0.25);
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(yields, 1);
  EXPECT_TRUE(fixedWhileYielding);
  EXPECT_FALSE(rig.cart->Fixed());
}

}  // namespace
}  // namespace sledway
