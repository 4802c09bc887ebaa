#include <gtest/gtest.h>

#include <gp_Ax1.hxx>
#include <memory>
#include <vector>

#include "../model_test_helpers.hpp"
#include "host/host_error.hpp"
#include "modelhost/geometry/conversions.hpp"
#include "modelhost/geometry/geometry_factory.hpp"
#include "modelhost/geometry/rigid_motion.hpp"

namespace sledway::model {
namespace {

gp_Trsf TurnAboutZ(double angle) {
  gp_Trsf turn;
  turn.SetRotation(gp_Ax1(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1)), angle);
  return turn;
}

// Expects `rotation` to be an exact rotation, not a mirror, that turns the direction of `from`
// onto the direction of `to`.
void ExpectTurnOnto(const gp_Trsf& rotation, const gp_Vec& from, const gp_Vec& to) {
  EXPECT_LT((from.Normalized().Transformed(rotation) - to.Normalized()).Magnitude(), 1e-15);
  EXPECT_LT(OrthonormalityError(rotation), 1e-15);
  EXPECT_GT(rotation.VectorialPart().Determinant(), 0.0);
}

TEST(MatrixTest, TransformByAppliesTheOtherMatrixAfterThisOne) {
  // M moves by (1, 0, 0); R turns a quarter about z. R after M sends the origin to (0, 1, 0);
  // M after R would send it to (1, 0, 0).
  Matrix placement(Shifted(1, 0, 0));
  placement.TransformBy(std::make_shared<Matrix>(TurnAboutZ(std::numbers::pi / 2)));
  EXPECT_NEAR(placement.Cell(1, 4), 0.0, 1e-15);
  EXPECT_NEAR(placement.Cell(2, 4), 1.0, 1e-15);
  EXPECT_NEAR(placement.Cell(2, 1), 1.0, 1e-15);  // x axis turned onto y

  // A last row other than 0 0 0 1 is no placement; the matrix stays as it was.
  struct Projective : Matrix {
    double Cell(int row, int column) override { return row == 4 ? 1.0 : Matrix::Cell(row, column); }
  };
  EXPECT_THROW(placement.TransformBy(std::make_shared<Projective>()), HostError);
  EXPECT_NEAR(placement.Cell(2, 4), 1.0, 1e-15);
}

TEST(MatrixTest, SetToRotationBetweenReplacesThePlacementByTheTurn) {
  GeometryFactory factory;
  Matrix placement;
  placement.SetTranslation(factory.CreateVector(4, 5, 6), false);
  const auto from = factory.CreateVector(0.2, -1.0, 3.0);
  const auto to = factory.CreateVector(-7.0, 0.5, 0.1);
  placement.SetToRotationBetween(from, to, from->CrossProduct(to));
  EXPECT_EQ(placement.GetTranslation()->Length(), 0.0);
  ExpectTurnOnto(placement.Trsf(), ToVec(from), ToVec(to));
  // A null axis is no axis: opposite vectors still give a half turn.
  placement.SetToRotationBetween(from, factory.CreateVector(-0.2, 1.0, -3.0), nullptr);
  EXPECT_NEAR(placement.Cell(1, 1) + placement.Cell(2, 2) + placement.Cell(3, 3), -1.0, 1e-15);
}

TEST(MatrixTest, TranslationAddsOrReplacesMovesPointsAndNotVectors) {
  GeometryFactory factory;
  const auto placement = std::make_shared<Matrix>(TurnAboutZ(std::numbers::pi / 2));
  placement->SetTranslation(factory.CreateVector(1, 2, 3), false);
  placement->SetTranslation(factory.CreateVector(10, 20, 30), true);
  EXPECT_EQ(placement->Cell(1, 4), 11.0);
  EXPECT_EQ(placement->Cell(3, 4), 33.0);
  EXPECT_NEAR(placement->Cell(2, 1), 1.0, 1e-15);  // rotation untouched
  const auto v = factory.CreateVector(1, 0, 5);
  v->TransformBy(placement);
  EXPECT_TRUE(v->IsEqualTo(factory.CreateVector(0, 1, 5), 1e-15));

  const auto huge = factory.CreateVector(1e308, 0, 0);
  placement->SetTranslation(huge, false);
  EXPECT_THROW(placement->SetTranslation(huge, true), HostError);  // overflows to infinity
  EXPECT_EQ(placement->Cell(1, 4), 1e308);
  EXPECT_THROW(placement->SetTranslation(nullptr, false), HostError);
}

TEST(PointVectorTest, RefuseNonFiniteInputKeepingTheirValueAndResolveTinyAngles) {
  GeometryFactory factory;
  const auto p = factory.CreatePoint(1, 2, 3);
  for (double bad : {std::nan(""), double(INFINITY), -double(INFINITY)}) {
    EXPECT_THROW(p->PutCoordinates(7, bad, 8), HostError);
  }
  EXPECT_EQ(p->Y(), 2.0);

  const auto x = factory.CreateVector(-3, 0, 0);
  EXPECT_THROW(x->ScaleBy(1e308), HostError);  // would overflow to infinity
  EXPECT_THROW(x->AngleTo(factory.CreateVector(0, 0, 0)), HostError);
  EXPECT_EQ(x->X(), -3.0);
  // A tiny angle that acos of the dot product would round to zero.
  EXPECT_NEAR(x->AngleTo(factory.CreateVector(-1, 1e-13, 0)), 1e-13, 1e-27);
}

TEST(RotationBetweenTest, TurnsGeneralDirectionsOntoEachOtherAboutTheirNormal) {
  const std::vector<gp_Vec> directions = {{1, 0, 0},      {0.3, -2.0, 7.5},  {-1e-3, 4.0, 1e-4},
                                          {1e6, 1.0, -3}, {-0.6, -0.8, 0.0}, {1e-9, -1e-9, 3e-9}};
  for (const gp_Vec& from : directions) {
    for (const gp_Vec& to : directions) {
      SCOPED_TRACE(testing::Message() << "from " << from.X() << " to " << to.X());
      const gp_Trsf rotation = RotationBetween(from, to, gp_Vec(0, 0, 0));
      ExpectTurnOnto(rotation, from, to);
      const gp_Vec normal = from.Crossed(to);
      if (normal.Magnitude() > 1e-6 * from.Magnitude() * to.Magnitude()) {
        ExpectTurnOnto(rotation, normal, normal);  // the turn is about the common normal
      }
    }
  }
  // acos(cos 1e-13) is 0 in double precision; the turn must still be 1e-13 rad.
  for (double angle : {1e-9, 1e-13, 1e-15}) {
    const gp_Vec from(1, 0, 0);
    const gp_Vec to(std::cos(angle), std::sin(angle), 0);
    const gp_Vec turned = from.Transformed(RotationBetween(from, to, gp_Vec(0, 0, 1)));
    EXPECT_NEAR(turned.Y(), std::sin(angle), 1e-12 * angle) << angle;
    EXPECT_EQ(turned.Z(), 0.0);
  }
}

TEST(RotationBetweenTest, ParallelGivesIdentityAndOppositeAHalfTurn) {
  const gp_Vec from(1, 2, 3);
  EXPECT_EQ(RotationBetween(from, gp_Vec(2, 4, 6), gp_Vec(0, 0, 1)).Form(), gp_Identity);

  // Opposite with a usable axis: a half turn about exactly that axis, once made perpendicular.
  const gp_Vec axis(3, 0, -1);  // perpendicular to from
  for (const gp_Vec& offered : {axis, axis + from * 0.01}) {
    const gp_Trsf flip = RotationBetween(from, from.Reversed(), offered);
    ExpectTurnOnto(flip, from, from.Reversed());
    ExpectTurnOnto(flip, axis, axis);
  }
  // Opposite with no usable axis (zero, or along `from`): still a half turn onto `to`.
  for (const gp_Vec& unusable : {gp_Vec(0, 0, 0), gp_Vec(-2, -4, -6), gp_Vec(1, 2, 3.0000001)}) {
    ExpectTurnOnto(RotationBetween(from, gp_Vec(-0.5, -1, -1.5), unusable), from, from.Reversed());
  }
  // Nearly opposite, just off the half turn: still lands exactly on `to`.
  const gp_Vec x(1, 0, 0);
  const gp_Vec almost(-1, 1e-9, 0);
  ExpectTurnOnto(RotationBetween(x, almost, gp_Vec(0, 0, 0)), x, almost);

  for (const gp_Vec& bad : {gp_Vec(0, 0, 0), gp_Vec(std::nan(""), 0, 0), gp_Vec(INFINITY, 0, 0)}) {
    EXPECT_THROW(RotationBetween(bad, x, x), HostError);
    EXPECT_THROW(RotationBetween(x, bad, x), HostError);
  }
}

TEST(RigidMotionTest, SnapsNoisyRotationsAndRefusesOtherMatrices) {
  // A 30 degree turn about z with 1e-9 of noise in every element.
  const double c = std::cos(std::numbers::pi / 6);
  const double s = std::sin(std::numbers::pi / 6);
  const gp_Mat noisy(c + 1e-9, -s - 2e-9, 1e-9, s - 1e-9, c + 3e-9, -2e-9, 2e-9, 1e-9, 1 - 1e-9);
  const gp_Trsf snapped = RigidMotion(noisy, gp_XYZ(1, 2, 3));
  EXPECT_LT(OrthonormalityError(snapped), 1e-15);
  EXPECT_NEAR(snapped.Value(2, 1), s, 1e-8);
  EXPECT_EQ(snapped.TranslationPart().Z(), 3.0);

  // A scale, a mirror or a shear is no placement.
  for (const gp_Mat& bad : {gp_Mat(2, 0, 0, 0, 2, 0, 0, 0, 2), gp_Mat(1, 0, 0, 0, 1, 0, 0, 0, -1),
                            gp_Mat(1, 0.01, 0, 0, 1, 0, 0, 0, 1)}) {
    EXPECT_THROW(RigidMotion(bad, gp_XYZ()), HostError);
  }
  EXPECT_THROW(RigidMotion(gp_Mat(1, 0, 0, 0, 1, 0, 0, 0, 1), gp_XYZ(0, std::nan(""), 0)),
               HostError);
}

}  // namespace
}  // namespace sledway::model
