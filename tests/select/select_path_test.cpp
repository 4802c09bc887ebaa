#include "select/select_path.hpp"

#include <gmock/gmock.h>

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <array>
#include <memory>
#include <vector>

#include "../modelhost/model_test_helpers.hpp"
#include "modelhost/interaction/command_manager.hpp"
#include "path/path_definition.hpp"

namespace sledway::test {
namespace {

using ::testing::AnyOf;
using ::testing::ElementsAre;

constexpr double kPi = std::numbers::pi;

// A bar with rounded ends, `length` between the centres of the ends, lying on z = 0 and rising
// `height`: the rim of each end face is a loop of two straight sides and two half circles, all
// with a common tangent; the edges up the sides meet the rims at right angles.
TopoDS_Shape RoundedBar(double length, double radius, double height) {
  const gp_Pnt a(0, -radius, 0), b(length, -radius, 0), c(length, radius, 0), d(0, radius, 0);
  const auto arc = [](const gp_Pnt& from, const gp_Pnt& through, const gp_Pnt& to) {
    return BRepBuilderAPI_MakeEdge(GC_MakeArcOfCircle(from, through, to).Value()).Edge();
  };
  BRepBuilderAPI_MakeWire rim(
      BRepBuilderAPI_MakeEdge(a, b).Edge(), arc(b, gp_Pnt(length + radius, 0, 0), c),
      BRepBuilderAPI_MakeEdge(c, d).Edge(), arc(d, gp_Pnt(-radius, 0, 0), a));
  return BRepPrimAPI_MakePrism(BRepBuilderAPI_MakeFace(rim.Wire()).Face(), gp_Vec(0, 0, height))
      .Shape();
}

// An assembly to pick in: a cart (the component to move), a crate beside it and a rail with
// rounded ends that the path runs on.
class PickTest : public ::testing::Test, protected model::ModelAssembly {
 protected:
  PickTest() {
    auto cartPart = doc->AddBoxPart("cart", "40 mm", "20 mm", "10 mm");
    cartPart->AddWorkPoint("tip", gp_Pnt(4, 1, 1));
    cartPart->AddWorkAxis("axis", gp_Ax1(gp_Pnt(0, 1, 0.5), gp_Dir(1, 0, 0)));
    cartPart->AddSketch("mark", gp_Ax3(gp_Pnt(0, 0, 1), gp_Dir(0, 0, 1)))
        ->AddLine(gp_Pnt2d(0.5, 0.5), gp_Pnt2d(3, 0.5));
    cart = doc->AddComponent("cart:1", cartPart, gp_Trsf());
    auto cratePart = doc->AddBoxPart("crate", "30 mm", "30 mm", "30 mm");
    cratePart->AddWorkAxis("axis", gp_Ax1(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1)));
    crate = doc->AddComponent("crate:1", cratePart, model::Shifted(20, 0, 0));
    auto railPart = doc->AddShapePart("rail", RoundedBar(8.0, 1.0, 0.5));
    railPart->AddWorkAxis("axis", gp_Ax1(gp_Pnt(0, 0, 0), gp_Dir(1, 0, 0)));
    rail = doc->AddComponent("rail:1", railPart, model::Shifted(-3, 7, -2));
    path->PathParent(rail);
  }
  ~PickTest() override {
    if (select) select->StopSelection();
  }

  model::Interaction& Running() {
    const auto running = app->Commands()->ActiveInteraction();
    if (!running) throw std::logic_error("no interaction runs");
    return *running;
  }

  // Starts the pick of a selection slot as the tool window does, with the slot's filters.
  void StartPick(long slot, const Ref<IVComponent>& follow, bool getTangents) {
    static const std::vector<IVSelectFilter> kFilters[] = {
        {IVSelectFilter::kSketch3DDefault, IVSelectFilter::kSketchDefault,
         IVSelectFilter::kPartEdge},
        {IVSelectFilter::kPartVertex, IVSelectFilter::kWorkPoint},
        {IVSelectFilter::kPartEdgeLinear, IVSelectFilter::kWorkAxis}};
    select = std::make_unique<CSelectPath>();
    completions = 0;
    completion = select->SelectionComplete.Connect([this](long& slotNumber) {
      ++completions;
      completedSlot = slotNumber;
    });
    select->SelType(slot);
    select->Pick(app, kFilters[slot], getTangents, true, slot, path, follow);
  }

  // What pointing at `entity` highlights: nothing when the pick refuses it.
  std::vector<Ref<IVObject>> HighlightOf(const Ref<IVObject>& entity) {
    Running().Hover(entity);
    return Running().Highlighted();
  }

