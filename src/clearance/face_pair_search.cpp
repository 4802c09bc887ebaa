#include "clearance/face_pair_search.hpp"

#include <BVH_Tools.hxx>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "clearance/triangle_distance.hpp"

namespace sledway::clearance {
namespace {

using Tools = BVH_Tools<double, 3>;

// Walks both hierarchies at once, the second one's boxes and triangles carried into the first
// one's coordinates as they are visited (and the first one's boxes into the second's, where that
// sets a pair farther apart), the nearest pair of branches first. Branches farther apart than the
// least distance so far plus the margin are cut off, and so are branches on one face each whose
// face pair has been found at least as near as the branches' boxes: none of their triangles
// could bring that pair nearer. The metric is a squared distance.
class PlacedPairSearch final {
 public:
  PlacedPairSearch(const PartHierarchy& fixed, const PartHierarchy& moving, const gp_Trsf& place,
                   double margin)
      : fixedPart_(fixed),
        movingPart_(moving),
        fixed_(*fixed.Triangles()),
        moving_(*moving.Triangles()),
        margin_(margin),
        placedSlot_(static_cast<std::size_t>(moving_.Size()), -1) {
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
  }

  FacePairs Run() {
    Walk();
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

 private:
  struct NodePair {
    int fixed = 0;
    int moving = 0;
    double metric = 0.0;  // a lower bound of the squared distance of their triangles
  };

  // Best first: the pair of nodes whose boxes come nearest is taken next, so that the nearest
  // triangles are met early and the reach shrinks to them before farther branches are opened.
  void Walk() {
    const BVH_Tree<double, 3>& fixedTree = *fixed_.BVH();
    const BVH_Tree<double, 3>& movingTree = *moving_.BVH();
    if (fixedTree.Length() == 0 || movingTree.Length() == 0) return;
    const auto farther = [](const NodePair& left, const NodePair& right) {
      return left.metric > right.metric;
    };
    std::vector<NodePair> open{NodePair{}};
    while (!open.empty()) {
      std::pop_heap(open.begin(), open.end(), farther);
      const NodePair pair = open.back();
      open.pop_back();
      if (Settled(pair)) continue;
      const bool fixedLeaf = fixedTree.IsOuter(pair.fixed);
      const bool movingLeaf = movingTree.IsOuter(pair.moving);
      if (fixedLeaf && movingLeaf) {
        for (int one = fixedTree.BegPrimitive(pair.fixed);
             one <= fixedTree.EndPrimitive(pair.fixed); ++one) {
          for (int two = movingTree.BegPrimitive(pair.moving);
               two <= movingTree.EndPrimitive(pair.moving); ++two) {
            Accept(one, two);
          }
        }
        continue;
      }
      const std::array<int, 2> fixedNodes =
          fixedLeaf
              ? std::array<int, 2>{pair.fixed, -1}
              : std::array<int, 2>{fixedTree.Child<0>(pair.fixed), fixedTree.Child<1>(pair.fixed)};
      const std::array<int, 2> movingNodes =
          movingLeaf ? std::array<int, 2>{pair.moving, -1}
                     : std::array<int, 2>{movingTree.Child<0>(pair.moving),
                                          movingTree.Child<1>(pair.moving)};
      for (const int one : fixedNodes) {
        for (const int two : movingNodes) {
          if (one < 0 || two < 0) continue;
          const NodePair child{one, two,
                               BoxMetric(fixedTree.MinPoint(one), fixedTree.MaxPoint(one),
                                         movingTree.MinPoint(two), movingTree.MaxPoint(two))};
          if (Settled(child)) continue;
          open.push_back(child);
          std::push_heap(open.begin(), open.end(), farther);
        }
      }
    }
  }

  // Whether nothing under the pair of nodes can change what the walk finds.
  bool Settled(const NodePair& pair) {
    if (pair.metric > Reach()) return true;
    const int fixedFace = fixedPart_.NodeFace(pair.fixed);
    const int movingFace = movingPart_.NodeFace(pair.moving);
    if (fixedFace < 0 || movingFace < 0) return false;
    const auto known = Known({fixedFace, movingFace});
    return known != pairs_.end() && pair.metric >= known->second.distance;
  }

  // The face pair's entry so far, if any. Neighbouring triangles mostly share their faces: the
  // last pair is looked at first.
  std::map<std::pair<int, int>, MeshNearest>::iterator Known(const std::pair<int, int>& faces) {
    if (last_ == pairs_.end() || last_->first != faces) {
      const auto found = pairs_.find(faces);
      if (found == pairs_.end()) return found;
      last_ = found;
    }
    return last_;
  }

  // A lower bound of the squared distance between a box of the fixed part and one of the moving
  // part, each in its own part's coordinates.
  double BoxMetric(const BVH_Vec3d& fixedMin, const BVH_Vec3d& fixedMax, const BVH_Vec3d& movingMin,
                   const BVH_Vec3d& movingMax) const {
    // The moving box's image, enclosed in a box of the fixed part's axes.
    const BVH_Vec3d centre = Place((movingMin + movingMax) * 0.5);
    const BVH_Vec3d half = (movingMax - movingMin) * 0.5;
    BVH_Vec3d reach;
    for (int row = 0; row < 3; ++row) {
      reach[row] =
          absolute_[row][0] * half[0] + absolute_[row][1] * half[1] + absolute_[row][2] * half[2];
    }
    const double metric =
        Tools::BoxBoxSquareDistance(fixedMin, fixedMax, centre - reach, centre + reach);
    if (metric > Reach()) return metric;
    // A turned box's image is loose: the fixed box's image in the moving part's axes may set
    // the two farther apart.
    const BVH_Vec3d fixedCentre = Unplace((fixedMin + fixedMax) * 0.5);
    const BVH_Vec3d fixedHalf = (fixedMax - fixedMin) * 0.5;
    for (int row = 0; row < 3; ++row) {
      reach[row] = inverseAbsolute_[row][0] * fixedHalf[0] +
                   inverseAbsolute_[row][1] * fixedHalf[1] +
                   inverseAbsolute_[row][2] * fixedHalf[2];
    }
    return std::max(metric, Tools::BoxBoxSquareDistance(movingMin, movingMax, fixedCentre - reach,
                                                        fixedCentre + reach));
  }

  void Accept(int fixedIndex, int movingIndex) {
    const std::pair<int, int> faces{fixed_.GetFaceID(fixedIndex), moving_.GetFaceID(movingIndex)};
    const auto known = Known(faces);
    const Facet& one = fixedPart_.TriangleFacet(fixedIndex);
    const Facet& two = Placed(movingIndex);
    // The boxes and then the planes are cheap lower bounds: most pairs of a leaf are settled by
    // them without the exact triangle distance.
    const auto settled = [&](double lower) {
      return lower > Reach() || (known != pairs_.end() && lower >= known->second.distance);
    };
    if (settled(Tools::BoxBoxSquareDistance(one.min, one.max, two.min, two.max))) return;
    const double bound = FacetSquareDistanceBound(one, two);
    if (settled(bound)) return;
    // Apart, the triangles cannot cross, and the crossing tests are spared.
    const double squared = bound > 0.0 ? SeparatedTriangleSquareDistance(one.corners, two.corners)
                                       : TriangleSquareDistance(one.corners, two.corners);
    if (squared > Reach()) return;
    least_ = std::min(least_, squared);
    const MeshNearest nearest{squared, fixedIndex, movingIndex};
    if (known == pairs_.end()) {
      last_ = pairs_.emplace(faces, nearest).first;
    } else if (squared < known->second.distance) {
      known->second = nearest;
    }
  }

  // A triangle of the moving part in the fixed part's coordinates, placed on first use: the
  // walk meets few of them.
  const Facet& Placed(int triangle) {
    int& slot = placedSlot_[static_cast<std::size_t>(triangle)];
    if (slot < 0) {
      const Triangle& corners = movingPart_.TriangleFacet(triangle).corners;
      slot = static_cast<int>(placed_.size());
      placed_.push_back(MakeFacet({Place(corners.a), Place(corners.b), Place(corners.c)}));
    }
    return placed_[static_cast<std::size_t>(slot)];
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
  std::vector<int> placedSlot_;  // each moving triangle's place in `placed_`, -1 before
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
