#pragma once

#include <gp_Pnt.hxx>
#include <vector>

namespace sledway::model {

// One curve by its two ends, as the chain search sees it.
struct CurveEnds {
  gp_Pnt start;
  gp_Pnt end;
};

// One chain of curves joined end to end: positions into the searched list, in order along it.
using CurveChain = std::vector<std::size_t>;

// The chains that curves form when ends within `tolerance` of each other are joined.
struct CurveChains {
  // Cycles: every joint of the chain holds exactly two ends. Each starts with its curve of the
  // lowest position and runs in that curve's own direction.
  std::vector<CurveChain> closed;
  // Chains with two free ends. Each runs from the free end on the curve of the lower position
  // (from its start when one curve holds both free ends).
  std::vector<CurveChain> open;
};

// Sorts curves into closed and open chains. Curves joined into a group that has a branch point
// (three or more ends meeting) belong to neither list: such a group has no single way along it.
// Chains are listed by their lowest curve position.
CurveChains FindCurveChains(const std::vector<CurveEnds>& curves, double tolerance);

}  // namespace sledway::model
