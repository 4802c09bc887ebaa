#include "modelhost/files/geometry_reader.hpp"

#include <Precision.hxx>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

#include "modelhost/parameters/model_ratio.hpp"
#include "modelhost/topology/model_reach.hpp"

namespace sledway::model {

namespace {

constexpr double kZeroLength = 1e-12;
// Sine of the angle under which two directions count as parallel.
constexpr double kParallelSine = 1e-9;

// The shortest text that reads back as `value`.
std::string NumberText(double value) {
  std::array<char, 32> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(), value);
  return std::string(text.data(), written.ptr);
}

}  // namespace

double GeometryReader::Length(const JsonNode& node) const {
  const double given = node.Number();
  const double length = ToModel(given, CentimetreRatio(fileUnit_));
  if (!(std::abs(length) <= kModelReach)) {
    node.Fail("is beyond what the model can hold (at most " + LengthText(kModelReach) +
              " from the origin), got " + GivenText(given));
  }
  return length;
}

double GeometryReader::PositiveLength(const JsonNode& node) const {
  const double given = node.Number();
  const double length = ToModel(given, CentimetreRatio(fileUnit_));
  RequireBuildableSize(node, length, GivenText(given));
  return length;
}

void GeometryReader::RequireBuildableSize(const JsonNode& node, double modelLength,
                                          const std::string& given) const {
  if (std::isnan(modelLength) || modelLength <= 0.0) {
    node.Fail("must be a positive length, got " + given);
  }
  // The model joins points closer than this; a smaller curve or body would collapse.
  if (modelLength <= Precision::Confusion()) {
    node.Fail("is too small to build (at most " + LengthText(Precision::Confusion()) + "), got " +
              given);
  }
  if (!(modelLength <= kModelReach)) {
    node.Fail("is too large to build (at most " + LengthText(kModelReach) + "), got " + given);
  }
}

std::string GeometryReader::GivenText(double given) const {
  return NumberText(given + 0.0) + " " + std::string(LengthUnitLabel(fileUnit_));
}

std::string GeometryReader::LengthText(double modelLength) const {
  return GivenText(FromModel(modelLength, CentimetreRatio(fileUnit_)));
}

double GeometryReader::Angle(const JsonNode& node) const {
  // Beyond this a double cannot tell angles a ten-thousandth of a degree apart.
  constexpr double kLargestDegrees = 1e12;
  const double degrees = node.Number();
  if (!(std::abs(degrees) <= kLargestDegrees)) {
    node.Fail("is too large an angle (at most " + NumberText(kLargestDegrees) + " deg), got " +
              NumberText(degrees) + " deg");
  }
  return degrees * std::numbers::pi / 180.0;
}

gp_Pnt GeometryReader::Point(const JsonNode& node) const {
  const auto xyz = node.Elements(3);
  return gp_Pnt(Length(xyz[0]), Length(xyz[1]), Length(xyz[2]));
}

gp_Pnt2d GeometryReader::Point2d(const JsonNode& node) const {
  const auto xy = node.Elements(2);
  return gp_Pnt2d(Length(xy[0]), Length(xy[1]));
}

gp_Dir GeometryReader::Direction(const JsonNode& node) const {
  const auto xyz = node.Elements(3);
  const gp_XYZ direction(xyz[0].Number(), xyz[1].Number(), xyz[2].Number());
  // Scaled by its largest component first, so that a long direction does not overflow.
  const double largest = std::max({std::abs(direction.X()), std::abs(direction.Y()),
                                   std::abs(direction.Z())});
  const gp_XYZ scaled = largest > 0.0 ? direction / largest : direction;
  if (!(largest * scaled.Modulus() >= kZeroLength)) node.Fail("zero-length direction");
  return gp_Dir(scaled / scaled.Modulus());
}

gp_Dir2d GeometryReader::Direction2d(const JsonNode& node) const {
  const auto xy = node.Elements(2);
  const gp_XY direction(xy[0].Number(), xy[1].Number());
  const double largest = std::max(std::abs(direction.X()), std::abs(direction.Y()));
  const gp_XY scaled = largest > 0.0 ? direction / largest : direction;
  if (!(largest * scaled.Modulus() >= kZeroLength)) node.Fail("zero-length direction");
  return gp_Dir2d(scaled / scaled.Modulus());
}

gp_Ax3 GeometryReader::Plane(const JsonNode& node) const {
  node.RequireObject({"origin", "normal", "xDir"});
  const gp_Pnt origin = Point(node.Member("origin"));
  const gp_Dir normal = Direction(node.Member("normal"));
  const gp_Dir xDir = Direction(node.Member("xDir"));
  if (normal.XYZ().CrossMagnitude(xDir.XYZ()) < kParallelSine) {
    node.Fail("xDir is parallel to the normal");
  }
  return gp_Ax3(origin, normal, xDir);
}

gp_Trsf GeometryReader::Placement(const JsonNode& node) const {
  node.RequireObject({"origin", "axis", "angle", "xDir", "zDir"});
  const gp_Pnt origin = node.Has("origin") ? Point(node.Member("origin")) : gp_Pnt(0.0, 0.0, 0.0);
  const bool turned = node.Has("axis") || node.Has("angle");
  const bool framed = node.Has("xDir") || node.Has("zDir");
  if (turned && framed) node.Fail("give either axis and angle or xDir and zDir, not both");

  gp_Trsf placement;
  if (turned) {
    const gp_Dir axis = Direction(node.Member("axis"));
    placement.SetRotation(gp_Ax1(gp::Origin(), axis), Angle(node.Member("angle")));
  } else if (framed) {
    const gp_Dir zDir = Direction(node.Member("zDir"));
    const gp_Dir xDir = Direction(node.Member("xDir"));
    if (zDir.XYZ().CrossMagnitude(xDir.XYZ()) < kParallelSine)
      node.Fail("xDir is parallel to zDir");
    placement.SetDisplacement(gp_Ax3(gp::XOY()), gp_Ax3(gp::Origin(), zDir, xDir));
  }
  placement.SetTranslationPart(origin.XYZ());
  return placement;
}

}  // namespace sledway::model
