#pragma once

#include <TopTools_IndexedMapOfShape.hxx>
#include <vector>

namespace sledway::model {

// The edges of one body that continue edge `edgeIndex` end to end with a common tangent (angle
// under 1e-6 rad), as 1-based indices into `edges`, in order along the chain from one free end;
// for a closed chain starting with the edge itself. Each edge appears once.
//
// Edges continue each other through a shared vertex, each read in its own direction whatever
// orientation the body gives it. Degenerated edges are skipped. Where two or more edges would
// continue the chain (a fork) it ends: the way on is not one edge. An open chain starts at the
// free end that lies behind `edgeIndex` in that edge's own direction. Fails for an index
// outside the map or a shape that is not an edge.
std::vector<int> TangentChain(const TopTools_IndexedMapOfShape& edges, int edgeIndex);

}  // namespace sledway::model
