#pragma once

#include <gp_Trsf.hxx>

#include "host/geometry.hpp"

namespace sledway::model {

// A placement of the model host: always a rigid motion (rotation plus translation). Every
// rotation that comes in, from a gp_Trsf or from another matrix, is snapped to an exact
// rotation, so that composing placements over many steps cannot pile rounding up into scale or
// shear. A matrix that scales, shears or mirrors is refused with HostError kInvalidArg, as is
// any NaN or infinity; a refused call leaves the matrix as it was.
class Matrix : public IVMatrix {
 public:
  explicit Matrix(const gp_Trsf& placement = gp_Trsf());

  gp_Trsf Trsf() const { return placement_; }

  // Rows and columns 1 to 4, else kInvalidArg.
  double Cell(int row, int column) override;
  void SetToIdentity() override;
  Ref<IVVector> GetTranslation() override;
  void SetTranslation(const Ref<IVVector>& translation, bool additive) override;
  // A null or zero `axis` means none is offered. The translation part becomes zero.
  void SetToRotationBetween(const Ref<IVVector>& from, const Ref<IVVector>& to,
                            const Ref<IVVector>& axis) override;
  void TransformBy(const Ref<IVMatrix>& other) override;
  // True when no two corresponding cells differ by more than `tolerance`.
  bool IsEqualTo(const Ref<IVMatrix>& other, double tolerance) override;

 private:
  gp_Trsf placement_;
};

}  // namespace sledway::model
