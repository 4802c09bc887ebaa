// What the test host takes from the host's reference and the binding's tests over it rely on: how
// a Matrix holds a placement and composes with another, and how a value is written in units.

#include <gtest/gtest.h>

#include <numbers>

#include "geometry_objects.hpp"
#include "units.hpp"

namespace sledway::automation_host {
namespace {

constexpr double kPi = std::numbers::pi;

ComPtr<::Matrix> MatrixOf(const Affine& placement) {
  ComPtr<::Matrix> matrix;
  NewMatrix(nullptr, placement).As(&matrix);
  return matrix;
}

Affine Read(::Matrix* matrix) {
  Affine placement;
  EXPECT_EQ(ReadAffine(matrix, placement), S_OK);
  return placement;
}

VARIANT Flag(bool value) {
  VARIANT flag{};
  flag.vt = VT_BOOL;
  flag.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return flag;
}

TEST(HostConventionsTest, AMatrixTurnsTranslatesAndComposesAsTheHostsDoes) {
  const ComPtr<IDispatch> x = NewVector(nullptr, {1, 0, 0});
  const ComPtr<IDispatch> y = NewVector(nullptr, {0, 1, 0});
  const ComPtr<::Matrix> m = MatrixOf({});
  ASSERT_EQ(m->SetToRotateTo(x.Get(), y.Get(), VARIANT{}), S_OK);
  ASSERT_EQ(m->SetTranslation(NewVector(nullptr, {5, 0, -1}).Get(), Flag(false)), S_OK);
  // A quarter turn about Z: column 1 is the image of X, column 4 the translation.
  Affine read = Read(m.Get());
  EXPECT_NEAR(read.cell[1][0], 1.0, 1e-15);
  EXPECT_NEAR(read.cell[0][1], -1.0, 1e-15);
  EXPECT_EQ(read.cell[0][3], 5.0);
  // TransformBy applies its argument after the matrix: the translation turns too.
  ASSERT_EQ(m->TransformBy(MatrixOf(Affine::Rotation({0, 0, 1}, kPi / 2)).Get()), S_OK);
  read = Read(m.Get());
  EXPECT_NEAR(read.cell[1][3], 5.0, 1e-14);
  EXPECT_NEAR(read.cell[0][0], -1.0, 1e-15);
  // SetTranslation keeps the rotation unless its second argument resets it.
  ASSERT_EQ(m->SetTranslation(NewVector(nullptr, {0, 0, 2}).Get(), Flag(false)), S_OK);
  EXPECT_NEAR(Read(m.Get()).cell[0][0], -1.0, 1e-15);
  ASSERT_EQ(m->SetTranslation(NewVector(nullptr, {0, 0, 2}).Get(), Flag(true)), S_OK);
  EXPECT_EQ(Read(m.Get()).cell[0][0], 1.0);
  // Opposite vectors: a half turn about the given perpendicular axis.
  VARIANT axis{};
  axis.vt = VT_DISPATCH;
  axis.pdispVal = y.Get();
  ASSERT_EQ(m->SetToRotateTo(x.Get(), NewVector(nullptr, {-1, 0, 0}).Get(), axis), S_OK);
  read = Read(m.Get());
  EXPECT_NEAR(read.cell[1][1], 1.0, 1e-15);
  EXPECT_NEAR(read.cell[2][2], -1.0, 1e-15);
}

TEST(HostConventionsTest, UnitsWriteTheShortestDecimalOfAtMostSixPlaces) {
  const Unit& mm = *FindUnit(L"mm");
  EXPECT_EQ(FormatInUnit(123.45, mm), L"1234.5 mm");
  EXPECT_EQ(FormatInUnit(1.23456789, mm), L"12.345679 mm");
  EXPECT_EQ(FormatInUnit(-1e-9, mm), L"0 mm");
  EXPECT_EQ(FormatInUnit(kPi, *FindUnit(L"deg")), L"180 deg");
}

}  // namespace
}  // namespace sledway::automation_host
