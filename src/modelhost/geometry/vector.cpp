#include "modelhost/geometry/vector.hpp"

#include <cmath>
#include <memory>

#include "host/host_error.hpp"
#include "modelhost/geometry/conversions.hpp"
#include "modelhost/geometry/input_checks.hpp"

namespace sledway::model {

Vector::Vector(const gp_Vec& vector) : vector_(vector) {
  RequireFinite("vector", {vector.X(), vector.Y(), vector.Z()});
}

void Vector::Assign(const gp_Vec& vector, const char* operation) {
  RequireFinite(operation, {vector.X(), vector.Y(), vector.Z()});
  vector_ = vector;
}

void Vector::PutCoordinates(double x, double y, double z) {
  Assign(gp_Vec(x, y, z), "PutCoordinates of a vector");
}

void Vector::ScaleBy(double factor) {
  RequireFinite("ScaleBy of a vector", {factor});
  Assign(vector_.Multiplied(factor), "ScaleBy of a vector");
}

Ref<IVVector> Vector::CrossProduct(const Ref<IVVector>& other) {
  return std::make_shared<Vector>(vector_.Crossed(ToVec(other)));
}

double Vector::DotProduct(const Ref<IVVector>& other) {
  return vector_.Dot(ToVec(other));
}

double Vector::AngleTo(const Ref<IVVector>& other) {
  const gp_Vec that = ToVec(other);
  if (vector_.Magnitude() == 0.0 || that.Magnitude() == 0.0) {
    throw HostError(hresult::kInvalidArg, "AngleTo of a vector: a zero vector has no direction");
  }
  return std::atan2(vector_.Crossed(that).Magnitude(), vector_.Dot(that));
}

void Vector::TransformBy(const Ref<IVMatrix>& matrix) {
  Assign(vector_.Transformed(ToTrsf(matrix)), "TransformBy of a vector");
}

bool Vector::IsEqualTo(const Ref<IVVector>& other, double tolerance) {
  RequireTolerance("IsEqualTo of a vector", tolerance);
  return (vector_ - ToVec(other)).Magnitude() <= tolerance;
}

}  // namespace sledway::model
