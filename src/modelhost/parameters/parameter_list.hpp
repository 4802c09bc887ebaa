#pragma once

#include <vector>

#include "host/parameters.hpp"
#include "modelhost/parameters/parameter.hpp"

namespace sledway::model {

// One list of a parameter table (model or user parameters), in the order of creation.
class ParameterList final : public IVParameterList {
 public:
  int Count() override;
  // Positions run from 1; others fail with HostError(kBadIndex).
  Ref<IVParameter> Item(int index) override;

  void Append(Ref<Parameter> parameter);
  const std::vector<Ref<Parameter>>& Parameters() const { return parameters_; }

 private:
  std::vector<Ref<Parameter>> parameters_;
};

}  // namespace sledway::model
