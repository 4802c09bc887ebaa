#include "modelhost/component/component.hpp"

#include <gtest/gtest.h>

#include <BRepAdaptor_Curve.hxx>
#include <BRep_Tool.hxx>
#include <TopExp.hxx>
#include <algorithm>
#include <array>
#include <cmath>
#include <gp.hxx>
#include <gp_Quaternion.hxx>
#include <gp_Trsf.hxx>
#include <limits>
#include <numbers>
#include <vector>

#include "host/host.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/geometry/matrix.hpp"
#include "modelhost/geometry/vector.hpp"
#include "modelhost/interaction/selectable.hpp"
#include "modelhost/part/part.hpp"

namespace sledway::model {
namespace {

constexpr double kPi = std::numbers::pi;

gp_Pnt ModelPoint(const Ref<IVPoint>& point) {
  return gp_Pnt(point->X(), point->Y(), point->Z());
}

gp_Trsf Shifted(double x, double y, double z) {
  gp_Trsf shift;
  shift.SetTranslation(gp_Vec(x, y, z));
  return shift;
}

// Quarter turn about Z, then 10 cm along X: (x, y, z) -> (10 - y, x, z).
gp_Pnt TurnedAndShifted(const gp_Pnt& p) {
  return gp_Pnt(10.0 - p.Y(), p.X(), p.Z());
}

gp_Trsf TurnedAndShifted() {
  gp_Trsf turn;
  turn.SetRotation(gp::OZ(), kPi / 2.0);
  return Shifted(10.0, 0.0, 0.0) * turn;
}

bool Passes(const Ref<IVObject>& entity, IVSelectFilter filter) {
  auto selectable = std::dynamic_pointer_cast<Selectable>(entity);
  return selectable && selectable->PassesFilter(filter);
}

// A matrix of another implementation with one cell that is not a number.
class NotANumberMatrix : public IVMatrix {
 public:
  double Cell(int row, int column) override {
    if (row == 2 && column == 4) return std::numeric_limits<double>::quiet_NaN();
    return row == column ? 1.0 : 0.0;
  }
  void SetToIdentity() override {}
  Ref<IVVector> GetTranslation() override { return nullptr; }
  void SetTranslation(const Ref<IVVector>&, bool) override {}
  void SetToRotationBetween(const Ref<IVVector>&, const Ref<IVVector>&,
                            const Ref<IVVector>&) override {}
  void TransformBy(const Ref<IVMatrix>&) override {}
  bool IsEqualTo(const Ref<IVMatrix>&, double) override { return false; }
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

  gp_Pnt LocalVertex(int index) const { return BRep_Tool::Pnt(box_->Vertex(index)); }

