#pragma once

#include <cmath>
#include <initializer_list>
#include <string_view>

namespace sledway::model {

// Throws HostError kInvalidArg naming `what` and listing `values`.
[[noreturn]] void RefuseNonFinite(std::string_view what, std::initializer_list<double> values);

// Refuses (HostError kInvalidArg, naming `what`) any NaN or infinity among `values`, so that a
// bad number never reaches a placement. Inline: evaluators check every query.
inline void RequireFinite(std::string_view what, std::initializer_list<double> values) {
  for (double value : values) {
    if (!std::isfinite(value)) [[unlikely]]
      RefuseNonFinite(what, values);
  }
}

// Refuses (HostError kInvalidArg, naming `what`) a comparison tolerance that is negative or NaN.
void RequireTolerance(std::string_view what, double tolerance);

// Refuses (HostError kPointer, naming `what`) a missing object.
void RequireObject(const void* object, std::string_view what);

}  // namespace sledway::model
