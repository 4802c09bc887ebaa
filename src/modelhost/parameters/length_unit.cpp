#include "modelhost/parameters/length_unit.hpp"

#include <array>
#include <string>

#include "host/host_error.hpp"

namespace sledway::model {
namespace {

struct LengthUnitRow {
  LengthUnit unit;
  std::string_view label;
  ModelRatio centimetres;
};

// An inch is exactly 2.54 cm and a foot twelve inches.
constexpr std::array<LengthUnitRow, 5> kLengthUnits{{
    {LengthUnit::kMillimetre, "mm", {1.0, 10.0}},
    {LengthUnit::kCentimetre, "cm", {1.0, 1.0}},
    {LengthUnit::kMetre, "m", {100.0, 1.0}},
    {LengthUnit::kInch, "in", {254.0, 100.0}},
    {LengthUnit::kFoot, "ft", {3048.0, 100.0}},
}};

const LengthUnitRow& RowOf(LengthUnit unit) {
  for (const LengthUnitRow& row : kLengthUnits) {
    if (row.unit == unit) return row;
  }
  throw HostError(hresult::kInvalidArg, "not a length unit");
}

}  // namespace

std::string_view LengthUnitLabel(LengthUnit unit) {
  return RowOf(unit).label;
}

LengthUnit ParseLengthUnit(std::string_view label) {
  for (const LengthUnitRow& row : kLengthUnits) {
    if (row.label == label) return row.unit;
  }
  throw HostError(hresult::kInvalidArg,
                  "unknown length unit '" + std::string(label) + "' (mm, cm, m, in or ft)");
}

ModelRatio CentimetreRatio(LengthUnit unit) {
  return RowOf(unit).centimetres;
}

double CentimetresPerUnit(LengthUnit unit) {
  const ModelRatio ratio = CentimetreRatio(unit);
  return ratio.model / ratio.units;
}

}  // namespace sledway::model
