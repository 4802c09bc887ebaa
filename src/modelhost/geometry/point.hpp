#pragma once

#include <gp_Pnt.hxx>

#include "host/geometry.hpp"

namespace sledway::model {

// A point of the model host. Coordinates must be finite: a NaN or an infinity is refused
// (HostError kInvalidArg) and the point keeps its value.
class Point : public IVPoint {
 public:
  explicit Point(const gp_Pnt& point);

  gp_Pnt Pnt() const { return point_; }

  double X() override { return point_.X(); }
  double Y() override { return point_.Y(); }
  double Z() override { return point_.Z(); }
  void PutCoordinates(double x, double y, double z) override;
  // True when the distance is at most `tolerance` (which must not be negative or NaN).
  bool IsEqualTo(const Ref<IVPoint>& other, double tolerance) override;
  double DistanceTo(const Ref<IVPoint>& other) override;

 private:
  gp_Pnt point_;
};

}  // namespace sledway::model
