#include "modelhost/topology/tangent_chain.hpp"

#include <BRepAdaptor_Curve.hxx>
#include <BRep_Tool.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Vertex.hxx>
#include <algorithm>
#include <gp_Vec.hxx>
#include <optional>
#include <string>
#include <vector>

#include "host/host_error.hpp"

namespace sledway::model {
namespace {

// Largest angle (radians) between two edge directions that still counts as a common tangent.
constexpr double kTangentAngle = 1e-6;

// One end of an edge: the edge's position in the map, which of its ends, and the direction
// pointing out of the edge there (away from the edge's inside).
struct EdgeEnd {
  int edge;
  bool atLast;
  std::optional<gp_Vec> outward;  // none where the curve has no usable tangent
};

// The ends of the usable edges of the body, and the vertex each lies on.
class EdgeEnds {
 public:
  explicit EdgeEnds(const TopTools_IndexedMapOfShape& edges)
      : vertexOf_(2 * (static_cast<std::size_t>(edges.Extent()) + 1), -1) {
    for (int index = 1; index <= edges.Extent(); ++index) {
      if (edges(index).ShapeType() != TopAbs_EDGE) continue;
      const TopoDS_Edge& edge = TopoDS::Edge(edges(index));
      if (!Usable(edge)) continue;
      // Taken forward, the edge runs from its first vertex at the curve's first parameter to its
      // last vertex at the last parameter, whatever orientation the body gave it.
      const TopoDS_Edge forward = TopoDS::Edge(edge.Oriented(TopAbs_FORWARD));
      TopoDS_Vertex first, last;
      TopExp::Vertices(forward, first, last);
      if (first.IsNull() || last.IsNull()) continue;
      const BRepAdaptor_Curve curve(forward);
      Add(first, {index, false, Direction(curve, curve.FirstParameter(), -1.0)});
      Add(last, {index, true, Direction(curve, curve.LastParameter(), 1.0)});
    }
  }

  // The ends at the vertex where `edge` has its last (or first) end; empty for an edge that
  // has no such end.
  const std::vector<EdgeEnd>& At(int edge, bool atLast) const {
    static const std::vector<EdgeEnd> kNone;
    const int vertex = vertexOf_[Slot(edge, atLast)];
    return vertex < 0 ? kNone : endsAt_[static_cast<std::size_t>(vertex)];
  }

 private:
  // Degenerated edges (a cone's apex, a sphere's poles) and edges without a 3D curve have no
  // direction to continue.
  static bool Usable(const TopoDS_Edge& edge) {
    return !BRep_Tool::Degenerated(edge) && BRep_Tool::IsGeometric(edge);
  }

  static std::size_t Slot(int edge, bool atLast) {
    return 2 * static_cast<std::size_t>(edge) + (atLast ? 1 : 0);
  }

  static std::optional<gp_Vec> Direction(const BRepAdaptor_Curve& curve, double parameter,
                                         double sense) {
    gp_Pnt point;
    gp_Vec derivative;
    curve.D1(parameter, point, derivative);
    if (derivative.Magnitude() <= gp::Resolution()) return std::nullopt;
    return derivative * sense;
  }

  void Add(const TopoDS_Vertex& vertex, EdgeEnd end) {
    const int index = vertices_.Add(vertex);
    if (static_cast<std::size_t>(index) >= endsAt_.size()) endsAt_.resize(index + 1);
    vertexOf_[Slot(end.edge, end.atLast)] = index;
    endsAt_[static_cast<std::size_t>(index)].push_back(end);
  }

  TopTools_IndexedMapOfShape vertices_;
  std::vector<std::vector<EdgeEnd>> endsAt_;
  std::vector<int> vertexOf_;
};

// Where the way along the chain goes on after leaving `edge` at one of its ends: the single end
// of another edge there that continues it with a common tangent. None at a free end, a corner,
// or where two or more edges would continue it (the way on is then not one edge).
std::optional<EdgeEnd> Continuation(const EdgeEnds& ends, int edge, bool atLast) {
  const std::vector<EdgeEnd>& here = ends.At(edge, atLast);
  const auto leaving = std::find_if(here.begin(), here.end(), [&](const EdgeEnd& end) {
    return end.edge == edge && end.atLast == atLast;
  });
  if (leaving == here.end() || !leaving->outward) return std::nullopt;
  std::optional<EdgeEnd> found;
  for (const EdgeEnd& other : here) {
    if (other.edge == edge || !other.outward) continue;
    // Smooth when the two edges leave the vertex in opposite directions.
    if (leaving->outward->Angle(-*other.outward) >= kTangentAngle) continue;
    if (found && found->edge != other.edge) return std::nullopt;
    found = other;
  }
  return found;
}

}  // namespace

std::vector<int> TangentChain(const TopTools_IndexedMapOfShape& edges, int edgeIndex) {
  if (edgeIndex < 1 || edgeIndex > edges.Extent()) {
    throw HostError(hresult::kBadIndex, "edge " + std::to_string(edgeIndex) +
                                            " is not an edge of the body (it has " +
                                            std::to_string(edges.Extent()) + ")");
  }
  if (edges(edgeIndex).ShapeType() != TopAbs_EDGE) {
    throw HostError(hresult::kInvalidArg,
                    "shape " + std::to_string(edgeIndex) + " of the body is not an edge");
  }
  const EdgeEnds ends = [&] {
    try {
      return EdgeEnds(edges);
    } catch (const Standard_Failure& failure) {
      throw HostError(hresult::kFail, "the edges around edge " + std::to_string(edgeIndex) +
                                          " cannot be followed: " + failure.GetMessageString());
    }
  }();
  std::vector<bool> taken(static_cast<std::size_t>(edges.Extent()) + 1, false);
  taken[edgeIndex] = true;
  const auto walk = [&](bool atLast) {
    std::vector<int> found;
    for (auto next = Continuation(ends, edgeIndex, atLast); next && !taken[next->edge];
         next = Continuation(ends, next->edge, !next->atLast)) {
      taken[next->edge] = true;
      found.push_back(next->edge);
    }
    return found;
  };
  // Onward along the edge's own direction first: a closed chain comes all the way round, and
  // the way back then finds nothing new, so the chain starts with the edge itself.
  const std::vector<int> ahead = walk(true);
  std::vector<int> chain = walk(false);
  std::reverse(chain.begin(), chain.end());
  chain.push_back(edgeIndex);
  chain.insert(chain.end(), ahead.begin(), ahead.end());
  return chain;
}

}  // namespace sledway::model
