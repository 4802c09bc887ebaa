#pragma once

// The units the test host knows: the display units of its documents and of its parameters.

#include <string>

namespace sledway::automation_host {

struct Unit {
  const wchar_t* label;
  const wchar_t* kind;  // "length", "angle" or "unitless"
  double toDatabase;    // database units (cm, rad) per unit
};

// The unit labelled `label` ("mm", "cm", "m", "in", "deg", "rad", "ul"), or null.
const Unit* FindUnit(const std::wstring& label);

// The host's unit codes the documents answer: their display units of length and angle, and the
// database units (cm, rad).
inline constexpr long kDefaultDisplayLengthUnits = 11266;
inline constexpr long kDatabaseLengthUnits = 11267;
inline constexpr long kDefaultDisplayAngleUnits = 11276;
inline constexpr long kDatabaseAngleUnits = 11277;

// `value` (database units) in `unit`: the shortest decimal text with at most six decimals,
// then a blank and the label ("1234.5 mm").
std::wstring FormatInUnit(double value, const Unit& unit);

}  // namespace sledway::automation_host
