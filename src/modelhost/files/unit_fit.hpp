#pragma once

#include <string>

#include "modelhost/files/json_node.hpp"
#include "modelhost/parameters/parameter_unit.hpp"

namespace sledway::model {

class ParameterTable;

// An expression that is nothing but the name of a parameter takes that parameter's value as it
// stands. When the parameter measures something else than the expression's target (an angle
// or a plain number as a box height, a length as an angle), that is a mistake in the file
// rather than a conversion, and it fails at `node` naming the parameter. Expressions that
// compute ("count * 10 mm") and unitless targets, which take any value as a number, pass.
void RequireUnitFits(const JsonNode& node, const std::string& expression, ParameterUnit target,
                     const ParameterTable& parameters);

}  // namespace sledway::model
