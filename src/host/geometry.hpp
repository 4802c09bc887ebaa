#pragma once

#include "host/object.hpp"

namespace sledway {

class IVMatrix;

// A point in model space (model length unit).
class IVPoint : public virtual IVObject {
 public:
  virtual double X() = 0;
  virtual double Y() = 0;
  virtual double Z() = 0;
  virtual void PutCoordinates(double x, double y, double z) = 0;
  // True when the two points lie within `tolerance` of each other.
  virtual bool IsEqualTo(const Ref<IVPoint>& other, double tolerance) = 0;
  virtual double DistanceTo(const Ref<IVPoint>& other) = 0;
};

// A point in a sketch plane.
class IVPoint2d : public virtual IVObject {
 public:
  virtual double X() = 0;
  virtual double Y() = 0;
  virtual void PutCoordinates(double x, double y) = 0;
  virtual bool IsEqualTo(const Ref<IVPoint2d>& other, double tolerance) = 0;
};

// A free vector in model space.
class IVVector : public virtual IVObject {
 public:
  virtual double X() = 0;
  virtual double Y() = 0;
  virtual double Z() = 0;
  virtual void PutCoordinates(double x, double y, double z) = 0;
  virtual double Length() = 0;
  virtual void ScaleBy(double factor) = 0;
  // A new vector: this x other.
  virtual Ref<IVVector> CrossProduct(const Ref<IVVector>& other) = 0;
  virtual double DotProduct(const Ref<IVVector>& other) = 0;
  virtual double AngleTo(const Ref<IVVector>& other) = 0;
  // Turns the vector by the rotation part of `matrix`; a vector has no position.
  virtual void TransformBy(const Ref<IVMatrix>& matrix) = 0;
  virtual bool IsEqualTo(const Ref<IVVector>& other, double tolerance) = 0;
};

// A placement: a rotation and a translation, acting on column vectors (p' = R p + t).
class IVMatrix : public virtual IVObject {
 public:
  // Element at row and column, both 1 to 4 (row 4 is 0 0 0 1).
  virtual double Cell(int row, int column) = 0;
  virtual void SetToIdentity() = 0;
  // A new vector holding the translation part.
  virtual Ref<IVVector> GetTranslation() = 0;
  // Sets the translation part; with `additive` the vector is added to the current one.
  virtual void SetTranslation(const Ref<IVVector>& translation, bool additive) = 0;
  // Becomes the rotation through the origin that turns `from` onto `to`. Parallel vectors give
  // the identity; opposite vectors a half turn about an axis perpendicular to `from` (`axis`
  // when it is usable).
  virtual void SetToRotationBetween(const Ref<IVVector>& from, const Ref<IVVector>& to,
                                    const Ref<IVVector>& axis) = 0;
  // this := other x this: `other` acts after this matrix.
  virtual void TransformBy(const Ref<IVMatrix>& other) = 0;
  virtual bool IsEqualTo(const Ref<IVMatrix>& other, double tolerance) = 0;
};

class IVGeometryFactory : public virtual IVObject {
 public:
  virtual Ref<IVPoint> CreatePoint(double x, double y, double z) = 0;
  virtual Ref<IVPoint2d> CreatePoint2d(double x, double y) = 0;
  virtual Ref<IVVector> CreateVector(double x, double y, double z) = 0;
  // A new identity matrix.
  virtual Ref<IVMatrix> CreateMatrix() = 0;
};

}  // namespace sledway
