#include "geometry_objects.hpp"

#include <cmath>
#include <string>


namespace sledway::automation_host {

namespace {

// A coordinate or component read or written through its property; a written one must be finite.
HRESULT Get(double held, double* value) {
  if (value == nullptr) return E_POINTER;
  *value = held;
  return S_OK;
}

HRESULT Put(double& held, double value, const wchar_t* what = L"coordinate") {
  if (!std::isfinite(value))
    return Failure(E_INVALIDARG, std::wstring(L"a ") + what + L" must be finite");
  held = value;
  return S_OK;
}

// The tolerance of IsEqualTo when the caller gives none (centimetres).
constexpr double kDefaultTolerance = 1e-8;

HRESULT ReadTolerance(const VARIANT& given, double& tolerance) {
  tolerance = kDefaultTolerance;
  if (!Present(given)) return S_OK;
  HRESULT result = ReadDouble(given, tolerance);
  if (FAILED(result)) return result;
  if (!(tolerance >= 0.0)) return Failure(E_INVALIDARG, L"IsEqualTo: a negative tolerance");
  return S_OK;
}

HRESULT ReadOptionalDouble(const VARIANT& given, double& value) {
  value = 0.0;
  return Present(given) ? ReadDouble(given, value) : S_OK;
}

bool Finite(const Vec3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

class PointObject final : public Object<::Point> {
 public:
  PointObject(IDispatch* application, const Vec3& at) : Object(application), at_(at) {}

  HRESULT STDMETHODCALLTYPE get_X(double* value) override { return Get(at_.x, value); }
  HRESULT STDMETHODCALLTYPE put_X(double value) override { return Put(at_.x, value); }
  HRESULT STDMETHODCALLTYPE get_Y(double* value) override { return Get(at_.y, value); }
  HRESULT STDMETHODCALLTYPE put_Y(double value) override { return Put(at_.y, value); }
  HRESULT STDMETHODCALLTYPE get_Z(double* value) override { return Get(at_.z, value); }
  HRESULT STDMETHODCALLTYPE put_Z(double value) override { return Put(at_.z, value); }

  HRESULT STDMETHODCALLTYPE IsEqualTo(IDispatch* other, VARIANT tolerance,
                                      VARIANT_BOOL* result) override {
    Vec3 there;
    double within = 0.0;
    HRESULT read = ReadVec3(other, there);
    if (SUCCEEDED(read)) read = ReadTolerance(tolerance, within);
    if (FAILED(read)) return read;
    return GiveBoolean(Norm(there - at_) <= within, result);
  }
  HRESULT STDMETHODCALLTYPE DistanceTo(IDispatch* other, double* result) override {
    Vec3 there;
    HRESULT read = ReadVec3(other, there);
    if (FAILED(read)) return read;
    return Get(Norm(there - at_), result);
  }

 private:
  Vec3 at_;
};

class Point2dObject final : public Object<::Point2d> {
 public:
  Point2dObject(IDispatch* application, double x, double y) : Object(application), x_(x), y_(y) {}

  HRESULT STDMETHODCALLTYPE get_X(double* value) override { return Get(x_, value); }
  HRESULT STDMETHODCALLTYPE put_X(double value) override { return Put(x_, value); }
  HRESULT STDMETHODCALLTYPE get_Y(double* value) override { return Get(y_, value); }
  HRESULT STDMETHODCALLTYPE put_Y(double value) override { return Put(y_, value); }

  HRESULT STDMETHODCALLTYPE IsEqualTo(IDispatch* other, VARIANT tolerance,
                                      VARIANT_BOOL* result) override {
    ComPtr<::Point2d> point;
    if (other == nullptr || FAILED(other->QueryInterface(IID_PPV_ARGS(&point)))) {
      return Failure(E_INVALIDARG, L"IsEqualTo: a Point2d was expected");
    }
    double x = 0.0;
    double y = 0.0;
    double within = 0.0;
    point->get_X(&x);
    point->get_Y(&y);
    HRESULT read = ReadTolerance(tolerance, within);
    if (FAILED(read)) return read;
    return GiveBoolean(std::hypot(x - x_, y - y_) <= within, result);
  }

 private:
  double x_;
  double y_;
};

class VectorObject final : public Object<::Vector> {
 public:
  VectorObject(IDispatch* application, const Vec3& components)
      : Object(application), v_(components) {}

  HRESULT STDMETHODCALLTYPE get_X(double* value) override { return Get(v_.x, value); }
  HRESULT STDMETHODCALLTYPE put_X(double value) override { return Put(v_.x, value, L"component"); }
  HRESULT STDMETHODCALLTYPE get_Y(double* value) override { return Get(v_.y, value); }
  HRESULT STDMETHODCALLTYPE put_Y(double value) override { return Put(v_.y, value, L"component"); }
  HRESULT STDMETHODCALLTYPE get_Z(double* value) override { return Get(v_.z, value); }
  HRESULT STDMETHODCALLTYPE put_Z(double value) override { return Put(v_.z, value, L"component"); }
  HRESULT STDMETHODCALLTYPE get_Length(double* value) override { return Get(Norm(v_), value); }

  HRESULT STDMETHODCALLTYPE ScaleBy(double scale) override {
    if (!std::isfinite(scale)) return Failure(E_INVALIDARG, L"ScaleBy: the scale must be finite");
    v_ = scale * v_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CrossProduct(IDispatch* other, IDispatch** result) override {
    Vec3 w;
    HRESULT read = ReadVec3(other, w);
    if (FAILED(read)) return read;
    return Give(NewVector(application(), Cross(v_, w)), result);
  }
  HRESULT STDMETHODCALLTYPE DotProduct(IDispatch* other, double* result) override {
    Vec3 w;
    HRESULT read = ReadVec3(other, w);
    if (FAILED(read)) return read;
    return Get(Dot(v_, w), result);
  }
  HRESULT STDMETHODCALLTYPE AngleTo(IDispatch* other, double* result) override {
    Vec3 w;
    HRESULT read = ReadVec3(other, w);
    if (FAILED(read)) return read;
    if (Norm(v_) == 0.0 || Norm(w) == 0.0) {
      return Failure(E_INVALIDARG, L"AngleTo: a vector of zero length has no direction");
    }
    return Get(std::atan2(Norm(Cross(v_, w)), Dot(v_, w)), result);
  }
  HRESULT STDMETHODCALLTYPE TransformBy(IDispatch* matrix) override {
    Affine by;
    HRESULT read = ReadAffine(matrix, by);
    if (FAILED(read)) return read;
    v_ = by.Direction(v_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsEqualTo(IDispatch* other, VARIANT tolerance,
                                      VARIANT_BOOL* result) override {
    Vec3 w;
    double within = 0.0;
    HRESULT read = ReadVec3(other, w);
    if (SUCCEEDED(read)) read = ReadTolerance(tolerance, within);
    if (FAILED(read)) return read;
    return GiveBoolean(Norm(w - v_) <= within, result);
  }

 private:
  Vec3 v_;
};

class UnitVectorObject final : public Object<::UnitVector> {
 public:
  UnitVectorObject(IDispatch* application, const Vec3& direction)
      : Object(application), v_(Normalized(direction)) {}

  HRESULT STDMETHODCALLTYPE get_X(double* value) override { return Get(v_.x, value); }
  HRESULT STDMETHODCALLTYPE get_Y(double* value) override { return Get(v_.y, value); }
  HRESULT STDMETHODCALLTYPE get_Z(double* value) override { return Get(v_.z, value); }

 private:
  Vec3 v_;
};

class MatrixObject final : public Object<::Matrix> {
 public:
  MatrixObject(IDispatch* application, const Affine& placement)
      : Object(application), m_(placement) {}

  HRESULT STDMETHODCALLTYPE get_Cell(long row, long column, double* value) override {
    if (value == nullptr) return E_POINTER;
    HRESULT checked = CheckCell(row, column);
    if (FAILED(checked)) return checked;
    *value = row == 4 ? (column == 4 ? 1.0 : 0.0) : m_.cell[row - 1][column - 1];
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetToIdentity() override {
    m_ = Affine{};
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Translation(IDispatch** value) override {
    return Give(NewVector(application(), m_.TranslationPart()), value);
  }
  HRESULT STDMETHODCALLTYPE SetTranslation(IDispatch* translation, VARIANT resetRotation) override {
    Vec3 offset;
    bool reset = false;
    HRESULT read = ReadVec3(translation, offset);
    if (SUCCEEDED(read) && Present(resetRotation)) read = ReadBoolean(resetRotation, reset);
    if (FAILED(read)) return read;
    if (!Finite(offset)) return Failure(E_INVALIDARG, L"SetTranslation: not a finite vector");
    if (reset) m_ = Affine{};
    m_.cell[0][3] = offset.x;
    m_.cell[1][3] = offset.y;
    m_.cell[2][3] = offset.z;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetToRotateTo(IDispatch* from, IDispatch* to, VARIANT axis) override {
    Vec3 a;
    Vec3 b;
    Vec3 about;
    bool hasAxis = false;
    HRESULT read = ReadVec3(from, a);
    if (SUCCEEDED(read)) read = ReadVec3(to, b);
    // No axis: left out, or Nothing as the host's callers pass it.
    const VARIANT& given = axis.vt == (VT_BYREF | VT_VARIANT) ? *axis.pvarVal : axis;
    if (SUCCEEDED(read) && Present(given) && given.vt != VT_NULL &&
        !(given.vt == VT_DISPATCH && given.pdispVal == nullptr)) {
      if (given.vt != VT_DISPATCH) {
        return Failure(DISP_E_TYPEMISMATCH, L"SetToRotateTo: the axis must be a vector");
      }
      read = ReadVec3(given.pdispVal, about);
      hasAxis = true;
    }
    if (FAILED(read)) return read;
    if (Norm(a) == 0.0 || Norm(b) == 0.0) {
      return Failure(E_INVALIDARG, L"SetToRotateTo: a vector of zero length has no direction");
    }
    m_ = Affine::RotationBetween(a, b, hasAxis ? &about : nullptr);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE TransformBy(IDispatch* matrix) override {
    Affine by;
    HRESULT read = ReadAffine(matrix, by);
    if (FAILED(read)) return read;
    m_ = by.After(m_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsEqualTo(IDispatch* matrix, VARIANT tolerance,
                                      VARIANT_BOOL* result) override {
    Affine other;
    double within = 0.0;
    HRESULT read = ReadAffine(matrix, other);
    if (SUCCEEDED(read)) read = ReadTolerance(tolerance, within);
    if (FAILED(read)) return read;
    bool equal = true;
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 4; ++column) {
        equal = equal && std::abs(other.cell[row][column] - m_.cell[row][column]) <= within;
      }
    }
    return GiveBoolean(equal, result);
  }

 private:
  static HRESULT CheckCell(long row, long column) {
    if (row < 1 || row > 4 || column < 1 || column > 4) {
      return Failure(E_INVALIDARG, L"Cell: there is no cell (" + std::to_wstring(row) + L", " +
                                       std::to_wstring(column) +
                                       L"); rows and columns run from 1 to 4");
    }
    return S_OK;
  }

  Affine m_;
};

class TransientGeometryObject final : public Object<::TransientGeometry> {
 public:
  using Object::Object;

  HRESULT STDMETHODCALLTYPE CreatePoint(VARIANT x, VARIANT y, VARIANT z,
                                        IDispatch** value) override {
    Vec3 at;
    HRESULT read = ReadCoordinates(x, y, z, at);
    if (FAILED(read)) return read;
    return Give(NewPoint(application(), at), value);
  }
  HRESULT STDMETHODCALLTYPE CreatePoint2d(VARIANT x, VARIANT y, IDispatch** value) override {
    VARIANT none{};
    Vec3 at;
    HRESULT read = ReadCoordinates(x, y, none, at);
    if (FAILED(read)) return read;
    return Give(NewPoint2d(application(), at.x, at.y), value);
  }
  HRESULT STDMETHODCALLTYPE CreateVector(VARIANT x, VARIANT y, VARIANT z,
                                         IDispatch** value) override {
    Vec3 components;
    HRESULT read = ReadCoordinates(x, y, z, components);
    if (FAILED(read)) return read;
    return Give(NewVector(application(), components), value);
  }
  HRESULT STDMETHODCALLTYPE CreateMatrix(IDispatch** value) override {
    return Give(NewMatrix(application(), Affine{}), value);
  }

 private:
  static HRESULT ReadCoordinates(const VARIANT& x, const VARIANT& y, const VARIANT& z, Vec3& at) {
    HRESULT read = ReadOptionalDouble(x, at.x);
    if (SUCCEEDED(read)) read = ReadOptionalDouble(y, at.y);
    if (SUCCEEDED(read)) read = ReadOptionalDouble(z, at.z);
    if (FAILED(read)) return read;
    if (!Finite(at)) return Failure(E_INVALIDARG, L"a coordinate must be finite");
    return S_OK;
  }
};

}  // namespace

namespace {

template <class Interface>
bool ReadComponents(IDispatch* object, Vec3& value) {
  ComPtr<Interface> typed;
  if (object == nullptr || FAILED(object->QueryInterface(IID_PPV_ARGS(&typed)))) return false;
  typed->get_X(&value.x);
  typed->get_Y(&value.y);
  typed->get_Z(&value.z);
  return true;
}

}  // namespace

HRESULT ReadVec3(IDispatch* object, Vec3& value) {
  if (ReadComponents<::Point>(object, value) || ReadComponents<::Vector>(object, value) ||
      ReadComponents<::UnitVector>(object, value)) {
    return S_OK;
  }
  return Failure(E_INVALIDARG, L"a Point, Vector or UnitVector was expected");
}

HRESULT ReadAffine(IDispatch* object, Affine& value) {
  ComPtr<::Matrix> matrix;
  if (object == nullptr || FAILED(object->QueryInterface(IID_PPV_ARGS(&matrix)))) {
    return Failure(E_INVALIDARG, L"a Matrix was expected");
  }
  for (long row = 0; row < 3; ++row) {
    for (long column = 0; column < 4; ++column) {
      matrix->get_Cell(row + 1, column + 1, &value.cell[row][column]);
    }
  }
  return S_OK;
}

ComPtr<IDispatch> NewPoint(IDispatch* application, const Vec3& at) {
  return Make<PointObject>(application, at);
}

ComPtr<IDispatch> NewPoint2d(IDispatch* application, double x, double y) {
  return Make<Point2dObject>(application, x, y);
}

ComPtr<IDispatch> NewVector(IDispatch* application, const Vec3& components) {
  return Make<VectorObject>(application, components);
}

ComPtr<IDispatch> NewUnitVector(IDispatch* application, const Vec3& direction) {
  return Make<UnitVectorObject>(application, direction);
}

ComPtr<IDispatch> NewMatrix(IDispatch* application, const Affine& placement) {
  return Make<MatrixObject>(application, placement);
}

ComPtr<IDispatch> NewTransientGeometry(IDispatch* application) {
  return Make<TransientGeometryObject>(application);
}

}  // namespace sledway::automation_host
