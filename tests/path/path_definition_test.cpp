#include "path/path_definition.hpp"

#include <memory>
#include <utility>

#include "path_test_support.hpp"

namespace sledway {
namespace {

// A 2D curve of a kind the add-in does not know; the model host makes none.
class ForeignSketchCurve : public IVSketchEntity {
 public:
  explicit ForeignSketchCurve(Ref<IVComponent> owner) : owner_(std::move(owner)) {}
  IVCurveKind ObjectType() override { return static_cast<IVCurveKind>(0x05009999); }
  Ref<IVObject> Parent() override { return nullptr; }
  Ref<IVComponent> ContainingOccurrence() override { return owner_; }

 private:
  Ref<IVComponent> owner_;
};

TEST(PathDefinitionTest, StartsEmptyAndCachesTheLengthUntilThePathIsDeleted) {
  test::ModelAssembly model;
  auto sketch = model.doc->AddSketch3d("lines");
  sketch->AddLine(gp_Pnt(0, 0, 0), gp_Pnt(3, 0, 0));
  sketch->AddLine(gp_Pnt(3, 0, 0), gp_Pnt(3, 4, 0));
  const auto curve = [&](int i) { return model.doc->Sketch3d("lines")->Curve(i); };
  auto cart = model.doc->AddComponent(
      "cart:1", model.doc->AddBoxPart("cart", "10 mm", "10 mm", "10 mm"), gp_Trsf());

  CPath path;
  EXPECT_FALSE(path.FlipPath() || path.HidePath() || path.IsPointFromVertex() || path.IsAligned() ||
               path.IsTangentFromEdge() || path.FlipEdge() || path.SES());
  EXPECT_EQ(path.Steps() + path.Reps(), 0);
  EXPECT_EQ(path.Length(), 0.0);
  path.PathParent(cart);
  path.DeletePath();  // no chain yet: nothing changes
  EXPECT_EQ(path.PathParent(), cart);

  const auto chain = path.PathEnts();
  EXPECT_EQ(path.PathEnts(), chain);
  EXPECT_EQ(path.Length(), 0.0);  // empty: not cached
  chain->Add(model.app, curve(1)->ObjectType(), curve(1), 1);
  EXPECT_NEAR(path.Length(), 3.0, 1e-12);
  chain->Add(model.app, curve(2)->ObjectType(), curve(2), 1);
  EXPECT_NEAR(path.Length(), 3.0, 1e-12);  // cached before the second curve came

  path.DeletePath();
  EXPECT_EQ(chain->Count(), 0);
  EXPECT_EQ(path.PathParent(), nullptr);
  EXPECT_NE(path.PathEnts(), chain);
  path.PathEnts()->Add(model.app, curve(2)->ObjectType(), curve(2), 1);
  EXPECT_NEAR(path.Length(), 4.0, 1e-12);
}

TEST(PathDefinitionTest, ThePathParentIsTheComponentOfTheFirstEntity) {
  test::ModelAssembly model;
  auto part = model.doc->AddBoxPart("rail", "40 mm", "20 mm", "10 mm");
  part->AddSketch("top", gp_Ax3(gp_Pnt(0, 0, 1), gp::DZ(), gp::DX()))
      ->AddLine(gp_Pnt2d(0, 0), gp_Pnt2d(4, 0));
  part->AddSketch3d("wire")->AddLine(gp_Pnt(0, 0, 0), gp_Pnt(0, 2, 1));
  auto rail = model.doc->AddComponent("rail:1", part, gp_Trsf());
  auto other = model.doc->AddComponent("rail:2", part, gp_Trsf());
  model.doc->AddSketch("ground", gp_Ax3())->AddLine(gp_Pnt2d(0, 0), gp_Pnt2d(1, 0));
  const auto parentOf = [&](const Ref<IVObject>& curve, IVCurveKind kind, int type) {
    CPath path;
    path.PathParent(other);
    path.PathEnts()->Add(model.app, kind, curve, type);
    path.SetPathParent();
    return path.PathParent();
  };
  const auto top = rail->Sketch("top")->Curve(1);
  const auto wire = rail->Sketch3d("wire")->Curve(1);
  const auto ground = model.doc->Sketch("ground")->Curve(1);
  EXPECT_EQ(parentOf(top, top->ObjectType(), 0), rail);
  EXPECT_EQ(parentOf(wire, wire->ObjectType(), 1), rail);
  EXPECT_EQ(parentOf(rail->Edge(1), IVCurveKind::kEdge, 2), rail);
  EXPECT_EQ(parentOf(ground, ground->ObjectType(), 0), nullptr);  // the assembly's own sketch
  EXPECT_EQ(parentOf(std::make_shared<ForeignSketchCurve>(rail), IVCurveKind::kSketchLine, 0),
            other);

  CPath empty;
  empty.PathParent(other);
  EXPECT_THROW(empty.SetPathParent(), HostError);
  empty.PathEnts();
  EXPECT_THROW(empty.SetPathParent(), HostError);
  EXPECT_EQ(empty.PathParent(), other);
}

}  // namespace
}  // namespace sledway
