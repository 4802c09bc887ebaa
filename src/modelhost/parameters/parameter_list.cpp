#include "modelhost/parameters/parameter_list.hpp"

#include <string>
#include <utility>

#include "host/host_error.hpp"

namespace sledway::model {

int ParameterList::Count() {
  return static_cast<int>(parameters_.size());
}

Ref<IVParameter> ParameterList::Item(int index) {
  if (index < 1 || index > Count()) {
    throw HostError(hresult::kBadIndex, "index " + std::to_string(index) +
                                            " is outside the parameter list of " +
                                            std::to_string(Count()));
  }
  return parameters_[static_cast<std::size_t>(index) - 1];
}

void ParameterList::Append(Ref<Parameter> parameter) {
  parameters_.push_back(std::move(parameter));
}

}  // namespace sledway::model
