#pragma once

#include <string_view>

#include "modelhost/parameters/model_ratio.hpp"

namespace sledway::model {

// A unit in which a document shows lengths. Inside the model every length is in centimetres.
enum class LengthUnit { kMillimetre, kCentimetre, kMetre, kInch, kFoot };

// The unit's label: "mm", "cm", "m", "in" or "ft".
std::string_view LengthUnitLabel(LengthUnit unit);

// The unit a label names. Throws HostError(kInvalidArg) naming `label` when it names none.
LengthUnit ParseLengthUnit(std::string_view label);

// Centimetres per unit as an exact ratio (a millimetre is 1 cm per 10 units).
ModelRatio CentimetreRatio(LengthUnit unit);

// Centimetres in one unit (0.1 for a millimetre).
double CentimetresPerUnit(LengthUnit unit);

}  // namespace sledway::model
