#pragma once

#include <TopoDS_Shape.hxx>
#include <string>

#include "modelhost/files/geometry_reader.hpp"
#include "modelhost/files/json_node.hpp"

namespace sledway::model {

// The body of an "extrude" part: {"height", "loops"}, a flat profile in the part's XY plane
// raised by `height` along +Z. Each loop is a closed chain of lines and arcs (or one circle)
// joined in the order given; the first loop is the outline, every further loop a hole through
// the body. Fails at the loop or curve that does not join, close, or lie inside the outline.
TopoDS_Shape ReadExtrudedBody(const JsonNode& node, const GeometryReader& geometry,
                              const std::string& partName);

}  // namespace sledway::model
