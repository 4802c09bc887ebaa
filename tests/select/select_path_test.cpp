#include "select/select_path.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

#include "modelhost/sketch/planar_sketch_definition.hpp"
#include "modelhost/sketch/sketch3d_definition.hpp"
#include "pick_rig.hpp"

namespace sledway::test {
namespace {

constexpr double kPi = std::numbers::pi;

gp_Pnt ToPnt(std::span<const double, 3> xyz) {
  return {xyz[0], xyz[1], xyz[2]};
}

// The two ends of a part edge, where its component stands.
std::pair<gp_Pnt, gp_Pnt> EndsOf(const Ref<IVObject>& edge) {
  double start[3], end[3];
  As<IVEdge>(edge)->GetEvaluator()->GetEndPoints(start, end);
  return {ToPnt(start), ToPnt(end)};
}

bool Meet(const Ref<IVObject>& a, const Ref<IVObject>& b) {
  const auto [a0, a1] = EndsOf(a);
  const auto [b0, b1] = EndsOf(b);
  for (const gp_Pnt& p : {a0, a1}) {
    for (const gp_Pnt& q : {b0, b1}) {
      if (p.Distance(q) < 1e-9) return true;
    }
  }
  return false;
}

using PickTest = PickRig;

// The rail's edge index whose ends are `a` and `b` (in rail coordinates, either way round).
int RailEdge(const Ref<model::Component>& rail, const gp_Pnt& a, const gp_Pnt& b) {
  const gp_Trsf placement = rail->Placement();
  for (int i = 1; i <= rail->Part()->EdgeCount(); ++i) {
    const auto [p, q] = EndsOf(rail->Edge(i));
    const gp_Pnt pa = a.Transformed(placement), pb = b.Transformed(placement);
    if ((p.Distance(pa) < 1e-9 && q.Distance(pb) < 1e-9) ||
        (p.Distance(pb) < 1e-9 && q.Distance(pa) < 1e-9)) {
      return i;
    }
  }
  throw std::logic_error("no such rail edge");
}

TEST_F(PickTest, AnEdgeWidensToItsTangentChainInOrderAlongIt) {
  const Ref<IVObject> side = rail->Edge(RailEdge(rail, gp_Pnt(0, -1, 0.5), gp_Pnt(8, -1, 0.5)));
  StartPick(0, nullptr, true);
  ASSERT_TRUE(Running().Hover(side));
  const auto chain = Running().Highlighted();
  // The top rim: a closed chain, starting with the edge pointed at, every edge once, each
  // meeting the next; all of them edges of the rail at the top.
  ASSERT_EQ(chain.size(), 4u);
  EXPECT_EQ(chain.front(), side);
  EXPECT_EQ(std::set<Ref<IVObject>>(chain.begin(), chain.end()).size(), 4u);
  for (std::size_t i = 0; i < chain.size(); ++i) {
    EXPECT_TRUE(Meet(chain[i], chain[(i + 1) % chain.size()])) << i;
    const auto [p, q] = EndsOf(chain[i]);
    EXPECT_NEAR(p.Z(), -1.5, 1e-12);
    EXPECT_NEAR(q.Z(), -1.5, 1e-12);
    EXPECT_TRUE(SameObject(As<IVEdge>(chain[i])->ContainingOccurrence(), rail));
  }

  // An edge up the side meets the rims at right angles: it stays alone.
  const Ref<IVObject> upright = rail->Edge(RailEdge(rail, gp_Pnt(0, -1, 0), gp_Pnt(0, -1, 0.5)));
  ASSERT_TRUE(Running().Hover(upright));
  EXPECT_EQ(Running().Highlighted(), std::vector{upright});

  // Without widening, only the edge itself.
  StartPick(0, nullptr, false);
  ASSERT_TRUE(Running().Hover(side));
  EXPECT_EQ(Running().Highlighted(), std::vector{side});
  select->StopSelection();
}

TEST_F(PickTest, ASketchCurveWidensToTheSingleProfilePathOfItsSketch) {
  // A rounded slot on a tilted plane: one closed loop, curves listed out of order.
  const gp_Ax3 tilted(gp_Pnt(1, 2, 3), gp_Dir(0, -1, 1), gp_Dir(1, 0, 0));
  auto slot = doc->AddSketch("slot", tilted);
  slot->AddArc(gp_Pnt2d(0, 0), 1, kPi / 2, 3 * kPi / 2);  // 1: left end, top to bottom
  slot->AddLine(gp_Pnt2d(5, 1), gp_Pnt2d(0, 1));          // 2: top side
  slot->AddArc(gp_Pnt2d(5, 0), 1, -kPi / 2, kPi / 2);     // 3: right end
  slot->AddLine(gp_Pnt2d(0, -1), gp_Pnt2d(5, -1));        // 4: bottom side
  // An open chain: a zigzag of three lines, the middle one drawn backwards.
  auto zigzag = doc->AddSketch("zigzag", tilted);
  zigzag->AddLine(gp_Pnt2d(0, 0), gp_Pnt2d(1, 1));
  zigzag->AddLine(gp_Pnt2d(2, 0), gp_Pnt2d(1, 1));
  zigzag->AddLine(gp_Pnt2d(2, 0), gp_Pnt2d(3, 1));
  // Two separate loops.
  auto twoLoops = doc->AddSketch("two loops", tilted);
  twoLoops->AddCircle(gp_Pnt2d(0, 0), 1);
  twoLoops->AddCircle(gp_Pnt2d(5, 0), 1);
  // Two separate open chains.
  auto twoChains = doc->AddSketch("two chains", tilted);
  twoChains->AddLine(gp_Pnt2d(0, 0), gp_Pnt2d(1, 0));
  twoChains->AddLine(gp_Pnt2d(0, 2), gp_Pnt2d(1, 2));

  StartPick(0, nullptr, true);
  const auto curvesOf = [&](const char* name, std::vector<int> order) {
    std::vector<Ref<IVObject>> curves;
    for (int i : order) curves.push_back(doc->Sketch(name)->Curve(i));
    return curves;
  };
  // Whichever curve is pointed at, the whole loop comes along: from the sketch's first curve,
  // the way it runs.
  for (int pointed = 1; pointed <= 4; ++pointed) {
    ASSERT_TRUE(Running().Hover(doc->Sketch("slot")->Curve(pointed))) << pointed;
    EXPECT_EQ(Running().Highlighted(), curvesOf("slot", {1, 4, 3, 2})) << pointed;
  }
  ASSERT_TRUE(Running().Hover(doc->Sketch("zigzag")->Curve(3)));
  EXPECT_EQ(Running().Highlighted(), curvesOf("zigzag", {1, 2, 3}));

  EXPECT_FALSE(Running().Hover(doc->Sketch("two loops")->Curve(1)));
  EXPECT_TRUE(Running().Highlighted().empty());
  EXPECT_FALSE(Running().Hover(doc->Sketch("two chains")->Curve(2)));

  // A lone 3D helix is an open path of one curve; a lone 3D circle a closed one.
  doc->AddSketch3d("helix")->AddHelix(gp_Ax2(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1)), 2, 1, 3);
  doc->AddSketch3d("ring")->AddCircle(gp_Ax2(gp_Pnt(0, 0, 5), gp_Dir(1, 0, 0)), 2);
  ASSERT_TRUE(Running().Hover(doc->Sketch3d("helix")->Curve(1)));
  EXPECT_EQ(Running().Highlighted(), std::vector<Ref<IVObject>>{doc->Sketch3d("helix")->Curve(1)});
  ASSERT_TRUE(Running().Hover(doc->Sketch3d("ring")->Curve(1)));
  EXPECT_EQ(Running().Highlighted(), std::vector<Ref<IVObject>>{doc->Sketch3d("ring")->Curve(1)});
  select->StopSelection();
}

TEST_F(PickTest, WhereBothBuildsSucceedA2DSketchNeedsOneOpenPathA3DSketchIsRefused) {
  const gp_Ax3 plane(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1), gp_Dir(1, 0, 0));
  // A loop and one open chain: the closed build has one path and so does the open one.
  auto loopAndChain = doc->AddSketch("loop and chain", plane);
  loopAndChain->AddCircle(gp_Pnt2d(0, 0), 1);
  loopAndChain->AddLine(gp_Pnt2d(3, 0), gp_Pnt2d(4, 0));
  // A loop and two open chains.
  auto loopAndChains = doc->AddSketch("loop and chains", plane);
  loopAndChains->AddCircle(gp_Pnt2d(0, 0), 1);
  loopAndChains->AddLine(gp_Pnt2d(3, 0), gp_Pnt2d(4, 0));
  loopAndChains->AddLine(gp_Pnt2d(6, 0), gp_Pnt2d(7, 0));
  auto loopAndChain3d = doc->AddSketch3d("loop and chain 3D");
  loopAndChain3d->AddCircle(gp_Ax2(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1)), 1);
  loopAndChain3d->AddLine(gp_Pnt(3, 0, 0), gp_Pnt(4, 0, 5));

  StartPick(0, nullptr, true);
  const auto sketch = doc->Sketch("loop and chain");
  // Pointing at either curve brings the loop: the closed build's path is the one taken.
  for (int pointed : {1, 2}) {
    ASSERT_TRUE(Running().Hover(sketch->Curve(pointed)));
    EXPECT_EQ(Running().Highlighted(), std::vector<Ref<IVObject>>{sketch->Curve(1)});
  }
  EXPECT_FALSE(Running().Hover(doc->Sketch("loop and chains")->Curve(1)));
  EXPECT_FALSE(Running().Hover(doc->Sketch3d("loop and chain 3D")->Curve(1)));
  EXPECT_FALSE(Running().Hover(doc->Sketch3d("loop and chain 3D")->Curve(2)));
  // A sketch whose curves meet at a branch point has no path at all.
  auto branch = doc->AddSketch("branch", plane);
  branch->AddLine(gp_Pnt2d(0, 0), gp_Pnt2d(1, 0));
  branch->AddLine(gp_Pnt2d(0, 0), gp_Pnt2d(-1, 0));
  branch->AddLine(gp_Pnt2d(0, 0), gp_Pnt2d(0, 1));
  EXPECT_FALSE(Running().Hover(doc->Sketch("branch")->Curve(2)));
  select->StopSelection();
}

