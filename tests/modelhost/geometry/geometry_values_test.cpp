#include <gtest/gtest.h>

#include <cmath>
#include <gp_Ax1.hxx>
#include <memory>
#include <numbers>

#include "host/host_error.hpp"
#include "modelhost/geometry/conversions.hpp"
#include "modelhost/geometry/geometry_factory.hpp"
#include "modelhost/geometry/matrix.hpp"

namespace sledway::model {
namespace {

gp_Trsf TurnAboutZ(double angle) {
  gp_Trsf turn;
  turn.SetRotation(gp_Ax1(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1)), angle);
  return turn;
}

TEST(MatrixTest, TransformByAppliesTheOtherMatrixAfterThisOne) {
  // M moves by (1, 0, 0); R turns a quarter about z. R after M sends the origin to (0, 1, 0);
  // M after R would send it to (1, 0, 0).
  gp_Trsf shift;
  shift.SetTranslation(gp_Vec(1, 0, 0));
  Matrix placement(shift);
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
  const gp_Vec turned = ToVec(from).Normalized().Transformed(placement.Trsf());
  EXPECT_LT((turned - ToVec(to).Normalized()).Magnitude(), 1e-15);

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

}  // namespace
}  // namespace sledway::model
