#include "modelhost/component/component.hpp"

#include <gmock/gmock.h>

#include <BRepAdaptor_Curve.hxx>
#include <BRep_Tool.hxx>
#include <TopExp.hxx>
#include <array>
#include <limits>
#include <string>

#include "../model_test_helpers.hpp"
#include "modelhost/geometry/vector.hpp"
#include "modelhost/interaction/selectable.hpp"

namespace sledway::model {
namespace {

using ::testing::HasSubstr;

bool Passes(const Ref<IVObject>& entity, IVSelectFilter filter) {
  auto selectable = std::dynamic_pointer_cast<Selectable>(entity);
  return selectable && selectable->PassesFilter(filter);
}

// A matrix with a translation cell that is not a number.
class NotANumberMatrix : public Matrix {
 public:
  double Cell(int row, int column) override {
    if (row == 2 && column == 4) return std::numeric_limits<double>::quiet_NaN();
    return Matrix::Cell(row, column);
  }
};

class ComponentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // 60 x 40 x 20 mm: 6 x 4 x 2 cm.
    box_ = assembly_->AddBoxPart("box", "60", "40", "20");
    box_->AddWorkPoint("tip", gp_Pnt(1.0, 2.0, 3.0));
    box_->AddWorkAxis("spine", gp_Ax1(gp_Pnt(0.0, 2.0, 1.0), gp::DX()));
    component_ = assembly_->AddComponent("box:1", box_, TurnedAndShifted());
  }

  Ref<AssemblyDocument> assembly_ = AssemblyDocument::Create("proxies");
  Ref<Part> box_;
  Ref<Component> component_;
};

TEST_F(ComponentTest, ProxiesAreTheSameObjectsAndFollowTheComponent) {
  auto vertex = component_->Vertex(7);
  EXPECT_TRUE(SameObject(vertex->ContainingOccurrence(), component_));
  auto evaluator = component_->Edge(3)->GetEvaluator();
  auto tip = component_->WorkPoint("tip");
  auto line = component_->WorkAxis("spine")->GetLine();
  // A work axis's parameter is the signed distance from its root point along its direction.
  const double at[] = {0.0, 2.5};
  std::array<double, 6> points{};
  line->GetEvaluator()->GetPointAtParam(at, points);
  EXPECT_LE(gp_Pnt(points[0], points[1], points[2]).Distance(gp_Pnt(8.0, 0.0, 1.0)), 1e-12);
  EXPECT_LE(gp_Pnt(points[3], points[4], points[5]).Distance(gp_Pnt(8.0, 2.5, 1.0)), 1e-12);

  const gp_Pnt local = BRep_Tool::Pnt(box_->Vertex(7));
  EXPECT_LE(ModelPoint(vertex->GetPoint()).Distance(TurnedAndShifted(local)), 1e-12);

  // Moved after the proxies and the evaluator were made: they report where things are now.
  const gp_Vec shift(1.0, -2.0, 3.0);
  component_->SetTransformation(std::make_shared<Matrix>(Shifted(1.0, -2.0, 3.0)));
  EXPECT_LE(ModelPoint(vertex->GetPoint()).Distance(local.Translated(shift)), 1e-12);
  const gp_Pnt a = BRep_Tool::Pnt(TopExp::FirstVertex(box_->Edge(3))).Translated(shift);
  const gp_Pnt b = BRep_Tool::Pnt(TopExp::LastVertex(box_->Edge(3))).Translated(shift);
  const auto [p, q] = Ends(evaluator);
  EXPECT_LT(
      std::min(std::max(p.Distance(a), q.Distance(b)), std::max(p.Distance(b), q.Distance(a))),
      1e-12);
  EXPECT_LE(ModelPoint(line->RootPoint()).Distance(gp_Pnt(1.0, 0.0, 4.0)), 1e-12);
  EXPECT_LE(ModelPoint(tip->GetPoint()).Distance(gp_Pnt(2.0, 0.0, 6.0)), 1e-12);
}

