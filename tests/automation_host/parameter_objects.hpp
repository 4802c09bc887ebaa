#pragma once

// The assembly's parameters: model parameters and user parameters with a value in database
// units (centimetres, radians) and an expression "N" or "N unit" in the parameter's units.

#include <string>
#include <vector>

#include "com_object.hpp"
#include "list_objects.hpp"

namespace sledway::automation_host {

// An expression put, as the add-in wrote it.
struct ExpressionPut {
  std::wstring parameter;
  std::wstring expression;
};

class ParameterObject final : public Object<::Parameter> {
 public:
  // `units` is "mm", "cm", "m", "in", "deg", "rad" or "ul"; `expression` must evaluate.
  ParameterObject(IDispatch* application, std::wstring name, std::wstring units,
                  const std::wstring& expression, std::vector<ExpressionPut>& log);

  HRESULT STDMETHODCALLTYPE get_Name(BSTR* value) override { return GiveText(name_, value); }
  HRESULT STDMETHODCALLTYPE get_Value(VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE get_Units(BSTR* value) override { return GiveText(units_, value); }
  HRESULT STDMETHODCALLTYPE get_Expression(BSTR* value) override {
    return GiveText(expression_, value);
  }
  HRESULT STDMETHODCALLTYPE put_Expression(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_DrivenBy(IDispatch** value) override {
    return Give(NewObjectCollection(application()), value);
  }

  const std::wstring& name() const { return name_; }
  // Database units.
  double value() const { return value_; }

 private:
  std::wstring name_;
  std::wstring units_;
  std::wstring expression_;
  double value_ = 0.0;
  std::vector<ExpressionPut>& log_;
};

// The value of `expression` ("N" in `units`, or "N unit" in a unit of the same kind) in
// database units; false when it is not such an expression.
bool EvaluateExpression(const std::wstring& expression, const std::wstring& units, double& value);

// AssemblyComponentDefinition.Parameters over the two lists.
ComPtr<IDispatch> NewParameters(IDispatch* application,
                                const std::vector<ComPtr<ParameterObject>>& modelParameters,
                                const std::vector<ComPtr<ParameterObject>>& userParameters);

}  // namespace sledway::automation_host
