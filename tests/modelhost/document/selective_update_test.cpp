#include <gmock/gmock.h>

#include <BRep_Tool.hxx>
#include <TopExp.hxx>
#include <array>

#include "../model_test_helpers.hpp"

namespace sledway::model {
namespace {

using ::testing::HasSubstr;

// The number of the edge of `part` that runs along `direction`, and of its vertex farthest
// from the origin.
int EdgeAlong(const Part& part, const gp_Dir& direction) {
  for (int i = 1; i <= part.EdgeCount(); ++i) {
    const TopoDS_Edge edge = part.Edge(i);
    const gp_Vec span(BRep_Tool::Pnt(TopExp::FirstVertex(edge)),
                      BRep_Tool::Pnt(TopExp::LastVertex(edge)));
    // A closed edge (a cylinder's rim) spans nothing.
    if (span.Magnitude() > 1e-9 && span.IsParallel(gp_Vec(direction), 1e-12)) return i;
  }
  return 0;
}
int FarthestVertex(const Part& part) {
  int farthest = 1;
  for (int i = 2; i <= part.VertexCount(); ++i) {
    if (BRep_Tool::Pnt(part.Vertex(i)).Distance(gp::Origin()) >
        BRep_Tool::Pnt(part.Vertex(farthest)).Distance(gp::Origin())) {
      farthest = i;
    }
  }
  return farthest;
}

// Three parts: "lid" reads "width" directly and through "depth", "post" reads "height", and
// "block" reads no parameter. Each has a component; the lid's turned and shifted.
class SelectiveUpdateTest : public ::testing::Test {
 protected:
  SelectiveUpdateTest() {
    ParameterTable& parameters = assembly_->Parameters();
    width_ = parameters.AddUserParameter("width", "30 mm", "mm");
    parameters.AddUserParameter("depth", "2 * width", "mm");
    height_ = parameters.AddModelParameter("height", "40 mm", "mm");
    lid_ = assembly_->AddBoxPart("lid", "50", "width", "depth / 6");
    post_ = assembly_->AddCylinderPart("post", "height / 4", "height");
    block_ = assembly_->AddBoxPart("block", "60", "40", "20");
    lidComponent_ = assembly_->AddComponent("lid:1", lid_, TurnedAndShifted());
    postComponent_ = assembly_->AddComponent("post:1", post_, Shifted(0, 0, 5));
    blockComponent_ = assembly_->AddComponent("block:1", block_, gp_Trsf());
  }

  std::array<int, 3> Generations() const {
    return {lid_->Generation(), post_->Generation(), block_->Generation()};
  }

