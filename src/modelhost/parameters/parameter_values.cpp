#include "modelhost/parameters/parameter_values.hpp"

#include <cmath>

#include "host/host_error.hpp"

namespace sledway::model {

void ParameterValues::Set(const std::string& name, double modelValue) {
  if (!std::isfinite(modelValue)) {
    throw HostError(hresult::kInvalidArg,
                    "parameter '" + name + "' cannot take the value " + std::to_string(modelValue));
  }
  values_[name] = modelValue;
}

std::optional<double> ParameterValues::Find(const std::string& name) const {
  const auto found = values_.find(name);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

bool ParameterValues::UnchangedIn(const ParameterValues& later) const {
  for (const auto& [name, value] : values_) {
    if (later.Find(name) != value) return false;
  }
  return true;
}

}  // namespace sledway::model
