#pragma once

#include "host/geometry.hpp"

namespace sledway::model {

// Makes the model host's points, vectors and matrices. Coordinates must be finite (HostError
// kInvalidArg otherwise).
class GeometryFactory : public IVGeometryFactory {
 public:
  Ref<IVPoint> CreatePoint(double x, double y, double z) override;
  Ref<IVPoint2d> CreatePoint2d(double x, double y) override;
  Ref<IVVector> CreateVector(double x, double y, double z) override;
  Ref<IVMatrix> CreateMatrix() override;
};

}  // namespace sledway::model
