#include "clearance/face_pair_distance.hpp"

#include <BRepExtrema_DistShapeShape.hxx>
#include <Precision.hxx>
#include <TopLoc_Location.hxx>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "clearance/triangle_distance.hpp"

namespace sledway::clearance {
namespace {

gp_Pnt Point(const BVH_Vec3d& point) {
  return gp_Pnt(point.x(), point.y(), point.z());
}

BVH_Vec3d Placed(const BVH_Vec3d& point, const gp_Trsf& place) {
  const gp_Pnt placed = Point(point).Transformed(place);
  return BVH_Vec3d(placed.X(), placed.Y(), placed.Z());
}

// The surface parameters under a point of a triangle (in the part's coordinates), from those of
// its corners. Where that misses the point (a triangle with a corner on a pole, whose parameter
// there is arbitrary, or across a seam) or lands on a pole, the point's projection on the face.
gp_Pnt2d ParametersAt(const PartHierarchy& part, int face, int triangle, const Triangle& corners,
                      const BVH_Vec3d& point) {
  const FaceSurface& surface = part.Surface(face);
  const std::optional<std::array<gp_Pnt2d, 3>> parameters = part.CornerParameters(triangle);
  if (parameters) {
    const BVH_Vec3d weights = BarycentricWeights(corners, point);
    const gp_Pnt2d uv(weights.x() * (*parameters)[0].X() + weights.y() * (*parameters)[1].X() +
                          weights.z() * (*parameters)[2].X(),
                      weights.x() * (*parameters)[0].Y() + weights.y() * (*parameters)[1].Y() +
                          weights.z() * (*parameters)[2].Y());
    gp_Pnt at;
    gp_Vec du, dv;
    surface.Surface().D1(uv.X(), uv.Y(), at, du, dv);
    const double speed = 1e-6 * part.Size();
    if (at.Distance(Point(point)) <= 2.0 * part.FaceDeflection(face) && du.Magnitude() > speed &&
        dv.Magnitude() > speed) {
      return uv;
    }
  }
  return surface.ParametersNear(Point(point));
}

// A cell with a box holding it, in the fixed part's coordinates.
struct Candidate {
  Cell cell;
  Bnd_Box box;
};

// The smaller pieces of a face where the nearest points may lie when a solve over the face
// cannot settle on them: its poles, its boundary edges, each starting from its point nearest `near` (a point of the face, in the
// face's own coordinates), and their ends; only those within `reach` of `other` (a box in the
// fixed part's coordinates), into which `place` carries the face's boxes.
std::vector<Candidate> BoundaryNear(const FaceSurface& face, const gp_Pnt& near,
                                    const Bnd_Box& other, double reach, const gp_Trsf& place) {
  std::vector<Candidate> cells;
  std::vector<gp_Pnt> corners;
  for (const gp_Pnt& pole : face.Poles()) {
    Bnd_Box point;
    point.Add(pole.Transformed(place));
    if (point.Distance(other) <= reach) cells.push_back({Cell::Corner(pole), point});
  }
  for (const BoundaryEdge& edge : face.Boundary()) {
    Bnd_Box box = edge.box.Transformed(place);
    if (box.Distance(other) > reach) continue;
    std::size_t start = 0;
    for (std::size_t i = 1; i < edge.points.size(); ++i) {
      if (near.SquareDistance(edge.points[i]) < near.SquareDistance(edge.points[start])) start = i;
    }
    cells.push_back({Cell::Edge(edge.curve, edge.parameters[start]), box});
    if (edge.closed) continue;
    for (const gp_Pnt& end : {edge.points.front(), edge.points.back()}) {
      const bool known = std::any_of(corners.begin(), corners.end(), [&](const gp_Pnt& corner) {
        return corner.IsEqual(end, Precision::Confusion());
      });
      if (known) continue;
      corners.push_back(end);
      Bnd_Box point;
      point.Add(end.Transformed(place));
      if (point.Distance(other) <= reach) cells.push_back({Cell::Corner(end), point});
    }
  }
  return cells;
}

std::optional<LocalNearest> WholeFaceDistance(const PartHierarchy& fixed, int fixedFace,
                                              const PartHierarchy& moving, int movingFace,
                                              const gp_Trsf& movingToFixed) {
  // Only the least distance: the farthest points, which the default also seeks, cost as much.
  const BRepExtrema_DistShapeShape exact(
      fixed.Face(fixedFace), moving.Face(movingFace).Moved(TopLoc_Location(movingToFixed)),
      Extrema_ExtFlag_MIN);
  if (!exact.IsDone() || exact.NbSolution() == 0) return std::nullopt;
  return LocalNearest{exact.Value(), exact.PointOnShape1(1), exact.PointOnShape2(1)};
}

}  // namespace

std::optional<LocalNearest> FacePairDistance(const PartHierarchy& fixed, int fixedFace,
                                             const PartHierarchy& moving, int movingFace,
                                             const MeshNearest& mesh,
                                             const gp_Trsf& movingToFixed) {
  Triangle one, two;
  fixed.Triangles()->GetVertices(mesh.fixedTriangle, one.a, one.b, one.c);
  moving.Triangles()->GetVertices(mesh.movingTriangle, two.a, two.b, two.c);
  two = {Placed(two.a, movingToFixed), Placed(two.b, movingToFixed), Placed(two.c, movingToFixed)};
  const NearestPoints nearest = TriangleNearestPoints(one, two);
  const FaceSurface& fixedSurface = fixed.Surface(fixedFace);
  const FaceSurface& movingSurface = moving.Surface(movingFace);
  if (fixedSurface.IsPolygonalPlane() && movingSurface.IsPolygonalPlane()) {
    return LocalNearest{std::sqrt(nearest.squared), Point(nearest.onFirst),
                        Point(nearest.onSecond)};
  }

  const gp_Pnt2d fixedSeed =
      ParametersAt(fixed, fixedFace, mesh.fixedTriangle, one, nearest.onFirst);
  const gp_Trsf fixedToMoving = movingToFixed.Inverted();
  const BVH_Vec3d movingNearest = Placed(nearest.onSecond, fixedToMoving);
  Triangle own;
  moving.Triangles()->GetVertices(mesh.movingTriangle, own.a, own.b, own.c);
  const gp_Pnt2d movingSeed =
      ParametersAt(moving, movingFace, mesh.movingTriangle, own, movingNearest);
  const double scale = std::max(fixed.Size(), moving.Size());
  const Cell fixedCell = Cell::Face(fixedSurface, fixedSeed.X(), fixedSeed.Y());
  const Cell movingCell = Cell::Face(movingSurface, movingSeed.X(), movingSeed.Y());
  // The faces' least distance is within their deflections of the mesh's: a local minimum
  // beyond that is not the least.
  const double deflections = fixed.FaceDeflection(fixedFace) + moving.FaceDeflection(movingFace);
  const double reach = mesh.distance + deflections + 1e-9 * scale;
  // Inside both faces, the nearest points are a local minimum over both; otherwise they lie on
  // a boundary, an edge or a corner of one face against the other face or its edges and
  // corners. Every piece whose box comes nearer than the least found so far (and within the
  // reach) is tried, the nearest boxes first.
  std::optional<LocalNearest> best = LocalDistance(fixedCell, movingCell, movingToFixed, scale);
  const gp_Trsf unmoved;
  const Bnd_Box fixedBox = fixedSurface.Box();
  const Bnd_Box movingBox = movingSurface.Box().Transformed(movingToFixed);
  const std::vector<Candidate> fixedBoundary =
      BoundaryNear(fixedSurface, Point(nearest.onFirst), movingBox, reach, unmoved);
  const std::vector<Candidate> movingBoundary =
      BoundaryNear(movingSurface, Point(movingNearest),
                   fixedBox, reach, movingToFixed);
  const Candidate fixedWhole{fixedCell, fixedBox};
  const Candidate movingWhole{movingCell, movingBox};
  std::vector<std::pair<double, std::pair<const Candidate*, const Candidate*>>> order;
  const auto add = [&](const Candidate& onFixed, const Candidate& onMoving) {
    const double apart = onFixed.box.Distance(onMoving.box);
    if (apart <= reach) order.push_back({apart, {&onFixed, &onMoving}});
  };
  for (const Candidate& onMoving : movingBoundary) add(fixedWhole, onMoving);
  for (const Candidate& onFixed : fixedBoundary) {
    add(onFixed, movingWhole);
    for (const Candidate& onMoving : movingBoundary) add(onFixed, onMoving);
  }
  std::sort(order.begin(), order.end(),
            [](const auto& left, const auto& right) { return left.first < right.first; });
  for (const auto& [apart, cells] : order) {
    if (best && apart >= best->distance) break;
    const std::optional<LocalNearest> local =
        LocalDistance(cells.first->cell, cells.second->cell, movingToFixed, scale);
    if (local && (!best || local->distance < best->distance)) best = local;
  }
  if (best && best->distance <= reach) return best;
  return WholeFaceDistance(fixed, fixedFace, moving, movingFace, movingToFixed);
}

}  // namespace sledway::clearance