  // The rail's edge whose ends are `a` and `b` in rail coordinates, either way round.
  Ref<IVObject> RailEdge(const gp_Pnt& a, const gp_Pnt& b) {
    const gp_Pnt pa = a.Transformed(rail->Placement()), pb = b.Transformed(rail->Placement());
    for (int i = 1; i <= rail->Part()->EdgeCount(); ++i) {
      double s[3], e[3];
      rail->Edge(i)->GetEvaluator()->GetEndPoints(s, e);
      const gp_Pnt p(s[0], s[1], s[2]), q(e[0], e[1], e[2]);
      if (std::min(p.Distance(pa) + q.Distance(pb), p.Distance(pb) + q.Distance(pa)) < 1e-9) {
        return rail->Edge(i);
      }
    }
    throw std::logic_error("no such rail edge");
  }

  // A planar sketch of unit circles (x, y) followed by lines (x0, y0, x1, y1).
  void DrawSketch(const std::string& name, const gp_Ax3& plane,
                  std::initializer_list<std::array<double, 4>> lines,
                  std::initializer_list<std::array<double, 2>> circles = {}) {
    const auto sketch = doc->AddSketch(name, plane);
    for (const auto& [x, y] : circles) sketch->AddCircle(gp_Pnt2d(x, y), 1);
    for (const auto& [x0, y0, x1, y1] : lines) sketch->AddLine(gp_Pnt2d(x0, y0), gp_Pnt2d(x1, y1));
  }

  std::vector<Ref<IVObject>> Curves(const std::string& sketch, std::initializer_list<int> order) {
    std::vector<Ref<IVObject>> curves;
    for (int i : order) curves.push_back(doc->Sketch(sketch)->Curve(i));
    return curves;
  }

  Ref<model::Component> cart, crate, rail;
  Ref<CPath> path = std::make_shared<CPath>();
  std::unique_ptr<CSelectPath> select;
  Connection completion;
  int completions = 0;
  long completedSlot = -1;
};

TEST_F(PickTest, AnEdgeWidensToItsTangentChainInOrderAlongIt) {
  const auto top = [&](double x0, double y0, double x1, double y1) {
    return RailEdge(gp_Pnt(x0, y0, 0.5), gp_Pnt(x1, y1, 0.5));
  };
  const Ref<IVObject> side = top(0, -1, 8, -1), right = top(8, -1, 8, 1), back = top(8, 1, 0, 1),
                      left = top(0, 1, 0, -1);
  StartPick(0, nullptr, true);
  // The top rim is a closed chain: it starts with the edge pointed at and runs either way round.
  EXPECT_THAT(HighlightOf(side),
              AnyOf(ElementsAre(side, right, back, left), ElementsAre(side, left, back, right)));
  // An edge up the rail's side meets the rims at right angles, a box's edges meet at corners:
  // each stays alone.
  for (const Ref<IVObject>& alone :
       std::vector<Ref<IVObject>>{RailEdge(gp_Pnt(0, -1, 0), gp_Pnt(0, -1, 0.5)), crate->Edge(1)}) {
    EXPECT_EQ(HighlightOf(alone), std::vector{alone});
  }
  // Without widening, only the edge itself.
  StartPick(0, nullptr, false);
  EXPECT_EQ(HighlightOf(side), std::vector{side});
}

TEST_F(PickTest, ASketchCurveWidensToTheSingleProfilePathOfItsSketch) {
  const gp_Ax3 tilted(gp_Pnt(1, 2, 3), gp_Dir(0, -1, 1), gp_Dir(1, 0, 0));
  // A rounded slot: one closed loop, its curves listed out of order.
  auto slot = doc->AddSketch("slot", tilted);
  slot->AddArc(gp_Pnt2d(0, 0), 1, kPi / 2, 3 * kPi / 2);  // 1: left end, top to bottom
  slot->AddLine(gp_Pnt2d(5, 1), gp_Pnt2d(0, 1));          // 2: top side
  slot->AddArc(gp_Pnt2d(5, 0), 1, -kPi / 2, kPi / 2);     // 3: right end
  slot->AddLine(gp_Pnt2d(0, -1), gp_Pnt2d(5, -1));        // 4: bottom side
  // One open zigzag, listed out of order; a loop and one open chain, so that the closed build
  // has one path and so does the open one; then sketches with no single path.
  DrawSketch("zigzag", tilted, {{3, 1, 2, 0}, {0, 0, 1, 1}, {1, 1, 2, 0}});
  DrawSketch("loop and chain", tilted, {{3, 0, 4, 0}}, {{0, 0}});
  DrawSketch("two loops", tilted, {}, {{0, 0}, {5, 0}});
  DrawSketch("two chains", tilted, {{0, 0, 1, 0}, {0, 2, 1, 2}});
  // Three lines meeting at a branch point have no single way along them: beside a loop, the
  // loop is the sketch's one path.
  DrawSketch("branch", tilted, {{0, 0, 1, 0}, {0, 0, -1, 0}, {0, 0, 0, 1}}, {{5, 0}});
  // Triangles with a gap at one corner: ends join within a millionth of a centimetre.
  DrawSketch("joined", tilted, {{0, 0, 4, 0}, {4, 0.9e-6, 0, 3}, {0, 3, 0, 0}});
  DrawSketch("gapped", tilted, {{0, 0, 4, 0}, {4, 1.1e-6, 0, 3}, {0, 3, 0, 0}});
  // In 3D a lone helix, and a loop beside an open chain.
  doc->AddSketch3d("helix")->AddHelix(gp_Ax2(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1)), 2, 1, 3);
  auto loopAndChain3d = doc->AddSketch3d("loop and chain 3D");
  loopAndChain3d->AddCircle(gp_Ax2(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1)), 1);
  loopAndChain3d->AddLine(gp_Pnt(3, 0, 0), gp_Pnt(4, 0, 5));

  StartPick(0, nullptr, true);
  // Whichever curve is pointed at, the whole path comes along in order: a loop from the
  // sketch's first curve the way it runs, a chain from the free end of the first curve listed.
  for (int pointed = 1; pointed <= 4; ++pointed) {
    EXPECT_EQ(HighlightOf(doc->Sketch("slot")->Curve(pointed)), Curves("slot", {1, 4, 3, 2}));
  }
  EXPECT_EQ(HighlightOf(doc->Sketch("zigzag")->Curve(2)), Curves("zigzag", {1, 3, 2}));
  EXPECT_EQ(HighlightOf(doc->Sketch("joined")->Curve(2)), Curves("joined", {1, 2, 3}));
  EXPECT_EQ(HighlightOf(doc->Sketch("gapped")->Curve(2)), Curves("gapped", {1, 3, 2}));
  EXPECT_EQ(HighlightOf(doc->Sketch("branch")->Curve(2)), Curves("branch", {1}));
  // A loop beside a chain is two paths, whichever of them is pointed at.
  for (const char* refused : {"loop and chain", "two loops", "two chains"}) {
    for (int pointed : {1, 2}) {
      EXPECT_TRUE(HighlightOf(doc->Sketch(refused)->Curve(pointed)).empty()) << refused;
    }
  }
  const auto helix = doc->Sketch3d("helix")->Curve(1);
  EXPECT_EQ(HighlightOf(helix), std::vector<Ref<IVObject>>{helix});
  for (int pointed : {1, 2}) {
    EXPECT_TRUE(HighlightOf(doc->Sketch3d("loop and chain 3D")->Curve(pointed)).empty());
  }
}

