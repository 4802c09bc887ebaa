#pragma once

// Documents, their units and parameters over the host's Document, AssemblyDocument,
// UnitsOfMeasure, AssemblyComponentDefinition, Parameters and Parameter.

#include "automation/host_object.hpp"
#include "host/document.hpp"

namespace sledway::automation {

template <class Interface>
class DocumentObject : public HostObject, public Interface {
 public:
  using HostObject::HostObject;
  IVDocumentType DocumentType() override {
    return static_cast<IVDocumentType>(ReadLong(member::kDocumentType));
  }
  std::string DisplayName() override { return ReadString(member::kDisplayName); }
  void Update() override { Host().Call(member::kUpdate); }
};

class AssemblyDocumentObject final : public DocumentObject<IVAssemblyDocument> {
 public:
  using DocumentObject::DocumentObject;
  Ref<IVAssemblyDefinition> GetDefinition() override;
  Ref<IVUnits> GetUnits() override;
};

using PartDocumentObject = DocumentObject<IVPartDocument>;
using OtherDocumentObject = DocumentObject<IVDocument>;

class UnitsObject final : public HostObject, public IVUnits {
 public:
  using HostObject::HostObject;
  std::string FormatValue(double value, std::int32_t unitsCode) override;
  std::string UnitsLabel(std::int32_t unitsCode) override;
};

class AssemblyDefinitionObject final : public HostObject, public IVAssemblyDefinition {
 public:
  using HostObject::HostObject;
  Ref<IVParameters> GetParameters() override;
};

class ParametersObject final : public HostObject, public IVParameters {
 public:
  using HostObject::HostObject;
  Ref<IVParameter> Item(const std::string& name) override;
  Ref<IVParameterList> GetFirstList() override;
  Ref<IVParameterList> GetSecondList() override;
};

class ParameterListObject final : public HostObject, public IVParameterList {
 public:
  using HostObject::HostObject;
  int Count() override;
  Ref<IVParameter> Item(int index) override;
};

class ParameterObject final : public HostObject, public IVParameter {
 public:
  using HostObject::HostObject;
  std::string Name() override;
  double Value() override;
  std::string Units() override;
  std::string Expression() override;
  void Expression(const std::string& expression) override;
  Ref<IVObjectCollection> Inputs() override;
};

}  // namespace sledway::automation
