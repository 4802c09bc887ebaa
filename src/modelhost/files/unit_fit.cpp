#include "modelhost/files/unit_fit.hpp"

#include <string_view>

#include "modelhost/parameters/parameter.hpp"
#include "modelhost/parameters/parameter_table.hpp"

namespace sledway::model {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t()");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t()") - first + 1);
}

std::string Measure(UnitDimension dimension) {
  switch (dimension) {
    case UnitDimension::kLength:
      return "a length";
    case UnitDimension::kAngle:
      return "an angle";
    case UnitDimension::kNone:
      break;
  }
  return "a plain number";
}

}  // namespace

void RequireUnitFits(const JsonNode& node, const std::string& expression, ParameterUnit target,
                     const ParameterTable& parameters) {
  const UnitDimension wanted = DimensionOf(target);
  if (wanted == UnitDimension::kNone) return;
  const Ref<Parameter> parameter = parameters.Find(Trimmed(expression));
  if (!parameter) return;
  const std::string units = parameter->Units();
  const UnitDimension given = DimensionOf(ParseParameterUnit(units));
  if (given == wanted) return;
  node.Fail("parameter '" + parameter->Name() + "' is " + Measure(given) + " (" + units +
            "), not " + Measure(wanted));
}

}  // namespace sledway::model
