#include "modelhost/geometry/geometry_factory.hpp"

#include <memory>

#include "modelhost/geometry/matrix.hpp"
#include "modelhost/geometry/point.hpp"
#include "modelhost/geometry/point_2d.hpp"
#include "modelhost/geometry/vector.hpp"

namespace sledway::model {

Ref<IVPoint> GeometryFactory::CreatePoint(double x, double y, double z) {
  return std::make_shared<Point>(gp_Pnt(x, y, z));
}

Ref<IVPoint2d> GeometryFactory::CreatePoint2d(double x, double y) {
  return std::make_shared<Point2d>(gp_Pnt2d(x, y));
}

Ref<IVVector> GeometryFactory::CreateVector(double x, double y, double z) {
  return std::make_shared<Vector>(gp_Vec(x, y, z));
}

Ref<IVMatrix> GeometryFactory::CreateMatrix() {
  return std::make_shared<Matrix>();
}

}  // namespace sledway::model
