#pragma once

#include <gp_Pnt2d.hxx>

#include "host/geometry.hpp"

namespace sledway::model {

// A point in a sketch plane. Coordinates must be finite (HostError kInvalidArg otherwise, and
// the point keeps its value).
class Point2d : public IVPoint2d {
 public:
  explicit Point2d(const gp_Pnt2d& point);

  gp_Pnt2d Pnt() const { return point_; }

  double X() override { return point_.X(); }
  double Y() override { return point_.Y(); }
  void PutCoordinates(double x, double y) override;
  // True when the distance is at most `tolerance` (which must not be negative or NaN).
  bool IsEqualTo(const Ref<IVPoint2d>& other, double tolerance) override;

 private:
  gp_Pnt2d point_;
};

}  // namespace sledway::model
