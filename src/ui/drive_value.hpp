#pragma once

#include <cstdint>
#include <string>

namespace sledway {

// The value a driven parameter takes at drive step k of `steps`: DriveFrom at k = 0, DriveTo
// at k = steps, linear in between.
double DriveValue(std::int64_t k, std::int64_t steps, double driveFrom, double driveTo);

// The expression text that sets a parameter to `value`: the value in the default text form of
// a double (up to 15 significant digits, a point as decimal separator whatever the locale, no
// grouping), one blank, then the parameter's unit text, e.g. "2.5 mm".
std::string DriveExpression(double value, const std::string& units);

}  // namespace sledway
