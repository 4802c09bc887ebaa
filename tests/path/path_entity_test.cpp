#include "path/path_entity.hpp"

#include <memory>
#include <vector>

#include "path/path_entity_chain.hpp"
#include "path_test_support.hpp"

namespace sledway {
namespace {

using model::ModelPoint;
using test::ToVec;

using Lines = std::vector<std::pair<gp_Pnt, gp_Pnt>>;
using Flags = std::vector<bool>;

// The Reversed flags, in chain order, of 3D sketch lines chained in the order given.
Flags Oriented(const Lines& lines) {
  test::ModelAssembly model;
  auto sketch = model.doc->AddSketch3d("lines");
  for (const auto& [start, end] : lines) sketch->AddLine(start, end);
  CPathEnts chain;
  for (int i = 1; i <= static_cast<int>(lines.size()); ++i) {
    const auto curve = model.doc->Sketch3d("lines")->Curve(i);
    chain.Add(model.app, curve->ObjectType(), curve, 1);
  }
  chain.SortEntityDirections();
  Flags reversed;
  for (const auto& entity : chain) reversed.push_back(entity->Reversed());
  return reversed;
}

TEST(PathEntityChainTest, OrientsEachEntityByHowItMeetsTheOneBefore) {
  const gp_Pnt a(0, 0, 0), b(1, 0, 0), c(1, 1, 0), d(2, 1, 0), e(2, 2, 0), y(0, 1, 0);
  const gp_Pnt far1(7, 7, 7), far2(8, 8, 8), far3(9, 9, 9);
  EXPECT_EQ(Oriented({{a, b}, {b, c}}), (Flags{false, false}));  // end to start
  EXPECT_EQ(Oriented({{a, b}, {a, y}}), (Flags{true, false}));   // start to start
  EXPECT_EQ(Oriented({{a, b}, {c, b}}), (Flags{false, true}));   // end to end
  EXPECT_EQ(Oriented({{a, b}, {y, a}}), (Flags{true, true}));    // start to end
  EXPECT_EQ(Oriented({{a, b}, {b, a}}), (Flags{false, false}));  // closed pair: first test wins
  EXPECT_EQ(Oriented({{b, a}}), (Flags{false}));
  // Ends within 0.001 of each other meet; farther apart they do not.
  EXPECT_EQ(Oriented({{a, b}, {c, gp_Pnt(1, 0.0006, 0)}}), (Flags{false, true}));
  EXPECT_EQ(Oriented({{a, b}, {gp_Pnt(1.002, 0, 0), c}}), (Flags{true, true}));
  // From the third on: reversed exactly when its own end meets the path end before it. After
  // a gap an entity runs forward; a branch (b-d after b-c) is not noticed.
  EXPECT_EQ(Oriented({{a, b}, {b, c}, {d, c}, {d, e}, {far1, far2}, {far3, far2}}),
            (Flags{false, false, true, false, false, true}));
  EXPECT_EQ(Oriented({{a, b}, {b, c}, {b, d}}), (Flags{false, false, false}));
}

// A line (an edge that counts its measurements), an arc and a helix in a chain, against the
// closed forms of their lengths, points and tangents. A placement must never receive a NaN:
// dividing by a length not measured, or measured as 0, fails with a message instead. The chain
// measures an entity only when the next one comes.
TEST(PathEntityTest, EntitiesStartWhereTheOneBeforeEndsRunEitherWayAndRefuseToDivideByNothing) {
  test::ModelAssembly model;
  const gp_Ax2 frame(gp_Pnt(1, 2, 3), gp_Dir(1, 2, 2), gp_Dir(2, -2, 1));
  const gp_Vec x(frame.XDirection()), y(frame.YDirection());
  const double radius = 2.5, a0 = 0.3, a1 = 2.0, helixRadius = 1.0, pitch = 0.5, turns = 2.0;
  auto sketch = model.doc->AddSketch3d("mixed");
  sketch->AddLine(gp_Pnt(0, 0, 0), gp_Pnt(3, 0, 0));
  sketch->AddArc(frame, radius, a0, a1);
  sketch->AddHelix(gp_Ax2(gp_Pnt(5, 2, -1), gp::DZ(), gp::DX()), helixRadius, pitch, turns);
  const auto curve = [&](int i) { return model.doc->Sketch3d("mixed")->Curve(i); };
  const auto line = As<IVSketchLine3D>(curve(1))->GetGeometry()->GetEvaluator();
  auto spy = std::make_shared<test::SpyEdge>(line);
  CPathEnts chain;
  chain.Add(model.app, IVCurveKind::kEdgeProxy, spy, 2);
  test::ExpectHostError([&] { chain.Item(1)->PartPathPoint(1.0); }, hresult::kDivideByZero,
                        "not been measured");
  EXPECT_EQ(spy->measurements, 0);
  for (int i = 2; i <= 3; ++i) chain.Add(model.app, curve(i)->ObjectType(), curve(i), 1);
  const double arc = radius * (a1 - a0);
  const double helix = turns * std::hypot(2 * std::numbers::pi * helixRadius, pitch);
  EXPECT_EQ(chain.Item(1)->CurveLengthAtStart(), 0.0);
  EXPECT_NEAR(chain.Item(2)->CurveLengthAtStart(), 3.0, 1e-12);
  EXPECT_NEAR(chain.Item(3)->CurveLengthAtStart(), 3.0 + arc, 1e-12);
  EXPECT_NEAR(chain.Item(3)->CurveLengthAtEnd(), 3.0 + arc + helix, 1e-11);
  for (int i = 0; i < 3; ++i) chain.Item(1)->CurveLengthAtEnd();
  chain.Item(1)->PartPathPoint(1.0);
  EXPECT_EQ(spy->measurements, 1);
  CPathEnts wrong, zeros;
  test::ExpectHostError(
      [&] { wrong.Add(model.app, IVCurveKind::kSketchLineProxy, curve(1), 1)->Length(); },
      hresult::kPointer, "0x05002770 is not a path curve of a 3D sketch");
  const auto zero =
      zeros.Add(model.app, IVCurveKind::kEdgeProxy, std::make_shared<test::SpyEdge>(line, 0.0), 2);
  EXPECT_EQ(zero->Length(), 0.0);
  test::ExpectHostError([&] { zero->PartPathPoint(0.0); }, hresult::kDivideByZero, "zero length");

  const auto on = [&](double angle) {
    return frame.Location().Translated(radius * (std::cos(angle) * x + std::sin(angle) * y));
  };
  const auto entity = chain.Item(2);
  const double along = 3.0 + arc / 3;
  for (const bool reversed : {false, true}) {
    SCOPED_TRACE(reversed);
    entity->Reversed(reversed);
    EXPECT_LT(ModelPoint(entity->PartPathPoint(3.0)).Distance(on(reversed ? a1 : a0)), 1e-11);
    EXPECT_LT(ModelPoint(entity->PartPathPoint(3.0 + arc)).Distance(on(reversed ? a0 : a1)), 1e-11);
    const double angle = reversed ? a1 - arc / 3 / radius : a0 + arc / 3 / radius;
    EXPECT_LT(ModelPoint(entity->PartPathPoint(along)).Distance(on(angle)), 1e-11);
    const gp_Vec travel = (reversed ? -1 : 1) * (-std::sin(angle) * x + std::cos(angle) * y);
    EXPECT_LT((ToVec(entity->TangentVectorAtPoint(along)).Normalized() - travel).Magnitude(),
              1e-11);
  }
}

}  // namespace
}  // namespace sledway
