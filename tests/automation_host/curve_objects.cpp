#include "curve_objects.hpp"

#include <cmath>
#include <vector>


namespace sledway::automation_host {

namespace {

HRESULT ReadParams(SAFEARRAY** given, std::vector<double>& params) {
  if (given == nullptr || *given == nullptr) {
    return Failure(E_INVALIDARG, L"the parameters are missing");
  }
  SAFEARRAY* array = *given;
  VARTYPE type = VT_EMPTY;
  LONG low = 0;
  LONG high = -1;
  if (SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetVartype(array, &type)) || type != VT_R8 ||
      FAILED(SafeArrayGetLBound(array, 1, &low)) || FAILED(SafeArrayGetUBound(array, 1, &high))) {
    return Failure(E_INVALIDARG, L"the parameters must be a one-dimensional array of Double");
  }
  for (LONG i = low; i <= high; ++i) {
    double value = 0.0;
    SafeArrayGetElement(array, &i, &value);
    if (!std::isfinite(value)) return Failure(E_INVALIDARG, L"a parameter is not a number");
    params.push_back(value);
  }
  return S_OK;
}

// Answers `values` in a new array from 1 in place of the caller's, as a host may: the caller's
// [in, out] array is the host's to replace.
HRESULT WriteValues(const std::vector<double>& values, SAFEARRAY** out) {
  if (out == nullptr) return E_POINTER;
  SAFEARRAYBOUND bound{static_cast<ULONG>(values.size()), 1};
  SAFEARRAY* made = SafeArrayCreate(VT_R8, 1, &bound);
  if (made == nullptr) return E_OUTOFMEMORY;
  for (LONG i = 0; i < static_cast<LONG>(values.size()); ++i) {
    LONG at = i + 1;
    double value = values[static_cast<size_t>(i)];
    SafeArrayPutElement(made, &at, &value);
  }
  if (*out != nullptr) SafeArrayDestroy(*out);
  *out = made;
  return S_OK;
}

class CurveEvaluatorObject final : public Object<::CurveEvaluator> {
 public:
  CurveEvaluatorObject(IDispatch* application, const AnalyticCurve& curve,
                       PlacementSource placement, int dimensions)
      : Object(application),
        curve_(curve),
        placement_(std::move(placement)),
        dimensions_(dimensions) {}

  HRESULT STDMETHODCALLTYPE GetEndPoints(SAFEARRAY** start, SAFEARRAY** end) override {
    HRESULT written = WriteValues(Values({curve_.first}, false), start);
    if (SUCCEEDED(written)) written = WriteValues(Values({curve_.last}, false), end);
    return written;
  }
  HRESULT STDMETHODCALLTYPE GetParamExtents(double* min, double* max) override {
    if (min == nullptr || max == nullptr) return E_POINTER;
    *min = curve_.first;
    *max = curve_.last;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetParamAtLength(double from, double length, double* param) override {
    if (param == nullptr) return E_POINTER;
    if (!std::isfinite(from) || !std::isfinite(length)) {
      return Failure(E_INVALIDARG, L"GetParamAtLength: the arguments must be numbers");
    }
    *param = from + length / curve_.Speed();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetLengthAtParam(double from, double to, double* length) override {
    if (length == nullptr) return E_POINTER;
    if (!std::isfinite(from) || !std::isfinite(to)) {
      return Failure(E_INVALIDARG, L"GetLengthAtParam: the arguments must be numbers");
    }
    *length = (to - from) * curve_.Speed();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPointAtParam(SAFEARRAY** params, SAFEARRAY** points) override {
    return Evaluate(params, points, false);
  }
  HRESULT STDMETHODCALLTYPE GetTangent(SAFEARRAY** params, SAFEARRAY** tangents) override {
    return Evaluate(params, tangents, true);
  }

 private:
  HRESULT Evaluate(SAFEARRAY** params, SAFEARRAY** out, bool tangents) {
    std::vector<double> at;
    HRESULT read = ReadParams(params, at);
    if (FAILED(read)) return read;
    return WriteValues(Values(at, tangents), out);
  }

  std::vector<double> Values(const std::vector<double>& params, bool tangents) const {
    const Affine placement = placement_();
    std::vector<double> values;
    for (double t : params) {
      const Vec3 v =
          tangents ? placement.Direction(curve_.TangentAt(t)) : placement.Point(curve_.PointAt(t));
      values.push_back(v.x);
      values.push_back(v.y);
      if (dimensions_ == 3) values.push_back(v.z);
    }
    return values;
  }

  AnalyticCurve curve_;
  PlacementSource placement_;
  int dimensions_;
};

class CurveGeometryObject final : public Object<::CurveGeometry> {
 public:
  CurveGeometryObject(IDispatch* application, std::function<ComPtr<IDispatch>()> evaluator)
      : Object(application), evaluator_(std::move(evaluator)) {}

  HRESULT STDMETHODCALLTYPE get_Evaluator(IDispatch** value) override {
    return Give(evaluator_(), value);
  }

 private:
  std::function<ComPtr<IDispatch>()> evaluator_;
};

}  // namespace

ComPtr<IDispatch> NewCurveEvaluator(IDispatch* application, const AnalyticCurve& curve,
                                    PlacementSource placement) {
  return Make<CurveEvaluatorObject>(application, curve, std::move(placement), 3);
}

ComPtr<IDispatch> NewCurve2dEvaluator(IDispatch* application, const AnalyticCurve& curve) {
  return Make<CurveEvaluatorObject>(
      application, curve, [] { return Affine{}; }, 2);
}

ComPtr<IDispatch> NewCurveGeometry(IDispatch* application,
                                   std::function<ComPtr<IDispatch>()> evaluator) {
  return Make<CurveGeometryObject>(application, std::move(evaluator));
}

}  // namespace sledway::automation_host
