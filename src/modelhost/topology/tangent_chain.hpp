#pragma once

#include <TopTools_IndexedMapOfShape.hxx>
#include <vector>

namespace sledway::model {

// The edges of one body that continue edge `edgeIndex` end to end with a common tangent (angle
// under 1e-6 rad), as 1-based indices into `edges`, in order along the chain from one free end;
// for a closed chain starting with the edge itself. Each edge appears once.
std::vector<int> TangentChain(const TopTools_IndexedMapOfShape& edges, int edgeIndex);

}  // namespace sledway::model
