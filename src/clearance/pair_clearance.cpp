#include "clearance/pair_clearance.hpp"

#include <BRepClass3d_SolidClassifier.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <Precision.hxx>
#include <TopLoc_Location.hxx>
#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "clearance/face_pair_distance.hpp"
#include "clearance/face_pair_search.hpp"

namespace sledway::clearance {
namespace {

// Faces this close touch: the exact distance is found to this, so nearer is no different.
const double kTouching = Precision::Confusion();

// Whether `inner` lies within `outer` (both boxes in the same coordinates).
bool BoxWithin(const Bnd_Box& inner, const Bnd_Box& outer) {
  if (inner.IsVoid() || outer.IsVoid()) return false;
  double ix0, iy0, iz0, ix1, iy1, iz1, ox0, oy0, oz0, ox1, oy1, oz1;
  inner.Get(ix0, iy0, iz0, ix1, iy1, iz1);
  outer.Get(ox0, oy0, oz0, ox1, oy1, oz1);
  return ix0 >= ox0 && iy0 >= oy0 && iz0 >= oz0 && ix1 <= ox1 && iy1 <= oy1 && iz1 <= oz1;
}

// A point on the surface of `part`, in its own coordinates.
gp_Pnt SurfacePoint(const PartHierarchy& part) {
  BVH_Vec3d a, b, c;
  part.Triangles()->GetVertices(0, a, b, c);
  return gp_Pnt(a.x(), a.y(), a.z());
}

// Whether `inner`, placed in `outer`'s coordinates by `innerToOuter`, lies inside `outer`'s
// solid. Called only when their surfaces are apart, so one point of `inner` decides.
std::optional<gp_Pnt> EnclosedPoint(const PartHierarchy& inner, const PartHierarchy& outer,
                                    const gp_Trsf& innerToOuter) {
  if (!outer.IsSolid() || !BoxWithin(inner.Box().Transformed(innerToOuter), outer.Box())) {
    return std::nullopt;
  }
  const gp_Pnt point = SurfacePoint(inner).Transformed(innerToOuter);
  BRepClass3d_SolidClassifier classifier(outer.Body(), point, Precision::Confusion());
  if (classifier.State() != TopAbs_IN) return std::nullopt;
  return point;
}

// The least distance over the face pairs that could hold one below `found` (the refinement's,
// not certified), each pair measured on its two whole faces by BRepExtrema; the points in the
// fixed part's coordinates. BRepExtrema may settle on a minimum that is not the least (a rod
// lying across a torus, nearer at one crossing than at the other), so a nearer point pair the
// refinement found is kept: any pair on the two surfaces is at least as far as their distance.
PairClearance ExactlyMeasured(const PartHierarchy& fixed, const PartHierarchy& moving,
                              const FacePairs& pairs, const gp_Trsf& movingToFixed,
                              const PairClearance& found) {
  PairClearance best = found;
  best.measuredExactly = false;
  double limit = found.distance;
  std::vector<std::pair<double, std::pair<int, int>>> order;
  for (const auto& [faces, mesh] : pairs.withinMargin) {
    order.emplace_back(
        mesh.distance - fixed.FaceDeflection(faces.first) - moving.FaceDeflection(faces.second),
        faces);
  }
  std::sort(order.begin(), order.end());
  for (const auto& [nearest, faces] : order) {
    if (nearest > limit) break;
    const BRepExtrema_DistShapeShape exact(
        fixed.Face(faces.first), moving.Face(faces.second).Moved(TopLoc_Location(movingToFixed)),
        Extrema_ExtFlag_MIN);
    if (!exact.IsDone() || exact.NbSolution() == 0) continue;
    best.measuredExactly = true;
    if (exact.Value() < best.distance) {
      best.distance = exact.Value();
      best.onOther = exact.PointOnShape1(1);
      best.onMoving = exact.PointOnShape2(1);
      limit = std::min(limit, best.distance);
    }
  }
  return best;
}

}  // namespace

std::optional<PairClearance> MeasurePair(const PartHierarchy& moving, const gp_Trsf& movingPlace,
                                         const PartHierarchy& other, const gp_Trsf& otherPlace,
                                         double beyond, double tolerance) {
  if (moving.Triangles().IsNull() || other.Triangles().IsNull()) return std::nullopt;
  // Everything is measured in the other part's coordinates, where its hierarchy was built.
  const gp_Trsf movingToOther = otherPlace.Inverted() * movingPlace;
  const double slack = 2.0 * (moving.Deflection() + other.Deflection()) +
                       1e-9 * std::max(moving.Size(), other.Size());
  if (moving.Box().Transformed(movingToOther).Distance(other.Box()) > beyond + slack) {
    return std::nullopt;
  }
  const FacePairs pairs = NearFacePairs(other, moving, movingToOther, slack);

  PairClearance best;
  best.distance = std::numeric_limits<double>::max();
  bool measured = false;
  // Nearest by mesh first: a pair whose mesh distance, less its faces' deflections, is no less
  // than the exact distance found cannot hold a nearer point (two flat faces, whose mesh is
  // exact, are not measured twice), and once two faces touch nothing is nearer.
  std::vector<std::pair<double, std::pair<int, int>>> order;
  for (const auto& [faces, mesh] : pairs.withinMargin) order.emplace_back(mesh.distance, faces);
  std::sort(order.begin(), order.end());
  for (const auto& [meshDistance, faces] : order) {
    if (best.distance <= kTouching) break;
    const double deflections =
        other.FaceDeflection(faces.first) + moving.FaceDeflection(faces.second);
    if (meshDistance - deflections >= best.distance) continue;
    const std::optional<LocalNearest> exact = FacePairDistance(
        other, faces.first, moving, faces.second, pairs.withinMargin.at(faces), movingToOther);
    if (exact && exact->distance < best.distance) {
      best.distance = exact->distance;
      best.onOther = exact->onFirst;
      best.onMoving = exact->onSecond;
      measured = true;
    }
  }
  // The mesh lies within its deflection of the surface, so no two points of the surfaces are
  // nearer than the least mesh distance less both deflections; the true least distance is thus
  // within both deflections above the bound, and so must be what is reported.
  const double deflections = moving.Deflection() + other.Deflection();
  const double bound = std::max(0.0, pairs.least - deflections);
  const bool certified = measured && best.distance <= bound + deflections &&
                         (best.distance <= tolerance || bound > tolerance);
  if (!certified) {
    best = ExactlyMeasured(other, moving, pairs, movingToOther, best);
    measured = best.measuredExactly;
  }
  if (!measured) return std::nullopt;
  best.bound = std::min(bound, best.distance);
  if (best.distance > 0.0) {
    std::optional<gp_Pnt> inside = EnclosedPoint(moving, other, movingToOther);
    if (!inside) {
      inside = EnclosedPoint(other, moving, movingToOther.Inverted());
      if (inside) inside->Transform(movingToOther);
    }
    if (inside) {
      best = PairClearance{.distance = 0.0,
                           .onMoving = *inside,
                           .onOther = *inside,
                           .enclosed = true,
                           .bound = 0.0,
                           .measuredExactly = best.measuredExactly};
    }
  }
  best.onMoving.Transform(otherPlace);
  best.onOther.Transform(otherPlace);
  return best;
}

}  // namespace sledway::clearance