TEST_F(PickTest, PickedEntitiesMustFitTheFollowComponentAndThePathsComponent) {
  const Ref<IVObject> railUpright = RailEdge(gp_Pnt(0, -1, 0), gp_Pnt(0, -1, 0.5));
  StartPick(2, cart, false);
  bool highlight = true;
  auto watch = Running().GetSelectEvents()->OnPreSelect.Connect(
      [&](Ref<IVObject>&, bool& doHighlight, auto&&...) { highlight = doHighlight; });
  EXPECT_TRUE(Running().Hover(cart->Edge(1)));
  EXPECT_TRUE(Running().Hover(cart->WorkAxis("axis")));
  // A tangent line of another component or of the path's component is refused: not
  // highlighted, so it cannot be picked.
  for (const Ref<IVObject>& refused : std::vector<Ref<IVObject>>{
           crate->Edge(1), crate->WorkAxis("axis"), railUpright, rail->WorkAxis("axis")}) {
    highlight = true;
    EXPECT_TRUE(HighlightOf(refused).empty());
    EXPECT_FALSE(highlight);
  }
  EXPECT_FALSE(Running().Click());
  // Without a follow component only the path's component is ruled out, for lines and points.
  StartPick(2, nullptr, false);
  EXPECT_TRUE(Running().Hover(crate->Edge(1)));
  EXPECT_FALSE(Running().Hover(railUpright));
  StartPick(1, nullptr, false);
  EXPECT_FALSE(Running().Hover(rail->Vertex(1)));

  // With the cart following, a path pick refuses a sketch on the cart and the cart's edges, and
  // takes edges of any other component, the path's own included.
  const Ref<IVObject> mark = cart->Sketch("mark")->Curve(1);
  StartPick(0, cart, true);
  EXPECT_FALSE(Running().Hover(mark));
  EXPECT_FALSE(Running().Hover(cart->Edge(2)));
  EXPECT_TRUE(Running().Hover(railUpright));
  EXPECT_TRUE(Running().Hover(crate->Edge(1)));
  DrawSketch("floor", gp_Ax3(), {{0, 0, 1, 0}});
  EXPECT_TRUE(Running().Hover(doc->Sketch("floor")->Curve(1)));
}

