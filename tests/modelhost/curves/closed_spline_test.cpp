#include <gtest/gtest.h>

#include <cmath>
#include <gp_Vec.hxx>
#include <numbers>
#include <vector>

#include "modelhost/curves/curve_makers.hpp"

namespace sledway::model {
namespace {

// Twelve points of a saddle loop, (10 cos t, 10 sin t, 3 sin 2t); the closed list repeats the
// first at its end.
std::vector<gp_Pnt> SaddlePoints(bool closed) {
  std::vector<gp_Pnt> points;
  for (int k = 0; k <= (closed ? 12 : 11); ++k) {
    const double t = 2.0 * std::numbers::pi * k / 12.0;
    points.emplace_back(10.0 * std::cos(t), 10.0 * std::sin(t), 3.0 * std::sin(2.0 * t));
  }
  return points;
}

// A spline whose last point repeats its first is periodic: it ends where it begins with the same
// first derivative, so its seam is no corner. (Open CASCADE's periodic interpolation has a double
// knot there: the curvature may jump at the seam, the tangent does not.)
TEST(ClosedSplineTest, ASplineWhoseLastPointRepeatsTheFirstIsSmoothAcrossItsSeam) {
  const Handle(Adaptor3d_Curve) loop = MakeSpline(SaddlePoints(true), "loop");
  ASSERT_TRUE(loop->IsPeriodic());
  const gp_Vec start = loop->DN(loop->FirstParameter(), 1),
               end = loop->DN(loop->LastParameter(), 1);
  EXPECT_LT(loop->Value(loop->FirstParameter()).Distance(loop->Value(loop->LastParameter())),
            1e-12);
  EXPECT_LT((start - end).Magnitude(), 1e-9 * start.Magnitude());
  // The same points without the repeat make an open spline with ends of its own.
  EXPECT_FALSE(MakeSpline(SaddlePoints(false), "open")->IsPeriodic());
}

}  // namespace
}  // namespace sledway::model
