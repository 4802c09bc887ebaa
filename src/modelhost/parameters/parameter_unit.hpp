#pragma once

#include <string_view>

#include "modelhost/parameters/length_unit.hpp"
#include "modelhost/parameters/model_ratio.hpp"

namespace sledway::model {

// The units a parameter may carry: five lengths, two angles, and "ul" for a plain number.
enum class ParameterUnit {
  kMillimetre,
  kCentimetre,
  kMetre,
  kInch,
  kFoot,
  kDegree,
  kRadian,
  kUnitless,
};

inline constexpr int kParameterUnitCount = 8;

// What a unit measures. Values convert only between units of the same dimension.
enum class UnitDimension { kLength, kAngle, kNone };

// "mm", "cm", "m", "in", "ft", "deg", "rad" or "ul".
std::string_view ParameterUnitLabel(ParameterUnit unit);

// The unit a label names. Throws HostError(kInvalidArg) naming `label` when it names none.
ParameterUnit ParseParameterUnit(std::string_view label);

// True when `label` names one of the units.
bool IsParameterUnitLabel(std::string_view label);

UnitDimension DimensionOf(ParameterUnit unit);

// Model units (cm, rad, plain number) per unit as an exact ratio.
ModelRatio ModelRatioOf(ParameterUnit unit);

ParameterUnit ParameterUnitOf(LengthUnit unit);

}  // namespace sledway::model
