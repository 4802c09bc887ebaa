#include "path/path_entity_chain.hpp"

#include <cmath>
#include <memory>
#include <numbers>
#include <utility>
#include <vector>

#include "path_test_support.hpp"

namespace sledway {
namespace {

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
  EXPECT_EQ(Oriented({{a, b}, {b, c}}), (Flags{false, false}));  // end to start
  EXPECT_EQ(Oriented({{a, b}, {a, y}}), (Flags{true, false}));   // start to start
  EXPECT_EQ(Oriented({{a, b}, {c, b}}), (Flags{false, true}));   // end to end
  EXPECT_EQ(Oriented({{a, b}, {y, a}}), (Flags{true, true}));    // start to end
  EXPECT_EQ(Oriented({{a, b}, {b, a}}), (Flags{false, false}));  // closed pair: first test wins
  EXPECT_EQ(Oriented({{b, a}}), (Flags{false}));
  // Ends within 0.001 of each other meet; farther apart they do not.
  EXPECT_EQ(Oriented({{a, b}, {gp_Pnt(1.0006, 0, 0), c}}), (Flags{false, false}));
  EXPECT_EQ(Oriented({{a, b}, {gp_Pnt(0, 0.0006, 0), y}}), (Flags{true, false}));
  EXPECT_EQ(Oriented({{a, b}, {c, gp_Pnt(1, 0.0006, 0)}}), (Flags{false, true}));
  EXPECT_EQ(Oriented({{a, b}, {gp_Pnt(1.002, 0, 0), c}}), (Flags{true, true}));
  // From the third on: reversed exactly when its own end meets the path end before it. After
  // a gap an entity runs forward; a branch (b-d after b-c) is not noticed.
  EXPECT_EQ(Oriented({{a, b},
                      {b, c},
                      {d, c},
                      {d, e},
                      {gp_Pnt(7, 7, 7), gp_Pnt(8, 8, 8)},
                      {gp_Pnt(9, 9, 9), gp_Pnt(8, 8, 8)}}),
            (Flags{false, false, true, false, false, true}));
  EXPECT_EQ(Oriented({{b, a}, {c, b}, {d, c}}), (Flags{true, true, true}));
  EXPECT_EQ(Oriented({{a, b}, {b, c}, {b, d}}), (Flags{false, false, false}));
}

TEST(PathEntityChainTest, EachEntityStartsWhereTheOneBeforeEndsMeasuredOnce) {
  test::ModelAssembly model;
  const double radius = 2.0, helixRadius = 1.0, pitch = 0.5, turns = 2.0;
  auto sketch = model.doc->AddSketch3d("mixed");
  sketch->AddLine(gp_Pnt(0, 0, 0), gp_Pnt(3, 0, 0));
  sketch->AddArc(gp_Ax2(gp_Pnt(3, 2, 0), gp::DZ(), gp::DX()), radius, -std::numbers::pi / 2, 0);
  sketch->AddHelix(gp_Ax2(gp_Pnt(5, 2, -1), gp::DZ(), gp::DX()), helixRadius, pitch, turns);
  const auto curve = [&](int i) { return model.doc->Sketch3d("mixed")->Curve(i); };
  auto spy =
      std::make_shared<test::SpyEdge>(As<IVSketchLine3D>(curve(1))->GetGeometry()->GetEvaluator());
  CPathEnts chain;
  chain.Add(model.app, IVCurveKind::kEdge, spy, 2);
  EXPECT_EQ(spy->measurements, 0);
  for (int i = 2; i <= 3; ++i) chain.Add(model.app, curve(i)->ObjectType(), curve(i), 1);
  const double arc = radius * std::numbers::pi / 2;
  const double helix = turns * std::hypot(2 * std::numbers::pi * helixRadius, pitch);
  EXPECT_EQ(chain.Item(1)->CurveLengthAtStart(), 0.0);
  EXPECT_NEAR(chain.Item(2)->CurveLengthAtStart(), 3.0, 1e-12);
  EXPECT_NEAR(chain.Item(3)->CurveLengthAtStart(), 3.0 + arc, 1e-12);
  EXPECT_NEAR(chain.Item(3)->CurveLengthAtEnd(), 3.0 + arc + helix, 1e-11);
  for (int i = 0; i < 3; ++i) chain.Item(1)->CurveLengthAtEnd();
  chain.Item(1)->PartPathPoint(1.0);
  EXPECT_EQ(spy->measurements, 1);
}

TEST(PathEntityChainTest, PositionsRunFromOneToCountAndAFailedAddKeepsItsEntity) {
  test::ModelAssembly model;
  auto sketch = model.doc->AddSketch3d("lines");
  for (int i = 0; i < 3; ++i) sketch->AddLine(gp_Pnt(i, 0, 0), gp_Pnt(i + 1, 0, 0));
  const auto curve = [&](int i) { return model.doc->Sketch3d("lines")->Curve(i); };
  CPathEnts chain;
  test::ExpectHostError([&] { chain.SortEntityDirections(); }, hresult::kBadIndex, "position 0");
  for (int i = 1; i <= 3; ++i) chain.Add(model.app, curve(i)->ObjectType(), curve(i), 1);
  test::ExpectHostError([&] { chain.Item(0); }, hresult::kBadIndex, "position 0 of 3");
  test::ExpectHostError([&] { chain.Remove(4); }, hresult::kBadIndex, "position 4 of 3");
  const auto third = chain.Item(3);
  chain.Remove(2);
  EXPECT_EQ(chain.Count(), 2);
  EXPECT_EQ(chain.Item(2), third);

  // Beyond 16 bits: the entity stays, holding what was written before the type.
  test::ExpectHostError([&] { chain.Add(model.app, IVCurveKind::kSketchLine3D, curve(1), 70000); },
                        hresult::kOverflow, "70000");
  EXPECT_EQ(chain.Count(), 3);
  EXPECT_TRUE(SameObject(chain.Item(3)->IVCurve(), curve(1)));
  EXPECT_EQ(chain.Item(3)->EntType(), 0);
  // Entity 3 (type 0, a 3D line) cannot be measured: the next Add keeps its entity at start 0.
  test::ExpectHostError([&] { chain.Add(model.app, curve(2)->ObjectType(), curve(2), 1); },
                        hresult::kPointer, "not a path curve of a 2D sketch");
  EXPECT_EQ(chain.Count(), 4);
  EXPECT_EQ(chain.Item(4)->EntType(), 1);
  EXPECT_EQ(chain.Item(4)->CurveLengthAtStart(), 0.0);
}

}  // namespace
}  // namespace sledway
