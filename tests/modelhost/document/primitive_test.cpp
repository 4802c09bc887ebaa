#include "modelhost/part/primitive.hpp"

#include <gtest/gtest.h>

#include <BRepCheck_Analyzer.hxx>
#include <string>
#include <vector>

namespace sledway::model {
namespace {

// Bodies whose dimensions all lie from 1e-4 to 1e5 cm skip the shape analysis when they are
// built: every combination of those limits and a middling size must indeed be valid.
TEST(PrimitiveTest, BodiesBuiltWithoutAnalysisAreValidAtTheLimitsOfTheirRange) {
  const std::vector<double> sizes{1e-4, 1.0, 1e5};
  const auto format = [](double cm) { return std::to_string(cm) + " cm"; };
  const Primitive box(PrimitiveKind::kBox, {{"length", ""}, {"width", ""}, {"height", ""}});
  const Primitive cylinder(PrimitiveKind::kCylinder, {{"radius", ""}, {"height", ""}});
  const Primitive sphere(PrimitiveKind::kSphere, {{"radius", ""}});
  for (const double a : sizes) {
    EXPECT_TRUE(BRepCheck_Analyzer(sphere.Build("s", {a}, format)).IsValid()) << a;
    for (const double b : sizes) {
      EXPECT_TRUE(BRepCheck_Analyzer(cylinder.Build("c", {a, b}, format)).IsValid()) << a << b;
      for (const double c : sizes) {
        EXPECT_TRUE(BRepCheck_Analyzer(box.Build("b", {a, b, c}, format)).IsValid())
            << a << ' ' << b << ' ' << c;
      }
    }
  }
}

}  // namespace
}  // namespace sledway::model