TEST_F(PickTest, TangentPickWithAFollowComponentTakesLinesOfThatComponentOnly) {
  path->PathParent(rail);
  StartPick(2, cart, false);
  EXPECT_TRUE(Running().Hover(cart->Edge(1)));
  EXPECT_TRUE(Running().Hover(cart->WorkAxis("axis")));
  // Other components' lines, and the path's component's lines, are refused and not
  // highlighted, so they cannot be picked.
  EXPECT_FALSE(Running().Hover(crate->Edge(1)));
  EXPECT_FALSE(Running().Hover(crate->WorkAxis("axis")));
  const Ref<IVObject> railUpright =
      rail->Edge(RailEdge(rail, gp_Pnt(0, -1, 0), gp_Pnt(0, -1, 0.5)));
  EXPECT_FALSE(Running().Hover(railUpright));
  EXPECT_FALSE(Running().Hover(rail->WorkAxis("axis")));
  EXPECT_FALSE(Running().Click());

  // Without a follow component only the path's component is ruled out.
  StartPick(2, nullptr, false);
  EXPECT_TRUE(Running().Hover(crate->Edge(1)));
  EXPECT_FALSE(Running().Hover(railUpright));
  // The follow point slot judges vertices and work points the same way.
  StartPick(1, nullptr, false);
  EXPECT_TRUE(Running().Hover(cart->Vertex(1)));
  EXPECT_TRUE(Running().Hover(cart->WorkPoint("tip")));
  EXPECT_FALSE(Running().Hover(rail->Vertex(1)));
  select->StopSelection();
}

