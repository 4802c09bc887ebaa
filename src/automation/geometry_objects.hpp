#pragma once

// Transient geometry over the host's TransientGeometry, Point, Point2d, Vector and Matrix.

#include "automation/host_object.hpp"
#include "host/geometry.hpp"

namespace sledway::automation {

class PointObject final : public HostObject, public IVPoint {
 public:
  using HostObject::HostObject;
  double X() override;
  double Y() override;
  double Z() override;
  void PutCoordinates(double x, double y, double z) override;
  bool IsEqualTo(const Ref<IVPoint>& other, double tolerance) override;
  double DistanceTo(const Ref<IVPoint>& other) override;
};

class Point2dObject final : public HostObject, public IVPoint2d {
 public:
  using HostObject::HostObject;
  double X() override;
  double Y() override;
  void PutCoordinates(double x, double y) override;
  bool IsEqualTo(const Ref<IVPoint2d>& other, double tolerance) override;
};

class VectorObject final : public HostObject, public IVVector {
 public:
  using HostObject::HostObject;
  double X() override;
  double Y() override;
  double Z() override;
  void PutCoordinates(double x, double y, double z) override;
  double Length() override;
  void ScaleBy(double factor) override;
  Ref<IVVector> CrossProduct(const Ref<IVVector>& other) override;
  double DotProduct(const Ref<IVVector>& other) override;
  double AngleTo(const Ref<IVVector>& other) override;
  void TransformBy(const Ref<IVMatrix>& matrix) override;
  bool IsEqualTo(const Ref<IVVector>& other, double tolerance) override;
};

class MatrixObject final : public HostObject, public IVMatrix {
 public:
  using HostObject::HostObject;
  double Cell(int row, int column) override;
  void SetToIdentity() override;
  Ref<IVVector> GetTranslation() override;
  void SetTranslation(const Ref<IVVector>& translation, bool additive) override;
  void SetToRotationBetween(const Ref<IVVector>& from, const Ref<IVVector>& to,
                            const Ref<IVVector>& axis) override;
  void TransformBy(const Ref<IVMatrix>& other) override;
  bool IsEqualTo(const Ref<IVMatrix>& other, double tolerance) override;
};

class GeometryFactoryObject final : public HostObject, public IVGeometryFactory {
 public:
  using HostObject::HostObject;
  Ref<IVPoint> CreatePoint(double x, double y, double z) override;
  Ref<IVPoint2d> CreatePoint2d(double x, double y) override;
  Ref<IVVector> CreateVector(double x, double y, double z) override;
  Ref<IVMatrix> CreateMatrix() override;
};

}  // namespace sledway::automation
