#include "modelhost/geometry/point_2d.hpp"

#include "modelhost/geometry/conversions.hpp"
#include "modelhost/geometry/input_checks.hpp"

namespace sledway::model {

Point2d::Point2d(const gp_Pnt2d& point) : point_(point) {
  RequireFinite("2D point", {point.X(), point.Y()});
}

void Point2d::PutCoordinates(double x, double y) {
  RequireFinite("PutCoordinates of a 2D point", {x, y});
  point_.SetCoord(x, y);
}

bool Point2d::IsEqualTo(const Ref<IVPoint2d>& other, double tolerance) {
  RequireTolerance("IsEqualTo of a 2D point", tolerance);
  return point_.Distance(ToPnt2d(other)) <= tolerance;
}

}  // namespace sledway::model
