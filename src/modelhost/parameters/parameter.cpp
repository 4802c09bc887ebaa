#include "modelhost/parameters/parameter.hpp"

#include <utility>

#include "host/host_error.hpp"
#include "modelhost/collections/object_collection.hpp"
#include "modelhost/parameters/parameter_table.hpp"

namespace sledway::model {

Parameter::Parameter(std::string name, ParameterUnit unit, UnitExpression expression,
                     std::vector<Ref<Parameter>> inputs, double modelValue,
                     std::weak_ptr<ParameterTable> table)
    : name_(std::move(name)),
      unit_(unit),
      expression_(std::move(expression)),
      inputs_(std::move(inputs)),
      modelValue_(modelValue),
      table_(std::move(table)) {}

std::string Parameter::Name() {
  return name_;
}

double Parameter::Value() {
  return FromModel(modelValue_, ModelRatioOf(unit_));
}

std::string Parameter::Units() {
  return std::string(ParameterUnitLabel(unit_));
}

std::string Parameter::Expression() {
  return expression_.Text();
}

void Parameter::Expression(const std::string& expression) {
  const Ref<ParameterTable> table = table_.lock();
  if (!table) {
    throw HostError(hresult::kUnexpected,
                    "parameter '" + name_ + "' no longer belongs to a document");
  }
  table->ChangeExpression(*this, expression);
}

Ref<IVObjectCollection> Parameter::Inputs() {
  auto inputs = std::make_shared<ObjectCollection>();
  for (const Ref<Parameter>& input : inputs_) inputs->Add(input);
  return inputs;
}

}  // namespace sledway::model