TEST_F(PickTest, SelectionCompleteBringsTheSlotAndSelectedEntitiesTheSelection) {
  const std::vector<std::pair<long, Ref<IVObject>>> picks = {
      {0, crate->Edge(5)}, {1, cart->WorkPoint("tip")}, {2, cart->WorkAxis("axis")}};
  for (const auto& [slot, entity] : picks) {
    StartPick(slot, nullptr, false);
    EXPECT_EQ(select->SelectedEntities(), nullptr);
    // As the tool window does: take the selection and let go of the picker inside the event.
    Ref<IVEntityCollection> taken;
    auto release = select->SelectionComplete.Connect([&](long&) {
      taken = select->SelectedEntities();
      select.reset();
    });
    ASSERT_TRUE(Running().Hover(entity)) << slot;
    ASSERT_TRUE(Running().Click());
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(completedSlot, slot);
    EXPECT_EQ(select, nullptr);
    ASSERT_NE(taken, nullptr);
    ASSERT_EQ(taken->Count(), 1);
    EXPECT_EQ(taken->Item(1), entity);
    EXPECT_EQ(app->Commands()->ActiveInteraction(), nullptr);
  }
  // A failing completion handler does not reach the host.
  StartPick(1, nullptr, false);
  auto failing = select->SelectionComplete.Connect(
      [](long&) { throw HostError(hresult::kFail, "the window failed"); });
  ASSERT_TRUE(Running().Hover(cart->Vertex(3)));
  EXPECT_NO_THROW(Running().Click());
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(app->Commands()->ActiveInteraction(), nullptr);
}

TEST_F(PickTest, StopSelectionEndsAPickWithNothingSelected) {
  CSelectPath idle;
  EXPECT_NO_THROW(idle.StopSelection());
  StartPick(1, nullptr, false);
  ASSERT_TRUE(Running().Hover(cart->Vertex(1)));
  select->StopSelection();
  select->StopSelection();
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(completedSlot, 1);
  EXPECT_EQ(select->SelectedEntities(), nullptr);
  EXPECT_EQ(app->Commands()->ActiveInteraction(), nullptr);
}

// A host in trouble: its one interaction can neither enable selection nor hand out its select
// events, yet it starts and stops.
class CrippledHost : public IVApplication,
                     public IVCommandManager,
                     public IVInteraction,
                     public std::enable_shared_from_this<CrippledHost> {
 public:
  Ref<IVDocument> GetActiveDocument() override { return nullptr; }
  Ref<IVGeometryFactory> GetGeometryFactory() override { return nullptr; }
  Ref<IVObjectFactory> GetObjectFactory() override { return nullptr; }
  Ref<IVCommandManager> GetCommandManager() override { return shared_from_this(); }
  Ref<IVUserInterface> GetUserInterface() override { return nullptr; }
  WindowHandle GetMainWindowHandle() override { return 0; }
  Ref<IVInteraction> CreateInteraction() override { return shared_from_this(); }
  void SelectionEnabled(bool) override { throw HostError(hresult::kUnexpected, "no selection"); }
  Ref<IVSelectEvents> GetSelectEvents() override {
    throw HostError(hresult::kUnexpected, "no select events");
  }
  void Start() override { ++starts; }
  void Stop() override { OnTerminate.Raise(); }
  int starts = 0;
};

TEST(PickErrors, EachStepOfAPickRunsWhateverHappenedBefore) {
  const auto host = std::make_shared<CrippledHost>();
  const std::vector filters{IVSelectFilter::kPartVertex};
  CSelectPath select;
  int completed = 0;
  auto completion = select.SelectionComplete.Connect([&](long&) { ++completed; });
  EXPECT_NO_THROW(select.Pick(host, filters, false, true, 1, std::make_shared<CPath>(), nullptr));
  // Enabling selection and reaching the select events failed; the start still came.
  EXPECT_EQ(host->starts, 1);
  select.StopSelection();
  EXPECT_EQ(completed, 1);

  CSelectPath hostless;
  EXPECT_NO_THROW(hostless.Pick(nullptr, filters, false, true, 1, nullptr, nullptr));
  EXPECT_NO_THROW(hostless.StopSelection());
}

}  // namespace
}  // namespace sledway::test
