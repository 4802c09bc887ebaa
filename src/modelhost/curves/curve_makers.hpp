#pragma once

#include <Adaptor3d_Curve.hxx>
#include <Geom2d_Curve.hxx>
#include <gp_Ax1.hxx>
#include <gp_Ax2.hxx>
#include <gp_Dir2d.hxx>
#include <gp_Pnt.hxx>
#include <gp_Pnt2d.hxx>
#include <string_view>
#include <vector>

namespace sledway::model {

// The curve kinds of the model host's sketches. Each maker refuses degenerate or non-finite
// input with HostError kInvalidArg and a message that starts with `entity` (for example
// "line 2 of sketch 'track': the two end points coincide"). Points closer than
// Precision::Confusion() (1e-7 model units) coincide, and so does a radius that small with
// zero. Angles are in radians; arcs run counter-clockwise from the start to the end angle,
// taken modulo a full turn, and an arc whose angles coincide modulo a full turn is refused.
// Parameters: lines run from 0 at p0 by distance, arcs, circles and ellipses by (parametric)
// angle, the helix by its angle of turn, splines by chord length (OCCT's interpolation: the
// parameter at each point is the summed distance from the first point through the others).

// Curves of a 2D sketch, in the sketch plane.
Handle(Geom2d_Curve) MakeLine2d(const gp_Pnt2d& p0, const gp_Pnt2d& p1, std::string_view entity);
Handle(Geom2d_Curve) MakeArc2d(const gp_Pnt2d& centre, double radius, double startAngle,
                               double endAngle, std::string_view entity);
Handle(Geom2d_Curve) MakeCircle2d(const gp_Pnt2d& centre, double radius, std::string_view entity);
// majorRadius along majorDirection; it must not be smaller than minorRadius.
Handle(Geom2d_Curve) MakeEllipse2d(const gp_Pnt2d& centre, const gp_Dir2d& majorDirection,
                                   double majorRadius, double minorRadius, std::string_view entity);
Handle(Geom2d_Curve) MakeEllipticalArc2d(const gp_Pnt2d& centre, const gp_Dir2d& majorDirection,
                                         double majorRadius, double minorRadius, double startAngle,
                                         double endAngle, std::string_view entity);
// Interpolates through the points in order: at least two, no two consecutive ones coinciding.
Handle(Geom2d_Curve) MakeSpline2d(const std::vector<gp_Pnt2d>& points, std::string_view entity);

// Curves of a 3D sketch or of a part, in space. Arcs, circles and ellipses lie in the frame's
// XY plane around its origin, angles counted from its X direction towards its Y direction.
Handle(Adaptor3d_Curve) MakeLine(const gp_Pnt& p0, const gp_Pnt& p1, std::string_view entity);
Handle(Adaptor3d_Curve) MakeArc(const gp_Ax2& frame, double radius, double startAngle,
                                double endAngle, std::string_view entity);
Handle(Adaptor3d_Curve) MakeCircle(const gp_Ax2& frame, double radius, std::string_view entity);
// The major radius along the frame's X direction.
Handle(Adaptor3d_Curve) MakeEllipse(const gp_Ax2& frame, double majorRadius, double minorRadius,
                                    std::string_view entity);
Handle(Adaptor3d_Curve) MakeSpline(const std::vector<gp_Pnt>& points, std::string_view entity);
// Starts at origin + radius X, turns counter-clockwise about the frame's Z direction and rises
// `pitch` along it per turn (a negative pitch descends). Exact: a straight line in the
// parameter plane of a cylinder, so points and tangents have no approximation error.
Handle(Adaptor3d_Curve) MakeHelix(const gp_Ax2& frame, double radius, double pitch, double turns,
                                  std::string_view entity);

// A straight line through the axis' location along its direction, parametrised by signed
// distance from the location, over [-kInfiniteLineReach, kInfiniteLineReach]: long enough for
// any model, yet bounded so that arc length stays defined.
inline constexpr double kInfiniteLineReach = 1e6;
Handle(Adaptor3d_Curve) MakeInfiniteLine(const gp_Ax1& axis);

}  // namespace sledway::model
