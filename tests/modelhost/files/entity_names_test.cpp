// Entity names resolve to the very objects the model host hands out, and every entity listed
// for inspection resolves by its listed name.
#include "modelhost/files/entity_names.hpp"

#include <gmock/gmock.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../model_test_helpers.hpp"
#include "modelhost/files/assembly_file.hpp"

namespace sledway::model {
namespace {

using ::testing::AllOf;
using ::testing::Property;
using ::testing::StrEq;
using ::testing::Throws;

Ref<AssemblyDocument> Workshop() {
  return LoadAssemblyText(R"({
    "parts": [{ "name": "cart", "box": { "length": 40, "width": 20, "height": 10 },
      "workPoints": [{ "name": "contact", "point": [20, 10, 0] }],
      "workAxes": [{ "name": "heading", "origin": [0, 0, 0], "direction": [1, 0, 0] }],
      "sketches": [{ "name": "base",
        "plane": { "origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0] },
        "curves": [{ "kind": "line", "start": [0, 0], "end": [40, 0] },
          { "kind": "arc", "centre": [40, 10], "radius": 10, "startAngle": -90, "endAngle": 90 }] }],
      "sketches3d": [{ "name": "wire",
        "curves": [{ "kind": "line", "start": [0, 0, 0], "end": [0, 0, 10] }] }] }],
    "components": [{ "name": "cart:1", "part": "cart" }, { "name": "cart:2", "part": "cart" }],
    "sketches": [{ "name": "track",
      "plane": { "origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0] },
      "curves": [{ "kind": "circle", "centre": [0, 0], "radius": 100 }] }],
    "sketches3d": [{ "name": "spiral",
      "curves": [{ "kind": "spline", "points": [[0, 0, 0], [10, 10, 10], [20, 0, 30]] }] }]
  })",
                          "workshop.json", {});
}

TEST(EntityNames, ANameThatNamesNothingIsRefusedNamingTheStep) {
  const Ref<AssemblyDocument> document = Workshop();
  const std::pair<std::string, std::string> refusals[] = {
      {"component:cart:3/edge:5", "no component named 'cart:3'"},
      {"component:cart:1/edge:13",
       "component 'cart:1' has no edge 13 (edge numbers run from 1 to 12)"},
      {"component:cart:1/edge:five", "'five' is not a number"},
      {"component:cart:1/vertx:1",
       "unknown kind 'vertx' on a component (expected vertex, edge, workpoint, workaxis, sketch, "
       "sketch3d)"},
      {"component:cart:1/workpoint:centre", "component 'cart:1' has no work point named 'centre'"},
      {"component:cart:1/sketch:base/curve:3",
       "sketch 'base' of component 'cart:1' has no curve 3 (curve numbers run from 1 to 2)"},
      {"sketch3d:track/curve:1", "no 3D sketch named 'track'"},
      {"component:cart:1/vertex:1/edge:1", "nothing lies below 'vertex:1'"},
      {"track", "'track' is not kind:name"},
  };
  for (const auto& refusal : refusals) {
    EXPECT_THAT(
        [&] { ResolveEntity(*document, refusal.first); },
        Throws<HostError>(AllOf(Property(&HostError::Code, hresult::kInvalidArg),
                                Property(&HostError::what, StrEq("entity '" + refusal.first +
                                                                 "': " + refusal.second)))));
  }
}

TEST(EntityNames, EveryListedEntityResolvesByItsName) {
  const Ref<AssemblyDocument> document = Workshop();
  const std::vector<NamedEntity> entities = ListEntities(*document);
  // Per component: itself, 8 vertices, 12 edges, a work point, a work axis, a sketch with two
  // curves, a 3D sketch with one; then two assembly sketches with one curve each.
  EXPECT_EQ(entities.size(), 2u * (1 + 8 + 12 + 1 + 1 + 3 + 2) + 4);
  std::map<std::string, std::string> kinds;
  for (const NamedEntity& entity : entities) {
    EXPECT_TRUE(kinds.emplace(entity.name, entity.kind).second) << entity.name << " listed twice";
    EXPECT_TRUE(SameObject(ResolveEntity(*document, entity.name), entity.entity)) << entity.name;
  }
  EXPECT_EQ(kinds["component:cart:1"], "component");
  EXPECT_EQ(kinds["component:cart:1/workaxis:heading"], "work axis");
  EXPECT_EQ(kinds["component:cart:2/sketch3d:wire/curve:1"], "3D line");
  EXPECT_EQ(kinds["sketch3d:spiral/curve:1"], "3D spline");
}

TEST(EntityNames, AWalkHandsOutTheListedEntitiesAndKeepsNoneOfThoseItMade) {
  const Ref<AssemblyDocument> document = Workshop();
  const std::vector<NamedEntity> listed = ListEntities(*Workshop());
  std::vector<std::weak_ptr<IVObject>> visited;
  std::size_t index = 0;
  ForEachEntity(*document, [&](const NamedEntity& entity) {
    ASSERT_LT(index, listed.size());
    EXPECT_EQ(entity.name, listed[index].name);
    EXPECT_EQ(entity.kind, listed[index].kind);
    // What the walk hands out behaves as what the name resolves to.
    if (const auto vertex = As<IVVertex>(entity.entity)) {
      const auto resolved = As<IVVertex>(ResolveEntity(*document, entity.name));
      EXPECT_EQ(ModelPoint(vertex->GetPoint()).Distance(ModelPoint(resolved->GetPoint())), 0.0)
          << entity.name;
    }
    if (entity.name.starts_with("component:") &&
        (entity.kind == "vertex" || entity.kind == "edge" || entity.kind.starts_with("work "))) {
      visited.push_back(entity.entity);
    }
    ++index;
  });
  EXPECT_EQ(index, listed.size());
  EXPECT_EQ(visited.size(), 2u * (8 + 12 + 1 + 1));
  for (const std::weak_ptr<IVObject>& entity : visited) EXPECT_TRUE(entity.expired());
}

}  // namespace
}  // namespace sledway::model
