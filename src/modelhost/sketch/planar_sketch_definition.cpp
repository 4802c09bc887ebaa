#include "modelhost/sketch/planar_sketch_definition.hpp"

#include <cmath>
#include <utility>

#include "host/host_error.hpp"
#include "modelhost/curves/curve_makers.hpp"
#include "modelhost/sketch/curve_kind_name.hpp"

namespace sledway::model {

PlanarSketchDefinition::PlanarSketchDefinition(std::string name, const gp_Ax3& plane)
    : name_(std::move(name)), plane_(plane) {
  const gp_XYZ origin = plane_.Location().XYZ();
  if (!std::isfinite(origin.X()) || !std::isfinite(origin.Y()) || !std::isfinite(origin.Z())) {
    throw HostError(hresult::kInvalidArg, "sketch '" + name_ + "': the plane must be finite");
  }
  if (!plane_.Direct()) {
    throw HostError(hresult::kInvalidArg,
                    "sketch '" + name_ + "': the plane's axes must be right-handed");
  }
  planeTransform_.SetTransformation(plane_);
  planeTransform_.Invert();
}

std::string PlanarSketchDefinition::NextEntity(IVCurveKind kind,
                                               std::initializer_list<double> values) const {
  std::string entity = std::string(CurveKindName(kind)) + " " + std::to_string(CurveCount() + 1) +
                       " of sketch '" + name_ + "'";
  for (double value : values) {
    if (!std::isfinite(value)) {
      throw HostError(hresult::kInvalidArg, entity + ": every coordinate must be finite");
    }
  }
  return entity;
}

int PlanarSketchDefinition::Append(IVCurveKind kind, Handle(Geom2d_Curve) curve) {
  curves_.push_back({kind, std::move(curve)});
  return CurveCount();
}

int PlanarSketchDefinition::AddLine(const gp_Pnt2d& start, const gp_Pnt2d& end) {
  const auto kind = IVCurveKind::kSketchLineProxy;
  const auto entity = NextEntity(kind, {start.X(), start.Y(), end.X(), end.Y()});
  return Append(kind, MakeLine2d(start, end, entity));
}

int PlanarSketchDefinition::AddArc(const gp_Pnt2d& centre, double radius, double startAngle,
                                   double endAngle) {
  const auto kind = IVCurveKind::kSketchArcProxy;
  const auto entity = NextEntity(kind, {centre.X(), centre.Y(), radius, startAngle, endAngle});
  return Append(kind, MakeArc2d(centre, radius, startAngle, endAngle, entity));
}

int PlanarSketchDefinition::AddCircle(const gp_Pnt2d& centre, double radius) {
  const auto kind = IVCurveKind::kSketchCircleProxy;
  const auto entity = NextEntity(kind, {centre.X(), centre.Y(), radius});
  return Append(kind, MakeCircle2d(centre, radius, entity));
}

int PlanarSketchDefinition::AddEllipse(const gp_Pnt2d& centre, const gp_Dir2d& major,
                                       double majorRadius, double minorRadius) {
  const auto kind = IVCurveKind::kSketchEllipseProxy;
  const auto entity =
      NextEntity(kind, {centre.X(), centre.Y(), major.X(), major.Y(), majorRadius, minorRadius});
  return Append(kind, MakeEllipse2d(centre, major, majorRadius, minorRadius, entity));
}

int PlanarSketchDefinition::AddEllipticalArc(const gp_Pnt2d& centre, const gp_Dir2d& major,
                                             double majorRadius, double minorRadius,
                                             double startAngle, double endAngle) {
  const auto kind = IVCurveKind::kSketchEllipticalArcProxy;
  const auto entity = NextEntity(kind, {centre.X(), centre.Y(), major.X(), major.Y(), majorRadius,
                                        minorRadius, startAngle, endAngle});
  return Append(kind, MakeEllipticalArc2d(centre, major, majorRadius, minorRadius, startAngle,
                                          endAngle, entity));
}

int PlanarSketchDefinition::AddSpline(const std::vector<gp_Pnt2d>& points) {
  const auto kind = IVCurveKind::kSketchSplineProxy;
  const auto entity = NextEntity(kind, {});
  for (const auto& point : points) NextEntity(kind, {point.X(), point.Y()});
  return Append(kind, MakeSpline2d(points, entity));
}

const PlanarSketchDefinition::SketchCurve& PlanarSketchDefinition::At(int index) const {
  if (index < 1 || index > CurveCount()) {
    throw HostError(hresult::kBadIndex, "sketch '" + name_ + "' has no curve " +
                                            std::to_string(index) + " (it has " +
                                            std::to_string(CurveCount()) + ")");
  }
  return curves_[static_cast<std::size_t>(index - 1)];
}

IVCurveKind PlanarSketchDefinition::Kind(int index) const {
  return At(index).kind;
}

const Handle(Geom2d_Curve) & PlanarSketchDefinition::Curve(int index) const {
  return At(index).curve;
}

}  // namespace sledway::model
