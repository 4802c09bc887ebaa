#include "modelhost/parameters/parameter_table.hpp"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <utility>

#include "host/echoed_text.hpp"
#include "host/host_error.hpp"

namespace sledway::model {
namespace {

void RequireParameterName(const std::string& name) {
  const auto isNameCharacter = [](unsigned char c) { return std::isalnum(c) || c == '_'; };
  const bool wellFormed = !name.empty() && std::isalpha(static_cast<unsigned char>(name.front())) &&
                          std::all_of(name.begin(), name.end(), isNameCharacter);
  if (!wellFormed) {
    throw HostError(hresult::kInvalidArg,
                    "'" + name +
                        "' is not a parameter name: a name is a letter followed by letters, "
                        "digits and underscores");
  }
  if (IsParameterUnitLabel(name)) {
    throw HostError(hresult::kInvalidArg,
                    "'" + name + "' cannot name a parameter: it is a unit label");
  }
  if (UnitExpression::IsReservedWord(name)) {
    throw HostError(hresult::kInvalidArg,
                    "'" + name + "' cannot name a parameter: it is a word of expressions");
  }
}

// The model values of `inputs`, each taken from `staged` when it holds one.
std::vector<double> ModelValuesOf(const std::vector<Ref<Parameter>>& inputs,
                                  const ParameterValues& staged) {
  std::vector<double> values;
  values.reserve(inputs.size());
  for (const Ref<Parameter>& input : inputs) {
    values.push_back(staged.Find(input->Name()).value_or(input->ModelValue()));
  }
  return values;
}

}  // namespace

Ref<ParameterTable> ParameterTable::Create() {
  return Ref<ParameterTable>(new ParameterTable());
}

ParameterTable::ParameterTable()
    : modelParameters_(std::make_shared<ParameterList>()),
      userParameters_(std::make_shared<ParameterList>()) {}

Ref<IVParameter> ParameterTable::Item(const std::string& name) {
  Ref<Parameter> parameter = Find(name);
  if (!parameter) throw HostError(hresult::kInvalidArg, "no parameter named '" + name + "'");
  return parameter;
}

Ref<IVParameterList> ParameterTable::GetFirstList() {
  return modelParameters_;
}

Ref<IVParameterList> ParameterTable::GetSecondList() {
  return userParameters_;
}

Ref<Parameter> ParameterTable::AddModelParameter(const std::string& name,
                                                 const std::string& expression,
                                                 const std::string& units) {
  return Add(*modelParameters_, name, expression, units);
}

Ref<Parameter> ParameterTable::AddUserParameter(const std::string& name,
                                                const std::string& expression,
                                                const std::string& units) {
  return Add(*userParameters_, name, expression, units);
}

Ref<Parameter> ParameterTable::Find(std::string_view name) const {
  const auto found = byName_.find(name);
  return found == byName_.end() ? nullptr : found->second;
}

ParameterValues ParameterTable::Stage() const {
  ParameterValues staged;
  for (const ParameterList* list : {modelParameters_.get(), userParameters_.get()}) {
    for (const Ref<Parameter>& parameter : list->Parameters()) StageInto(*parameter, staged);
  }
  return staged;
}

double ParameterTable::EvaluateLength(const std::string& expression, const ParameterValues& values,
                                      LengthUnit bareUnit, ParameterValues* read) const {
  const UnitExpression& length = CompiledLength(expression, bareUnit);
  std::vector<Ref<Parameter>> inputs;
  for (const std::string& name : length.Inputs()) inputs.push_back(Find(name));
  const std::vector<double> inputValues = ModelValuesOf(inputs, values);
  const double value = length.Evaluate(inputValues);
  if (read) {
    for (std::size_t i = 0; i < inputs.size(); ++i) read->Set(inputs[i]->Name(), inputValues[i]);
  }
  return value;
}

void ParameterTable::Commit(const ParameterValues& values) noexcept {
  for (ParameterList* list : {modelParameters_.get(), userParameters_.get()}) {
    for (const Ref<Parameter>& parameter : list->Parameters()) {
      if (const auto value = values.Find(parameter->name_)) parameter->modelValue_ = *value;
    }
  }
}

Ref<Parameter> ParameterTable::Add(ParameterList& list, const std::string& name,
                                   const std::string& expression, const std::string& units) {
  RequireParameterName(name);
  if (Find(name)) {
    throw HostError(hresult::kInvalidArg, "a parameter named '" + name + "' already exists");
  }
  const ParameterUnit unit = ParseParameterUnit(units);
  Compiled compiled = Compile(name, unit, expression);
  const double modelValue = compiled.expression.Evaluate(ModelValuesOf(compiled.inputs, {}));
  Ref<Parameter> parameter(new Parameter(name, unit, std::move(compiled.expression),
                                         std::move(compiled.inputs), modelValue, weak_from_this()));
  byName_.emplace(name, parameter);
  list.Append(parameter);
  return parameter;
}

void ParameterTable::ChangeExpression(Parameter& parameter, const std::string& expression) {
  Compiled compiled = Compile(parameter.name_, parameter.unit_, expression);
  parameter.expression_ = std::move(compiled.expression);
  parameter.inputs_ = std::move(compiled.inputs);
}

ParameterTable::Compiled ParameterTable::Compile(const std::string& owner, ParameterUnit unit,
                                                 const std::string& text) const {
  ReadableNames readable = Readable();
  // The owner is readable too, so that reading itself is reported as the cycle it is rather
  // than as an unknown name.
  readable.emplace(owner, unit);
  UnitExpression expression(text, unit, readable, owner);
  const auto refuseCycle = [&](const std::vector<std::string>& chain) {
    std::string path = owner;
    for (const std::string& link : chain) path += " -> " + link;
    throw HostError(hresult::kInvalidArg, "expression '" + EchoedText(text) + "' of '" +
                                              EchoedText(owner) +
                                              "' makes a cycle: " + EchoedText(path));
  };
  std::vector<Ref<Parameter>> inputs;
  for (const std::string& name : expression.Inputs()) {
    if (name == owner) refuseCycle({owner});
    inputs.push_back(Find(name));
    std::set<const Parameter*> searched;
    const std::vector<std::string> chain = InputChain(*inputs.back(), owner, searched);
    if (!chain.empty()) refuseCycle(chain);
  }
  return {std::move(expression), std::move(inputs)};
}

const UnitExpression& ParameterTable::CompiledLength(const std::string& expression,
                                                     LengthUnit bareUnit) const {
  auto key = std::make_pair(expression, bareUnit);
  auto found = lengths_.find(key);
  if (found == lengths_.end()) {
    UnitExpression length(expression, ParameterUnitOf(bareUnit), Readable(), "");
    found = lengths_.emplace(std::move(key), std::move(length)).first;
  }
  return found->second;
}

ReadableNames ParameterTable::Readable() const {
  ReadableNames readable;
  for (const auto& [name, parameter] : byName_) readable.emplace(name, parameter->unit_);
  return readable;
}

std::vector<std::string> ParameterTable::InputChain(const Parameter& from,
                                                    const std::string& target,
                                                    std::set<const Parameter*>& searched) {
  if (from.name_ == target) return {target};
  if (!searched.insert(&from).second) return {};
  for (const Ref<Parameter>& input : from.inputs_) {
    std::vector<std::string> chain = InputChain(*input, target, searched);
    if (!chain.empty()) {
      chain.insert(chain.begin(), from.name_);
      return chain;
    }
  }
  return {};
}

void ParameterTable::StageInto(const Parameter& parameter, ParameterValues& staged) {
  if (staged.Find(parameter.name_)) return;
  for (const Ref<Parameter>& input : parameter.inputs_) StageInto(*input, staged);
  staged.Set(parameter.name_,
             parameter.expression_.Evaluate(ModelValuesOf(parameter.inputs_, staged)));
}

}  // namespace sledway::model