  Ref<AssemblyDocument> assembly_ = AssemblyDocument::Create("proxies");
  Ref<Part> box_;
  Ref<Component> component_;
};

TEST_F(ComponentTest, VerticesAreTheSameObjectsAndFollowTheComponent) {
  ASSERT_EQ(box_->VertexCount(), 8);
  auto vertex = component_->Vertex(7);
  EXPECT_EQ(vertex, component_->Vertex(7));
  EXPECT_NE(vertex, component_->Vertex(6));
  EXPECT_TRUE(SameObject(vertex->ContainingOccurrence(), component_));

  // The eight corners of the box, each once, where the placement puts them.
  std::vector<gp_Pnt> corners;
  for (double x : {0.0, 6.0}) {
    for (double y : {0.0, 4.0}) {
      for (double z : {0.0, 2.0}) corners.push_back(TurnedAndShifted(gp_Pnt(x, y, z)));
    }
  }
  for (int i = 1; i <= 8; ++i) {
    const gp_Pnt seen = ModelPoint(component_->Vertex(i)->GetPoint());
    auto match = std::find_if(corners.begin(), corners.end(),
                              [&](const gp_Pnt& corner) { return corner.Distance(seen) < 1e-12; });
    ASSERT_NE(match, corners.end()) << "vertex " << i;
    corners.erase(match);
  }

  component_->SetTransformation(std::make_shared<Matrix>(Shifted(0.0, 0.0, 5.0)));
  const gp_Pnt local = LocalVertex(7);
  EXPECT_LE(ModelPoint(vertex->GetPoint()).Distance(local.Translated(gp_Vec(0.0, 0.0, 5.0))),
            1e-12);
}

TEST_F(ComponentTest, EdgeEvaluatorsFollowTheComponentLive) {
  ASSERT_EQ(box_->EdgeCount(), 12);
  auto edge = component_->Edge(3);
  EXPECT_EQ(edge, component_->Edge(3));
  auto evaluator = edge->GetEvaluator();
  const gp_Pnt a = BRep_Tool::Pnt(TopExp::FirstVertex(box_->Edge(3)));
  const gp_Pnt b = BRep_Tool::Pnt(TopExp::LastVertex(box_->Edge(3)));

  // Moved after the evaluator was made: it still reports where the edge is now.
  component_->SetTransformation(std::make_shared<Matrix>(Shifted(1.0, -2.0, 3.0)));
  std::array<double, 3> start{};
  std::array<double, 3> end{};
  evaluator->GetEndPoints(start, end);
  const gp_Pnt p(start[0], start[1], start[2]);
  const gp_Pnt q(end[0], end[1], end[2]);
  const gp_Vec shift(1.0, -2.0, 3.0);
  const bool same =
      p.Distance(a.Translated(shift)) < 1e-12 && q.Distance(b.Translated(shift)) < 1e-12;
  const bool swapped =
      p.Distance(b.Translated(shift)) < 1e-12 && q.Distance(a.Translated(shift)) < 1e-12;
  EXPECT_TRUE(same || swapped);

  // A straight edge's tangent at parameter 0 is its direction.
  const double at[] = {0.0};
  std::array<double, 3> tangent{};
  evaluator->GetTangent(at, tangent);
  const gp_Vec direction(tangent[0], tangent[1], tangent[2]);
  EXPECT_GT(direction.Magnitude(), 0.0);
  EXPECT_LT(direction.Crossed(gp_Vec(p, q)).Magnitude(), 1e-12 * direction.Magnitude());
}

TEST_F(ComponentTest, WorkFeaturesReportInAssemblyCoordinates) {
  auto tip = component_->WorkPoint("tip");
  EXPECT_EQ(tip, component_->WorkPoint("tip"));
  EXPECT_LE(ModelPoint(tip->GetPoint()).Distance(gp_Pnt(8.0, 1.0, 3.0)), 1e-12);
  EXPECT_TRUE(SameObject(tip->ContainingOccurrence(), component_));

  auto spine = component_->WorkAxis("spine");
  EXPECT_EQ(spine, component_->WorkAxis("spine"));
  auto line = spine->GetLine();
  EXPECT_LE(ModelPoint(line->RootPoint()).Distance(gp_Pnt(8.0, 0.0, 1.0)), 1e-12);
  auto direction = line->Direction();
  EXPECT_NEAR(direction->X(), 0.0, 1e-15);
  EXPECT_NEAR(direction->Y(), 1.0, 1e-15);
  EXPECT_NEAR(direction->Z(), 0.0, 1e-15);

  // Parameter = signed distance from the root point; the tangent is the direction.
  auto evaluator = line->GetEvaluator();
  const double at[] = {0.0, 2.5};
  std::array<double, 6> points{};
  std::array<double, 6> tangents{};
  evaluator->GetPointAtParam(at, points);
  evaluator->GetTangent(at, tangents);
  EXPECT_NEAR(points[3], 8.0, 1e-12);
  EXPECT_NEAR(points[4], 2.5, 1e-12);
  EXPECT_NEAR(points[5], 1.0, 1e-12);
  EXPECT_NEAR(tangents[0], 0.0, 1e-15);
  EXPECT_NEAR(tangents[1], 1.0, 1e-15);

  // The line follows a move made after it was taken.
  component_->SetTransformation(std::make_shared<Matrix>(Shifted(0.0, 0.0, 1.0)));
  EXPECT_LE(ModelPoint(line->RootPoint()).Distance(gp_Pnt(0.0, 2.0, 2.0)), 1e-12);
  EXPECT_LE(ModelPoint(tip->GetPoint()).Distance(gp_Pnt(1.0, 2.0, 4.0)), 1e-12);
}

TEST_F(ComponentTest, ProxiesAnswerTheirSelectionFilters) {
  auto cylinder = assembly_->AddCylinderPart("roller", "10", "30");
  auto roller = assembly_->AddComponent("roller:1", cylinder, gp_Trsf());
  int circles = 0;
  for (int i = 1; i <= cylinder->EdgeCount(); ++i) {
    auto edge = roller->Edge(i);
    EXPECT_TRUE(Passes(edge, IVSelectFilter::kPartEdges));
    const bool straight = BRepAdaptor_Curve(cylinder->Edge(i)).GetType() == GeomAbs_Line;
    EXPECT_EQ(Passes(edge, IVSelectFilter::kPartStraightEdges), straight) << "edge " << i;
    if (!straight) ++circles;
  }
  EXPECT_EQ(circles, 2);
  EXPECT_TRUE(Passes(component_->Edge(1), IVSelectFilter::kPartStraightEdges));
  EXPECT_FALSE(Passes(component_->Edge(1), IVSelectFilter::kPartVertices));
  EXPECT_TRUE(Passes(component_->Vertex(1), IVSelectFilter::kPartVertices));
  EXPECT_FALSE(Passes(component_->Vertex(1), IVSelectFilter::kWorkPoints));
  EXPECT_TRUE(Passes(component_->WorkPoint("tip"), IVSelectFilter::kWorkPoints));
  EXPECT_TRUE(Passes(component_->WorkAxis("spine"), IVSelectFilter::kWorkAxes));
  EXPECT_FALSE(Passes(component_->WorkAxis("spine"), IVSelectFilter::kPartEdges));

  // The poles of a sphere are collapsed edges: never offered, no evaluator.
  auto sphere = assembly_->AddSpherePart("ball", "10");
  auto ball = assembly_->AddComponent("ball:1", sphere, gp_Trsf());
  int collapsed = 0;
  for (int i = 1; i <= sphere->EdgeCount(); ++i) {
    if (!BRep_Tool::Degenerated(sphere->Edge(i))) continue;
    ++collapsed;
    EXPECT_FALSE(Passes(ball->Edge(i), IVSelectFilter::kPartEdges));
    try {
      ball->Edge(i)->GetEvaluator();
      ADD_FAILURE() << "a collapsed edge was evaluated";
    } catch (const HostError& error) {
      EXPECT_NE(
          std::string(error.what()).find("edge " + std::to_string(i) + " of component 'ball:1'"),
          std::string::npos)
          << error.what();
    }
  }
  EXPECT_EQ(collapsed, 2);

  // A box has no tangent continuation: an edge's chain is the edge itself.
  auto chain = component_->Edge(5)->GetTangentChain();
  ASSERT_EQ(chain->Count(), 1);
  EXPECT_TRUE(SameObject(chain->Item(1), component_->Edge(5)));
}

TEST_F(ComponentTest, TransformationIsAFreeCopyAndBadInputChangesNothing) {
  auto copy = component_->GetTransformation();
  EXPECT_NE(copy, component_->GetTransformation());
  copy->SetTranslation(std::make_shared<Vector>(gp_Vec(9.0, 9.0, 9.0)), false);
  EXPECT_DOUBLE_EQ(component_->Placement().TranslationPart().X(), 10.0);
  EXPECT_DOUBLE_EQ(component_->GetTransformation()->Cell(1, 4), 10.0);

  const gp_Trsf before = component_->Placement();
  auto error = HostError(0, "");
  try {
    component_->SetTransformation(std::make_shared<NotANumberMatrix>());
  } catch (const HostError& refused) {
    error = refused;
  }
  EXPECT_NE(std::string(error.what()).find("box:1"), std::string::npos) << error.what();
  EXPECT_THROW(component_->SetTransformation(nullptr), HostError);
  EXPECT_TRUE(component_->Placement().TranslationPart().IsEqual(before.TranslationPart(), 0.0));
  EXPECT_TRUE(std::isfinite(component_->GetTransformation()->Cell(2, 4)));

  try {
    component_->Edge(13);
    ADD_FAILURE() << "edge 13 of a box";
  } catch (const HostError& refused) {
    EXPECT_EQ(refused.Code(), hresult::kBadIndex);
    EXPECT_NE(std::string(refused.what()).find("box:1"), std::string::npos);
    EXPECT_NE(std::string(refused.what()).find("13"), std::string::npos);
  }
  EXPECT_THROW(component_->Vertex(0), HostError);
  try {
    component_->WorkPoint("tpi");
    ADD_FAILURE() << "unknown work point";
  } catch (const HostError& refused) {
    EXPECT_NE(std::string(refused.what()).find("'tpi'"), std::string::npos);
  }
  EXPECT_THROW(component_->WorkAxis("tip"), HostError);
  EXPECT_THROW(component_->Sketch("none"), HostError);
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

  auto placement = component_->GetTransformation();
  double worst = 0.0;
  for (int i = 1; i <= 3; ++i) {
    for (int j = 1; j <= 3; ++j) {
      double dot = 0.0;
      for (int k = 1; k <= 3; ++k) dot += placement->Cell(k, i) * placement->Cell(k, j);
      worst = std::max(worst, std::abs(dot - (i == j ? 1.0 : 0.0)));
    }
  }
  EXPECT_LT(worst, 1e-14);

  // The turns add up to one rotation of steps * step about the axis.
  gp_Trsf whole;
  whole.SetRotation(axis, steps * step);
  whole = whole * Shifted(1.0, 2.0, 3.0);
  EXPECT_TRUE(placement->IsEqualTo(std::make_shared<Matrix>(whole), 1e-9));
}

TEST(ComponentLifetimeTest, ProxiesDoNotKeepTheirComponentAlive) {
  Ref<IVVertex> vertex;
  std::weak_ptr<Component> watched;
  {
    auto assembly = AssemblyDocument::Create("short-lived");
    auto component = assembly->AddComponent("c", assembly->AddSpherePart("ball", "5"), gp_Trsf());
    vertex = component->Vertex(1);
    watched = component;
  }
  EXPECT_TRUE(watched.expired());
  EXPECT_THROW(vertex->GetPoint(), HostError);

  auto assembly = AssemblyDocument::Create("refusals");
  EXPECT_THROW(Component("orphan", nullptr, gp_Trsf()), HostError);
  gp_Trsf scaled;
  scaled.SetScale(gp::Origin(), 2.0);
  EXPECT_THROW(assembly->AddComponent("big", assembly->AddSpherePart("ball", "5"), scaled),
               HostError);
  EXPECT_TRUE(assembly->Components().empty());
}

}  // namespace
}  // namespace sledway::model
