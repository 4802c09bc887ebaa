#include "modelhost/topology/tangent_chain.hpp"

#include <gtest/gtest.h>

#include <BRepAdaptor_Curve.hxx>
#include <BRepAlgoAPI_Cut.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepFilletAPI_MakeFillet2d.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <Geom_TrimmedCurve.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Circ.hxx>
#include <numbers>
#include <set>
#include <vector>

#include "host/host_error.hpp"

namespace sledway::model {
namespace {

TopTools_IndexedMapOfShape EdgesOf(const TopoDS_Shape& shape) {
  TopTools_IndexedMapOfShape edges;
  TopExp::MapShapes(shape, TopAbs_EDGE, edges);
  return edges;
}

const TopoDS_Edge& EdgeAt(const TopTools_IndexedMapOfShape& edges, int index) {
  return TopoDS::Edge(edges(index));
}

// The edges whose two ends both lie at height z.
std::set<int> EdgesAtHeight(const TopTools_IndexedMapOfShape& edges, double z) {
  std::set<int> found;
  for (int i = 1; i <= edges.Extent(); ++i) {
    TopoDS_Vertex a, b;
    TopExp::Vertices(EdgeAt(edges, i), a, b);
    if (std::abs(BRep_Tool::Pnt(a).Z() - z) < 1e-9 && std::abs(BRep_Tool::Pnt(b).Z() - z) < 1e-9) {
      found.insert(i);
    }
  }
  return found;
}

bool ShareVertex(const TopTools_IndexedMapOfShape& edges, int i, int j) {
  TopoDS_Vertex a1, a2, b1, b2;
  TopExp::Vertices(EdgeAt(edges, i), a1, a2);
  TopExp::Vertices(EdgeAt(edges, j), b1, b2);
  return a1.IsSame(b1) || a1.IsSame(b2) || a2.IsSame(b1) || a2.IsSame(b2);
}

// Each edge once, and each next to the one before it.
void ExpectConnectedOnce(const TopTools_IndexedMapOfShape& edges, const std::vector<int>& chain) {
  EXPECT_EQ(std::set<int>(chain.begin(), chain.end()).size(), chain.size());
  for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
    EXPECT_TRUE(ShareVertex(edges, chain[i], chain[i + 1]))
        << "edges " << chain[i] << ", " << chain[i + 1];
  }
}

// A plate with a rounded slot cut through it: the box's edges meet at corners, the slot's rim
// on each face is a loop of two straight sides and two half circles.
TopoDS_Shape PlateWithSlot() {
  const double pi = std::numbers::pi;
  const gp_Pnt a(3, 2, 0), b(7, 2, 0), c(7, 4, 0), d(3, 4, 0);
  BRepBuilderAPI_MakeWire rim;
  rim.Add(BRepBuilderAPI_MakeEdge(a, b).Edge());
  rim.Add(BRepBuilderAPI_MakeEdge(
              GC_MakeArcOfCircle(gp_Circ(gp_Ax2(gp_Pnt(7, 3, 0), gp_Dir(0, 0, 1)), 1.0), -pi / 2,
                                 pi / 2, true)
                  .Value())
              .Edge());
  rim.Add(BRepBuilderAPI_MakeEdge(c, d).Edge());
  rim.Add(BRepBuilderAPI_MakeEdge(
              GC_MakeArcOfCircle(gp_Circ(gp_Ax2(gp_Pnt(3, 3, 0), gp_Dir(0, 0, 1)), 1.0), pi / 2,
                                 3 * pi / 2, true)
                  .Value())
              .Edge());
  const TopoDS_Shape slot =
      BRepPrimAPI_MakePrism(BRepBuilderAPI_MakeFace(rim.Wire()).Face(), gp_Vec(0, 0, 1)).Shape();
  const TopoDS_Shape plate = BRepPrimAPI_MakeBox(gp_Pnt(0, 0, 0), 10, 6, 1).Shape();
  return BRepAlgoAPI_Cut(plate, slot).Shape();
}

TEST(TangentChain, SlotRimIsAClosedChainStartingWithTheEdge) {
  const auto edges = EdgesOf(PlateWithSlot());
  // The rims: on the top face four slot edges and four box edges.
  const std::set<int> top = EdgesAtHeight(edges, 1.0);
  ASSERT_EQ(top.size(), 8u);
  std::set<int> rim;
  for (int edge : top) {
    const auto chain = TangentChain(edges, edge);
    if (chain.size() == 1) continue;  // a box edge
    ASSERT_EQ(chain.size(), 4u);
    EXPECT_EQ(chain.front(), edge);
    ExpectConnectedOnce(edges, chain);
    EXPECT_TRUE(ShareVertex(edges, chain.back(), chain.front()));
    rim.insert(edge);
    for (int member : chain) EXPECT_TRUE(top.contains(member)) << member;
  }
  EXPECT_EQ(rim.size(), 4u);

  // Every edge of the box meets its neighbours at corners, and so do the slot's vertical
  // edges: each is a chain by itself.
  int alone = 0;
  for (int i = 1; i <= edges.Extent(); ++i) {
    if (TangentChain(edges, i).size() == 1) ++alone;
  }
  EXPECT_EQ(alone, edges.Extent() - 8);
}

TEST(TangentChain, OpenChainRunsFromAFreeEnd) {
  // A plate whose outline has one rounded corner: side, fillet, side are one chain, ending at
  // the sharp corners next to them.
  BRepBuilderAPI_MakePolygon outline(gp_Pnt(0, 0, 0), gp_Pnt(8, 0, 0), gp_Pnt(8, 5, 0),
                                     gp_Pnt(0, 5, 0), true);
  BRepFilletAPI_MakeFillet2d fillet(BRepBuilderAPI_MakeFace(outline.Wire()).Face());
  TopoDS_Vertex corner;
  for (TopExp_Explorer it(outline.Wire(), TopAbs_VERTEX); it.More(); it.Next()) {
    const gp_Pnt p = BRep_Tool::Pnt(TopoDS::Vertex(it.Current()));
    if (p.Distance(gp_Pnt(8, 5, 0)) < 1e-9) corner = TopoDS::Vertex(it.Current());
  }
  const TopoDS_Edge arc = fillet.AddFillet(corner, 2.0);
  ASSERT_EQ(fillet.Status(), ChFi2d_IsDone);
  fillet.Build();
  const auto edges = EdgesOf(BRepPrimAPI_MakePrism(fillet.Shape(), gp_Vec(0, 0, 3)).Shape());

  int arcIndex = 0;
  for (int i = 1; i <= edges.Extent(); ++i) {
    if (BRep_Tool::Pnt(TopExp::FirstVertex(EdgeAt(edges, i))).Z() > 1.0) continue;
    BRepAdaptor_Curve curve(EdgeAt(edges, i));
    if (curve.GetType() == GeomAbs_Circle) arcIndex = i;
  }
  ASSERT_NE(arcIndex, 0);
  const auto chain = TangentChain(edges, arcIndex);
  ASSERT_EQ(chain.size(), 3u);
  EXPECT_EQ(chain[1], arcIndex);
  ExpectConnectedOnce(edges, chain);

  // The free ends are the sharp corners (8, 0) and (0, 5).
  const auto freeEnd = [&](int edge, int neighbour) {
    TopoDS_Vertex a, b, n1, n2;
    TopExp::Vertices(EdgeAt(edges, edge), a, b);
    TopExp::Vertices(EdgeAt(edges, neighbour), n1, n2);
    return BRep_Tool::Pnt(a.IsSame(n1) || a.IsSame(n2) ? b : a);
  };
  std::vector<gp_Pnt> ends = {freeEnd(chain.front(), chain[1]), freeEnd(chain.back(), chain[1])};
  std::sort(ends.begin(), ends.end(),
            [](const gp_Pnt& p, const gp_Pnt& q) { return p.X() < q.X(); });
  EXPECT_LT(ends[0].Distance(gp_Pnt(0, 5, 0)), 1e-9);
  EXPECT_LT(ends[1].Distance(gp_Pnt(8, 0, 0)), 1e-9);

  // Asked from a side, the same chain in the same order.
  EXPECT_EQ(TangentChain(edges, chain.front()), chain);
  EXPECT_EQ(TangentChain(edges, chain.back()), chain);
}

// Two straight edges through one shared vertex, the second given by its two ends.
TopTools_IndexedMapOfShape TwoLines(const gp_Pnt& start, const gp_Pnt& joint, const gp_Pnt& p,
                                    const gp_Pnt& q) {
  const TopoDS_Vertex shared = BRepBuilderAPI_MakeVertex(joint).Vertex();
  const auto vertexAt = [&](const gp_Pnt& point) {
    return point.IsEqual(joint, 0.0) ? shared : BRepBuilderAPI_MakeVertex(point).Vertex();
  };
  BRep_Builder builder;
  TopoDS_Compound both;
  builder.MakeCompound(both);
  builder.Add(both, BRepBuilderAPI_MakeEdge(vertexAt(start), shared).Edge());
  builder.Add(both, BRepBuilderAPI_MakeEdge(vertexAt(p), vertexAt(q)).Edge());
  return EdgesOf(both);
}

TEST(TangentChain, ReadsEachEdgeInItsOwnDirection) {
  const gp_Pnt o(0, 0, 0), v(1, 1, 1), far(3, 3, 3), back(-2, -2, -2);
  // Straight on, with the second edge running either way: one chain.
  EXPECT_EQ(TangentChain(TwoLines(o, v, v, far), 1), (std::vector{1, 2}));
  EXPECT_EQ(TangentChain(TwoLines(o, v, far, v), 1), (std::vector{1, 2}));
  // Asked from the second edge, the chain starts behind it: at its own start, the free end.
  EXPECT_EQ(TangentChain(TwoLines(o, v, far, v), 2), (std::vector{2, 1}));
  // Doubling back along the same line is a cusp, not a continuation.
  EXPECT_EQ(TangentChain(TwoLines(o, v, v, back), 1), (std::vector{1}));
  EXPECT_EQ(TangentChain(TwoLines(o, v, back, v), 1), (std::vector{1}));
}

TEST(TangentChain, CommonTangentMeansWithinAMillionthOfARadian) {
  const gp_Pnt o(0, 0, 0), v(10, 0, 0);
  const auto bent = [&](double angle) {
    return TwoLines(o, v, v, gp_Pnt(10 + 10 * std::cos(angle), 10 * std::sin(angle), 0));
  };
  EXPECT_EQ(TangentChain(bent(0.5e-6), 1).size(), 2u);
  EXPECT_EQ(TangentChain(bent(2e-6), 1).size(), 1u);
}

TEST(TangentChain, AForkEndsTheChain) {
  // A straight track splits at `fork` into a straight on and a curve leaving with the same
  // tangent: neither way on is the chain's.
  const TopoDS_Vertex start = BRepBuilderAPI_MakeVertex(gp_Pnt(0, 0, 0)).Vertex();
  const TopoDS_Vertex fork = BRepBuilderAPI_MakeVertex(gp_Pnt(10, 0, 0)).Vertex();
  const TopoDS_Vertex straightOn = BRepBuilderAPI_MakeVertex(gp_Pnt(20, 0, 0)).Vertex();
  const TopoDS_Vertex curvedOff = BRepBuilderAPI_MakeVertex(gp_Pnt(15, 5, 0)).Vertex();
  const Handle(Geom_TrimmedCurve) quarter =
      GC_MakeArcOfCircle(gp_Circ(gp_Ax2(gp_Pnt(10, 5, 0), gp_Dir(0, 0, 1)), 5.0),
                         -std::numbers::pi / 2, 0, true)
          .Value();
  BRep_Builder builder;
  TopoDS_Compound track;
  builder.MakeCompound(track);
  builder.Add(track, BRepBuilderAPI_MakeEdge(start, fork).Edge());
  builder.Add(track, BRepBuilderAPI_MakeEdge(fork, straightOn).Edge());
  builder.Add(track, BRepBuilderAPI_MakeEdge(quarter, fork, curvedOff).Edge());
  const auto edges = EdgesOf(track);
  EXPECT_EQ(TangentChain(edges, 1), std::vector{1});
  // From either branch the way back is the one straight edge.
  EXPECT_EQ(TangentChain(edges, 2), (std::vector{1, 2}));
  EXPECT_EQ(TangentChain(edges, 3), (std::vector{1, 3}));
}

TEST(TangentChain, SkipsDegeneratedEdgesAndRefusesBadIndices) {
  // A sphere: a seam from pole to pole and a degenerated edge at each pole.
  const auto edges = EdgesOf(BRepPrimAPI_MakeSphere(2.0).Shape());
  int degenerated = 0;
  for (int i = 1; i <= edges.Extent(); ++i) {
    EXPECT_EQ(TangentChain(edges, i), std::vector{i});
    if (BRep_Tool::Degenerated(EdgeAt(edges, i))) ++degenerated;
  }
  EXPECT_EQ(degenerated, 2);

  EXPECT_THROW(TangentChain(edges, 0), HostError);
  EXPECT_THROW(TangentChain(edges, edges.Extent() + 1), HostError);
  TopTools_IndexedMapOfShape notEdges;
  notEdges.Add(BRepBuilderAPI_MakeVertex(gp_Pnt(0, 0, 0)).Vertex());
  EXPECT_THROW(TangentChain(notEdges, 1), HostError);
}

}  // namespace
}  // namespace sledway::model
