#include "cli/path_check.hpp"

#include <gmock/gmock.h>

#include <memory>
#include <vector>

#include "../modelhost/model_test_helpers.hpp"
#include "modelhost/collections/entity_collection.hpp"
#include "path/path_definition.hpp"
#include "ui/selection_slots.hpp"

namespace sledway::cli {
namespace {

using ::testing::HasSubstr;

// A bead (a sphere with the work point "centre" and the work axis "axis" along its +X) that the
// tests place wherever they want it measured.
class PathCheckTest : public ::testing::Test, protected model::ModelAssembly {
 protected:
  PathCheckTest() {
    const Ref<model::Part> bead = doc->AddSpherePart("bead", "5 mm");
    bead->AddWorkPoint("centre", gp_Pnt(0, 0, 0));
    bead->AddWorkAxis("axis", gp_Ax1(gp_Pnt(0, 0, 0), gp_Dir(1, 0, 0)));
    bead_ = doc->AddComponent("bead:1", bead, gp_Trsf());
    Pick(SelectionSlot::kFollowPoint, bead_->WorkPoint("centre"));
    Pick(SelectionSlot::kTangentLine, bead_->WorkAxis("axis"));
  }

  void Pick(SelectionSlot slot, const Ref<IVObject>& entity) {
    StoreSlotSelection(app, path_, slot,
                       std::make_shared<model::EntityCollection>(std::vector{entity}));
  }

  // Picks `curves` as the path, in that order, and checks against it.
  PathCheck CheckAgainst(const std::vector<Ref<IVObject>>& curves) {
    StoreSlotSelection(app, path_, SelectionSlot::kPath,
                       std::make_shared<model::EntityCollection>(curves));
    return PathCheck(path_);
  }

  // Puts the bead's centre at `centre` with its axis along `axis`.
  void PlaceBead(const gp_Pnt& centre, const gp_Dir& axis) {
    // The frame's X is the axis; its Z any direction square to it.
    const gp_Dir z = axis.IsParallel(gp::DZ(), 1e-9) ? gp::DX() : axis.Crossed(gp::DZ());
    gp_Trsf placement;
    placement.SetDisplacement(gp_Ax3(), gp_Ax3(gp_Ax2(centre, z, axis)));
    bead_->SetTransformation(std::make_shared<model::Matrix>(placement));
  }

