#include "modelhost/geometry/conversions.hpp"

#include <gp_Mat.hxx>
#include <gp_XYZ.hxx>

#include "host/host_error.hpp"
#include "modelhost/geometry/input_checks.hpp"
#include "modelhost/geometry/rigid_motion.hpp"

namespace sledway::model {

gp_Pnt ToPnt(const Ref<IVPoint>& point) {
  RequireObject(point.get(), "point");
  const gp_Pnt value(point->X(), point->Y(), point->Z());
  RequireFinite("point", {value.X(), value.Y(), value.Z()});
  return value;
}

gp_Pnt2d ToPnt2d(const Ref<IVPoint2d>& point) {
  RequireObject(point.get(), "2D point");
  const gp_Pnt2d value(point->X(), point->Y());
  RequireFinite("2D point", {value.X(), value.Y()});
  return value;
}

gp_Vec ToVec(const Ref<IVVector>& vector) {
  RequireObject(vector.get(), "vector");
  const gp_Vec value(vector->X(), vector->Y(), vector->Z());
  RequireFinite("vector", {value.X(), value.Y(), value.Z()});
  return value;
}

gp_Trsf ToTrsf(const Ref<IVMatrix>& matrix) {
  RequireObject(matrix.get(), "matrix");
  const double lastRow[4] = {matrix->Cell(4, 1), matrix->Cell(4, 2), matrix->Cell(4, 3),
                             matrix->Cell(4, 4)};
  if (lastRow[0] != 0.0 || lastRow[1] != 0.0 || lastRow[2] != 0.0 || lastRow[3] != 1.0) {
    throw HostError(hresult::kInvalidArg, "matrix: the last row must be 0 0 0 1 for a placement");
  }
  gp_Mat rotation;
  for (int row = 1; row <= 3; ++row) {
    for (int column = 1; column <= 3; ++column) {
      rotation.SetValue(row, column, matrix->Cell(row, column));
    }
  }
  return RigidMotion(rotation, gp_XYZ(matrix->Cell(1, 4), matrix->Cell(2, 4), matrix->Cell(3, 4)));
}

}  // namespace sledway::model
