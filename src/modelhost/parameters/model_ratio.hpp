#pragma once

namespace sledway::model {

// How many model units (centimetres, radians, or plain numbers) a unit holds, kept as a ratio of
// two numbers that are exact in a double: `units` of the unit make `model` model units. Kept as
// a ratio rather than one factor so that a conversion between a unit and itself returns the
// value unchanged and a millimetre converts by an exact division by ten (25 mm is 2.5 cm and
// comes back as 25, never 24.999999999999996).
struct ModelRatio {
  double model;
  double units;
};

// `value` written in unit `from` expressed in unit `to`. Both must measure the same thing.
inline double Rescale(double value, ModelRatio from, ModelRatio to) {
  const double numerator = from.model * to.units;
  const double denominator = from.units * to.model;
  if (numerator == denominator) return value;
  return value * numerator / denominator;
}

inline double ToModel(double value, ModelRatio unit) {
  return Rescale(value, unit, {1.0, 1.0});
}

inline double FromModel(double modelValue, ModelRatio unit) {
  return Rescale(modelValue, {1.0, 1.0}, unit);
}

}  // namespace sledway::model
