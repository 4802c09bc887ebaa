#include "cli/path_check.hpp"

#include <Adaptor3d_Curve.hxx>
#include <Extrema_ExtPC.hxx>
#include <array>
#include <cmath>
#include <gp_Trsf.hxx>
#include <limits>
#include <utility>

#include "cli/model_curves.hpp"
#include "host/part_entities.hpp"
#include "path/path_definition.hpp"

namespace sledway::cli {
namespace {

struct Nearest {
  double distance = std::numeric_limits<double>::infinity();
  gp_Vec tangent;
};

// The nearest point of the curve to `point`: the least of the curve's local minima of distance
// and its two ends.
Nearest NearestOn(const Adaptor3d_Curve& curve, const gp_Pnt& point) {
  Nearest nearest;
  const auto consider = [&](double parameter) {
    gp_Pnt onCurve;
    gp_Vec tangent;
    curve.D1(parameter, onCurve, tangent);
    const double distance = onCurve.Distance(point);
    if (distance < nearest.distance) nearest = {distance, tangent};
  };
  consider(curve.FirstParameter());
  consider(curve.LastParameter());
  const Extrema_ExtPC extrema(point, curve, curve.FirstParameter(), curve.LastParameter());
  if (extrema.IsDone()) {
    for (int i = 1; i <= extrema.NbExt(); ++i) {
      if (extrema.IsMin(i)) consider(extrema.Point(i).Parameter());
    }
  }
  return nearest;
}

gp_Pnt FollowPointOf(const CPath& path) {
  const Ref<IVPoint> point = path.IsPointFromVertex() ? path.FollowVertex()->GetPoint()
                                                      : path.FollowWorkPoint()->GetPoint();
  return gp_Pnt(point->X(), point->Y(), point->Z());
}

gp_Vec TangentLineOf(const CPath& path) {
  if (path.IsTangentFromEdge()) {
    const std::array<double, 1> parameter{0.0};
    std::array<double, 3> tangent{};
    path.TangentEdge()->GetEvaluator()->GetTangent(parameter, tangent);
    return gp_Vec(tangent[0], tangent[1], tangent[2]);
  }
  const Ref<IVVector> direction = path.TangentAxis()->GetLine()->Direction();
  return gp_Vec(direction->X(), direction->Y(), direction->Z());
}

// The angle between two lines, 0 to pi/2; atan2 keeps it accurate near 0.
double LineAngle(const gp_Vec& a, const gp_Vec& b) {
  return std::atan2(a.Crossed(b).Magnitude(), std::abs(a.Dot(b)));
}

}  // namespace

PathCheck::PathCheck(std::vector<Ref<IVObject>> pathEntities)
    : pathEntities_(std::move(pathEntities)) {
  for (const Ref<IVObject>& entity : pathEntities_) ModelCurveOf(entity);
}

PathMeasurement PathCheck::Measure(const CPath& path) const {
  const gp_Pnt point = FollowPointOf(path);
  Nearest nearest;
  gp_Trsf nearestFrame;
  for (const Ref<IVObject>& entity : pathEntities_) {
    const FramedCurve framed = ModelCurveOf(entity);
    const Nearest candidate = NearestOn(*framed.curve, point.Transformed(framed.modelToCurve));
    if (candidate.distance < nearest.distance) {
      nearest = candidate;
      nearestFrame = framed.modelToCurve;
    }
  }
  PathMeasurement measurement;
  measurement.distance = nearest.distance;
  if (path.IsAligned()) {
    measurement.misalignment =
        LineAngle(TangentLineOf(path).Transformed(nearestFrame), nearest.tangent);
  }
  return measurement;
}

}  // namespace sledway::cli
