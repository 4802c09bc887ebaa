#include "clearance/face_pair_search.hpp"

#include <BVH_Tools.hxx>
#include <BVH_Traverse.hxx>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "clearance/triangle_distance.hpp"

namespace sledway::clearance {
namespace {

using Tools = BVH_Tools<double, 3>;

// Walks both hierarchies at once, the second one's boxes and triangles carried into the first
// one's coordinates as they are visited (and the first one's boxes into the second's, where that
// sets a pair farther apart). Branches farther apart than the least distance so far
// plus the margin are cut off; the metric is a squared distance.
class PlacedPairSearch final : public BVH_PairTraverse<double, 3, BRepExtrema_TriangleSet, double> {
 public:
  PlacedPairSearch(const PartHierarchy& fixed, const PartHierarchy& moving, const gp_Trsf& place,
                   double margin)
      : fixedPart_(fixed),
        movingPart_(moving),
        fixed_(*fixed.Triangles()),
        moving_(*moving.Triangles()),
        margin_(margin),
        placed_(static_cast<std::size_t>(moving_.Size())),
        isPlaced_(placed_.size(), false) {
    const gp_Trsf unplace = place.Inverted();
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 3; ++column) {
        rotation_[row][column] = place.Value(row + 1, column + 1);
        absolute_[row][column] = std::abs(rotation_[row][column]);
        inverse_[row][column] = unplace.Value(row + 1, column + 1);
        inverseAbsolute_[row][column] = std::abs(inverse_[row][column]);
      }
      translation_[row] = place.Value(row + 1, 4);
      inverseTranslation_[row] = unplace.Value(row + 1, 4);
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
    if (RejectMetric(metric)) return Standard_True;
    // A turned box's image is loose: the fixed box's image in the moving part's axes may set
    // the two farther apart.
    const BVH_Vec3d fixedCentre = Unplace((fixedMin + fixedMax) * 0.5);
    const BVH_Vec3d fixedHalf = (fixedMax - fixedMin) * 0.5;
    for (int row = 0; row < 3; ++row) {
      reach[row] = inverseAbsolute_[row][0] * fixedHalf[0] +
                   inverseAbsolute_[row][1] * fixedHalf[1] +
                   inverseAbsolute_[row][2] * fixedHalf[2];
    }
    metric = std::max(metric, Tools::BoxBoxSquareDistance(movingMin, movingMax, fixedCentre - reach,
                                                          fixedCentre + reach));
    return RejectMetric(metric);
  }

  Standard_Boolean RejectMetric(const double& metric) const override { return metric > Reach(); }

  Standard_Boolean IsMetricBetter(const double& left, const double& right) const override {
    return left < right;
  }

  Standard_Boolean Accept(const Standard_Integer fixedIndex,
                          const Standard_Integer movingIndex) override {
    const std::pair<int, int> faces{fixed_.GetFaceID(fixedIndex), moving_.GetFaceID(movingIndex)};
    // Neighbouring triangles mostly share their faces: the last pair is looked at first.
    if (last_ == pairs_.end() || last_->first != faces) last_ = pairs_.find(faces);
    const auto known = last_;
    const Facet& one = fixedPart_.TriangleFacet(fixedIndex);
    const Facet& two = Placed(movingIndex);
    // The boxes and then the planes are cheap lower bounds: most pairs of a leaf are settled by
    // them without the exact triangle distance.
    const auto settled = [&](double lower) {
      return lower > Reach() || (known != pairs_.end() && lower >= known->second.distance);
    };
    if (settled(Tools::BoxBoxSquareDistance(one.min, one.max, two.min, two.max))) {
      return Standard_False;
    }
    const double bound = FacetSquareDistanceBound(one, two);
    if (settled(bound)) return Standard_False;
    // Apart, the triangles cannot cross, and the crossing tests are spared.
    const double squared = bound > 0.0 ? SeparatedTriangleSquareDistance(one.corners, two.corners)
                                       : TriangleSquareDistance(one.corners, two.corners);
    if (squared > Reach()) return Standard_False;
    least_ = std::min(least_, squared);
    const MeshNearest nearest{squared, fixedIndex, movingIndex};
    if (known == pairs_.end()) {
      last_ = pairs_.emplace(faces, nearest).first;
    } else if (squared < known->second.distance) {
      known->second = nearest;
    }
    return Standard_True;
  }

 private:
  // A triangle of the moving part in the fixed part's coordinates, placed on first use.
  const Facet& Placed(int triangle) {
    const auto index = static_cast<std::size_t>(triangle);
    if (!isPlaced_[index]) {
      const Triangle& corners = movingPart_.TriangleFacet(triangle).corners;
      placed_[index] = MakeFacet({Place(corners.a), Place(corners.b), Place(corners.c)});
      isPlaced_[index] = true;
    }
    return placed_[index];
  }

  // A point of the fixed part in the moving part's coordinates.
  BVH_Vec3d Unplace(const BVH_Vec3d& point) const {
    BVH_Vec3d unplaced;
    for (int row = 0; row < 3; ++row) {
      unplaced[row] = inverse_[row][0] * point[0] + inverse_[row][1] * point[1] +
                      inverse_[row][2] * point[2] + inverseTranslation_[row];
    }
    return unplaced;
  }

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

  const PartHierarchy& fixedPart_;
  const PartHierarchy& movingPart_;
  BRepExtrema_TriangleSet& fixed_;
  BRepExtrema_TriangleSet& moving_;
  double margin_;
  std::vector<Facet> placed_;
  std::vector<bool> isPlaced_;
  double rotation_[3][3]{};
  double absolute_[3][3]{};
  double translation_[3]{};
  double inverse_[3][3]{};
  double inverseAbsolute_[3][3]{};
  double inverseTranslation_[3]{};
  double least_ = std::numeric_limits<double>::max();
  std::map<std::pair<int, int>, MeshNearest> pairs_;  // distances squared while walking
  std::map<std::pair<int, int>, MeshNearest>::iterator last_ = pairs_.end();
};

}  // namespace

FacePairs NearFacePairs(const PartHierarchy& fixed, const PartHierarchy& moving,
                        const gp_Trsf& movingToFixed, double margin) {
  return PlacedPairSearch(fixed, moving, movingToFixed, margin).Run();
}

}  // namespace sledway::clearance
