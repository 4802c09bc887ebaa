#pragma once

// A host of the few interfaces the tool window reaches before any pick: an assembly with no
// parameters. The model
// host is not in the Windows build; the logic's own tests run over it on Linux.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host/application.hpp"
#include "host/host_error.hpp"

namespace sledway::win32::test {

class NoParameters : public IVParameters, public IVParameterList {
 public:
  Ref<IVParameter> Item(const std::string& name) override {
    throw HostError(hresult::kInvalidArg, "no parameter " + name);
  }
  Ref<IVParameterList> GetFirstList() override { return Self(); }
  Ref<IVParameterList> GetSecondList() override { return Self(); }
  int Count() override { return 0; }
  Ref<IVParameter> Item(int) override { throw HostError(hresult::kBadIndex, "no parameters"); }

 private:
  Ref<IVParameterList> Self() { return {std::shared_ptr<void>(), this}; }
};

// Lengths in millimetres, as the model unit (centimetres) times ten.
class Millimetres : public IVUnits {
 public:
  std::string FormatValue(double value, std::int32_t) override {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g mm", value * 10);
    return text;
  }
  std::string UnitsLabel(std::int32_t) override { return "mm"; }
};

class EmptyAssembly : public IVAssemblyDocument, public IVAssemblyDefinition {
 public:
  IVDocumentType DocumentType() override { return IVDocumentType::kAssembly; }
  std::string DisplayName() override { return "Assembly1"; }
  void Update() override {}
  Ref<IVAssemblyDefinition> GetDefinition() override { return {std::shared_ptr<void>(), this}; }
  Ref<IVUnits> GetUnits() override { return units_; }
  Ref<IVParameters> GetParameters() override { return parameters_; }

 private:
  Ref<NoParameters> parameters_ = std::make_shared<NoParameters>();
  Ref<Millimetres> units_ = std::make_shared<Millimetres>();
};

class HostDouble : public IVApplication, public IVCommandManager {
 public:
  explicit HostDouble(WindowHandle mainWindow) : mainWindow_(mainWindow) {}
  Ref<IVDocument> GetActiveDocument() override { return document_; }
  Ref<IVGeometryFactory> GetGeometryFactory() override { return nullptr; }
  Ref<IVObjectFactory> GetObjectFactory() override { return nullptr; }
  Ref<IVCommandManager> GetCommandManager() override { return {std::shared_ptr<void>(), this}; }
  Ref<IVUserInterface> GetUserInterface() override { return nullptr; }
  WindowHandle GetMainWindowHandle() override { return mainWindow_; }
  Ref<IVInteraction> CreateInteraction() override {
    throw HostError(hresult::kUnexpected, "this host makes no picks");
  }

 private:
  WindowHandle mainWindow_;
  Ref<EmptyAssembly> document_ = std::make_shared<EmptyAssembly>();
};

}  // namespace sledway::win32::test
