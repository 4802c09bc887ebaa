#pragma once

#include <Adaptor3d_Curve.hxx>
#include <gp_Ax2.hxx>
#include <gp_Pnt.hxx>
#include <initializer_list>
#include <string>
#include <vector>

#include "host/codes.hpp"

namespace sledway::model {

// The data of a 3D sketch: curves in space, in the coordinates of the sketch's owner (the
// assembly or a part), model units and radians. Curves are numbered from 1 in the order they
// were added; each builder call returns the new curve's number and fails, naming
// "<kind> <number> of 3D sketch '<name>'", on degenerate input.
class Sketch3dDefinition {
 public:
  explicit Sketch3dDefinition(std::string name);

  const std::string& Name() const { return name_; }

  int AddLine(const gp_Pnt& start, const gp_Pnt& end);
  // In the frame's XY plane, counter-clockwise about its Z from `startAngle` to `endAngle`
  // measured from its X.
  int AddArc(const gp_Ax2& frame, double radius, double startAngle, double endAngle);
  int AddCircle(const gp_Ax2& frame, double radius);
  // Interpolates the points in order.
  int AddSpline(const std::vector<gp_Pnt>& points);
  // Starts at the frame's origin + radius * X, turns counter-clockwise about Z and rises
  // `pitch` per turn. As in the host, a helix is a helical curve made of sketch entities of an
  // ordinary kind: the sketch holds it as one 3D spline, the entity a pick gives.
  int AddHelix(const gp_Ax2& frame, double radius, double pitch, double turns);
  // Major axis along the frame's X.
  int AddEllipse(const gp_Ax2& frame, double majorRadius, double minorRadius);

  int CurveCount() const { return static_cast<int>(curves_.size()); }
  // 1-based; fail naming the sketch outside 1 to CurveCount.
  IVCurveKind Kind(int index) const;
  const Handle(Adaptor3d_Curve) & Curve(int index) const;

 private:
  struct SketchCurve {
    IVCurveKind kind;
    Handle(Adaptor3d_Curve) curve;
  };

  std::string NextEntity(const char* kindName, std::initializer_list<double> values) const;
  int Append(IVCurveKind kind, Handle(Adaptor3d_Curve) curve);
  const SketchCurve& At(int index) const;

  std::string name_;
  std::vector<SketchCurve> curves_;
};

}  // namespace sledway::model
