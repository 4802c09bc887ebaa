#pragma once

#include <gp_Vec.hxx>

#include "host/geometry.hpp"

namespace sledway::model {

// A free vector of the model host. Components must stay finite: an input or a result with a
// NaN or an infinity is refused (HostError kInvalidArg) and the vector keeps its value.
class Vector : public IVVector {
 public:
  explicit Vector(const gp_Vec& vector);

  gp_Vec Vec() const { return vector_; }

  double X() override { return vector_.X(); }
  double Y() override { return vector_.Y(); }
  double Z() override { return vector_.Z(); }
  void PutCoordinates(double x, double y, double z) override;
  double Length() override { return vector_.Magnitude(); }
  void ScaleBy(double factor) override;
  Ref<IVVector> CrossProduct(const Ref<IVVector>& other) override;
  double DotProduct(const Ref<IVVector>& other) override;
  // The angle in [0, pi]; fails (kInvalidArg) when either vector is zero.
  double AngleTo(const Ref<IVVector>& other) override;
  void TransformBy(const Ref<IVMatrix>& matrix) override;
  // True when the difference vector is at most `tolerance` long.
  bool IsEqualTo(const Ref<IVVector>& other, double tolerance) override;

 private:
  void Assign(const gp_Vec& vector, const char* operation);

  gp_Vec vector_;
};

}  // namespace sledway::model
