#include <gtest/gtest.h>

#include <cmath>
#include <gp_Ax1.hxx>
#include <memory>
#include <numbers>

#include "host/host_error.hpp"
#include "modelhost/geometry/geometry_factory.hpp"
#include "modelhost/geometry/matrix.hpp"

namespace sledway::model {
namespace {

const double kNan = std::nan("");
const double kInf = INFINITY;

TEST(PointTest, ComparesByDistanceAndKeepsItsValueOnBadInput) {
  GeometryFactory factory;
  const auto p = factory.CreatePoint(1, 2, 3);
  const auto q = factory.CreatePoint(1, 2, 3.001);
  EXPECT_TRUE(p->IsEqualTo(q, 0.0011));
  EXPECT_FALSE(p->IsEqualTo(q, 0.0009));
  EXPECT_THROW(p->IsEqualTo(q, kNan), HostError);

  for (double bad : {kNan, kInf, -kInf}) {
    try {
      p->PutCoordinates(7, bad, 8);
      ADD_FAILURE() << "took " << bad;
    } catch (const HostError& error) {
      EXPECT_EQ(error.Code(), hresult::kInvalidArg);
    }
  }
  EXPECT_EQ(p->Y(), 2.0);
  EXPECT_THROW(factory.CreatePoint(0, 0, kNan), HostError);

  const auto p2 = factory.CreatePoint2d(3, 4);
  EXPECT_TRUE(p2->IsEqualTo(factory.CreatePoint2d(0, 0), 5.0));
  EXPECT_FALSE(p2->IsEqualTo(factory.CreatePoint2d(0, 0), 4.999));
  EXPECT_THROW(p2->PutCoordinates(kInf, 0), HostError);
  EXPECT_EQ(p2->X(), 3.0);
}

TEST(VectorTest, ProductsAnglesAndScaling) {
  GeometryFactory factory;
  const auto x = factory.CreateVector(2, 0, 0);
  const auto z = x->CrossProduct(factory.CreateVector(0, 3, 0));
  EXPECT_NE(z, x);
  EXPECT_TRUE(z->IsEqualTo(factory.CreateVector(0, 0, 6), 0.0));
  EXPECT_EQ(x->X(), 2.0);
  EXPECT_NEAR(x->AngleTo(factory.CreateVector(-1, 0, 0)), std::numbers::pi, 1e-15);
  // A tiny angle that acos of the dot product would round to zero.
  EXPECT_NEAR(x->AngleTo(factory.CreateVector(1, 1e-13, 0)), 1e-13, 1e-27);
  EXPECT_THROW(x->AngleTo(factory.CreateVector(0, 0, 0)), HostError);

  x->ScaleBy(-1.5);
  EXPECT_TRUE(x->IsEqualTo(factory.CreateVector(-3, 0, 0), 0.0));
  EXPECT_THROW(x->ScaleBy(kNan), HostError);
  EXPECT_THROW(x->ScaleBy(1e308), HostError);  // would overflow to infinity
  EXPECT_THROW(x->PutCoordinates(0, 0, -kInf), HostError);
  EXPECT_EQ(x->X(), -3.0);
}

TEST(VectorTest, TransformTurnsButDoesNotShift) {
  GeometryFactory factory;
  gp_Trsf placement;
  placement.SetRotation(gp_Ax1(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1)), std::numbers::pi / 2);
  placement.SetTranslationPart(gp_Vec(100, 200, 300));
  const auto v = factory.CreateVector(1, 0, 5);
  v->TransformBy(std::make_shared<Matrix>(placement));
  EXPECT_TRUE(v->IsEqualTo(factory.CreateVector(0, 1, 5), 1e-15));
  EXPECT_THROW(v->TransformBy(nullptr), HostError);
}

}  // namespace
}  // namespace sledway::model