  Ref<AssemblyDocument> assembly_ = AssemblyDocument::Create("parts");
  Ref<Parameter> width_;
  Ref<Parameter> height_;
  Ref<Part> lid_;
  Ref<Part> post_;
  Ref<Part> block_;
  Ref<Component> lidComponent_;
  Ref<Component> postComponent_;
  Ref<Component> blockComponent_;
};

TEST_F(SelectiveUpdateTest, RebuildsOnlyThePartsThatReadAChangedValue) {
  const TopoDS_Shape lidBody = lid_->Shape();
  // Nothing changed, or only where a component stands: no part is rebuilt.
  assembly_->Update();
  blockComponent_->SetTransformation(std::make_shared<Matrix>(Shifted(1, 2, 3)));
  assembly_->Update();
  EXPECT_EQ(Generations(), (std::array{1, 1, 1}));
  EXPECT_TRUE(lid_->Shape().IsSame(lidBody));

  // The lid reads width directly and through depth; it alone is rebuilt, once per update.
  width_->Expression("45 mm");
  assembly_->Update();
  EXPECT_EQ(Generations(), (std::array{2, 1, 1}));
  assembly_->Update();
  EXPECT_EQ(Generations(), (std::array{2, 1, 1}));
  assembly_->Parameters().Find("depth")->Expression("3 * width");
  assembly_->Update();
  EXPECT_EQ(Generations(), (std::array{3, 1, 1}));
  height_->Expression("80 mm");
  assembly_->Update();
  EXPECT_EQ(Generations(), (std::array{3, 2, 1}));
  // An expression that gives the same value again changes no value a part reads.
  width_->Expression("40 mm + 5 mm");
  assembly_->Update();
  EXPECT_EQ(Generations(), (std::array{3, 2, 1}));
}

TEST_F(SelectiveUpdateTest, ProxiesKeepTheirIdentityAndTheRebuiltPartAnswersWithItsNewBody) {
  const int across = EdgeAlong(*lid_, gp::DY());
  const int corner = FarthestVertex(*lid_);
  const int postAxis = EdgeAlong(*post_, gp::DZ());
  ASSERT_GT(across, 0);
  ASSERT_GT(postAxis, 0);
  const Ref<IVEdgeProxy> lidEdge = lidComponent_->Edge(across);
  const Ref<IVVertex> lidCorner = lidComponent_->Vertex(corner);
  const Ref<IVEdgeProxy> postEdge = postComponent_->Edge(postAxis);
  const Ref<IVCurveEvaluator> lidEvaluator = lidEdge->GetEvaluator();
  const Ref<IVCurveEvaluator> postEvaluator = postEdge->GetEvaluator();
  EXPECT_NEAR(LengthOf(*lidEvaluator), 3.0, 1e-12);
  EXPECT_NEAR(LengthOf(*postEvaluator), 4.0, 1e-12);
  EXPECT_LT(ModelPoint(lidCorner->GetPoint()).Distance(TurnedAndShifted(gp_Pnt(5, 3, 1))), 1e-12);

  width_->Expression("45 mm");
  assembly_->Update();
  // Every proxy is the same object; those of the parts not rebuilt answer as before.
  EXPECT_EQ(lidComponent_->Edge(across), lidEdge);
  EXPECT_EQ(lidComponent_->Vertex(corner), lidCorner);
  EXPECT_EQ(postComponent_->Edge(postAxis), postEdge);
  EXPECT_NEAR(LengthOf(*postEvaluator), 4.0, 1e-12);
  // The lid's edge, corner and an evaluator taken before the rebuild answer with the new body:
  // 5 x 4.5 x 1.5 cm, turned and shifted with its component.
  EXPECT_NEAR(LengthOf(*lidEvaluator), 4.5, 1e-12);
  EXPECT_NEAR(LengthOf(*lidEdge->GetEvaluator()), 4.5, 1e-12);
  EXPECT_LT(ModelPoint(lidCorner->GetPoint()).Distance(TurnedAndShifted(gp_Pnt(5, 4.5, 1.5))),
            1e-12);
  const gp_Vec along(Ends(lidEvaluator).first, Ends(lidEvaluator).second);
  // The component turns the box's Y onto the assembly's -X.
  EXPECT_TRUE(along.IsParallel(gp_Vec(gp::DX()), 1e-12));
}

TEST_F(SelectiveUpdateTest, AFailedUpdateChangesNothingAndTheNextOneTriesAgain) {
  const Ref<IVVertex> lidCorner = lidComponent_->Vertex(FarthestVertex(*lid_));
  const Ref<IVCurveEvaluator> lidEvaluator =
      lidComponent_->Edge(EdgeAlong(*lid_, gp::DY()))->GetEvaluator();
  const TopoDS_Shape lidBody = lid_->Shape();
  const TopoDS_Shape postBody = post_->Shape();

  // The post could be rebuilt, the lid not: neither is, and no value is taken.
  height_->Expression("80 mm");
  width_->Expression("0 mm");
  for (int attempt = 0; attempt < 2; ++attempt) {
    const std::string refusal = Refusal([&] { assembly_->Update(); }).what();
    EXPECT_THAT(refusal, HasSubstr("part 'lid'"));
    EXPECT_THAT(refusal, HasSubstr("width"));
    EXPECT_THAT(refusal, HasSubstr("0 mm"));
    EXPECT_DOUBLE_EQ(width_->Value(), 30.0);
    EXPECT_DOUBLE_EQ(height_->Value(), 40.0);
    EXPECT_DOUBLE_EQ(assembly_->Parameters().Find("depth")->Value(), 60.0);
    EXPECT_EQ(Generations(), (std::array{1, 1, 1}));
    EXPECT_TRUE(lid_->Shape().IsSame(lidBody));
    EXPECT_TRUE(post_->Shape().IsSame(postBody));
  }

  width_->Expression("40 mm");
  assembly_->Update();
  EXPECT_DOUBLE_EQ(width_->Value(), 40.0);
  EXPECT_DOUBLE_EQ(height_->Value(), 80.0);
  EXPECT_EQ(Generations(), (std::array{2, 2, 1}));
  EXPECT_NEAR(LengthOf(*lidEvaluator), 4.0, 1e-12);
  EXPECT_LT(ModelPoint(lidCorner->GetPoint()).Distance(TurnedAndShifted(gp_Pnt(5, 4, 4.0 / 3.0))),
            1e-12);
}

}  // namespace
}  // namespace sledway::model
