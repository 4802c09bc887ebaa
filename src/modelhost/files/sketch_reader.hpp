#pragma once

#include <functional>
#include <gp_Ax3.hxx>
#include <span>
#include <string>
#include <string_view>

#include "host/object.hpp"
#include "modelhost/files/geometry_reader.hpp"
#include "modelhost/files/json_node.hpp"

namespace sledway::model {

class PlanarSketchDefinition;
class Sketch3dDefinition;

// Where the sketches read go: the assembly or a part (their AddSketch / AddSketch3d).
using AddSketchCall =
    std::function<Ref<PlanarSketchDefinition>(const std::string& name, const gp_Ax3& plane)>;
using AddSketch3dCall = std::function<Ref<Sketch3dDefinition>(const std::string& name)>;

// The kinds of curve a 2D sketch may hold, as written in a file.
inline constexpr std::string_view kSketchCurveKinds[] = {"line",    "arc",           "circle",
                                                         "ellipse", "ellipticalArc", "spline"};

// Reads a "sketches" array (2D sketches: name, plane, curves) into their owner.
void ReadSketches(const JsonNode& sketches, const GeometryReader& geometry,
                  const AddSketchCall& add);
// Reads a "sketches3d" array (name, curves) into their owner.
void ReadSketches3d(const JsonNode& sketches, const GeometryReader& geometry,
                    const AddSketch3dCall& add);

// Adds the 2D curve at `node` to `sketch` when its kind is among `kinds`; returns its number.
int ReadSketchCurve(const JsonNode& node, const GeometryReader& geometry,
                    PlanarSketchDefinition& sketch,
                    std::span<const std::string_view> kinds = kSketchCurveKinds);

}  // namespace sledway::model
