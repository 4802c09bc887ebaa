#pragma once

#include <vector>

#include "host/application.hpp"
#include "host/codes.hpp"
#include "host/collections.hpp"

namespace sledway {

class CPath;

// The tool window's three selection slots; the number travels from a pick to its
// SelectionComplete.
enum class SelectionSlot : long {
  kPath = 0,
  kFollowPoint = 1,
  kTangentLine = 2,
};

// How a pick for one slot starts: the selection filters in order, whether an edge widens to its
// tangent chain, and single selection.
struct SlotPick {
  std::vector<IVSelectFilter> filters;
  bool getTangents;
  bool single;
};

const SlotPick& SlotPickSettings(SelectionSlot slot);

// Stores what a finished pick selected in `path`, as the tool window does when a pick
// completes. Path: forgets the old path, adds every selected curve in the pick's order (as 2D
// sketch curves when the first is one, else as 3D sketch curves when the first is one, else as
// part edges), orients the chain, finds the path's component and measures the path; when that
// fails, the path is left holding no path at all. Follow point:
// the vertex or work point, its component and its position. Tangent line: the edge or work axis,
// and alignment on. `selected` must hold at least one entity.
void StoreSlotSelection(const Ref<IVApplication>& app, CPath& path, SelectionSlot slot,
                        const Ref<IVEntityCollection>& selected);

}  // namespace sledway
