#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sledway::model {

// Why `value`, a value a run would write into a parameter of the units `unitsLabel`, is beyond
// what the model can hold: a length further than the model reaches (no part could be built of
// it), said as "1e+300 mm is beyond what the model can hold (at most 1e+13 mm)". Nothing for a
// value within reach, and for values that are no lengths.
std::optional<std::string> BeyondModelReach(double value, std::string_view unitsLabel);

}  // namespace sledway::model
