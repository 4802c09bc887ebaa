#include "automation/document_objects.hpp"

#include "host/codes.hpp"
#include "host/echoed_text.hpp"

namespace sledway::automation {

using namespace member;

Ref<IVAssemblyDefinition> AssemblyDocumentObject::GetDefinition() {
  // The parameters met through this definition report their values in this document's units.
  Binding().UseUnits(DispatchObject(Host().Read(kUnitsOfMeasure).AsObject(kUnitsOfMeasure.role)));
  return ReadObject<IVAssemblyDefinition>(kComponentDefinition, Role::kAssemblyDefinition);
}
Ref<IVUnits> AssemblyDocumentObject::GetUnits() {
  return ReadObject<IVUnits>(kUnitsOfMeasure, Role::kUnits);
}

std::string UnitsObject::FormatValue(double value, std::int32_t unitsCode) {
  return Host().Call(kGetStringFromValue, {value, unitsCode}).AsString(kGetStringFromValue.role);
}
std::string UnitsObject::UnitsLabel(std::int32_t unitsCode) {
  return Host().Call(kGetStringFromType, {unitsCode}).AsString(kGetStringFromType.role);
}

Ref<IVParameters> AssemblyDefinitionObject::GetParameters() {
  return ReadObject<IVParameters>(kParameters, Role::kParameters);
}

Ref<IVParameter> ParametersObject::Item(const std::string& name) {
  try {
    return Binding().As<IVParameter>(Host().Read(kParametersItem, {name}), Role::kParameter,
                                     kParametersItem);
  } catch (const HostError& error) {
    throw HostError(error.Code(),
                    "there is no parameter \"" + EchoedText(name) + "\" (" + error.what() + ")");
  }
}
Ref<IVParameterList> ParametersObject::GetFirstList() {
  return ReadObject<IVParameterList>(kModelParameters, Role::kParameterList);
}
Ref<IVParameterList> ParametersObject::GetSecondList() {
  return ReadObject<IVParameterList>(kUserParameters, Role::kParameterList);
}

int ParameterListObject::Count() {
  return ReadLong(kCount);
}
Ref<IVParameter> ParameterListObject::Item(int index) {
  return Binding().As<IVParameter>(Host().Read(kItem, {std::int32_t{index}}), Role::kParameter,
                                   kItem);
}

std::string ParameterObject::Name() {
  return ReadString(kParameterName);
}

// The host keeps a parameter's value in its database units (centimetres, radians); the add-in
// reads it in the parameter's own units. The document's units convert it: a length from the
// database length units, an angle from the database angle units (the host refuses a conversion
// between units of different kinds), anything else as it stands.
double ParameterObject::Value() {
  const double stored = ReadDouble(kParameterValue);
  DispatchObject& units = Binding().Units();
  if (!units) return stored;
  const std::string own = Units();
  for (const std::int32_t database : {kDatabaseLengthUnits, kDatabaseAngleUnits}) {
    try {
      return units.Call(kConvertUnits, {stored, database, own}).AsDouble(kConvertUnits.role);
    } catch (const HostError&) {
      // Units of another kind: the next one is tried.
    }
  }
  return stored;
}
std::string ParameterObject::Units() {
  return ReadString(kParameterUnits);
}
std::string ParameterObject::Expression() {
  return ReadString(kExpression);
}
void ParameterObject::Expression(const std::string& expression) {
  Host().Write(kExpression, expression);
}
Ref<IVObjectCollection> ParameterObject::Inputs() {
  return ReadObject<IVObjectCollection>(kDrivenBy, Role::kParameterCollection);
}

}  // namespace sledway::automation
