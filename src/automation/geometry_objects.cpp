#include "automation/geometry_objects.hpp"

namespace sledway::automation {

using namespace member;

double PointObject::X() {
  return ReadDouble(kX);
}
double PointObject::Y() {
  return ReadDouble(kY);
}
double PointObject::Z() {
  return ReadDouble(kZ);
}
void PointObject::PutCoordinates(double x, double y, double z) {
  Host().Write(kX, x);
  Host().Write(kY, y);
  Host().Write(kZ, z);
}
bool PointObject::IsEqualTo(const Ref<IVPoint>& other, double tolerance) {
  return Host()
      .Call(kIsEqualTo, {HostDispatch(other, "the point"), tolerance})
      .AsBool(kIsEqualTo.role);
}
double PointObject::DistanceTo(const Ref<IVPoint>& other) {
  return Host().Call(kDistanceTo, {HostDispatch(other, "the point")}).AsDouble(kDistanceTo.role);
}

double Point2dObject::X() {
  return ReadDouble(kX);
}
double Point2dObject::Y() {
  return ReadDouble(kY);
}
void Point2dObject::PutCoordinates(double x, double y) {
  Host().Write(kX, x);
  Host().Write(kY, y);
}
bool Point2dObject::IsEqualTo(const Ref<IVPoint2d>& other, double tolerance) {
  return Host()
      .Call(kIsEqualTo, {HostDispatch(other, "the point"), tolerance})
      .AsBool(kIsEqualTo.role);
}

double VectorObject::X() {
  return ReadDouble(kX);
}
double VectorObject::Y() {
  return ReadDouble(kY);
}
double VectorObject::Z() {
  return ReadDouble(kZ);
}
void VectorObject::PutCoordinates(double x, double y, double z) {
  Host().Write(kX, x);
  Host().Write(kY, y);
  Host().Write(kZ, z);
}
double VectorObject::Length() {
  return ReadDouble(kLength);
}
void VectorObject::ScaleBy(double factor) {
  Host().Call(kScaleBy, {factor});
}
Ref<IVVector> VectorObject::CrossProduct(const Ref<IVVector>& other) {
  return CallObject<IVVector>(kCrossProduct, Role::kVector, {HostDispatch(other, "the vector")});
}
double VectorObject::DotProduct(const Ref<IVVector>& other) {
  return Host().Call(kDotProduct, {HostDispatch(other, "the vector")}).AsDouble(kDotProduct.role);
}
double VectorObject::AngleTo(const Ref<IVVector>& other) {
  return Host().Call(kAngleTo, {HostDispatch(other, "the vector")}).AsDouble(kAngleTo.role);
}
void VectorObject::TransformBy(const Ref<IVMatrix>& matrix) {
  Host().Call(kTransformBy, {HostDispatch(matrix, "the matrix")});
}
bool VectorObject::IsEqualTo(const Ref<IVVector>& other, double tolerance) {
  return Host()
      .Call(kIsEqualTo, {HostDispatch(other, "the vector"), tolerance})
      .AsBool(kIsEqualTo.role);
}

double MatrixObject::Cell(int row, int column) {
  return Host().Read(kCell, {std::int32_t{row}, std::int32_t{column}}).AsDouble(kCell.role);
}
void MatrixObject::SetToIdentity() {
  Host().Call(kSetToIdentity);
}
Ref<IVVector> MatrixObject::GetTranslation() {
  return ReadObject<IVVector>(kTranslation, Role::kVector);
}
// The host's second argument resets the rotation; an additive translation is summed here and
// the rotation always kept.
void MatrixObject::SetTranslation(const Ref<IVVector>& translation, bool additive) {
  IDispatch* offset = HostDispatch(translation, "the translation");
  if (!additive) {
    Host().Call(kSetTranslation, {offset, false});
    return;
  }
  const Ref<IVVector> sum = GetTranslation();
  sum->PutCoordinates(sum->X() + translation->X(), sum->Y() + translation->Y(),
                      sum->Z() + translation->Z());
  Host().Call(kSetTranslation, {HostDispatch(sum, "the translation"), false});
}
// The host wants Nothing, not a left-out argument, for an axis it is to choose itself.
void MatrixObject::SetToRotationBetween(const Ref<IVVector>& from, const Ref<IVVector>& to,
                                        const Ref<IVVector>& axis) {
  Host().Call(kSetToRotateTo,
              {HostDispatch(from, "the vector to turn from"),
               HostDispatch(to, "the vector to turn to"), HostDispatch(axis, "the axis")});
}
void MatrixObject::TransformBy(const Ref<IVMatrix>& other) {
  Host().Call(kTransformBy, {HostDispatch(other, "the matrix")});
}
bool MatrixObject::IsEqualTo(const Ref<IVMatrix>& other, double tolerance) {
  return Host()
      .Call(kIsEqualTo, {HostDispatch(other, "the matrix"), tolerance})
      .AsBool(kIsEqualTo.role);
}

Ref<IVPoint> GeometryFactoryObject::CreatePoint(double x, double y, double z) {
  return CallObject<IVPoint>(kCreatePoint, Role::kPoint, {x, y, z});
}
Ref<IVPoint2d> GeometryFactoryObject::CreatePoint2d(double x, double y) {
  return CallObject<IVPoint2d>(kCreatePoint2d, Role::kPoint2d, {x, y});
}
Ref<IVVector> GeometryFactoryObject::CreateVector(double x, double y, double z) {
  return CallObject<IVVector>(kCreateVector, Role::kVector, {x, y, z});
}
Ref<IVMatrix> GeometryFactoryObject::CreateMatrix() {
  return CallObject<IVMatrix>(kCreateMatrix, Role::kMatrix, {});
}

}  // namespace sledway::automation
