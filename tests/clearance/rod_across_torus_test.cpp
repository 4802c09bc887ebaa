// A long rod lying across a ring, tilted so that it comes nearer the ring at one crossing than
// at the other: two local minima of the distance on one pair of faces.
#include <gtest/gtest.h>

#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakeTorus.hxx>
#include <cmath>
#include <gp_Ax1.hxx>
#include <gp_Ax2.hxx>
#include <numbers>

#include "../modelhost/model_test_helpers.hpp"
#include "clearance/clearance_check.hpp"

namespace sledway::clearance {
namespace {

TEST(RodAcrossTorus, TheNearerCrossingIsReportedWhateverMinimumTheExactMeasureSettlesOn) {
  // Centimetres. A ring of major radius R = 4 and tube radius 0.3 about z; a rod of radius 0.4
  // along y, 20 long, turned by atan(s) about x. Over the ring's centre circle the rod's axis is
  // z = h + s·y; the squared distance from the circle's point at angle θ, R²(1 − sin²θ) +
  // (h + s·R·sinθ)²/(1 + s²), is concave in sinθ, so the least lies at a crossing (sinθ = ±1):
  // (h − |s|·R)/√(1 + s²). Less both radii, that is the gap; the other crossing is 2|s|R/√(1+s²)
  // farther.
  constexpr double kR = 4.0, kTube = 0.3, kRod = 0.4;
  const auto document = model::AssemblyDocument::Create("ring");
  const auto ring = document->AddShapePart("ring", BRepPrimAPI_MakeTorus(kR, kTube).Shape());
  const auto rod = document->AddShapePart(
      "rod", BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(0, 0, -10), gp::DZ()), kRod, 20.0).Shape());
  const auto fixed = document->AddComponent("ring:1", ring, gp_Trsf());
  const auto moving = document->AddComponent("rod:1", rod, gp_Trsf());
  constexpr double kTolerance = 1e-4;
  ClearanceCheck check(moving, {fixed}, kTolerance);
  for (const double spin : {0.0, 0.37, 0.74}) {
    for (const double s : {-0.02, -0.01, 0.01, 0.02}) {
      for (const double gap : {5e-5, 0.001, 0.004, 0.02}) {
        const double h = (gap + kTube + kRod) * std::sqrt(1.0 + s * s) + std::abs(s) * kR;
        gp_Trsf lay, turn;
        lay.SetRotation(gp_Ax1(gp::Origin(), gp::DX()), 0.5 * std::numbers::pi + std::atan(s));
        turn.SetRotation(gp_Ax1(gp::Origin(), gp::DZ()), spin);
        moving->SetTransformation(
            std::make_shared<model::Matrix>(turn * model::Shifted(0.0, 0.0, h) * lay));
        const Clearance clearance = check.Measure();
        ASSERT_TRUE(clearance.nearest);
        EXPECT_NEAR(clearance.nearest->distance, gap, 1e-7 * 10.0)
            << "spin " << spin << " tilt " << s << " gap " << gap;
        EXPECT_EQ(clearance.inContact.empty(), gap > kTolerance)
            << "spin " << spin << " tilt " << s << " gap " << gap;
        EXPECT_LE(clearance.bound, gap + 1e-7 * 10.0);
      }
    }
  }
}

}  // namespace
}  // namespace sledway::clearance
