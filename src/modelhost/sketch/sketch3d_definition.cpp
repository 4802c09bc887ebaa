#include "modelhost/sketch/sketch3d_definition.hpp"

#include <cmath>
#include <utility>

#include "host/host_error.hpp"
#include "modelhost/curves/curve_makers.hpp"
#include "modelhost/sketch/curve_kind_name.hpp"

namespace sledway::model {

Sketch3dDefinition::Sketch3dDefinition(std::string name) : name_(std::move(name)) {}

std::string Sketch3dDefinition::NextEntity(const char* kindName,
                                           std::initializer_list<double> values) const {
  std::string entity = std::string(kindName) + " " + std::to_string(CurveCount() + 1) +
                       " of 3D sketch '" + name_ + "'";
  for (double value : values) {
    if (!std::isfinite(value)) {
      throw HostError(hresult::kInvalidArg, entity + ": every coordinate must be finite");
    }
  }
  return entity;
}

int Sketch3dDefinition::Append(IVCurveKind kind, Handle(Adaptor3d_Curve) curve) {
  curves_.push_back({kind, std::move(curve)});
  return CurveCount();
}

int Sketch3dDefinition::AddLine(const gp_Pnt& start, const gp_Pnt& end) {
  const auto kind = IVCurveKind::kSketchLine3DProxy;
  const auto entity =
      NextEntity(CurveKindName(kind), {start.X(), start.Y(), start.Z(), end.X(), end.Y(), end.Z()});
  return Append(kind, MakeLine(start, end, entity));
}

int Sketch3dDefinition::AddArc(const gp_Ax2& frame, double radius, double startAngle,
                               double endAngle) {
  const auto kind = IVCurveKind::kSketchArc3DProxy;
  const gp_Pnt& o = frame.Location();
  const auto entity =
      NextEntity(CurveKindName(kind), {o.X(), o.Y(), o.Z(), radius, startAngle, endAngle});
  return Append(kind, MakeArc(frame, radius, startAngle, endAngle, entity));
}

int Sketch3dDefinition::AddCircle(const gp_Ax2& frame, double radius) {
  const auto kind = IVCurveKind::kSketchCircle3DProxy;
  const gp_Pnt& o = frame.Location();
  const auto entity = NextEntity(CurveKindName(kind), {o.X(), o.Y(), o.Z(), radius});
  return Append(kind, MakeCircle(frame, radius, entity));
}

int Sketch3dDefinition::AddSpline(const std::vector<gp_Pnt>& points) {
  const auto kind = IVCurveKind::kSketchSpline3DProxy;
  const auto entity = NextEntity(CurveKindName(kind), {});
  for (const auto& point : points)
    NextEntity(CurveKindName(kind), {point.X(), point.Y(), point.Z()});
  return Append(kind, MakeSpline(points, entity));
}

int Sketch3dDefinition::AddHelix(const gp_Ax2& frame, double radius, double pitch, double turns) {
  const gp_Pnt& o = frame.Location();
  const auto entity = NextEntity("helix", {o.X(), o.Y(), o.Z(), radius, pitch, turns});
  return Append(IVCurveKind::kSketchSpline3DProxy, MakeHelix(frame, radius, pitch, turns, entity));
}

int Sketch3dDefinition::AddEllipse(const gp_Ax2& frame, double majorRadius, double minorRadius) {
  const auto kind = IVCurveKind::kSketchEllipse3DProxy;
  const gp_Pnt& o = frame.Location();
  const auto entity =
      NextEntity(CurveKindName(kind), {o.X(), o.Y(), o.Z(), majorRadius, minorRadius});
  return Append(kind, MakeEllipse(frame, majorRadius, minorRadius, entity));
}

const Sketch3dDefinition::SketchCurve& Sketch3dDefinition::At(int index) const {
  if (index < 1 || index > CurveCount()) {
    throw HostError(hresult::kBadIndex, "3D sketch '" + name_ + "' has no curve " +
                                            std::to_string(index) + " (it has " +
                                            std::to_string(CurveCount()) + ")");
  }
  return curves_[static_cast<std::size_t>(index - 1)];
}

IVCurveKind Sketch3dDefinition::Kind(int index) const {
  return At(index).kind;
}

const Handle(Adaptor3d_Curve) & Sketch3dDefinition::Curve(int index) const {
  return At(index).curve;
}

}  // namespace sledway::model