TEST_F(ComponentTest, ProxiesAnswerTheirSelectionFilters) {
  auto cylinder = assembly_->AddCylinderPart("roller", "10", "30");
  auto roller = assembly_->AddComponent("roller:1", cylinder, gp_Trsf());
  for (int i = 1; i <= cylinder->EdgeCount(); ++i) {
    const bool straight = BRepAdaptor_Curve(cylinder->Edge(i)).GetType() == GeomAbs_Line;
    EXPECT_EQ(Passes(roller->Edge(i), IVSelectFilter::kPartEdgeLinear), straight) << i;
  }

  // The poles of a sphere are collapsed edges: never offered, no evaluator.
  auto sphere = assembly_->AddSpherePart("ball", "10");
  auto ball = assembly_->AddComponent("ball:1", sphere, gp_Trsf());
  for (int i = 1; i <= sphere->EdgeCount(); ++i) {
    if (!BRep_Tool::Degenerated(sphere->Edge(i))) continue;
    EXPECT_FALSE(Passes(ball->Edge(i), IVSelectFilter::kPartEdge));
    EXPECT_THAT(Refusal([&] { ball->Edge(i)->GetEvaluator(); }).what(),
                HasSubstr("edge " + std::to_string(i) + " of component 'ball:1'"));
  }
}

TEST_F(ComponentTest, TransformationIsAFreeCopyAndBadInputChangesNothing) {
  auto copy = component_->GetTransformation();
  copy->SetTranslation(std::make_shared<Vector>(gp_Vec(9.0, 9.0, 9.0)), false);
  EXPECT_DOUBLE_EQ(component_->GetTransformation()->Cell(1, 4), 10.0);

  const gp_Trsf before = component_->Placement();
  EXPECT_THAT(
      Refusal([&] { component_->SetTransformation(std::make_shared<NotANumberMatrix>()); }).what(),
      HasSubstr("box:1"));
  EXPECT_THROW(component_->SetTransformation(nullptr), HostError);
  EXPECT_TRUE(component_->Placement().TranslationPart().IsEqual(before.TranslationPart(), 0.0));

  const HostError edge13 = Refusal([&] { component_->Edge(13); });
  EXPECT_EQ(edge13.Code(), hresult::kBadIndex);
  EXPECT_THAT(edge13.what(), HasSubstr("'box:1' has no edge 13"));
  EXPECT_THAT(Refusal([&] { component_->WorkPoint("tpi"); }).what(), HasSubstr("'tpi'"));
}

TEST_F(ComponentTest, PlacementStaysRigidOverManySmallTurns) {
  const gp_Ax1 axis(gp::Origin(), gp_Dir(1.0, 2.0, 3.0));
  const double step = 1e-3;
  const int steps = 100000;
  component_->SetTransformation(std::make_shared<Matrix>(Shifted(1.0, 2.0, 3.0)));
  gp_Trsf small;
  small.SetRotation(axis, step);
  auto turn = std::make_shared<Matrix>(small);
  for (int i = 0; i < steps; ++i) {
    auto placement = component_->GetTransformation();
    placement->TransformBy(turn);
    component_->SetTransformation(placement);
  }

  // Still orthonormal, and the turns add up to one rotation of steps * step about the axis.
  EXPECT_LT(OrthonormalityError(component_->Placement()), 1e-14);
  gp_Trsf whole;
  whole.SetRotation(axis, steps * step);
  whole = whole * Shifted(1.0, 2.0, 3.0);
  EXPECT_TRUE(component_->GetTransformation()->IsEqualTo(std::make_shared<Matrix>(whole), 1e-9));
}

TEST(ComponentLifetimeTest, ProxiesDoNotKeepTheirComponentAlive) {
  Ref<IVVertex> vertex;
  std::weak_ptr<Component> watched;
  {
    auto assembly = AssemblyDocument::Create("short-lived");
    auto component = assembly->AddComponent(
        "plate:1", assembly->AddBoxPart("plate", "10", "10", "10"), gp_Trsf());
    vertex = component->Vertex(1);
    watched = component;
  }
  EXPECT_TRUE(watched.expired());
  EXPECT_THROW(vertex->GetPoint(), HostError);
}

}  // namespace
}  // namespace sledway::model
