#include "modelhost/parameters/parameter_unit.hpp"

#include <array>
#include <numbers>
#include <string>

#include "host/host_error.hpp"

namespace sledway::model {
namespace {

struct ParameterUnitRow {
  ParameterUnit unit;
  std::string_view label;
  UnitDimension dimension;
};

constexpr std::array<ParameterUnitRow, kParameterUnitCount> kParameterUnits{{
    {ParameterUnit::kMillimetre, "mm", UnitDimension::kLength},
    {ParameterUnit::kCentimetre, "cm", UnitDimension::kLength},
    {ParameterUnit::kMetre, "m", UnitDimension::kLength},
    {ParameterUnit::kInch, "in", UnitDimension::kLength},
    {ParameterUnit::kFoot, "ft", UnitDimension::kLength},
    {ParameterUnit::kDegree, "deg", UnitDimension::kAngle},
    {ParameterUnit::kRadian, "rad", UnitDimension::kAngle},
    {ParameterUnit::kUnitless, "ul", UnitDimension::kNone},
}};

const ParameterUnitRow& RowOf(ParameterUnit unit) {
  for (const ParameterUnitRow& row : kParameterUnits) {
    if (row.unit == unit) return row;
  }
  throw HostError(hresult::kInvalidArg, "not a parameter unit");
}

}  // namespace

std::string_view ParameterUnitLabel(ParameterUnit unit) {
  return RowOf(unit).label;
}

ParameterUnit ParseParameterUnit(std::string_view label) {
  for (const ParameterUnitRow& row : kParameterUnits) {
    if (row.label == label) return row.unit;
  }
  throw HostError(hresult::kInvalidArg,
                  "unknown unit '" + std::string(label) + "' (mm, cm, m, in, ft, deg, rad or ul)");
}

bool IsParameterUnitLabel(std::string_view label) {
  for (const ParameterUnitRow& row : kParameterUnits) {
    if (row.label == label) return true;
  }
  return false;
}

UnitDimension DimensionOf(ParameterUnit unit) {
  return RowOf(unit).dimension;
}

ModelRatio ModelRatioOf(ParameterUnit unit) {
  switch (unit) {
    case ParameterUnit::kMillimetre:
      return CentimetreRatio(LengthUnit::kMillimetre);
    case ParameterUnit::kCentimetre:
      return CentimetreRatio(LengthUnit::kCentimetre);
    case ParameterUnit::kMetre:
      return CentimetreRatio(LengthUnit::kMetre);
    case ParameterUnit::kInch:
      return CentimetreRatio(LengthUnit::kInch);
    case ParameterUnit::kFoot:
      return CentimetreRatio(LengthUnit::kFoot);
    case ParameterUnit::kDegree:
      return {std::numbers::pi, 180.0};
    case ParameterUnit::kRadian:
    case ParameterUnit::kUnitless:
      return {1.0, 1.0};
  }
  throw HostError(hresult::kInvalidArg, "not a parameter unit");
}

ParameterUnit ParameterUnitOf(LengthUnit unit) {
  switch (unit) {
    case LengthUnit::kMillimetre:
      return ParameterUnit::kMillimetre;
    case LengthUnit::kCentimetre:
      return ParameterUnit::kCentimetre;
    case LengthUnit::kMetre:
      return ParameterUnit::kMetre;
    case LengthUnit::kInch:
      return ParameterUnit::kInch;
    case LengthUnit::kFoot:
      return ParameterUnit::kFoot;
  }
  throw HostError(hresult::kInvalidArg, "not a length unit");
}

}  // namespace sledway::model
