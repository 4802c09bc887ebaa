#pragma once

#include <gtest/gtest.h>

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <gp_Ax3.hxx>
#include <gp_Circ.hxx>
#include <gp_Trsf.hxx>
#include <memory>
#include <numbers>
#include <vector>

#include "host/host.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/interaction/command_manager.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "modelhost/sketch/sketch3d.hpp"
#include "path/path_definition.hpp"
#include "select/select_path.hpp"

namespace sledway::test {

// A bar with rounded ends, `length` between the centres of the ends, lying on z = 0 and rising
// `height`: the rim of each end face is a loop of two straight sides and two half circles, all
// with a common tangent; the edges up the sides meet the rims at right angles.
inline TopoDS_Shape RoundedBar(double length, double radius, double height) {
  const double pi = std::numbers::pi;
  const auto arc = [&](double x, double from, double to) {
    return BRepBuilderAPI_MakeEdge(
               GC_MakeArcOfCircle(gp_Circ(gp_Ax2(gp_Pnt(x, 0, 0), gp_Dir(0, 0, 1)), radius), from,
                                  to, true)
                   .Value())
        .Edge();
  };
  BRepBuilderAPI_MakeWire rim;
  rim.Add(BRepBuilderAPI_MakeEdge(gp_Pnt(0, -radius, 0), gp_Pnt(length, -radius, 0)).Edge());
  rim.Add(arc(length, -pi / 2, pi / 2));
  rim.Add(BRepBuilderAPI_MakeEdge(gp_Pnt(length, radius, 0), gp_Pnt(0, radius, 0)).Edge());
  rim.Add(arc(0, pi / 2, 3 * pi / 2));
  return BRepPrimAPI_MakePrism(BRepBuilderAPI_MakeFace(rim.Wire()).Face(), gp_Vec(0, 0, height))
      .Shape();
}

// An assembly to pick in: a cart (the component to move), a crate beside it, a rail with
// rounded ends, and sketches of every shape the path slot has to judge.
class PickRig : public ::testing::Test {
 protected:
  PickRig() {
    app->SetActiveDocument(doc);
    auto cartPart = doc->AddBoxPart("cart", "40 mm", "20 mm", "10 mm");
    cartPart->AddWorkPoint("tip", gp_Pnt(4, 1, 1));
    cartPart->AddWorkAxis("axis", gp_Ax1(gp_Pnt(0, 1, 0.5), gp_Dir(1, 0, 0)));
    cartPart->AddSketch("mark", gp_Ax3(gp_Pnt(0, 0, 1), gp_Dir(0, 0, 1)))
        ->AddLine(gp_Pnt2d(0.5, 0.5), gp_Pnt2d(3, 0.5));
    cart = doc->AddComponent("cart:1", cartPart, gp_Trsf());

    auto cratePart = doc->AddBoxPart("crate", "30 mm", "30 mm", "30 mm");
    cratePart->AddWorkAxis("axis", gp_Ax1(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1)));
    gp_Trsf aside;
    aside.SetTranslation(gp_Vec(20, 0, 0));
    crate = doc->AddComponent("crate:1", cratePart, aside);

    auto railPart = doc->AddShapePart("rail", RoundedBar(8.0, 1.0, 0.5));
    railPart->AddWorkAxis("axis", gp_Ax1(gp_Pnt(0, 0, 0), gp_Dir(1, 0, 0)));
    gp_Trsf below;
    below.SetTranslation(gp_Vec(-3, 7, -2));
    rail = doc->AddComponent("rail:1", railPart, below);
  }

  model::Interaction& Running() {
    const auto running = app->Commands()->ActiveInteraction();
    if (!running) throw std::logic_error("no interaction runs");
    return *running;
  }

  // Starts the pick of a selection slot as the tool window does, with the slot's filters.
  void StartPick(long slot, const Ref<IVComponent>& follow, bool getTangents) {
    static const std::vector<IVSelectFilter> kFilters[] = {
        {IVSelectFilter::kSketchCurves, IVSelectFilter::kSketch3DCurves,
         IVSelectFilter::kPartEdges},
        {IVSelectFilter::kPartVertices, IVSelectFilter::kWorkPoints},
        {IVSelectFilter::kPartStraightEdges, IVSelectFilter::kWorkAxes}};
    select = std::make_unique<CSelectPath>();
    completion = select->SelectionComplete.Connect([this](long& slotNumber) {
      ++completions;
      completedSlot = slotNumber;
    });
    select->SelType(slot);
    select->Pick(app, kFilters[slot], getTangents, true, slot, path, follow);
  }

  static std::vector<Ref<IVObject>> Items(const Ref<IVEntityCollection>& entities) {
    std::vector<Ref<IVObject>> items;
    for (int i = 1; i <= entities->Count(); ++i) items.push_back(entities->Item(i));
    return items;
  }

  Ref<model::Application> app = model::Application::Create();
  Ref<model::AssemblyDocument> doc = model::AssemblyDocument::Create("rig");
  Ref<model::Component> cart;
  Ref<model::Component> crate;
  Ref<model::Component> rail;
  Ref<CPath> path = std::make_shared<CPath>();

  std::unique_ptr<CSelectPath> select;
  Connection completion;
  int completions = 0;
  long completedSlot = -1;
};

}  // namespace sledway::test
