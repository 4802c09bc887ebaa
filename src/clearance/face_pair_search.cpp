#include "clearance/face_pair_search.hpp"

#include <BVH_Tools.hxx>
#include <BVH_Traverse.hxx>
#include <algorithm>
#include <cmath>
#include <limits>

#include "clearance/triangle_distance.hpp"

namespace sledway::clearance {
namespace {

using Tools = BVH_Tools<double, 3>;

// Walks both hierarchies at once, the second one's boxes and triangles carried into the first
// one's coordinates as they are visited. Branches farther apart than the least distance so far
// plus the margin are cut off; the metric is a squared distance.
class PlacedPairSearch final : public BVH_PairTraverse<double, 3, BRepExtrema_TriangleSet, double> {
 public:
  PlacedPairSearch(const PartHierarchy& fixed, const PartHierarchy& moving, const gp_Trsf& place,
                   double margin)
      : fixed_(*fixed.Triangles()), moving_(*moving.Triangles()), margin_(margin) {
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 3; ++column) {
        rotation_[row][column] = place.Value(row + 1, column + 1);
        absolute_[row][column] = std::abs(rotation_[row][column]);
      }
      translation_[row] = place.Value(row + 1, 4);
    }
    SetBVHSets(&fixed_, &moving_);
  }

  FacePairs Run() {
    Select();
    FacePairs result;
    result.least = std::sqrt(least_);
    const double reach = result.least + margin_;
    for (const auto& [faces, nearest] : pairs_) {
      const double distance = std::sqrt(nearest.distance);
      if (distance <= reach) {
        result.withinMargin.emplace(
            faces, MeshNearest{distance, nearest.fixedTriangle, nearest.movingTriangle});
      }
    }
    return result;
  }

  Standard_Boolean RejectNode(const BVH_Vec3d& fixedMin, const BVH_Vec3d& fixedMax,
                              const BVH_Vec3d& movingMin, const BVH_Vec3d& movingMax,
                              double& metric) const override {
    // The moving box's image, enclosed in a box of the fixed part's axes.
    const BVH_Vec3d centre = Place((movingMin + movingMax) * 0.5);
    const BVH_Vec3d half = (movingMax - movingMin) * 0.5;
    BVH_Vec3d reach;
    for (int row = 0; row < 3; ++row) {
      reach[row] =
          absolute_[row][0] * half[0] + absolute_[row][1] * half[1] + absolute_[row][2] * half[2];
    }
    metric = Tools::BoxBoxSquareDistance(fixedMin, fixedMax, centre - reach, centre + reach);
    return RejectMetric(metric);
  }

  Standard_Boolean RejectMetric(const double& metric) const override { return metric > Reach(); }

  Standard_Boolean IsMetricBetter(const double& left, const double& right) const override {
    return left < right;
  }

  Standard_Boolean Accept(const Standard_Integer fixedIndex,
                          const Standard_Integer movingIndex) override {
    const std::pair<int, int> faces{fixed_.GetFaceID(fixedIndex), moving_.GetFaceID(movingIndex)};
    // A pair already as near as the nearest found keeps its place whatever this triangle adds.
    const auto known = pairs_.find(faces);
    if (known != pairs_.end() && known->second.distance <= least_) return Standard_False;
    Triangle one, two;
    fixed_.GetVertices(fixedIndex, one.a, one.b, one.c);
    moving_.GetVertices(movingIndex, two.a, two.b, two.c);
    two = {Place(two.a), Place(two.b), Place(two.c)};
    // The triangles' boxes are a cheap lower bound: most pairs of a leaf are settled by it
    // without the exact triangle distance.
    const double bound = Tools::BoxBoxSquareDistance(
        one.a.cwiseMin(one.b).cwiseMin(one.c), one.a.cwiseMax(one.b).cwiseMax(one.c),
        two.a.cwiseMin(two.b).cwiseMin(two.c), two.a.cwiseMax(two.b).cwiseMax(two.c));
    const auto settled = [&](double lower) {
      return lower > Reach() || (known != pairs_.end() && lower >= known->second.distance);
    };
    if (settled(bound) || settled(TriangleSquareDistanceBound(one, two))) return Standard_False;
    const double squared = TriangleSquareDistance(one, two);
    if (squared > Reach()) return Standard_False;
    least_ = std::min(least_, squared);
    const MeshNearest nearest{squared, fixedIndex, movingIndex};
    if (known == pairs_.end()) {
      pairs_.emplace(faces, nearest);
    } else if (squared < known->second.distance) {
      known->second = nearest;
    }
    return Standard_True;
  }

 private:
  BVH_Vec3d Place(const BVH_Vec3d& point) const {
    BVH_Vec3d placed;
    for (int row = 0; row < 3; ++row) {
      placed[row] = rotation_[row][0] * point[0] + rotation_[row][1] * point[1] +
                    rotation_[row][2] * point[2] + translation_[row];
    }
    return placed;
  }

  // The squared distance beyond which nothing can join the pairs within the margin.
  double Reach() const {
    if (least_ == std::numeric_limits<double>::max()) return least_;
    const double reach = std::sqrt(least_) + margin_;
    return reach * reach;
  }

  BRepExtrema_TriangleSet& fixed_;
  BRepExtrema_TriangleSet& moving_;
  double margin_;
  double rotation_[3][3]{};
  double absolute_[3][3]{};
  double translation_[3]{};
  double least_ = std::numeric_limits<double>::max();
  std::map<std::pair<int, int>, MeshNearest> pairs_;  // distances squared while walking
};

}  // namespace

FacePairs NearFacePairs(const PartHierarchy& fixed, const PartHierarchy& moving,
                        const gp_Trsf& movingToFixed, double margin) {
  return PlacedPairSearch(fixed, moving, movingToFixed, margin).Run();
}

}  // namespace sledway::clearance
