#include "path/path_definition.hpp"

#include "path/path_entity_chain.hpp"
#include "path_test_support.hpp"

namespace sledway {
namespace {

// The path's component comes from its first entity, and its length is summed once and kept
// until the path is deleted.
TEST(PathDefinitionTest, FindsItsComponentAndCachesItsLengthUntilDeleted) {
  test::ModelAssembly model;
  auto rail = model.doc->AddBoxPart("rail", "10 mm", "10 mm", "10 mm");
  rail->AddSketch3d("guide")->AddLine(gp_Pnt(0, 0, 0), gp_Pnt(3, 0, 0));
  auto railComponent = model.doc->AddComponent("rail:1", rail, gp_Trsf());
  model.doc->AddSketch3d("loose")->AddCircle(gp_Ax2(), 2.0);

  CPath path;
  path.DeletePath();  // a chain never read: nothing to delete, nothing changes
  test::ExpectHostError([&] { path.SetPathParent(); }, hresult::kPointer, "no entities");
  EXPECT_EQ(path.Length(), 0.0);

  const auto guide = railComponent->Sketch3d("guide")->Curve(1);
  path.PathEnts()->Add(model.app, guide->ObjectType(), guide, 1);
  path.SetPathParent();
  EXPECT_TRUE(SameObject(path.PathParent(), railComponent));
  EXPECT_DOUBLE_EQ(path.Length(), 3.0);

  // Adding after the length was read leaves the cached value. A curve of the assembly's own
  // sketch is no proxy (the kind's own code) yet is a path curve; added first it gives no
  // component.
  const auto circle = model.doc->Sketch3d("loose")->Curve(1);
  EXPECT_EQ(circle->ObjectType(), IVCurveKind{0x0500D200});
  path.PathEnts()->Add(model.app, circle->ObjectType(), circle, 1);
  EXPECT_DOUBLE_EQ(path.Length(), 3.0);

  const auto firstChain = path.PathEnts();
  path.DeletePath();
  EXPECT_EQ(path.PathParent(), nullptr);
  EXPECT_NE(path.PathEnts(), firstChain);
  EXPECT_EQ(path.PathEnts()->Count(), 0);
  path.PathEnts()->Add(model.app, circle->ObjectType(), circle, 1);
  path.PathParent(railComponent);
  path.SetPathParent();
  EXPECT_EQ(path.PathParent(), nullptr);
  EXPECT_NEAR(path.Length(), 2 * std::numbers::pi * 2.0, 1e-12);
}

}  // namespace
}  // namespace sledway
