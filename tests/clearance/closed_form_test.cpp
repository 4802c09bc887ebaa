// Moving parts swept beside and under flat faces, each placement against its closed form.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <gp_Ax1.hxx>
#include <gp_Vec.hxx>
#include <numbers>

#include "../modelhost/model_test_helpers.hpp"
#include "clearance/clearance_check.hpp"

namespace sledway::clearance {
namespace {

using model::Shifted;

gp_Trsf Turn(const gp_Dir& axis, double degrees) {
  gp_Trsf trsf;
  trsf.SetRotation(gp_Ax1(gp::Origin(), axis), degrees * std::numbers::pi / 180.0);
  return trsf;
}

// The distance from `p` to the box [low, high], 0 inside.
double ToBox(const gp_Pnt& p, const gp_Pnt& low, const gp_Pnt& high) {
  const double dx = std::max({low.X() - p.X(), 0.0, p.X() - high.X()});
  const double dy = std::max({low.Y() - p.Y(), 0.0, p.Y() - high.Y()});
  const double dz = std::max({low.Z() - p.Z(), 0.0, p.Z() - high.Z()});
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

struct Sweep {
  const char* name;
  double tolerance;
  // The moving component's placement at step i of `steps`, and the distance there.
  std::function<gp_Trsf(double t)> place;
  std::function<double(double t)> expected;
};

// Sweeps `moving` through 100 placements and checks each against the closed form (to 1e-7 of
// the scene's size) and the contact verdict against the tolerance.
void Check(const Ref<model::Component>& moving, const Ref<model::Component>& fixed,
           const Sweep& sweep, double size) {
  ClearanceCheck check(moving, {fixed}, sweep.tolerance);
  for (int step = 0; step <= 100; ++step) {
    const double t = step / 100.0;
    moving->SetTransformation(std::make_shared<model::Matrix>(sweep.place(t)));
    const Clearance clearance = check.Measure();
    const double expected = sweep.expected(t);
    ASSERT_TRUE(clearance.nearest) << sweep.name << " step " << step;
    EXPECT_NEAR(clearance.nearest->distance, expected, 1e-7 * size)
        << sweep.name << " step " << step;
    EXPECT_EQ(!clearance.inContact.empty(), expected <= sweep.tolerance)
        << sweep.name << " step " << step;
    // The bound lies below the true distance, by no more than the meshes' deflections.
    EXPECT_LE(clearance.bound, expected + 1e-7 * size) << sweep.name << " step " << step;
    EXPECT_GE(clearance.bound, expected - 0.01 * size) << sweep.name << " step " << step;
  }
}

TEST(ClosedForm, ASphereUnderAndBesideABoxFaceLargerThanItself) {
  // Model units are centimetres. A cube of side `side` with its corner at `corner`, a ball of
  // radius r swept along x under its bottom face and then along z beside its side face.
  struct Case {
    double radius, side, gap;
  };
  for (const Case c : {Case{2.0, 10.0, 0.05}, Case{1.3, 7.0, 0.021}, Case{0.8, 12.0, 3e-5},
                       Case{1.7, 9.0, -0.013}, Case{2.4, 6.0, 0.0}}) {
    const auto document = model::AssemblyDocument::Create("ball");
    const auto ball = document->AddSpherePart("ball", std::to_string(10.0 * c.radius) + " mm");
    const auto cube = document->AddBoxPart("cube", std::to_string(10.0 * c.side) + " mm",
                                           std::to_string(10.0 * c.side) + " mm",
                                           std::to_string(10.0 * c.side) + " mm");
    const gp_Pnt low(-0.5 * c.side, -0.5 * c.side, c.radius + c.gap);
    const gp_Pnt high = low.Translated(gp_Vec(c.side, c.side, c.side));
    const auto moving = document->AddComponent("ball:1", ball, gp_Trsf());
    const auto fixed = document->AddComponent("cube:1", cube, Shifted(low.X(), low.Y(), low.Z()));
    const double reach = 0.5 * c.side + c.radius;
    const auto under = [&](double t) { return gp_Pnt(-reach + 2.0 * reach * t, 0.3, 0.0); };
    // Beside the face x = high, the centre r + gap off it, from below the cube to above it.
    const auto beside = [&](double t) {
      return gp_Pnt(high.X() + c.radius + c.gap, -0.2,
                    low.Z() - c.radius + (c.side + 2.0 * c.radius) * t);
    };
    for (const auto& centre :
         {std::function<gp_Pnt(double)>(under), std::function<gp_Pnt(double)>(beside)}) {
      const Sweep sweep{
          "ball", 1e-4,
          [&](double t) {
            const gp_Pnt p = centre(t);
            return Shifted(p.X(), p.Y(), p.Z()) * Turn(gp_Dir(1, 2, 3), 77.0 * t);
          },
          [&](double t) { return std::max(0.0, ToBox(centre(t), low, high) - c.radius); }};
      Check(moving, fixed, sweep, c.side);
    }
  }
}

TEST(ClosedForm, ATurnedCubeSlidingOverASlab) {
  // A cube of side s turned about an axis through its corner, swept along x with its lowest
  // corner `gap` over a slab's top face at z = 0; the slab is far larger than the cube.
  struct Case {
    double side, degrees;
    gp_Dir axis;
    double gap;
  };
  for (const Case& c :
       {Case{1.0, 37.0, gp_Dir(1.0, 2.0, 0.5), 0.03}, Case{1.0, 37.0, gp_Dir(1.0, 2.0, 0.5), 5e-5},
        Case{1.4, 61.0, gp_Dir(-2.0, 0.3, 1.0), 0.11},
        Case{0.7, 23.0, gp_Dir(0.2, 1.0, 0.9), -0.004}}) {
    const auto document = model::AssemblyDocument::Create("slab");
    const auto cube = document->AddBoxPart("cube", std::to_string(10.0 * c.side) + " mm",
                                           std::to_string(10.0 * c.side) + " mm",
                                           std::to_string(10.0 * c.side) + " mm");
    const auto slab = document->AddBoxPart("slab", "100 mm", "100 mm", "10 mm");
    const gp_Trsf turn = Turn(c.axis, c.degrees);
    double lowest = 1e300;
    for (int corner = 0; corner < 8; ++corner) {
      const gp_Pnt p(corner & 1 ? c.side : 0.0, corner & 2 ? c.side : 0.0,
                     corner & 4 ? c.side : 0.0);
      lowest = std::min(lowest, p.Transformed(turn).Z());
    }
    const auto moving = document->AddComponent("cube:1", cube, turn);
    const auto fixed = document->AddComponent("slab:1", slab, Shifted(-5.0, -5.0, -1.0));
    const Sweep sweep{
        "turned cube", 1e-4,
        [&](double t) { return Shifted(-2.0 + 4.0 * t, -0.4, c.gap - lowest) * turn; },
        [&](double) { return std::max(0.0, c.gap); }};
    Check(moving, fixed, sweep, 10.0);
  }
}

TEST(ClosedForm, ACylinderLyingUnderAFaceAndStandingBesideOne) {
  // A cylinder of radius 0.6 and height 3 lying along -y (turned a quarter about x) swept along
  // x under a cube's bottom face, its top line `gap` below; then standing beside the cube's
  // side face, swept along y.
  for (const double gap : {0.04, 7e-5, -0.02}) {
    const auto document = model::AssemblyDocument::Create("cylinder");
    const auto rod = document->AddCylinderPart("rod", "6 mm", "30 mm");
    const auto cube = document->AddBoxPart("cube", "80 mm", "80 mm", "80 mm");
    const auto moving = document->AddComponent("rod:1", rod, gp_Trsf());
    const auto fixed = document->AddComponent("cube:1", cube, Shifted(-4.0, -4.0, 0.6 + gap));
    const Sweep lying{
        "lying cylinder", 1e-4,
        [&](double t) { return Shifted(-3.0 + 6.0 * t, 1.5, 0.0) * Turn(gp::DX(), 90.0); },
        [&](double) { return std::max(0.0, gap); }};
    Check(moving, fixed, lying, 8.0);
    const Sweep standing{"standing cylinder", 1e-4,
                         [&](double t) { return Shifted(4.6 + gap, -3.0 + 6.0 * t, 1.0); },
                         [&](double) { return std::max(0.0, gap); }};
    Check(moving, fixed, standing, 8.0);
  }
}

}  // namespace
}  // namespace sledway::clearance
