#include "clearance/triangle_distance.hpp"

#include <BVH_Tools.hxx>
#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <utility>

namespace sledway::clearance {
namespace {

using Tools = BVH_Tools<double, 3>;

double Dot(const BVH_Vec3d& u, const BVH_Vec3d& v) {
  return u.Dot(v);
}

// Where the closest points of segments pq and rs lie along each (0 at p or r, 1 at q or s),
// with the degenerate cases of a segment of zero length handled by clamping.
std::pair<double, double> SegmentNearest(const BVH_Vec3d& p, const BVH_Vec3d& q, const BVH_Vec3d& r,
                                         const BVH_Vec3d& s) {
  const BVH_Vec3d d1 = q - p;
  const BVH_Vec3d d2 = s - r;
  const BVH_Vec3d w = p - r;
  const double a = Dot(d1, d1);
  const double e = Dot(d2, d2);
  const double f = Dot(d2, w);
  double t1 = 0.0;
  double t2 = 0.0;
  if (a <= 0.0 && e <= 0.0) return {t1, t2};
  if (a <= 0.0) {
    t2 = std::clamp(f / e, 0.0, 1.0);
  } else {
    const double c = Dot(d1, w);
    if (e <= 0.0) {
      t1 = std::clamp(-c / a, 0.0, 1.0);
    } else {
      const double b = Dot(d1, d2);
      const double denominator = a * e - b * b;
      t1 = denominator > 0.0 ? std::clamp((b * f - c * e) / denominator, 0.0, 1.0) : 0.0;
      t2 = (b * t1 + f) / e;
      if (t2 < 0.0) {
        t2 = 0.0;
        t1 = std::clamp(-c / a, 0.0, 1.0);
      } else if (t2 > 1.0) {
        t2 = 1.0;
        t1 = std::clamp((b - c) / a, 0.0, 1.0);
      }
    }
  }
  return {t1, t2};
}

double SegmentSquareDistance(const BVH_Vec3d& p, const BVH_Vec3d& q, const BVH_Vec3d& r,
                             const BVH_Vec3d& s) {
  const auto [t1, t2] = SegmentNearest(p, q, r, s);
  const BVH_Vec3d gap = (p + (q - p) * t1) - (r + (s - r) * t2);
  return Dot(gap, gap);
}

// Where segment pq meets triangle abc (its plane crossed within the triangle), if it does.
std::optional<BVH_Vec3d> SegmentCrossing(const BVH_Vec3d& p, const BVH_Vec3d& q,
                                         const Triangle& triangle) {
  const BVH_Vec3d ab = triangle.b - triangle.a;
  const BVH_Vec3d ac = triangle.c - triangle.a;
  const BVH_Vec3d normal = BVH_Vec3d::Cross(ab, ac);
  const double sideP = Dot(normal, p - triangle.a);
  const double sideQ = Dot(normal, q - triangle.a);
  if ((sideP > 0.0 && sideQ > 0.0) || (sideP < 0.0 && sideQ < 0.0)) return std::nullopt;
  if (sideP == sideQ) return std::nullopt;  // in the plane: the edge distances find the contact
  const BVH_Vec3d crossing = p + (q - p) * (sideP / (sideP - sideQ));
  if (Dot(BVH_Vec3d::Cross(triangle.b - triangle.a, crossing - triangle.a), normal) >= 0.0 &&
      Dot(BVH_Vec3d::Cross(triangle.c - triangle.b, crossing - triangle.b), normal) >= 0.0 &&
      Dot(BVH_Vec3d::Cross(triangle.a - triangle.c, crossing - triangle.c), normal) >= 0.0) {
    return crossing;
  }
  return std::nullopt;
}

// The point of triangle abc nearest to p: inside it, on an edge, or a corner, by the region of
// the triangle's plane that p projects into.
BVH_Vec3d PointTriangleNearest(const BVH_Vec3d& p, const Triangle& triangle) {
  const BVH_Vec3d& a = triangle.a;
  const BVH_Vec3d& b = triangle.b;
  const BVH_Vec3d& c = triangle.c;
  const BVH_Vec3d ab = b - a;
  const BVH_Vec3d ac = c - a;
  const BVH_Vec3d ap = p - a;
  const double d1 = Dot(ab, ap);
  const double d2 = Dot(ac, ap);
  if (d1 <= 0.0 && d2 <= 0.0) return a;
  const BVH_Vec3d bp = p - b;
  const double d3 = Dot(ab, bp);
  const double d4 = Dot(ac, bp);
  if (d3 >= 0.0 && d4 <= d3) return b;
  const double vc = d1 * d4 - d3 * d2;
  if (vc <= 0.0 && d1 >= 0.0 && d3 <= 0.0) return a + ab * (d1 / (d1 - d3));
  const BVH_Vec3d cp = p - c;
  const double d5 = Dot(ab, cp);
  const double d6 = Dot(ac, cp);
  if (d6 >= 0.0 && d5 <= d6) return c;
  const double vb = d5 * d2 - d1 * d6;
  if (vb <= 0.0 && d2 >= 0.0 && d6 <= 0.0) return a + ac * (d2 / (d2 - d6));
  const double va = d3 * d6 - d5 * d4;
  if (va <= 0.0 && (d4 - d3) >= 0.0 && (d5 - d6) >= 0.0) {
    return b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)));
  }
  const double sum = va + vb + vc;
  if (!(sum > 0.0)) return a;  // no area: its corners and edges were measured
  return a + ab * (vb / sum) + ac * (vc / sum);
}

std::array<BVH_Vec3d, 3> Corners(const Triangle& triangle) {
  return {triangle.a, triangle.b, triangle.c};
}

}  // namespace

