#include "modelhost/files/sketch_reader.hpp"

#include <vector>

#include "modelhost/files/unique_names.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"
#include "modelhost/sketch/sketch3d_definition.hpp"

namespace sledway::model {

namespace {

std::string KindList(std::span<const std::string_view> kinds) {
  std::string list;
  for (const std::string_view kind : kinds) list += (list.empty() ? "" : ", ") + std::string(kind);
  return list;
}

// The curve's "kind", refused unless among `kinds`.
std::string CurveKind(const JsonNode& node, std::span<const std::string_view> kinds) {
  const JsonNode kindNode = node.Member("kind");
  std::string kind = kindNode.String();
  for (const std::string_view known : kinds) {
    if (kind == known) return kind;
  }
  kindNode.Fail("unknown curve kind '" + kind + "' (expected one of: " + KindList(kinds) + ")");
}

// Every element of a "points" array, at least two.
template <class Point, class ReadPoint>
std::vector<Point> ReadPoints(const JsonNode& node, ReadPoint readPoint) {
  std::vector<Point> points;
  for (const JsonNode& point : node.Elements()) points.push_back(readPoint(point));
  if (points.size() < 2) node.Fail("a spline needs at least two points");
  return points;
}

void RequireMajorNotSmaller(const JsonNode& node, const GeometryReader& geometry, double major,
                            double minor) {
  if (major < minor) {
    node.Fail("the major radius (" + geometry.LengthText(major) +
              ") is smaller than the minor radius (" + geometry.LengthText(minor) + ")");
  }
}

int ReadSketchCurve3d(const JsonNode& node, const GeometryReader& geometry,
                      Sketch3dDefinition& sketch) {
  static constexpr std::string_view kKinds[] = {"line",    "arc",    "circle",
                                                "ellipse", "spline", "helix"};
  const std::string kind = CurveKind(node, kKinds);
  auto frame = [&] { return geometry.Plane(node.Member("plane")).Ax2(); };
  auto length = [&](std::string_view key) { return geometry.Length(node.Member(key)); };
  auto size = [&](std::string_view key) { return geometry.PositiveLength(node.Member(key)); };
  auto angle = [&](std::string_view key) { return geometry.Angle(node.Member(key)); };
  if (kind == "line") {
    node.RequireObject({"kind", "start", "end"});
    const gp_Pnt start = geometry.Point(node.Member("start"));
    const gp_Pnt end = geometry.Point(node.Member("end"));
    return node.Guard([&] { return sketch.AddLine(start, end); });
  }
  if (kind == "arc") {
    node.RequireObject({"kind", "plane", "radius", "startAngle", "endAngle"});
    const gp_Ax2 plane = frame();
    const double radius = size("radius");
    const double start = angle("startAngle");
    const double end = angle("endAngle");
    return node.Guard([&] { return sketch.AddArc(plane, radius, start, end); });
  }
  if (kind == "circle") {
    node.RequireObject({"kind", "plane", "radius"});
    const gp_Ax2 plane = frame();
    const double radius = size("radius");
    return node.Guard([&] { return sketch.AddCircle(plane, radius); });
  }
  if (kind == "ellipse") {
    node.RequireObject({"kind", "plane", "majorRadius", "minorRadius"});
    const gp_Ax2 plane = frame();
    const double major = size("majorRadius");
    const double minor = size("minorRadius");
    RequireMajorNotSmaller(node, geometry, major, minor);
    return node.Guard([&] { return sketch.AddEllipse(plane, major, minor); });
  }
  if (kind == "helix") {
    node.RequireObject({"kind", "plane", "radius", "pitch", "turns"});
    const gp_Ax2 plane = frame();
    const double radius = size("radius");
    const double pitch = length("pitch");
    const double turns = node.Member("turns").Number();
    return node.Guard([&] { return sketch.AddHelix(plane, radius, pitch, turns); });
  }
  node.RequireObject({"kind", "points"});
  const auto points = ReadPoints<gp_Pnt>(node.Member("points"),
                                         [&](const JsonNode& p) { return geometry.Point(p); });
  return node.Guard([&] { return sketch.AddSpline(points); });
}

}  // namespace

int ReadSketchCurve(const JsonNode& node, const GeometryReader& geometry,
                    PlanarSketchDefinition& sketch, std::span<const std::string_view> kinds) {
  const std::string kind = CurveKind(node, kinds);
  auto size = [&](std::string_view key) { return geometry.PositiveLength(node.Member(key)); };
  auto angle = [&](std::string_view key) { return geometry.Angle(node.Member(key)); };
  auto point = [&](std::string_view key) { return geometry.Point2d(node.Member(key)); };
  if (kind == "line") {
    node.RequireObject({"kind", "start", "end"});
    const gp_Pnt2d start = point("start");
    const gp_Pnt2d end = point("end");
    return node.Guard([&] { return sketch.AddLine(start, end); });
  }
  if (kind == "arc") {
    node.RequireObject({"kind", "centre", "radius", "startAngle", "endAngle"});
    const gp_Pnt2d centre = point("centre");
    const double radius = size("radius");
    const double start = angle("startAngle");
    const double end = angle("endAngle");
    return node.Guard([&] { return sketch.AddArc(centre, radius, start, end); });
  }
  if (kind == "circle") {
    node.RequireObject({"kind", "centre", "radius"});
    const gp_Pnt2d centre = point("centre");
    const double radius = size("radius");
    return node.Guard([&] { return sketch.AddCircle(centre, radius); });
  }
  if (kind == "ellipse" || kind == "ellipticalArc") {
    if (kind == "ellipse") {
      node.RequireObject({"kind", "centre", "majorAxis", "majorRadius", "minorRadius"});
    } else {
      node.RequireObject(
          {"kind", "centre", "majorAxis", "majorRadius", "minorRadius", "startAngle", "endAngle"});
    }
    const gp_Pnt2d centre = point("centre");
    const gp_Dir2d major = geometry.Direction2d(node.Member("majorAxis"));
    const double majorRadius = size("majorRadius");
    const double minorRadius = size("minorRadius");
    RequireMajorNotSmaller(node, geometry, majorRadius, minorRadius);
    if (kind == "ellipse") {
      return node.Guard([&] { return sketch.AddEllipse(centre, major, majorRadius, minorRadius); });
    }
    const double start = angle("startAngle");
    const double end = angle("endAngle");
    return node.Guard([&] {
      return sketch.AddEllipticalArc(centre, major, majorRadius, minorRadius, start, end);
    });
  }
  node.RequireObject({"kind", "points"});
  const auto points = ReadPoints<gp_Pnt2d>(node.Member("points"),
                                           [&](const JsonNode& p) { return geometry.Point2d(p); });
  return node.Guard([&] { return sketch.AddSpline(points); });
}

void ReadSketches(const JsonNode& sketches, const GeometryReader& geometry,
                  const AddSketchCall& add) {
  UniqueNames names("sketch");
  for (const JsonNode& node : sketches.Elements()) {
    node.RequireObject({"name", "plane", "curves"});
    const std::string name = names.Claim(node.Member("name"));
    const gp_Ax3 plane = geometry.Plane(node.Member("plane"));
    const Ref<PlanarSketchDefinition> sketch = node.Guard([&] { return add(name, plane); });
    for (const JsonNode& curve : node.Member("curves").Elements()) {
      ReadSketchCurve(curve, geometry, *sketch);
    }
  }
}

void ReadSketches3d(const JsonNode& sketches, const GeometryReader& geometry,
                    const AddSketch3dCall& add) {
  UniqueNames names("3D sketch");
  for (const JsonNode& node : sketches.Elements()) {
    node.RequireObject({"name", "curves"});
    const std::string name = names.Claim(node.Member("name"));
    const Ref<Sketch3dDefinition> sketch = node.Guard([&] { return add(name); });
    for (const JsonNode& curve : node.Member("curves").Elements()) {
      ReadSketchCurve3d(curve, geometry, *sketch);
    }
  }
}

}  // namespace sledway::model