TEST_F(PickTest, APathPickChecksEntitiesOnlyOnceAFollowComponentIsKnown) {
  path->PathParent(rail);
  const Ref<IVObject> mark = cart->Sketch("mark")->Curve(1);
  const Ref<IVObject> railSide = rail->Edge(RailEdge(rail, gp_Pnt(0, -1, 0.5), gp_Pnt(8, -1, 0.5)));

  // No follow component: no check at all, even the path's own component and the cart pass.
  StartPick(0, nullptr, true);
  EXPECT_TRUE(Running().Hover(mark));
  EXPECT_TRUE(Running().Hover(railSide));
  EXPECT_TRUE(Running().Hover(crate->Edge(2)));

  // With the cart following: a sketch on the cart is refused, and edges are judged like a
  // follow point's (they must lie on the cart and not on the path's component).
  StartPick(0, cart, true);
  EXPECT_FALSE(Running().Hover(mark));
  EXPECT_FALSE(Running().Hover(railSide));
  EXPECT_FALSE(Running().Hover(crate->Edge(2)));
  EXPECT_TRUE(Running().Hover(cart->Edge(2)));
  doc->AddSketch("floor", gp_Ax3())->AddLine(gp_Pnt2d(0, 0), gp_Pnt2d(1, 0));
  EXPECT_TRUE(Running().Hover(doc->Sketch("floor")->Curve(1)));
  select->StopSelection();
}

TEST_F(PickTest, SelectionCompleteBringsTheSlotAndSelectedEntitiesTheSelection) {
  const std::vector<std::pair<long, Ref<IVObject>>> picks = {
      {0, crate->Edge(5)}, {1, cart->Vertex(2)}, {2, cart->WorkAxis("axis")}};
  for (const auto& [slot, entity] : picks) {
    completions = 0;
    StartPick(slot, nullptr, false);
    EXPECT_EQ(select->SelectedEntities(), nullptr);
    ASSERT_TRUE(Running().Hover(entity)) << slot;
    ASSERT_TRUE(Running().Click());
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(completedSlot, slot);
    ASSERT_NE(select->SelectedEntities(), nullptr);
    EXPECT_EQ(Items(select->SelectedEntities()), std::vector{entity});
    EXPECT_EQ(app->Commands()->ActiveInteraction(), nullptr);
  }
}