double TriangleSquareDistance(const Triangle& first, const Triangle& second) {
  const auto one = Corners(first);
  const auto two = Corners(second);
  for (int i = 0; i < 3; ++i) {
    if (SegmentCrossing(one[i], one[(i + 1) % 3], second) ||
        SegmentCrossing(two[i], two[(i + 1) % 3], first)) {
      return 0.0;
    }
  }
  return SeparatedTriangleSquareDistance(first, second);
}

double SeparatedTriangleSquareDistance(const Triangle& first, const Triangle& second) {
  const auto one = Corners(first);
  const auto two = Corners(second);
  double best = std::numeric_limits<double>::max();
  for (int i = 0; i < 3; ++i) {
    best = std::min(best, Tools::PointTriangleSquareDistance(one[i], second.a, second.b, second.c));
    best = std::min(best, Tools::PointTriangleSquareDistance(two[i], first.a, first.b, first.c));
    for (int j = 0; j < 3; ++j) {
      best =
          std::min(best, SegmentSquareDistance(one[i], one[(i + 1) % 3], two[j], two[(j + 1) % 3]));
    }
  }
  return best;
}

NearestPoints TriangleNearestPoints(const Triangle& first, const Triangle& second) {
  const auto one = Corners(first);
  const auto two = Corners(second);
  for (int i = 0; i < 3; ++i) {
    if (auto crossing = SegmentCrossing(one[i], one[(i + 1) % 3], second)) {
      return {0.0, *crossing, *crossing};
    }
    if (auto crossing = SegmentCrossing(two[i], two[(i + 1) % 3], first)) {
      return {0.0, *crossing, *crossing};
    }
  }
  NearestPoints best;
  best.squared = std::numeric_limits<double>::max();
  const auto consider = [&best](const BVH_Vec3d& onFirst, const BVH_Vec3d& onSecond) {
    const BVH_Vec3d gap = onFirst - onSecond;
    const double squared = Dot(gap, gap);
    if (squared < best.squared) best = {squared, onFirst, onSecond};
  };
  for (int i = 0; i < 3; ++i) {
    consider(one[i], PointTriangleNearest(one[i], second));
    consider(PointTriangleNearest(two[i], first), two[i]);
    for (int j = 0; j < 3; ++j) {
      const BVH_Vec3d& p = one[i];
      const BVH_Vec3d& q = one[(i + 1) % 3];
      const BVH_Vec3d& r = two[j];
      const BVH_Vec3d& s = two[(j + 1) % 3];
      const auto [t1, t2] = SegmentNearest(p, q, r, s);
      consider(p + (q - p) * t1, r + (s - r) * t2);
    }
  }
  return best;
}

BVH_Vec3d BarycentricWeights(const Triangle& triangle, const BVH_Vec3d& point) {
  const BVH_Vec3d ab = triangle.b - triangle.a;
  const BVH_Vec3d ac = triangle.c - triangle.a;
  const BVH_Vec3d ap = point - triangle.a;
  const double abab = Dot(ab, ab);
  const double abac = Dot(ab, ac);
  const double acac = Dot(ac, ac);
  const double denominator = abab * acac - abac * abac;
  if (!(denominator > 0.0)) return BVH_Vec3d(1.0 / 3.0, 1.0 / 3.0, 1.0 / 3.0);
  const double onB = (acac * Dot(ap, ab) - abac * Dot(ap, ac)) / denominator;
  const double onC = (abab * Dot(ap, ac) - abac * Dot(ap, ab)) / denominator;
  return BVH_Vec3d(1.0 - onB - onC, onB, onC);
}

Facet MakeFacet(const Triangle& triangle) {
  Facet facet{triangle,
              triangle.a.cwiseMin(triangle.b).cwiseMin(triangle.c),
              triangle.a.cwiseMax(triangle.b).cwiseMax(triangle.c),
              (triangle.a + triangle.b + triangle.c) * (1.0 / 3.0),
              BVH_Vec3d(),
              0.0};
  const BVH_Vec3d normal = BVH_Vec3d::Cross(triangle.b - triangle.a, triangle.c - triangle.a);
  const double length = normal.Modulus();
  if (length > 0.0) {
    facet.normal = normal * (1.0 / length);
    facet.offset = Dot(facet.normal, triangle.a);
  }
  return facet;
}

namespace {

// How far `other` lies beyond the plane of `facet`, on either side: 0 when it meets the plane
// or the facet has no plane.
double BeyondPlane(const Facet& facet, const Triangle& other) {
  const double a = Dot(facet.normal, other.a) - facet.offset;
  const double b = Dot(facet.normal, other.b) - facet.offset;
  const double c = Dot(facet.normal, other.c) - facet.offset;
  return std::min({a, b, c}) > 0.0   ? std::min({a, b, c})
         : std::max({a, b, c}) < 0.0 ? -std::max({a, b, c})
                                     : 0.0;
}

}  // namespace

double FacetSquareDistanceBound(const Facet& first, const Facet& second) {
  double beyond = std::max(BeyondPlane(first, second.corners), BeyondPlane(second, first.corners));
  // The gap between the two triangles' shadows on the line through their centres: it sets
  // apart the slanted pairs that stand across each other's planes.
  const BVH_Vec3d axis = second.centre - first.centre;
  const double length = axis.Modulus();
  if (length > 0.0) {
    const BVH_Vec3d along = axis * (1.0 / length);
    const Triangle& one = first.corners;
    const Triangle& two = second.corners;
    const double gap = std::min({Dot(along, two.a), Dot(along, two.b), Dot(along, two.c)}) -
                       std::max({Dot(along, one.a), Dot(along, one.b), Dot(along, one.c)});
    beyond = std::max(beyond, gap);
  }
  return beyond * beyond;
}

}  // namespace sledway::clearance
