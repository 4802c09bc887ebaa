#include "modelhost/files/part_reader.hpp"

#include <gp_Ax1.hxx>
#include <string>
#include <vector>

#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/extruded_body.hpp"
#include "modelhost/files/placed_error.hpp"
#include "modelhost/files/sketch_reader.hpp"
#include "modelhost/files/step_file.hpp"
#include "modelhost/files/unit_fit.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "modelhost/part/part.hpp"

namespace sledway::model {

namespace {

constexpr std::string_view kBodyKinds[] = {"box", "cylinder", "sphere", "extrude", "step"};

// The expression of one dimension, evaluated once here so that a bad one, or a size the model
// cannot build, is refused at its own place rather than at the whole body.
std::string Dimension(const JsonNode& body, std::string_view key, AssemblyDocument& document,
                      const GeometryReader& geometry) {
  const JsonNode node = body.Member(key);
  std::string expression = node.Expression();
  ParameterTable& parameters = document.Parameters();
  RequireUnitFits(node, expression, ParameterUnitOf(document.DisplayUnit()), parameters);
  const double size = node.Guard([&] {
    return parameters.EvaluateLength(expression, parameters.Stage(), document.DisplayUnit());
  });
  geometry.RequireBuildableSize(
      node, size, node.IsNumber() ? geometry.GivenText(node.Number()) : "'" + expression + "'");
  return expression;
}

Ref<Part> ReadBody(const JsonNode& node, const std::string& name, AssemblyDocument& document,
                   const GeometryReader& geometry, const std::filesystem::path& baseDir) {
  std::vector<std::string_view> given;
  for (const std::string_view kind : kBodyKinds) {
    if (node.Has(kind)) given.push_back(kind);
  }
  if (given.empty()) node.Fail("a part needs a body: box, cylinder, sphere, extrude or step");
  if (given.size() > 1) {
    node.Fail("a part has one body, got '" + std::string(given[0]) + "' and '" +
              std::string(given[1]) + "'");
  }
  const JsonNode body = node.Member(given[0]);
  if (given[0] == "box") {
    body.RequireObject({"length", "width", "height"});
    const std::string length = Dimension(body, "length", document, geometry);
    const std::string width = Dimension(body, "width", document, geometry);
    const std::string height = Dimension(body, "height", document, geometry);
    return body.Guard([&] { return document.AddBoxPart(name, length, width, height); });
  }
  if (given[0] == "cylinder") {
    body.RequireObject({"radius", "height"});
    const std::string radius = Dimension(body, "radius", document, geometry);
    const std::string height = Dimension(body, "height", document, geometry);
    return body.Guard([&] { return document.AddCylinderPart(name, radius, height); });
  }
  if (given[0] == "sphere") {
    body.RequireObject({"radius"});
    const std::string radius = Dimension(body, "radius", document, geometry);
    return body.Guard([&] { return document.AddSpherePart(name, radius); });
  }
  if (given[0] == "extrude") {
    const TopoDS_Shape shape = ReadExtrudedBody(body, geometry, name);
    return body.Guard([&] { return document.AddShapePart(name, shape); });
  }
  const std::filesystem::path path = baseDir / body.String();
  try {
    const StepFile file(path);
    const TopoDS_Shape shape = file.WholeShape();
    return body.Guard([&] { return document.AddShapePart(name, shape); });
  } catch (const PlacedError& error) {
    if (!error.Place().empty()) throw;
    body.Fail("'" + path.string() + "': " + error.Problem());
  }
}

}  // namespace

void ReadPart(const JsonNode& node, AssemblyDocument& document, const GeometryReader& geometry,
              const std::filesystem::path& baseDir, UniqueNames& partNames) {
  node.RequireObject({"name", "box", "cylinder", "sphere", "extrude", "step", "workPoints",
                      "workAxes", "sketches", "sketches3d"});
  const std::string name = partNames.Claim(node.Member("name"));
  const Ref<Part> part = ReadBody(node, name, document, geometry, baseDir);

  if (const auto workPoints = node.OptionalMember("workPoints")) {
    UniqueNames names("work point");
    for (const JsonNode& workPoint : workPoints->Elements()) {
      workPoint.RequireObject({"name", "point"});
      const std::string pointName = names.Claim(workPoint.Member("name"));
      const gp_Pnt point = geometry.Point(workPoint.Member("point"));
      workPoint.Guard([&] { part->AddWorkPoint(pointName, point); });
    }
  }
  if (const auto workAxes = node.OptionalMember("workAxes")) {
    UniqueNames names("work axis");
    for (const JsonNode& workAxis : workAxes->Elements()) {
      workAxis.RequireObject({"name", "origin", "direction"});
      const std::string axisName = names.Claim(workAxis.Member("name"));
      const gp_Ax1 axis(geometry.Point(workAxis.Member("origin")),
                        geometry.Direction(workAxis.Member("direction")));
      workAxis.Guard([&] { part->AddWorkAxis(axisName, axis); });
    }
  }
  if (const auto sketches = node.OptionalMember("sketches")) {
    ReadSketches(*sketches, geometry, [&](const std::string& sketch, const gp_Ax3& plane) {
      return part->AddSketch(sketch, plane);
    });
  }
  if (const auto sketches = node.OptionalMember("sketches3d")) {
    ReadSketches3d(*sketches, geometry,
                   [&](const std::string& sketch) { return part->AddSketch3d(sketch); });
  }
}

}  // namespace sledway::model