TEST_F(PickTest, StopSelectionEndsAPickWithNothingSelected) {
  CSelectPath idle;
  EXPECT_NO_THROW(idle.StopSelection());

  StartPick(1, nullptr, false);
  ASSERT_TRUE(Running().Hover(cart->Vertex(1)));
  select->StopSelection();
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(completedSlot, 1);
  EXPECT_EQ(select->SelectedEntities(), nullptr);
  EXPECT_EQ(app->Commands()->ActiveInteraction(), nullptr);
  select->StopSelection();
  EXPECT_EQ(completions, 1);

  // A new pick stops the one that runs; the old one reports its end.
  StartPick(2, nullptr, false);
  CSelectPath next;
  int nextCompletions = 0;
  auto nextCompletion = next.SelectionComplete.Connect([&](long&) { ++nextCompletions; });
  next.Pick(app, std::vector{IVSelectFilter::kPartVertices}, false, true, 1, path, nullptr);
  EXPECT_EQ(completions, 2);
  EXPECT_EQ(completedSlot, 2);
  EXPECT_EQ(nextCompletions, 0);
  next.StopSelection();
  EXPECT_EQ(nextCompletions, 1);
}

TEST_F(PickTest, TheOwnerMayLetGoOfThePickWhenItCompletes) {
  // As the tool window does: take the selection and release the picker inside the event.
  StartPick(1, nullptr, false);
  Ref<IVEntityCollection> taken;
  auto release = select->SelectionComplete.Connect([&](long&) {
    taken = select->SelectedEntities();
    select.reset();
  });
  ASSERT_TRUE(Running().Hover(cart->WorkPoint("tip")));
  ASSERT_TRUE(Running().Click());
  EXPECT_EQ(select, nullptr);
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(Items(taken), std::vector<Ref<IVObject>>{cart->WorkPoint("tip")});
}

TEST_F(PickTest, AFailingCompletionHandlerDoesNotReachTheHost) {
  StartPick(1, nullptr, false);
  auto failing = select->SelectionComplete.Connect(
      [](long&) { throw HostError(hresult::kFail, "the window failed"); });
  ASSERT_TRUE(Running().Hover(cart->Vertex(3)));
  EXPECT_NO_THROW(Running().Click());
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(app->Commands()->ActiveInteraction(), nullptr);
}

// An interaction that cannot enable selection nor hand out its select events, as a host in
// trouble might; it still starts and stops.
class CrippledInteraction : public IVInteraction {
 public:
  void SelectionEnabled(bool) override { throw HostError(hresult::kUnexpected, "no selection"); }
  Ref<IVSelectEvents> GetSelectEvents() override {
    throw HostError(hresult::kUnexpected, "no select events");
  }
  void Start() override { ++starts; }
  void Stop() override { OnTerminate.Raise(); }
  int starts = 0;
};

class CrippledCommands : public IVCommandManager {
 public:
  Ref<IVInteraction> CreateInteraction() override { return interaction; }
  Ref<CrippledInteraction> interaction = std::make_shared<CrippledInteraction>();
};

class CrippledApplication : public IVApplication {
 public:
  Ref<IVDocument> GetActiveDocument() override { return nullptr; }
  Ref<IVGeometryFactory> GetGeometryFactory() override { return nullptr; }
  Ref<IVObjectFactory> GetObjectFactory() override { return nullptr; }
  Ref<IVCommandManager> GetCommandManager() override {
    if (!commandsWork) throw HostError(hresult::kFail, "no command manager");
    return commands;
  }
  Ref<IVUserInterface> GetUserInterface() override { return nullptr; }
  WindowHandle GetMainWindowHandle() override { return 0; }

  bool commandsWork = true;
  Ref<CrippledCommands> commands = std::make_shared<CrippledCommands>();
};

TEST(PickErrors, EachStepOfAPickRunsWhateverHappenedBefore) {
  auto host = std::make_shared<CrippledApplication>();
  auto path = std::make_shared<CPath>();
  const std::vector filters{IVSelectFilter::kPartVertices};
  {
    CSelectPath select;
    int completed = 0;
    auto completion = select.SelectionComplete.Connect([&](long&) { ++completed; });
    EXPECT_NO_THROW(select.Pick(host, filters, false, true, 1, path, nullptr));
    // Enabling selection and reaching the select events failed; the start still came.
    EXPECT_EQ(host->commands->interaction->starts, 1);
    select.StopSelection();
    EXPECT_EQ(completed, 1);
  }
  {
    host->commandsWork = false;
    CSelectPath select;
    EXPECT_NO_THROW(select.Pick(host, filters, false, true, 1, path, nullptr));
    EXPECT_EQ(host->commands->interaction->starts, 1);
    EXPECT_NO_THROW(select.StopSelection());
  }
  {
    CSelectPath select;
    EXPECT_NO_THROW(select.Pick(nullptr, filters, false, true, 1, path, nullptr));
  }
}

}  // namespace
}  // namespace sledway::test
