#include "modelhost/topology/tangent_chain.hpp"

#include <gtest/gtest.h>

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <BRep_Builder.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <TopExp.hxx>
#include <TopoDS_Compound.hxx>
#include <cmath>
#include <gp_Circ.hxx>
#include <numbers>
#include <vector>

#include "host/host_error.hpp"

namespace sledway::model {
namespace {

TopTools_IndexedMapOfShape EdgesOf(const TopoDS_Shape& shape) {
  TopTools_IndexedMapOfShape edges;
  TopExp::MapShapes(shape, TopAbs_EDGE, edges);
  return edges;
}

// Loose edges, indexed in this order, as the edges of one body.
TopTools_IndexedMapOfShape EdgesOf(std::initializer_list<TopoDS_Edge> loose) {
  BRep_Builder builder;
  TopoDS_Compound compound;
  builder.MakeCompound(compound);
  for (const TopoDS_Edge& edge : loose) builder.Add(compound, edge);
  return EdgesOf(compound);
}

TopoDS_Vertex At(double x, double y, double z = 0) {
  return BRepBuilderAPI_MakeVertex(gp_Pnt(x, y, z)).Vertex();
}

TopoDS_Edge Line(const TopoDS_Vertex& from, const TopoDS_Vertex& to) {
  return BRepBuilderAPI_MakeEdge(from, to).Edge();
}

TEST(TangentChain, ContinuesThroughSharedVerticesWithACommonTangentUpToAFork) {
  const TopoDS_Vertex o = At(0, 0, 0), v = At(1, 1, 1), far = At(3, 3, 3), back = At(-2, -2, -2);
  // Straight on, with the second edge running either way: one chain.
  EXPECT_EQ(TangentChain(EdgesOf({Line(o, v), Line(v, far)}), 1), (std::vector{1, 2}));
  EXPECT_EQ(TangentChain(EdgesOf({Line(o, v), Line(far, v)}), 1), (std::vector{1, 2}));
  // Asked from the second edge, the chain starts behind it: at its own start, the free end.
  EXPECT_EQ(TangentChain(EdgesOf({Line(o, v), Line(far, v)}), 2), (std::vector{2, 1}));
  // Doubling back along the same line is a cusp, not a continuation.
  EXPECT_EQ(TangentChain(EdgesOf({Line(o, v), Line(v, back)}), 1), std::vector{1});
  EXPECT_EQ(TangentChain(EdgesOf({Line(o, v), Line(back, v)}), 1), std::vector{1});

  // A common tangent is one within a millionth of a radian.
  const TopoDS_Vertex knee = At(10, 0);
  const auto bent = [&](double angle) {
    return EdgesOf(
        {Line(o, knee), Line(knee, At(10 + 10 * std::cos(angle), 10 * std::sin(angle)))});
  };
  EXPECT_EQ(TangentChain(bent(0.5e-6), 1).size(), 2u);
  EXPECT_EQ(TangentChain(bent(2e-6), 1).size(), 1u);

  // A straight track splits at `knee` into a straight on and a curve leaving with the same
  // tangent: neither way on is the chain's, but from either branch the way back is.
  const Handle(Geom_TrimmedCurve) quarter =
      GC_MakeArcOfCircle(gp_Circ(gp_Ax2(gp_Pnt(10, 5, 0), gp_Dir(0, 0, 1)), 5.0),
                         -std::numbers::pi / 2, 0, true)
          .Value();
  const auto fork = EdgesOf({Line(o, knee), Line(knee, At(20, 0)),
                             BRepBuilderAPI_MakeEdge(quarter, knee, At(15, 5)).Edge()});
  EXPECT_EQ(TangentChain(fork, 1), std::vector{1});
  EXPECT_EQ(TangentChain(fork, 2), (std::vector{1, 2}));
  EXPECT_EQ(TangentChain(fork, 3), (std::vector{1, 3}));
}

TEST(TangentChain, SkipsDegeneratedEdgesAndRefusesBadIndices) {
  // A sphere: a seam from pole to pole and a degenerated edge at each pole.
  const auto edges = EdgesOf(BRepPrimAPI_MakeSphere(2.0).Shape());
  for (int i = 1; i <= edges.Extent(); ++i) EXPECT_EQ(TangentChain(edges, i), std::vector{i});

  EXPECT_THROW(TangentChain(edges, 0), HostError);
  EXPECT_THROW(TangentChain(edges, edges.Extent() + 1), HostError);
  TopTools_IndexedMapOfShape notEdges;
  notEdges.Add(At(0, 0));
  EXPECT_THROW(TangentChain(notEdges, 1), HostError);
}

}  // namespace
}  // namespace sledway::model
