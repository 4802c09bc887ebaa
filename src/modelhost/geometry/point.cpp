#include "modelhost/geometry/point.hpp"

#include "modelhost/geometry/conversions.hpp"
#include "modelhost/geometry/input_checks.hpp"

namespace sledway::model {

Point::Point(const gp_Pnt& point) : point_(point) {
  RequireFinite("point", {point.X(), point.Y(), point.Z()});
}

void Point::PutCoordinates(double x, double y, double z) {
  RequireFinite("PutCoordinates of a point", {x, y, z});
  point_.SetCoord(x, y, z);
}

bool Point::IsEqualTo(const Ref<IVPoint>& other, double tolerance) {
  RequireTolerance("IsEqualTo of a point", tolerance);
  return point_.Distance(ToPnt(other)) <= tolerance;
}

double Point::DistanceTo(const Ref<IVPoint>& other) {
  return point_.Distance(ToPnt(other));
}

}  // namespace sledway::model
