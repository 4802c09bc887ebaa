#pragma once

#include "host/document.hpp"

namespace sledway::model {

class ParameterTable;

// The definition of an assembly document: the way to its parameters.
class AssemblyDefinition : public IVAssemblyDefinition {
 public:
  explicit AssemblyDefinition(Ref<ParameterTable> parameters);

  Ref<IVParameters> GetParameters() override;

 private:
  Ref<ParameterTable> parameters_;
};

}  // namespace sledway::model
