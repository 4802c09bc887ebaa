#include "modelhost/topology/sketch_profiles.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <gp_Vec.hxx>
#include <limits>
#include <random>
#include <vector>

#include "host/host_error.hpp"

namespace sledway::model {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Property;
using ::testing::Throws;
using ::testing::ThrowsMessage;

// Stands for a sketch curve: the builds only hand it back.
struct SketchCurveToken : IVObject {};

ProfileCurve Segment(double x0, double y0, double x1, double y1) {
  return {std::make_shared<SketchCurveToken>(), gp_Pnt(x0, y0, 0), gp_Pnt(x1, y1, 0)};
}

TEST(SketchProfiles, FailuresNameTheSketch) {
  SketchProfiles empty({}, "blank");
  EXPECT_THAT([&] { empty.AddClosedProfile(); },
              ThrowsMessage<HostError>("sketch 'blank' holds no closed loop of curves"));
  EXPECT_THAT([&] { empty.AddOpenProfile(); },
              ThrowsMessage<HostError>("sketch 'blank' holds no open chain of curves"));

  auto curves = std::vector{Segment(0, 0, 1, 0), Segment(1, 0, 1, 1), Segment(1, 1, 0, 0)};
  curves[2].end.SetY(std::numeric_limits<double>::quiet_NaN());
  SketchProfiles broken(curves, "bent");
  EXPECT_THAT(
      [&] { broken.AddClosedProfile(); },
      Throws<HostError>(AllOf(Property(&HostError::Code, hresult::kInvalidArg),
                              Property(&HostError::what, HasSubstr("sketch 'bent': curve 3")))));
}

TEST(SketchProfiles, EndsJoinWithinTheToleranceWhereverTheyLieAndWhicheverWayTheyPart) {
  // Two lines meeting at a random point, the second starting a gap away in a random direction:
  // just inside the tolerance (1e-6 cm) they make one chain, just outside two.
  std::mt19937 random(20);
  std::uniform_real_distribution<double> coordinate(-50.0, 50.0);
  std::normal_distribution<double> component;
  for (int trial = 0; trial < 500; ++trial) {
    const gp_Pnt meeting(coordinate(random), coordinate(random), coordinate(random));
    const gp_Vec direction =
        gp_Vec(component(random), component(random), component(random)).Normalized();
    for (const double gap : {0.99e-6, 1.01e-6}) {
      const gp_Pnt start = meeting.Translated(gap * direction);
      SketchProfiles profiles(
          {{std::make_shared<SketchCurveToken>(), meeting.Translated(gp_Vec(-3, 0, 0)), meeting},
           {std::make_shared<SketchCurveToken>(), start, start.Translated(gp_Vec(0, 4, 0))}});
      EXPECT_EQ(profiles.AddOpenProfile()->Count(), gap < 1e-6 ? 1 : 2)
          << "trial " << trial << ", gap " << gap;
    }
  }
}

}  // namespace
}  // namespace sledway::model
