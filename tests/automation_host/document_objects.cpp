#include "document_objects.hpp"

#include <cmath>
#include <cstdint>

#include "geometry_objects.hpp"
#include "list_objects.hpp"
#include "units.hpp"

namespace sledway::automation_host {

ApplicationObject::ApplicationObject()
    : Object(nullptr), geometry_(NewTransientGeometry(this)), objects_(NewTransientObjects(this)) {
  // A real top-level window, hidden: the parent the add-in gives its own windows.
  window_ = CreateWindowExW(0, L"STATIC", L"Sledway automation test host", WS_OVERLAPPEDWINDOW,
                            CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
}

ApplicationObject::~ApplicationObject() {
  if (window_ != nullptr) DestroyWindow(window_);
}

HRESULT ApplicationObject::get_MainFrameHWND(long* value) {
  if (value == nullptr) return E_POINTER;
  // The host hands its window out as a Long; window handles fit in 32 bits.
  *value = static_cast<long>(reinterpret_cast<std::intptr_t>(window_));
  return S_OK;
}

namespace {

class AddInSiteObject final : public Object<::ApplicationAddInSite> {
 public:
  using Object::Object;

  HRESULT STDMETHODCALLTYPE get_Application(IDispatch** value) override {
    return Give(application(), value);
  }
};

class UnitsOfMeasureObject final : public Object<::UnitsOfMeasure> {
 public:
  using Object::Object;

  HRESULT STDMETHODCALLTYPE GetStringFromValue(double value, VARIANT specifier,
                                               BSTR* text) override {
    const Unit* unit = ReadUnit(specifier);
    if (unit == nullptr) return Failure(E_INVALIDARG, L"GetStringFromValue: unknown units");
    if (!std::isfinite(value)) {
      return Failure(E_INVALIDARG, L"GetStringFromValue: the value is not a number");
    }
    return GiveText(FormatInUnit(value, *unit), text);
  }
  HRESULT STDMETHODCALLTYPE ConvertUnits(double value, VARIANT from, VARIANT to,
                                         double* result) override {
    if (result == nullptr) return E_POINTER;
    const Unit* input = ReadUnit(from);
    const Unit* output = ReadUnit(to);
    if (input == nullptr || output == nullptr) {
      return Failure(E_INVALIDARG, L"ConvertUnits: unknown units");
    }
    if (std::wstring(input->kind) != output->kind) {
      return Failure(E_INVALIDARG, std::wstring(L"ConvertUnits: ") + input->label +
                                       L" cannot be converted to " + output->label);
    }
    if (!std::isfinite(value)) {
      return Failure(E_INVALIDARG, L"ConvertUnits: the value is not a number");
    }
    *result = value * input->toDatabase / output->toDatabase;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetStringFromType(long type, BSTR* text) override {
    const Unit* unit = UnitOf(type);
    if (unit == nullptr) {
      return Failure(E_INVALIDARG, L"GetStringFromType: unknown units " + std::to_wstring(type));
    }
    return GiveText(unit->label, text);
  }

 private:
  // A unit given by label ("mm") or by the host's code; null when unknown.
  static const Unit* ReadUnit(const VARIANT& specifier) {
    const VARIANT& given = specifier.vt == (VT_BYREF | VT_VARIANT) ? *specifier.pvarVal : specifier;
    if (given.vt == VT_BSTR) return FindUnit(given.bstrVal == nullptr ? L"" : given.bstrVal);
    double code = 0.0;
    if (FAILED(ReadDouble(given, code))) return nullptr;
    return UnitOf(static_cast<long>(code));
  }
  // The documents show millimetres and degrees.
  static const Unit* UnitOf(long code) {
    if (code == kDefaultDisplayLengthUnits) return FindUnit(L"mm");
    if (code == kDatabaseLengthUnits) return FindUnit(L"cm");
    if (code == kDefaultDisplayAngleUnits) return FindUnit(L"deg");
    if (code == kDatabaseAngleUnits) return FindUnit(L"rad");
    return nullptr;
  }
};

template <class Interface>
class DocumentBase : public Object<Interface, ::Document> {
 public:
  DocumentBase(IDispatch* application, long documentType, std::wstring displayName)
      : Object<Interface, ::Document>(application),
        documentType_(documentType),
        displayName_(std::move(displayName)),
        units_(Make<UnitsOfMeasureObject>(application)) {}

  HRESULT STDMETHODCALLTYPE get_DocumentType(long* value) override {
    if (value == nullptr) return E_POINTER;
    *value = documentType_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_DisplayName(BSTR* value) override {
    return GiveText(displayName_, value);
  }
  HRESULT STDMETHODCALLTYPE get_UnitsOfMeasure(IDispatch** value) override {
    return Give(units_, value);
  }
  // Parameters take their values when their expressions are put: the (analytic) model has
  // nothing to rebuild.
  HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }

 private:
  long documentType_;
  std::wstring displayName_;
  ComPtr<IDispatch> units_;
};

class ComponentDefinitionObject final : public Object<::AssemblyComponentDefinition> {
 public:
  ComponentDefinitionObject(IDispatch* application, ComPtr<IDispatch> parameters)
      : Object(application), parameters_(std::move(parameters)) {}

  HRESULT STDMETHODCALLTYPE get_Parameters(IDispatch** value) override {
    return Give(parameters_, value);
  }

 private:
  ComPtr<IDispatch> parameters_;
};

class AssemblyDocumentObject final : public DocumentBase<::AssemblyDocument> {
 public:
  AssemblyDocumentObject(IDispatch* application, std::wstring displayName,
                         ComPtr<IDispatch> definition)
      : DocumentBase(application, kAssemblyDocumentType, std::move(displayName)),
        definition_(std::move(definition)) {}

  HRESULT STDMETHODCALLTYPE get_ComponentDefinition(IDispatch** value) override {
    return Give(definition_, value);
  }

 private:
  ComPtr<IDispatch> definition_;
};

}  // namespace

ComPtr<IDispatch> NewAddInSite(IDispatch* application) {
  return Make<AddInSiteObject>(application);
}

ComPtr<IDispatch> NewPartDocument(IDispatch* application, std::wstring displayName) {
  return Make<DocumentBase<::Document>>(application, kPartDocumentType, std::move(displayName));
}

ComPtr<IDispatch> NewAssemblyDocument(IDispatch* application, std::wstring displayName,
                                      const std::vector<ComPtr<ParameterObject>>& modelParameters,
                                      const std::vector<ComPtr<ParameterObject>>& userParameters) {
  auto definition = Make<ComponentDefinitionObject>(
      application, NewParameters(application, modelParameters, userParameters));
  return Make<AssemblyDocumentObject>(application, std::move(displayName), definition);
}

}  // namespace sledway::automation_host
