#include "modelhost/topology/curve_chains.hpp"

#include <cmath>
#include <cstdint>
#include <numeric>
#include <string>
#include <unordered_map>

#include "host/host_error.hpp"
#include "modelhost/topology/model_reach.hpp"

namespace sledway::model {
namespace {

class DisjointSets {
 public:
  explicit DisjointSets(std::size_t size) : parent_(size) {
    std::iota(parent_.begin(), parent_.end(), std::size_t{0});
  }
  std::size_t Find(std::size_t item) {
    while (parent_[item] != item) {
      parent_[item] = parent_[parent_[item]];
      item = parent_[item];
    }
    return item;
  }
  void Join(std::size_t a, std::size_t b) { parent_[Find(a)] = Find(b); }

 private:
  std::vector<std::size_t> parent_;
};

struct Cell {
  std::int64_t x, y, z;
  bool operator==(const Cell&) const = default;
};

struct CellHash {
  std::size_t operator()(const Cell& cell) const {
    std::size_t seed = std::hash<std::int64_t>{}(cell.x);
    for (std::int64_t v : {cell.y, cell.z}) {
      seed ^= std::hash<std::int64_t>{}(v) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    }
    return seed;
  }
};

// End 2k is the start of curve k, end 2k + 1 its end.
const gp_Pnt& EndPoint(const std::vector<CurveEnds>& curves, std::size_t end) {
  return end % 2 == 0 ? curves[end / 2].start : curves[end / 2].end;
}

void CheckReach(const std::vector<CurveEnds>& curves) {
  for (std::size_t end = 0; end < 2 * curves.size(); ++end) {
    const gp_Pnt& p = EndPoint(curves, end);
    for (double coordinate : {p.X(), p.Y(), p.Z()}) {
      // Beyond the reach a point would have no grid cell.
      if (!std::isfinite(coordinate) || std::abs(coordinate) > kModelReach) {
        throw HostError(hresult::kInvalidArg,
                        "curve " + std::to_string(end / 2 + 1) +
                            " has an end point beyond what the model can hold");
      }
    }
  }
}

// Joins ends that lie within `tolerance` of each other: a grid of cells twice as wide as the
// tolerance, so that an end's partners lie in its own cell or in the neighbour on the side of
// its nearer face along each axis (eight cells to look in), keeps this linear in the number of
// curves however the ends line up.
DisjointSets JoinEnds(const std::vector<CurveEnds>& curves, double tolerance) {
  const std::size_t endCount = 2 * curves.size();
  DisjointSets joints(endCount);
  std::unordered_map<Cell, std::vector<std::size_t>, CellHash> grid;
  grid.reserve(endCount);
  const double width = 2.0 * tolerance;
  for (std::size_t end = 0; end < endCount; ++end) {
    const gp_Pnt& p = EndPoint(curves, end);
    std::int64_t cell[3];
    std::int64_t side[3];
    const double coordinates[3] = {p.X(), p.Y(), p.Z()};
    for (int axis = 0; axis < 3; ++axis) {
      const double position = coordinates[axis] / width;
      const double floor = std::floor(position);
      cell[axis] = static_cast<std::int64_t>(floor);
      side[axis] = position - floor < 0.5 ? -1 : 1;
    }
    for (int corner = 0; corner < 8; ++corner) {
      const Cell neighbour{cell[0] + (corner & 1 ? side[0] : 0),
                           cell[1] + (corner & 2 ? side[1] : 0),
                           cell[2] + (corner & 4 ? side[2] : 0)};
      const auto found = grid.find(neighbour);
      if (found == grid.end()) continue;
      for (std::size_t other : found->second) {
        if (p.Distance(EndPoint(curves, other)) <= tolerance) joints.Join(end, other);
      }
    }
    grid[Cell{cell[0], cell[1], cell[2]}].push_back(end);
  }
  return joints;
}

}  // namespace

CurveChains FindCurveChains(const std::vector<CurveEnds>& curves, double tolerance) {
  if (!(tolerance > 0.0)) {
    throw HostError(hresult::kInvalidArg, "the tolerance for joining curve ends must be positive");
  }
  CheckReach(curves);
  const std::size_t endCount = 2 * curves.size();
  DisjointSets joints = JoinEnds(curves, tolerance);

  // The ends meeting at each joint, and the groups of curves connected through joints.
  std::vector<std::vector<std::size_t>> endsAt(endCount);
  DisjointSets groups(endCount);
  for (std::size_t end = 0; end < endCount; ++end) {
    endsAt[joints.Find(end)].push_back(end);
    groups.Join(end, joints.Find(end));
    if (end % 2 == 1) groups.Join(end, end - 1);
  }
  const auto jointOf = [&](std::size_t end) -> const std::vector<std::size_t>& {
    return endsAt[joints.Find(end)];
  };
  // The other end at the joint of `end`; only called where exactly two ends meet.
  const auto partnerOf = [&](std::size_t end) {
    const auto& joint = jointOf(end);
    return joint[0] == end ? joint[1] : joint[0];
  };

  // Curves of a group, in position order; groups by their lowest curve.
  std::vector<std::vector<std::size_t>> members(endCount);
  std::vector<std::size_t> groupOrder;
  for (std::size_t curve = 0; curve < curves.size(); ++curve) {
    auto& group = members[groups.Find(2 * curve)];
    if (group.empty()) groupOrder.push_back(groups.Find(2 * curve));
    group.push_back(curve);
  }

  CurveChains chains;
  for (std::size_t root : groupOrder) {
    const auto& group = members[root];
    bool branched = false;
    std::size_t firstFree = endCount;
    for (std::size_t curve : group) {
      for (std::size_t end : {2 * curve, 2 * curve + 1}) {
        const std::size_t meeting = jointOf(end).size();
        branched = branched || meeting > 2;
        if (meeting == 1 && firstFree == endCount) firstFree = end;
      }
    }
    if (branched) continue;

    // With at most two ends at any joint, a connected group is a cycle or has exactly two free
    // ends.
    CurveChain chain;
    if (firstFree == endCount) {
      const std::size_t first = group.front();
      chain.push_back(first);
      for (std::size_t next = partnerOf(2 * first + 1); next / 2 != first;
           next = partnerOf(next ^ 1)) {
        chain.push_back(next / 2);
      }
      chains.closed.push_back(std::move(chain));
    } else {
      std::size_t entry = firstFree;
      for (;;) {
        chain.push_back(entry / 2);
        const std::size_t exit = entry ^ 1;
        if (jointOf(exit).size() == 1) break;
        entry = partnerOf(exit);
      }
      chains.open.push_back(std::move(chain));
    }
  }
  return chains;
}

}  // namespace sledway::model
