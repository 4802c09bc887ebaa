#include "modelhost/document/assembly_definition.hpp"

#include <utility>

#include "modelhost/parameters/parameter_table.hpp"

namespace sledway::model {

AssemblyDefinition::AssemblyDefinition(Ref<ParameterTable> parameters)
    : parameters_(std::move(parameters)) {}

Ref<IVParameters> AssemblyDefinition::GetParameters() {
  return parameters_;
}

}  // namespace sledway::model
