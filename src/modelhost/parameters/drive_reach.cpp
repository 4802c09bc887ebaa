#include "modelhost/parameters/drive_reach.hpp"

#include <cmath>
#include <cstdio>

#include "modelhost/parameters/parameter_unit.hpp"
#include "modelhost/topology/model_reach.hpp"

namespace sledway::model {
namespace {

// `format` is "%.15g" for a value given, "%g" for the round reach.
std::string ValueText(const char* format, double value, std::string_view unitsLabel) {
  char text[48];
  std::snprintf(text, sizeof text, format, value);
  return text + (" " + std::string(unitsLabel));
}

}  // namespace

std::optional<std::string> BeyondModelReach(double value, std::string_view unitsLabel) {
  if (!IsParameterUnitLabel(unitsLabel)) return std::nullopt;
  const ParameterUnit unit = ParseParameterUnit(unitsLabel);
  if (DimensionOf(unit) != UnitDimension::kLength) return std::nullopt;
  const double reach = FromModel(kModelReach, ModelRatioOf(unit));
  if (std::abs(value) <= reach) return std::nullopt;
  return ValueText("%.15g", value, unitsLabel) + " is beyond what the model can hold (at most " +
         ValueText("%g", reach, unitsLabel) + ")";
}

}  // namespace sledway::model
