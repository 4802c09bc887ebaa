#include "modelhost/geometry/matrix.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <gp_Ax1.hxx>
#include <memory>
#include <numbers>

#include "host/host_error.hpp"
#include "modelhost/geometry/conversions.hpp"
#include "modelhost/geometry/geometry_factory.hpp"
#include "modelhost/geometry/vector.hpp"

namespace sledway::model {
namespace {

using ::testing::_;
using ::testing::Invoke;
using ::testing::NiceMock;

// A matrix of another implementation, seen only through IVMatrix::Cell.
class ForeignMatrix : public IVMatrix {
 public:
  MOCK_METHOD(double, Cell, (int, int), (override));
  MOCK_METHOD(void, SetToIdentity, (), (override));
  MOCK_METHOD(Ref<IVVector>, GetTranslation, (), (override));
  MOCK_METHOD(void, SetTranslation, (const Ref<IVVector>&, bool), (override));
  MOCK_METHOD(void, SetToRotationBetween,
              (const Ref<IVVector>&, const Ref<IVVector>&, const Ref<IVVector>&), (override));
  MOCK_METHOD(void, TransformBy, (const Ref<IVMatrix>&), (override));
  MOCK_METHOD(bool, IsEqualTo, (const Ref<IVMatrix>&, double), (override));
};

std::shared_ptr<ForeignMatrix> Foreign(const std::array<double, 16>& cells) {
  auto matrix = std::make_shared<NiceMock<ForeignMatrix>>();
  ON_CALL(*matrix, Cell(_, _)).WillByDefault(Invoke([cells](int row, int column) {
    return cells[(row - 1) * 4 + (column - 1)];
  }));
  return matrix;
}

double OrthonormalityError(Matrix& m) {
  double largest = 0.0;
  for (int i = 1; i <= 3; ++i) {
    for (int j = 1; j <= 3; ++j) {
      double dot = 0.0;
      for (int k = 1; k <= 3; ++k) dot += m.Cell(k, i) * m.Cell(k, j);
      largest = std::max(largest, std::abs(dot - (i == j ? 1.0 : 0.0)));
    }
  }
  return largest;
}

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
  EXPECT_EQ(placement.Cell(4, 1), 0.0);
  EXPECT_EQ(placement.Cell(4, 4), 1.0);
}

TEST(MatrixTest, ForeignNearRotationsAreSnappedToExactRotations) {
  const double c = std::cos(0.4);
  const double s = std::sin(0.4);
  const double e = 3e-8;  // noise of a single-precision source
  auto foreign = Foreign({c + e, -s, e, 5, s, c - e, 0, -6, -e, e, 1 + e, 7, 0, 0, 0, 1});
  Matrix placement;
  placement.TransformBy(foreign);
  EXPECT_LT(OrthonormalityError(placement), 1e-15);
  EXPECT_NEAR(placement.Cell(2, 1), s, 1e-7);
  EXPECT_EQ(placement.Cell(1, 4), 5.0);
  EXPECT_EQ(placement.Cell(3, 4), 7.0);

  // A scale, or a last row other than 0 0 0 1, is no placement; the matrix stays as it was.
  const gp_Trsf before = placement.Trsf();
  EXPECT_THROW(placement.TransformBy(Foreign({2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1})),
               HostError);
  EXPECT_THROW(placement.TransformBy(Foreign({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 1})),
               HostError);
  EXPECT_EQ(placement.Cell(1, 4), before.Value(1, 4));
  EXPECT_EQ(placement.Cell(2, 1), before.Value(2, 1));
}

TEST(MatrixTest, HundredThousandSmallTurnsStayARigidMotion) {
  constexpr int kSteps = 100000;
  const double step = 1e-3;
  Matrix placement;
  const auto turn = std::make_shared<Matrix>(TurnAboutZ(step));
  for (int i = 0; i < kSteps; ++i) placement.TransformBy(turn);
  EXPECT_LT(OrthonormalityError(placement), 1e-15);
  const double angle = kSteps * step;  // 100 rad
  EXPECT_NEAR(placement.Cell(1, 1), std::cos(angle), 1e-11);
  EXPECT_NEAR(placement.Cell(2, 1), std::sin(angle), 1e-11);
  EXPECT_EQ(placement.Cell(3, 3), 1.0);
}

TEST(MatrixTest, SetToRotationBetweenTurnsFromOntoToAboutTheOrigin) {
  GeometryFactory factory;
  Matrix placement;
  placement.SetTranslation(factory.CreateVector(4, 5, 6), false);
  const auto from = factory.CreateVector(0.2, -1.0, 3.0);
  const auto to = factory.CreateVector(-7.0, 0.5, 0.1);
  placement.SetToRotationBetween(from, to, from->CrossProduct(to));
  EXPECT_EQ(placement.GetTranslation()->Length(), 0.0);
  auto turned = factory.CreateVector(0.2, -1.0, 3.0);
  turned->TransformBy(std::make_shared<Matrix>(placement.Trsf()));
  turned->ScaleBy(1.0 / turned->Length());
  to->ScaleBy(1.0 / to->Length());
  EXPECT_TRUE(turned->IsEqualTo(to, 1e-15));

  // A null axis is no axis: opposite vectors still give a half turn.
  placement.SetToRotationBetween(from, factory.CreateVector(-0.2, 1.0, -3.0), nullptr);
  EXPECT_NEAR(placement.Cell(1, 1) + placement.Cell(2, 2) + placement.Cell(3, 3), -1.0, 1e-15);

  try {
    placement.SetToRotationBetween(factory.CreateVector(0, 0, 0), to, to);
    ADD_FAILURE() << "turned a zero vector";
  } catch (const HostError& error) {
    EXPECT_EQ(error.Code(), hresult::kInvalidArg);
  }
}

TEST(MatrixTest, TranslationIsASnapshotAndSettingItChecksInput) {
  GeometryFactory factory;
  Matrix placement(TurnAboutZ(1.0));
  placement.SetTranslation(factory.CreateVector(1, 2, 3), false);
  const auto saved = placement.GetTranslation();
  placement.SetTranslation(factory.CreateVector(10, 20, 30), true);
  EXPECT_EQ(saved->X(), 1.0);
  EXPECT_EQ(placement.Cell(1, 4), 11.0);
  EXPECT_EQ(placement.Cell(3, 4), 33.0);
  EXPECT_NEAR(placement.Cell(2, 1), std::sin(1.0), 1e-15);  // rotation untouched

  struct NanVector : Vector {
    NanVector() : Vector(gp_Vec()) {}
    double Y() override { return std::nan(""); }
  };
  EXPECT_THROW(placement.SetTranslation(std::make_shared<NanVector>(), false), HostError);
  const auto huge = factory.CreateVector(1e308, 0, 0);
  placement.SetTranslation(huge, false);
  EXPECT_THROW(placement.SetTranslation(huge, true), HostError);  // overflows to infinity
  EXPECT_EQ(placement.Cell(1, 4), 1e308);
  try {
    placement.SetTranslation(nullptr, false);
    ADD_FAILURE() << "took a null translation";
  } catch (const HostError& error) {
    EXPECT_EQ(error.Code(), hresult::kPointer);
  }
}

TEST(MatrixTest, CellsComparisonAndIdentity) {
  Matrix placement(TurnAboutZ(0.25));
  EXPECT_THROW(placement.Cell(0, 1), HostError);
  EXPECT_THROW(placement.Cell(1, 5), HostError);
  EXPECT_EQ(placement.Cell(4, 2), 0.0);

  auto nearly = std::make_shared<Matrix>(TurnAboutZ(0.25 + 1e-9));
  EXPECT_TRUE(placement.IsEqualTo(nearly, 1e-8));
  EXPECT_FALSE(placement.IsEqualTo(nearly, 1e-11));
  EXPECT_THROW(placement.IsEqualTo(nearly, -1.0), HostError);

  placement.SetToIdentity();
  EXPECT_TRUE(placement.IsEqualTo(std::make_shared<Matrix>(), 0.0));

  gp_Trsf scale;
  scale.SetScale(gp_Pnt(0, 0, 0), 2.0);
  EXPECT_THROW(Matrix{scale}, HostError);
}

TEST(ConversionsTest, ReadAnyImplementationAndRefuseMissingObjects) {
  auto foreign = Foreign({0, -1, 0, 1, 1, 0, 0, 2, 0, 0, 1, 3, 0, 0, 0, 1});
  const gp_Trsf placement = ToTrsf(foreign);
  const gp_Pnt moved = gp_Pnt(1, 0, 0).Transformed(placement);
  EXPECT_NEAR(moved.X(), 1.0, 1e-15);
  EXPECT_NEAR(moved.Y(), 3.0, 1e-15);
  EXPECT_NEAR(moved.Z(), 3.0, 1e-15);

  for (auto convert : {+[] { ToPnt(nullptr); }, +[] { ToPnt2d(nullptr); }, +[] { ToVec(nullptr); },
                       +[] { ToTrsf(nullptr); }}) {
    try {
      convert();
      ADD_FAILURE() << "converted a null object";
    } catch (const HostError& error) {
      EXPECT_EQ(error.Code(), hresult::kPointer);
    }
  }
}

}  // namespace
}  // namespace sledway::model
