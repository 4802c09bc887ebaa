#pragma once

#include <Geom2d_Curve.hxx>
#include <gp_Ax3.hxx>
#include <gp_Dir2d.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Trsf.hxx>
#include <initializer_list>
#include <string>
#include <vector>

#include "host/codes.hpp"

namespace sledway::model {

// The data of a 2D sketch: its plane, in the coordinates of its owner (the assembly or a part),
// and its curves in the plane's own 2D coordinates (model units, radians). Curves are numbered
// from 1 in the order they were added; each builder call returns the new curve's number and
// fails, naming "<kind> <number> of sketch '<name>'", on degenerate input.
class PlanarSketchDefinition {
 public:
  // Fails for a plane that is not right-handed or not finite.
  PlanarSketchDefinition(std::string name, const gp_Ax3& plane);

  const std::string& Name() const { return name_; }
  const gp_Ax3& Plane() const { return plane_; }
  // Carries sketch coordinates (x, y, 0) into the owner's coordinates.
  const gp_Trsf& PlaneTransform() const { return planeTransform_; }

  int AddLine(const gp_Pnt2d& start, const gp_Pnt2d& end);
  // Counter-clockwise from `startAngle` to `endAngle`.
  int AddArc(const gp_Pnt2d& centre, double radius, double startAngle, double endAngle);
  int AddCircle(const gp_Pnt2d& centre, double radius);
  int AddEllipse(const gp_Pnt2d& centre, const gp_Dir2d& major, double majorRadius,
                 double minorRadius);
  // Between two parametric angles, counter-clockwise.
  int AddEllipticalArc(const gp_Pnt2d& centre, const gp_Dir2d& major, double majorRadius,
                       double minorRadius, double startAngle, double endAngle);
  // Interpolates the points in order.
  int AddSpline(const std::vector<gp_Pnt2d>& points);

  int CurveCount() const { return static_cast<int>(curves_.size()); }
  // 1-based; fail naming the sketch outside 1 to CurveCount.
  IVCurveKind Kind(int index) const;
  const Handle(Geom2d_Curve) & Curve(int index) const;

 private:
  struct SketchCurve {
    IVCurveKind kind;
    Handle(Geom2d_Curve) curve;
  };

  // "<kind> <next number> of sketch '<name>'", after checking that `values` are finite.
  std::string NextEntity(IVCurveKind kind, std::initializer_list<double> values) const;
  int Append(IVCurveKind kind, Handle(Geom2d_Curve) curve);
  const SketchCurve& At(int index) const;

  std::string name_;
  gp_Ax3 plane_;
  gp_Trsf planeTransform_;
  std::vector<SketchCurve> curves_;
};

}  // namespace sledway::model
