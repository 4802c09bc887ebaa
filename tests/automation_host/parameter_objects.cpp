#include "parameter_objects.hpp"

#include <cmath>
#include <cwchar>
#include <stdexcept>

#include "units.hpp"

namespace sledway::automation_host {

namespace {

std::wstring Trimmed(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return L"";
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

class ParametersObject final : public List<::Parameters> {
 public:
  ParametersObject(IDispatch* application, ComPtr<IDispatch> modelList, ComPtr<IDispatch> userList)
      : List(application, L"Parameters"),
        modelList_(std::move(modelList)),
        userList_(std::move(userList)) {}

  HRESULT STDMETHODCALLTYPE get_ModelParameters(IDispatch** value) override {
    return Give(modelList_, value);
  }
  HRESULT STDMETHODCALLTYPE get_UserParameters(IDispatch** value) override {
    return Give(userList_, value);
  }

 private:
  ComPtr<IDispatch> modelList_;
  ComPtr<IDispatch> userList_;
};

}  // namespace

bool EvaluateExpression(const std::wstring& expression, const std::wstring& units, double& value) {
  const Unit* own = FindUnit(units);
  const std::wstring text = Trimmed(expression);
  if (own == nullptr || text.empty()) return false;
  wchar_t* end = nullptr;
  const double number = std::wcstod(text.c_str(), &end);
  if (end == text.c_str() || !std::isfinite(number)) return false;
  const std::wstring rest = Trimmed(end);
  const Unit* unit = rest.empty() ? own : FindUnit(rest);
  if (unit == nullptr || std::wstring(unit->kind) != own->kind) return false;
  value = number * unit->toDatabase;
  return true;
}

ParameterObject::ParameterObject(IDispatch* application, std::wstring name, std::wstring units,
                                 const std::wstring& expression, std::vector<ExpressionPut>& log)
    : Object(application),
      name_(std::move(name)),
      units_(std::move(units)),
      expression_(expression),
      log_(log) {
  if (!EvaluateExpression(expression_, units_, value_)) {
    throw std::invalid_argument("a scene parameter's expression does not evaluate");
  }
}

HRESULT ParameterObject::get_Value(VARIANT* value) {
  if (value == nullptr) return E_POINTER;
  VariantInit(value);
  value->vt = VT_R8;
  value->dblVal = value_;
  return S_OK;
}

HRESULT ParameterObject::put_Expression(BSTR value) {
  const std::wstring expression = value == nullptr ? L"" : std::wstring(value, SysStringLen(value));
  double evaluated = 0.0;
  if (!EvaluateExpression(expression, units_, evaluated)) {
    return Failure(E_INVALIDARG, L"Expression: \"" + expression + L"\" is not a value in " +
                                     units_ + L" for " + name_);
  }
  log_.push_back({name_, expression});
  expression_ = expression;
  value_ = evaluated;
  return S_OK;
}

ComPtr<IDispatch> NewParameters(IDispatch* application,
                                const std::vector<ComPtr<ParameterObject>>& modelParameters,
                                const std::vector<ComPtr<ParameterObject>>& userParameters) {
  auto modelList = Make<List<::ObjectsEnumerator>>(application, L"ModelParameters");
  auto userList = Make<List<::ObjectsEnumerator>>(application, L"UserParameters");
  for (const auto& parameter : modelParameters) modelList->Append(parameter->name(), parameter);
  for (const auto& parameter : userParameters) userList->Append(parameter->name(), parameter);
  auto all = Make<ParametersObject>(application, modelList, userList);
  for (const auto& parameter : modelParameters) all->Append(parameter->name(), parameter);
  for (const auto& parameter : userParameters) all->Append(parameter->name(), parameter);
  return all;
}

}  // namespace sledway::automation_host
