#include "modelhost/topology/sketch_profiles.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
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

}  // namespace
}  // namespace sledway::model
