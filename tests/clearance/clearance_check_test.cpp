#include "clearance/clearance_check.hpp"

#include <gp_Ax1.hxx>
#include <gp_Vec.hxx>
#include <stdexcept>

#include "../modelhost/model_test_helpers.hpp"
#include "clearance/triangle_distance.hpp"
#include "modelhost/parameters/parameter.hpp"

namespace sledway::clearance {
namespace {

using model::Shifted;

BVH_Vec3d V(double x, double y, double z) {
  return BVH_Vec3d(x, y, z);
}

// Model units are centimetres; these parts are a few centimetres across.
constexpr double kExact = 1e-7;

TEST(ClearanceCheck, AResizedPartGetsOneNewHierarchyAndTheClearanceItsNewSizeGives) {
  const auto document = model::AssemblyDocument::Create("resize");
  document->Parameters().AddUserParameter("depth", "10 mm", "mm");
  const auto cube = document->AddBoxPart("cube", "10 mm", "10 mm", "10 mm");
  const auto slab = document->AddBoxPart("slab", "depth", "40 mm", "10 mm");
  const auto moving = document->AddComponent("cube:1", cube, Shifted(3.0, 0.0, 0.0));
  const auto fixed = document->AddComponent("slab:1", slab, gp_Trsf());
  ClearanceCheck check(moving, {fixed}, 1e-4);

  // The cube's face at x = 3 cm, the slab's at its depth.
  EXPECT_NEAR(check.Measure().nearest->distance, 2.0, kExact);
  moving->SetTransformation(
      std::make_shared<model::Matrix>(Shifted(3.5, 0.0, 0.0)));  // a move: no new hierarchy
  EXPECT_NEAR(check.Measure().nearest->distance, 2.5, kExact);
  EXPECT_EQ(check.Hierarchies().Builds(), 2);

  document->Parameters().Find("depth")->Expression("25 mm");
  document->Update();
  const Clearance after = check.Measure();
  EXPECT_NEAR(after.nearest->distance, 1.0, kExact);
  EXPECT_NEAR(after.nearest->onOther.X(), 2.5, kExact);
  EXPECT_NEAR(after.nearest->onMoving.X(), 3.5, kExact);
  check.Measure();
  EXPECT_EQ(check.Hierarchies().Builds(), 3);  // the slab's, once

  document->Parameters().Find("depth")->Expression("36 mm");  // into the cube
  document->Update();
  const Clearance overlapping = check.Measure();
  EXPECT_EQ(overlapping.nearest->distance, 0.0);
  EXPECT_EQ(overlapping.inContact, std::vector<std::string>{"slab:1"});
}

TEST(ClearanceCheck, AnEnclosedSolidIsInContactEitherWayRound) {
  const auto document = model::AssemblyDocument::Create("nest");
  const auto small = document->AddBoxPart("small", "2 mm", "2 mm", "2 mm");
  const auto large = document->AddBoxPart("large", "50 mm", "50 mm", "50 mm");
  const auto inner = document->AddComponent("small:1", small, Shifted(2.0, 2.0, 2.0));
  const auto outer = document->AddComponent("large:1", large, gp_Trsf());
  for (const auto& [moving, other] : {std::pair(inner, outer), std::pair(outer, inner)}) {
    ClearanceCheck check(moving, {other}, 0.0);
    const Clearance clearance = check.Measure();
    EXPECT_TRUE(clearance.nearest->enclosed);
    EXPECT_EQ(clearance.nearest->distance, 0.0);
    EXPECT_EQ(clearance.inContact.size(), 1u);
  }
  // Moved out of the box, the small cube is 1 cm clear of its top face.
  inner->SetTransformation(std::make_shared<model::Matrix>(Shifted(2.0, 2.0, 6.0)));
  ClearanceCheck check(inner, {outer}, 0.0);
  EXPECT_NEAR(check.Measure().nearest->distance, 1.0, kExact);
  EXPECT_TRUE(check.Measure().inContact.empty());
}

TEST(ClearanceCheck, ASphereTurnedAboutACylinderIsTheSameDistanceAtEveryAngle) {
  const auto document = model::AssemblyDocument::Create("orbit");
  const auto ball = document->AddSpherePart("ball", "4 mm");
  const auto pillar = document->AddCylinderPart("pillar", "15 mm", "60 mm");
  const auto moving = document->AddComponent("ball:1", ball, gp_Trsf());
  const auto fixed = document->AddComponent("pillar:1", pillar, Shifted(1.0, -2.0, 0.0));
  ClearanceCheck check(moving, {fixed}, 1e-4);
  for (int step = 0; step < 16; ++step) {
    // The sphere's centre 2.3 cm from the axis, turned about it and tipped about its own
    // centre, so that both the mesh and the placement change.
    const double angle = step * std::numbers::pi / 8.0 + 0.1;
    gp_Trsf place = Shifted(1.0 + 2.3 * std::cos(angle), -2.0 + 2.3 * std::sin(angle), 3.0);
    gp_Trsf tip;
    tip.SetRotation(gp_Ax1(gp::Origin(), gp_Dir(1.0, 1.0, 0.0)), angle);
    moving->SetTransformation(std::make_shared<model::Matrix>(place * tip));
    const Clearance clearance = check.Measure();
    EXPECT_NEAR(clearance.nearest->distance, 2.3 - 1.5 - 0.4, kExact) << step;
    EXPECT_NEAR(
        std::hypot(clearance.nearest->onOther.X() - 1.0, clearance.nearest->onOther.Y() + 2.0), 1.5,
        kExact);
  }
  EXPECT_EQ(check.Hierarchies().Builds(), 2);
}

TEST(ClearanceCheck, ATurnedBarIsMeasuredInEitherPartsAxes) {
  // A bar 4 cm long turned a quarter about z, so that it runs along y from 1.5 cm past a 1 cm
  // cube: 0.5 cm clear of the cube's face at y = 1 whichever way round the two are measured.
  const auto document = model::AssemblyDocument::Create("bar");
  const auto bar = document->AddBoxPart("bar", "40 mm", "2 mm", "2 mm");
  const auto cube = document->AddBoxPart("cube", "10 mm", "10 mm", "10 mm");
  gp_Trsf turn;
  turn.SetRotation(gp_Ax1(gp::Origin(), gp::DZ()), std::numbers::pi / 2.0);
  const auto turned = document->AddComponent("bar:1", bar, Shifted(0.6, 1.5, 0.4) * turn);
  const auto fixed = document->AddComponent("cube:1", cube, gp_Trsf());
  for (const auto& [moving, other] : {std::pair(turned, fixed), std::pair(fixed, turned)}) {
    ClearanceCheck check(moving, {other}, 1e-4);
    const Clearance clearance = check.Measure();
    EXPECT_NEAR(clearance.nearest->distance, 0.5, kExact);
    EXPECT_NEAR(clearance.nearest->onOther.Y() - clearance.nearest->onMoving.Y(),
                moving == turned ? -0.5 : 0.5, kExact);
  }
}

TEST(ClearanceCheck, RefusesANegativeToleranceAndTheMovingComponentAmongTheOthers) {
  const auto document = model::AssemblyDocument::Create("refusals");
  const auto cube = document->AddBoxPart("cube", "1 mm", "1 mm", "1 mm");
  const auto moving = document->AddComponent("cube:1", cube, gp_Trsf());
  EXPECT_THROW(ClearanceCheck(moving, {}, -1e-3), std::invalid_argument);
  EXPECT_THROW(ClearanceCheck(moving, {}, std::nan("")), std::invalid_argument);
  EXPECT_THROW(ClearanceCheck(moving, {moving}, 0.0), std::invalid_argument);
}

TEST(TriangleDistance, SkewEdgesCrossingTrianglesAndCornerOverFace) {
  // Edges along X at z = 0 and along Y at z = 2: the edges are 2 apart.
  const Triangle flat{V(-1, 0, 0), V(1, 0, 0), V(0, -1, -1)};
  const Triangle raised{V(0, -1, 2), V(0, 1, 2), V(0, 0, 3)};
  EXPECT_DOUBLE_EQ(TriangleSquareDistance(flat, raised), 4.0);
  // One triangle pierces the other.
  const Triangle ground{V(-5, -5, 0), V(5, -5, 0), V(0, 5, 0)};
  const Triangle spike{V(0, 0, -1), V(1, 0, 1), V(0, 1, 1)};
  EXPECT_EQ(TriangleSquareDistance(ground, spike), 0.0);
  // A corner 3 above the middle of a face.
  const Triangle over{V(0, 0, 3), V(1, 1, 6), V(-1, 1, 6)};
  EXPECT_DOUBLE_EQ(TriangleSquareDistance(ground, over), 9.0);
}

double Bound(const Triangle& first, const Triangle& second) {
  return FacetSquareDistanceBound(MakeFacet(first), MakeFacet(second));
}

TEST(TriangleDistance, FacetBoundNeverExceedsTheDistanceAndMeetsItOverAFace) {
  const Triangle ground{V(-5, -5, 0), V(5, -5, 0), V(0, 5, 0)};
  // Over the face, below it, and crossing it: the bound is the distance.
  const Triangle over{V(0, 0, 3), V(1, 1, 6), V(-1, 1, 6)};
  EXPECT_DOUBLE_EQ(Bound(ground, over), 9.0);
  const Triangle under{V(0, 0, -2), V(1, 1, -4), V(-1, 1, -4)};
  EXPECT_DOUBLE_EQ(Bound(ground, under), 4.0);
  const Triangle spike{V(0, 0, -1), V(1, 0, 1), V(0, 1, 1)};
  EXPECT_EQ(Bound(ground, spike), 0.0);
  // Beside the face, 1 above its plane and far out: more than the height, less than the
  // distance.
  const Triangle beside{V(10, 0, 1), V(11, 0, 1), V(10, 1, 1)};
  EXPECT_GT(Bound(ground, beside), 1.0);
  EXPECT_LE(Bound(ground, beside), TriangleSquareDistance(ground, beside));
  // Skew edges 2 apart, each nearest the other off its plane's normal: the bound stays below.
  const Triangle flat{V(-1, 0, 0), V(1, 0, 0), V(0, -1, -1)};
  const Triangle raised{V(0, -1, 2), V(0, 1, 2), V(0, 0, 3)};
  EXPECT_LE(Bound(flat, raised), TriangleSquareDistance(flat, raised));
  EXPECT_DOUBLE_EQ(SeparatedTriangleSquareDistance(flat, raised), 4.0);
}

}  // namespace
}  // namespace sledway::clearance
