#include "modelhost/curves/curve_makers.hpp"

#include <Adaptor3d_CurveOnSurface.hxx>
#include <Geom2dAPI_Interpolate.hxx>
#include <Geom2dAdaptor_Curve.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <Geom2d_Circle.hxx>
#include <Geom2d_Ellipse.hxx>
#include <Geom2d_Line.hxx>
#include <Geom2d_TrimmedCurve.hxx>
#include <GeomAPI_Interpolate.hxx>
#include <GeomAdaptor_Curve.hxx>
#include <GeomAdaptor_Surface.hxx>
#include <Geom_Circle.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <Geom_Ellipse.hxx>
#include <Geom_Line.hxx>
#include <Precision.hxx>
#include <Standard_Failure.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_Array1OfPnt2d.hxx>
#include <TColgp_HArray1OfPnt.hxx>
#include <TColgp_HArray1OfPnt2d.hxx>
#include <cmath>
#include <gp_Ax22d.hxx>
#include <gp_Ax3.hxx>
#include <initializer_list>
#include <numbers>
#include <string>

#include "host/host_error.hpp"

namespace sledway::model {

namespace {

constexpr double kFullTurn = 2.0 * std::numbers::pi;

[[noreturn]] void Refuse(std::string_view entity, const std::string& reason) {
  throw HostError(hresult::kInvalidArg, std::string(entity) + ": " + reason);
}

void RequireFinite(std::string_view entity, std::initializer_list<double> values) {
  for (double value : values) {
    if (!std::isfinite(value)) Refuse(entity, "its dimensions must be finite numbers");
  }
}

void RequireRadius(std::string_view entity, double radius, const char* which) {
  if (!(radius > Precision::Confusion())) {
    Refuse(entity, std::string("the ") + which + " must be greater than zero (got " +
                       std::to_string(radius) + ")");
  }
}

// The counter-clockwise angle from start to end, within (0, 2 pi); refuses angles that
// coincide modulo a full turn.
double Sweep(std::string_view entity, double startAngle, double endAngle) {
  RequireFinite(entity, {startAngle, endAngle});
  double sweep = std::fmod(endAngle - startAngle, kFullTurn);
  if (sweep < 0.0) sweep += kFullTurn;
  if (sweep <= Precision::Angular() || kFullTurn - sweep <= Precision::Angular()) {
    Refuse(entity, "the start and end angles coincide, so the arc sweeps no angle");
  }
  return sweep;
}

void RequireEllipseRadii(std::string_view entity, double majorRadius, double minorRadius) {
  RequireFinite(entity, {majorRadius, minorRadius});
  RequireRadius(entity, majorRadius, "major radius");
  RequireRadius(entity, minorRadius, "minor radius");
  if (majorRadius < minorRadius) {
    Refuse(entity, "the major radius (" + std::to_string(majorRadius) +
                       ") is smaller than the minor radius (" + std::to_string(minorRadius) + ")");
  }
}

template <class Points>
void RequireSplinePoints(std::string_view entity, const Points& points) {
  if (points.size() < 2) Refuse(entity, "a spline needs at least two points");
  for (std::size_t i = 0; i < points.size(); ++i) {
    RequireFinite(entity, {points[i].X(), points[i].Y()});
    if (i > 0 && points[i].Distance(points[i - 1]) <= Precision::Confusion()) {
      Refuse(entity, "points " + std::to_string(i) + " and " + std::to_string(i + 1) + " coincide");
    }
  }
}

Handle(Adaptor3d_Curve) Adapted(const Handle(Geom_Curve) & curve, double first, double last) {
  return new GeomAdaptor_Curve(curve, first, last);
}

}  // namespace

Handle(Geom2d_Curve) MakeLine2d(const gp_Pnt2d& p0, const gp_Pnt2d& p1, std::string_view entity) {
  RequireFinite(entity, {p0.X(), p0.Y(), p1.X(), p1.Y()});
  const double length = p0.Distance(p1);
  if (length <= Precision::Confusion()) Refuse(entity, "the two end points coincide");
  return new Geom2d_TrimmedCurve(new Geom2d_Line(p0, gp_Dir2d(gp_Vec2d(p0, p1))), 0.0, length);
}

Handle(Geom2d_Curve) MakeArc2d(const gp_Pnt2d& centre, double radius, double startAngle,
                               double endAngle, std::string_view entity) {
  RequireFinite(entity, {centre.X(), centre.Y(), radius});
  RequireRadius(entity, radius, "radius");
  const double sweep = Sweep(entity, startAngle, endAngle);
  return new Geom2d_TrimmedCurve(new Geom2d_Circle(gp_Ax22d(centre, gp_Dir2d(1.0, 0.0)), radius),
                                 startAngle, startAngle + sweep);
}

Handle(Geom2d_Curve) MakeCircle2d(const gp_Pnt2d& centre, double radius, std::string_view entity) {
  RequireFinite(entity, {centre.X(), centre.Y(), radius});
  RequireRadius(entity, radius, "radius");
  return new Geom2d_Circle(gp_Ax22d(centre, gp_Dir2d(1.0, 0.0)), radius);
}

Handle(Geom2d_Curve)
    MakeEllipse2d(const gp_Pnt2d& centre, const gp_Dir2d& majorDirection, double majorRadius,
                  double minorRadius, std::string_view entity) {
  RequireFinite(entity, {centre.X(), centre.Y()});
  RequireEllipseRadii(entity, majorRadius, minorRadius);
  return new Geom2d_Ellipse(gp_Ax22d(centre, majorDirection), majorRadius, minorRadius);
}

Handle(Geom2d_Curve) MakeEllipticalArc2d(const gp_Pnt2d& centre, const gp_Dir2d& majorDirection,
                                         double majorRadius, double minorRadius, double startAngle,
                                         double endAngle, std::string_view entity) {
  const Handle(Geom2d_Curve) ellipse =
      MakeEllipse2d(centre, majorDirection, majorRadius, minorRadius, entity);
  const double sweep = Sweep(entity, startAngle, endAngle);
  return new Geom2d_TrimmedCurve(ellipse, startAngle, startAngle + sweep);
}

Handle(Geom2d_Curve) MakeSpline2d(const std::vector<gp_Pnt2d>& points, std::string_view entity) {
  RequireSplinePoints(entity, points);
  Handle(TColgp_HArray1OfPnt2d) poles = new TColgp_HArray1OfPnt2d(1, int(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i) poles->SetValue(int(i) + 1, points[i]);
  try {
    Geom2dAPI_Interpolate interpolation(poles, false, Precision::Confusion());
    interpolation.Perform();
    if (interpolation.IsDone()) return Handle(Geom2d_Curve)(interpolation.Curve());
  } catch (const Standard_Failure& failure) {
    Refuse(entity,
           std::string("no spline passes through the points (") + failure.GetMessageString() + ")");
  }
  Refuse(entity, "no spline passes through the points");
}

Handle(Adaptor3d_Curve) MakeLine(const gp_Pnt& p0, const gp_Pnt& p1, std::string_view entity) {
  RequireFinite(entity, {p0.X(), p0.Y(), p0.Z(), p1.X(), p1.Y(), p1.Z()});
  const double length = p0.Distance(p1);
  if (length <= Precision::Confusion()) Refuse(entity, "the two end points coincide");
  return Adapted(new Geom_Line(p0, gp_Dir(gp_Vec(p0, p1))), 0.0, length);
}

Handle(Adaptor3d_Curve) MakeArc(const gp_Ax2& frame, double radius, double startAngle,
                                double endAngle, std::string_view entity) {
  RequireFinite(entity, {radius});
  RequireRadius(entity, radius, "radius");
  const double sweep = Sweep(entity, startAngle, endAngle);
  return Adapted(new Geom_Circle(frame, radius), startAngle, startAngle + sweep);
}

Handle(Adaptor3d_Curve) MakeCircle(const gp_Ax2& frame, double radius, std::string_view entity) {
  RequireFinite(entity, {radius});
  RequireRadius(entity, radius, "radius");
  return Adapted(new Geom_Circle(frame, radius), 0.0, kFullTurn);
}

Handle(Adaptor3d_Curve) MakeEllipse(const gp_Ax2& frame, double majorRadius, double minorRadius,
                                    std::string_view entity) {
  RequireEllipseRadii(entity, majorRadius, minorRadius);
  return Adapted(new Geom_Ellipse(frame, majorRadius, minorRadius), 0.0, kFullTurn);
}

Handle(Adaptor3d_Curve) MakeSpline(const std::vector<gp_Pnt>& points, std::string_view entity) {
  RequireSplinePoints(entity, points);
  // Points that end where they begin make a closed spline, smooth across its seam too.
  const bool closed =
      points.size() > 3 && points.front().Distance(points.back()) <= Precision::Confusion();
  const std::size_t count = closed ? points.size() - 1 : points.size();
  Handle(TColgp_HArray1OfPnt) poles = new TColgp_HArray1OfPnt(1, int(count));
  for (std::size_t i = 0; i < count; ++i) {
    RequireFinite(entity, {points[i].Z()});
    poles->SetValue(int(i) + 1, points[i]);
  }
  try {
    GeomAPI_Interpolate interpolation(poles, closed, Precision::Confusion());
    interpolation.Perform();
    if (interpolation.IsDone()) {
      const Handle(Geom_Curve) curve(interpolation.Curve());
      return Adapted(curve, curve->FirstParameter(), curve->LastParameter());
    }
  } catch (const Standard_Failure& failure) {
    Refuse(entity,
           std::string("no spline passes through the points (") + failure.GetMessageString() + ")");
  }
  Refuse(entity, "no spline passes through the points");
}

Handle(Adaptor3d_Curve) MakeHelix(const gp_Ax2& frame, double radius, double pitch, double turns,
                                  std::string_view entity) {
  RequireFinite(entity, {radius, pitch, turns});
  RequireRadius(entity, radius, "radius");
  if (!(turns > 0.0)) {
    Refuse(entity,
           "the number of turns must be greater than zero (got " + std::to_string(turns) + ")");
  }
  // On the cylinder (u = angle, v = height) the helix is the segment from (0, 0) to
  // (2 pi turns, pitch turns). A degree-1 B-spline over [0, 2 pi turns] makes that segment
  // with the angle itself as parameter, which a Geom2d_Line (unit speed) would not.
  const double endAngle = kFullTurn * turns;
  TColgp_Array1OfPnt2d poles(1, 2);
  poles(1) = gp_Pnt2d(0.0, 0.0);
  poles(2) = gp_Pnt2d(endAngle, pitch * turns);
  TColStd_Array1OfReal knots(1, 2);
  knots(1) = 0.0;
  knots(2) = endAngle;
  TColStd_Array1OfInteger multiplicities(1, 2);
  multiplicities(1) = 2;
  multiplicities(2) = 2;
  const Handle(Geom2d_Curve) trace = new Geom2d_BSplineCurve(poles, knots, multiplicities, 1);
  const Handle(Geom_Surface) cylinder = new Geom_CylindricalSurface(gp_Ax3(frame), radius);
  return new Adaptor3d_CurveOnSurface(new Geom2dAdaptor_Curve(trace),
                                      new GeomAdaptor_Surface(cylinder));
}

Handle(Adaptor3d_Curve) MakeInfiniteLine(const gp_Ax1& axis) {
  return Adapted(new Geom_Line(axis), -kInfiniteLineReach, kInfiniteLineReach);
}

}  // namespace sledway::model