  Ref<model::Component> bead_;
  CPath path_;
};

// Travel starts on the ring's X axis and runs counter-clockwise.
TEST_F(PathCheckTest, MeasuresDistanceMisalignmentAndTravelAgainstACircleOnATiltedPlane) {
  const gp_Pnt origin(3, -2, 5);
  const gp_Dir normal(1, -2, 4);
  const gp_Ax3 plane(origin, normal, gp_Dir(2, 1, 0));
  constexpr double kRadius = 10.0;
  doc->AddSketch("ring", plane)->AddCircle(gp_Pnt2d(0, 0), kRadius);
  const PathCheck check = CheckAgainst({doc->Sketch("ring")->Curve(1)});

  const gp_Vec x(plane.XDirection());
  const gp_Vec y(plane.YDirection());
  for (const double theta : {0.3, 2.0, 4.4}) {
    const gp_Vec radial = x * std::cos(theta) + y * std::sin(theta);
    const gp_Vec tangent = -x * std::sin(theta) + y * std::cos(theta);
    const gp_Pnt onCircle = origin.Translated(radial * kRadius);
    // Out of the plane by 0.25 and outwards by 0.5: the distance is their hypotenuse.
    const gp_Pnt off = onCircle.Translated(gp_Vec(normal) * 0.25 + radial * 0.5);
    for (const double angle : {0.0, 0.4, 2.0}) {
      const gp_Vec axis = tangent * std::cos(angle) + radial * std::sin(angle);
      PlaceBead(onCircle, gp_Dir(axis));
      PathMeasurement measured = check.Measure(path_, 0.5);
      EXPECT_LT(measured.distance, 1e-12);
      ASSERT_TRUE(measured.misalignment.has_value());
      // As lines: a turn of 2 rad is pi - 2 away from the tangent line.
      EXPECT_NEAR(*measured.misalignment, std::min(angle, std::numbers::pi - angle), 1e-12)
          << theta << " " << angle;

      PlaceBead(off, gp_Dir(axis));
      measured = check.Measure(path_, 0.5);
      EXPECT_NEAR(measured.distance, std::hypot(0.25, 0.5), 1e-12) << theta << " " << angle;
    }
    PlaceBead(onCircle, gp_Dir(0, 0, 1));
    const double turns = theta / (2.0 * std::numbers::pi);
    PathMeasurement measured = check.Measure(path_, turns);
    EXPECT_NEAR(measured.pathLength, 20.0 * std::numbers::pi, 1e-9);
    EXPECT_LT(measured.travelError, 1e-12) << theta;
    EXPECT_FALSE(measured.pathLengthChanged);
    // A hundredth of the way off.
    EXPECT_NEAR(check.Measure(path_, turns + 0.01).travelError, 0.01, 1e-12) << theta;
  }
  // The end of a closed path is its start again.
  PlaceBead(origin.Translated(gp_Vec(plane.XDirection()) * kRadius), gp_Dir(0, 0, 1));
  EXPECT_LT(check.Measure(path_, 1.0).travelError, 1e-12);
}

TEST_F(PathCheckTest, TakesTheNearestOfSeveralCurvesAndTheirEnds) {
  // A helix of radius 4 and pitch 3 about +Z, and a line beyond its start.
  const Ref<model::Sketch3dDefinition> sketch = doc->AddSketch3d("coil");
  sketch->AddHelix(gp_Ax2(), 4.0, 3.0, 2.0);
  sketch->AddLine(gp_Pnt(10, 0, 0), gp_Pnt(20, 0, 0));
  const PathCheck check =
      CheckAgainst({doc->Sketch3d("coil")->Curve(1), doc->Sketch3d("coil")->Curve(2)});

  // On the helix at 1.3 turns, its axis along the helix tangent.
  const double t = 1.3 * 2.0 * std::numbers::pi;
  const gp_Pnt onHelix(4.0 * std::cos(t), 4.0 * std::sin(t), 3.0 * t / (2.0 * std::numbers::pi));
  const gp_Vec tangent(-4.0 * std::sin(t), 4.0 * std::cos(t), 3.0 / (2.0 * std::numbers::pi));
  PlaceBead(onHelix, gp_Dir(tangent));
  PathMeasurement measured = check.Measure(path_, 0.5);
  EXPECT_LT(measured.distance, 1e-9);
  EXPECT_LT(*measured.misalignment, 1e-9);

  // Beyond the line's end: the distance is to that end point, the tangent the line's.
  PlaceBead(gp_Pnt(23, 4, 0), gp_Dir(1, 1, 0));
  measured = check.Measure(path_, 0.5);
  EXPECT_NEAR(measured.distance, 5.0, 1e-12);
  EXPECT_NEAR(*measured.misalignment, std::numbers::pi / 4.0, 1e-12);

  // A work point has no curve to measure on.
  CPath pointPath;
  pointPath.PathEnts()->Add(app, IVCurveKind::kEdgeProxy, bead_->WorkPoint("centre"), 2);
  EXPECT_THAT(model::Refusal([&] { PathCheck{pointPath}; }).what(),
              HasSubstr("only sketch curves and edges"));
}

TEST_F(PathCheckTest, MeasuresAgainstAnEdgeWhereItsComponentStands) {
  const Ref<model::Part> plate = doc->AddBoxPart("plate", "100 mm", "50 mm", "10 mm");
  const Ref<model::Component> component =
      doc->AddComponent("plate:1", plate, model::TurnedAndShifted());
  // From a point 2 cm off the middle of each edge, square to it, with the bead's axis along
  // the edge.
  for (int i = 1; i <= plate->EdgeCount(); ++i) {
    const auto [a, b] = model::Ends(component->Edge(i)->GetEvaluator());
    const gp_Vec along(a, b);
    const gp_Vec up(0, 0, 1);
    const gp_Vec square =
        along.IsParallel(up, 1e-9) ? gp_Vec(1, 0, 0) : along.Crossed(up).Normalized();
    PlaceBead(a.Translated(along * 0.5 + square * 2.0), gp_Dir(along));
    const PathMeasurement measured = CheckAgainst({component->Edge(i)}).Measure(path_, 0.5);
    EXPECT_NEAR(measured.distance, 2.0, 1e-12) << "edge " << i;
    EXPECT_NEAR(*measured.misalignment, 0.0, 1e-12) << "edge " << i;
  }
}

TEST_F(PathCheckTest, MeasuresTravelAlongAChainWithACurveDrawnBackwards) {
  // Lines of 3 and 4 cm, the second drawn against the path: 5 cm along the path is 2 cm into
  // the second line.
  const Ref<model::PlanarSketchDefinition> pair = doc->AddSketch("pair", gp_Ax3());
  pair->AddLine(gp_Pnt2d(0, 0), gp_Pnt2d(3, 0));
  pair->AddLine(gp_Pnt2d(7, 0), gp_Pnt2d(3, 0));
  const PathCheck check =
      CheckAgainst({doc->Sketch("pair")->Curve(1), doc->Sketch("pair")->Curve(2)});
  PlaceBead(gp_Pnt(5, 0, 0), gp_Dir(1, 0, 0));
  EXPECT_LT(check.Measure(path_, 5.0 / 7.0).travelError, 1e-15);
  EXPECT_NEAR(check.Measure(path_, 0.5).travelError, 1.5 / 7.0, 1e-15);
}

}  // namespace
}  // namespace sledway::cli
