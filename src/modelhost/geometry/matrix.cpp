#include "modelhost/geometry/matrix.hpp"

#include <cmath>
#include <memory>
#include <string>

#include "host/host_error.hpp"
#include "modelhost/geometry/conversions.hpp"
#include "modelhost/geometry/input_checks.hpp"
#include "modelhost/geometry/rigid_motion.hpp"
#include "modelhost/geometry/vector.hpp"

namespace sledway::model {

namespace {

double CellOf(const gp_Trsf& placement, int row, int column) {
  if (row == 4) return column == 4 ? 1.0 : 0.0;
  return placement.Value(row, column);
}

}  // namespace

Matrix::Matrix(const gp_Trsf& placement)
    : placement_(RigidMotion(placement.VectorialPart(), placement.TranslationPart())) {}

double Matrix::Cell(int row, int column) {
  if (row < 1 || row > 4 || column < 1 || column > 4) {
    throw HostError(hresult::kInvalidArg, "Cell of a matrix: there is no cell (" +
                                              std::to_string(row) + ", " + std::to_string(column) +
                                              "); rows and columns run from 1 to 4");
  }
  return CellOf(placement_, row, column);
}

void Matrix::SetToIdentity() {
  placement_ = gp_Trsf();
}

Ref<IVVector> Matrix::GetTranslation() {
  return std::make_shared<Vector>(gp_Vec(placement_.TranslationPart()));
}

void Matrix::SetTranslation(const Ref<IVVector>& translation, bool additive) {
  gp_XYZ value = ToVec(translation).XYZ();
  if (additive) value += placement_.TranslationPart();
  RequireFinite("SetTranslation of a matrix", {value.X(), value.Y(), value.Z()});
  placement_.SetTranslationPart(gp_Vec(value));
}

void Matrix::SetToRotationBetween(const Ref<IVVector>& from, const Ref<IVVector>& to,
                                  const Ref<IVVector>& axis) {
  const gp_Vec offered = axis ? ToVec(axis) : gp_Vec(0.0, 0.0, 0.0);
  const gp_Trsf rotation = RotationBetween(ToVec(from), ToVec(to), offered);
  placement_ = RigidMotion(rotation.VectorialPart(), gp_XYZ(0.0, 0.0, 0.0));
}

void Matrix::TransformBy(const Ref<IVMatrix>& other) {
  gp_Trsf product = placement_;
  product.PreMultiply(ToTrsf(other));
  placement_ = RigidMotion(product.VectorialPart(), product.TranslationPart());
}

bool Matrix::IsEqualTo(const Ref<IVMatrix>& other, double tolerance) {
  RequireTolerance("IsEqualTo of a matrix", tolerance);
  RequireObject(other.get(), "IsEqualTo of a matrix");
  for (int row = 1; row <= 4; ++row) {
    for (int column = 1; column <= 4; ++column) {
      if (!(std::abs(CellOf(placement_, row, column) - other->Cell(row, column)) <= tolerance)) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace sledway::model
