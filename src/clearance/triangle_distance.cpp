#include "clearance/triangle_distance.hpp"

#include <BVH_Tools.hxx>
#include <algorithm>
#include <array>
#include <limits>

namespace sledway::clearance {
namespace {

using Tools = BVH_Tools<double, 3>;

double Dot(const BVH_Vec3d& u, const BVH_Vec3d& v) {
  return u.Dot(v);
}

// The squared distance between segments pq and rs (the closest points of the two segments,
// with the degenerate cases of a segment of zero length handled by clamping).
double SegmentSquareDistance(const BVH_Vec3d& p, const BVH_Vec3d& q, const BVH_Vec3d& r,
                             const BVH_Vec3d& s) {
  const BVH_Vec3d d1 = q - p;
  const BVH_Vec3d d2 = s - r;
  const BVH_Vec3d w = p - r;
  const double a = Dot(d1, d1);
  const double e = Dot(d2, d2);
  const double f = Dot(d2, w);
  double t1 = 0.0;
  double t2 = 0.0;
  if (a <= 0.0 && e <= 0.0) return Dot(w, w);
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
  const BVH_Vec3d gap = (p + d1 * t1) - (r + d2 * t2);
  return Dot(gap, gap);
}

// Whether segment pq meets triangle abc (its plane crossed within the triangle).
bool SegmentMeetsTriangle(const BVH_Vec3d& p, const BVH_Vec3d& q, const Triangle& triangle) {
  const BVH_Vec3d ab = triangle.b - triangle.a;
  const BVH_Vec3d ac = triangle.c - triangle.a;
  const BVH_Vec3d normal = BVH_Vec3d::Cross(ab, ac);
  const double sideP = Dot(normal, p - triangle.a);
  const double sideQ = Dot(normal, q - triangle.a);
  if ((sideP > 0.0 && sideQ > 0.0) || (sideP < 0.0 && sideQ < 0.0)) return false;
  if (sideP == sideQ) return false;  // in the plane: the edge distances find the contact
  const BVH_Vec3d crossing = p + (q - p) * (sideP / (sideP - sideQ));
  return Dot(BVH_Vec3d::Cross(triangle.b - triangle.a, crossing - triangle.a), normal) >= 0.0 &&
         Dot(BVH_Vec3d::Cross(triangle.c - triangle.b, crossing - triangle.b), normal) >= 0.0 &&
         Dot(BVH_Vec3d::Cross(triangle.a - triangle.c, crossing - triangle.c), normal) >= 0.0;
}

std::array<BVH_Vec3d, 3> Corners(const Triangle& triangle) {
  return {triangle.a, triangle.b, triangle.c};
}

}  // namespace

double TriangleSquareDistance(const Triangle& first, const Triangle& second) {
  const auto one = Corners(first);
  const auto two = Corners(second);
  for (int i = 0; i < 3; ++i) {
    if (SegmentMeetsTriangle(one[i], one[(i + 1) % 3], second) ||
        SegmentMeetsTriangle(two[i], two[(i + 1) % 3], first)) {
      return 0.0;
    }
  }
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

namespace {

// How far `other` lies beyond the plane of `triangle`, on either side: 0 when it meets the
// plane or the triangle has no plane.
double BeyondPlane(const Triangle& triangle, const Triangle& other) {
  const BVH_Vec3d normal = BVH_Vec3d::Cross(triangle.b - triangle.a, triangle.c - triangle.a);
  const double length = normal.Modulus();
  if (!(length > 0.0)) return 0.0;
  const double a = Dot(normal, other.a - triangle.a);
  const double b = Dot(normal, other.b - triangle.a);
  const double c = Dot(normal, other.c - triangle.a);
  const double nearest = std::min({a, b, c}) > 0.0   ? std::min({a, b, c})
                         : std::max({a, b, c}) < 0.0 ? -std::max({a, b, c})
                                                     : 0.0;
  return nearest / length;
}

}  // namespace

double TriangleSquareDistanceBound(const Triangle& first, const Triangle& second) {
  const double beyond = std::max(BeyondPlane(first, second), BeyondPlane(second, first));
  return beyond * beyond;
}

}  // namespace sledway::clearance
