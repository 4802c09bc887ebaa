#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "modelhost/geometry/input_checks.hpp"

namespace sledway::model {

// Throws HostError kInvalidArg: `values` holds fewer than `perParam` numbers per parameter.
[[noreturn]] void RefuseShortArray(std::string_view query, std::size_t params,
                                   std::size_t valuesSize, std::size_t perParam);

// Checks the arrays of a point or tangent query: every parameter finite and `values` long
// enough for `perParam` numbers per parameter. Fails with HostError kInvalidArg naming `query`.
// Inline: it runs on every query of the follow motion.
inline void CheckEvaluatorArrays(std::string_view query, std::span<const double> params,
                                 std::size_t valuesSize, std::size_t perParam) {
  for (double param : params) RequireFinite(query, {param});
  if (valuesSize < params.size() * perParam) [[unlikely]]
    RefuseShortArray(query, params.size(), valuesSize, perParam);
}

}  // namespace sledway::model
