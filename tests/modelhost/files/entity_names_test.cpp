// Entity names resolve to the very objects the model host hands out, and every entity listed
// for inspection resolves by its listed name.
#include "modelhost/files/entity_names.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "host/host.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/assembly_file.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "modelhost/sketch/sketch3d.hpp"

namespace sledway::model {
namespace {

Ref<AssemblyDocument> Workshop() {
  return LoadAssemblyText(R"({
    "parts": [{
      "name": "cart",
      "box": { "length": 40, "width": 20, "height": 10 },
      "workPoints": [{ "name": "contact", "point": [20, 10, 0] }],
      "workAxes": [{ "name": "heading", "origin": [0, 0, 0], "direction": [1, 0, 0] }],
      "sketches": [{ "name": "base",
        "plane": { "origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0] },
        "curves": [{ "kind": "line", "start": [0, 0], "end": [40, 0] },
                   { "kind": "arc", "centre": [40, 10], "radius": 10, "startAngle": -90,
                     "endAngle": 90 }] }],
      "sketches3d": [{ "name": "wire",
        "curves": [{ "kind": "line", "start": [0, 0, 0], "end": [0, 0, 10] }] }]
    }],
    "components": [{ "name": "cart:1", "part": "cart" }, { "name": "cart:2", "part": "cart" }],
    "sketches": [{ "name": "track",
      "plane": { "origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0] },
      "curves": [{ "kind": "circle", "centre": [0, 0], "radius": 100 }] }],
    "sketches3d": [{ "name": "spiral",
      "curves": [{ "kind": "spline", "points": [[0, 0, 0], [10, 10, 10], [20, 0, 30]] }] }]
  })",
                          "workshop.json", {});
}

std::string Refusal(const AssemblyDocument& document, std::string_view name) {
  try {
    ResolveEntity(document, name);
  } catch (const HostError& error) {
    EXPECT_EQ(error.Code(), hresult::kInvalidArg);
    return error.what();
  }
  ADD_FAILURE() << name << " resolved";
  return "";
}

TEST(EntityNames, NamesResolveToTheHostsOwnObjects) {
  const Ref<AssemblyDocument> document = Workshop();
  const Ref<Component> cart2 = document->FindComponent("cart:2");
  auto resolve = [&](std::string_view name) { return ResolveEntity(*document, name); };

  EXPECT_TRUE(SameObject(resolve("component:cart:2"), cart2));
  EXPECT_TRUE(SameObject(resolve("component:cart:2/vertex:3"), cart2->Vertex(3)));
  EXPECT_TRUE(SameObject(resolve("component:cart:2/edge:12"), cart2->Edge(12)));
  EXPECT_TRUE(
      SameObject(resolve("component:cart:2/workpoint:contact"), cart2->WorkPoint("contact")));
  EXPECT_TRUE(SameObject(resolve("component:cart:2/workaxis:heading"), cart2->WorkAxis("heading")));
  EXPECT_TRUE(SameObject(resolve("component:cart:2/sketch:base"), cart2->Sketch("base")));
  EXPECT_TRUE(
      SameObject(resolve("component:cart:2/sketch:base/curve:2"), cart2->Sketch("base")->Curve(2)));
  EXPECT_TRUE(SameObject(resolve("component:cart:2/sketch3d:wire/curve:1"),
                         cart2->Sketch3d("wire")->Curve(1)));
  EXPECT_TRUE(SameObject(resolve("sketch:track/curve:1"), document->Sketch("track")->Curve(1)));
  EXPECT_TRUE(
      SameObject(resolve("sketch3d:spiral/curve:1"), document->Sketch3d("spiral")->Curve(1)));
  // A part's entity seen through the other occurrence is another object.
  EXPECT_FALSE(SameObject(resolve("component:cart:1/edge:12"), cart2->Edge(12)));
  EXPECT_TRUE(Is<IVSketchArc>(resolve("component:cart:1/sketch:base/curve:2")));
  EXPECT_TRUE(Is<IVSketchSpline3D>(resolve("sketch3d:spiral/curve:1")));
}

TEST(EntityNames, ANameThatNamesNothingIsRefusedNamingTheStep) {
  const Ref<AssemblyDocument> document = Workshop();
  EXPECT_EQ(Refusal(*document, "component:cart:3/edge:5"),
            "entity 'component:cart:3/edge:5': no component named 'cart:3'");
  EXPECT_EQ(Refusal(*document, "component:cart:1/edge:13"),
            "entity 'component:cart:1/edge:13': component 'cart:1' has no edge 13 (edge numbers "
            "run from 1 to 12)");
  EXPECT_EQ(Refusal(*document, "component:cart:1/vertex:0"),
            "entity 'component:cart:1/vertex:0': component 'cart:1' has no vertex 0 (vertex "
            "numbers run from 1 to 8)");
  EXPECT_EQ(Refusal(*document, "component:cart:1/edge:five"),
            "entity 'component:cart:1/edge:five': 'five' is not a number");
  EXPECT_EQ(Refusal(*document, "component:cart:1/vertx:1"),
            "entity 'component:cart:1/vertx:1': unknown kind 'vertx' on a component (expected "
            "vertex, edge, workpoint, workaxis, sketch, sketch3d)");
  EXPECT_EQ(Refusal(*document, "component:cart:1/workpoint:centre"),
            "entity 'component:cart:1/workpoint:centre': component 'cart:1' has no work point "
            "named 'centre'");
  EXPECT_EQ(Refusal(*document, "component:cart:1/workaxis:x"),
            "entity 'component:cart:1/workaxis:x': component 'cart:1' has no work axis named 'x'");
  EXPECT_EQ(Refusal(*document, "component:cart:1/sketch:wire/curve:1"),
            "entity 'component:cart:1/sketch:wire/curve:1': component 'cart:1' has no sketch "
            "named 'wire'");
  EXPECT_EQ(Refusal(*document, "component:cart:1/sketch:base/curve:3"),
            "entity 'component:cart:1/sketch:base/curve:3': sketch 'base' of component 'cart:1' "
            "has no curve 3 (curve numbers run from 1 to 2)");
  EXPECT_EQ(Refusal(*document, "sketch:track/line:1"),
            "entity 'sketch:track/line:1': unknown kind 'line' in a sketch (expected curve)");
  EXPECT_EQ(Refusal(*document, "sketch3d:track/curve:1"),
            "entity 'sketch3d:track/curve:1': no 3D sketch named 'track'");
  EXPECT_EQ(Refusal(*document, "component:cart:1/vertex:1/edge:1"),
            "entity 'component:cart:1/vertex:1/edge:1': nothing lies below 'vertex:1'");
  EXPECT_EQ(Refusal(*document, "part:cart"),
            "entity 'part:cart': unknown kind 'part' (expected component, sketch, sketch3d)");
  EXPECT_EQ(Refusal(*document, "component:cart:1/"),
            "entity 'component:cart:1/': '' is not kind:name");
  EXPECT_EQ(Refusal(*document, "track"), "entity 'track': 'track' is not kind:name");
}

TEST(EntityNames, EveryListedEntityResolvesByItsName) {
  const Ref<AssemblyDocument> document = Workshop();
  const std::vector<NamedEntity> entities = ListEntities(*document);
  // Per component: itself, 8 vertices, 12 edges, a work point, a work axis, a sketch with two
  // curves, a 3D sketch with one; then two assembly sketches with one curve each.
  EXPECT_EQ(entities.size(), 2u * (1 + 8 + 12 + 1 + 1 + 3 + 2) + 4);
  std::set<std::string> names;
  for (const NamedEntity& entity : entities) {
    EXPECT_TRUE(names.insert(entity.name).second) << entity.name << " listed twice";
    EXPECT_TRUE(SameObject(ResolveEntity(*document, entity.name), entity.entity)) << entity.name;
  }
  auto kindOf = [&](const std::string& name) {
    for (const NamedEntity& entity : entities) {
      if (entity.name == name) return entity.kind;
    }
    return std::string("(not listed)");
  };
  EXPECT_EQ(kindOf("component:cart:1"), "component");
  EXPECT_EQ(kindOf("component:cart:1/edge:1"), "edge");
  EXPECT_EQ(kindOf("component:cart:2/vertex:8"), "vertex");
  EXPECT_EQ(kindOf("component:cart:1/workpoint:contact"), "work point");
  EXPECT_EQ(kindOf("component:cart:1/workaxis:heading"), "work axis");
  EXPECT_EQ(kindOf("component:cart:1/sketch:base"), "2D sketch");
  EXPECT_EQ(kindOf("component:cart:1/sketch:base/curve:2"), "2D arc");
  EXPECT_EQ(kindOf("component:cart:2/sketch3d:wire/curve:1"), "3D line");
  EXPECT_EQ(kindOf("sketch:track/curve:1"), "2D circle");
  EXPECT_EQ(kindOf("sketch3d:spiral/curve:1"), "3D spline");
}

}  // namespace
}  // namespace sledway::model
