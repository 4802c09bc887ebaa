#pragma once

#include <gtest/gtest.h>

#include <gp.hxx>
#include <gp_Pnt.hxx>
#include <gp_Trsf.hxx>
#include <numbers>

#include "host/host.hpp"

namespace sledway::model {

inline gp_Pnt ModelPoint(const Ref<IVPoint>& point) {
  return gp_Pnt(point->X(), point->Y(), point->Z());
}

inline gp_Trsf Shifted(double x, double y, double z) {
  gp_Trsf shift;
  shift.SetTranslation(gp_Vec(x, y, z));
  return shift;
}

// Quarter turn about Z, then 10 cm along X: (x, y, z) -> (10 - y, x, z).
inline gp_Trsf TurnedAndShifted() {
  gp_Trsf turn;
  turn.SetRotation(gp::OZ(), std::numbers::pi / 2.0);
  return Shifted(10.0, 0.0, 0.0) * turn;
}

inline gp_Pnt TurnedAndShifted(const gp_Pnt& p) {
  return gp_Pnt(10.0 - p.Y(), p.X(), p.Z());
}

// Runs `call` and returns the HostError it throws.
template <class Call>
HostError Refusal(Call call) {
  try {
    call();
  } catch (const HostError& error) {
    return error;
  }
  ADD_FAILURE() << "the call was not refused";
  return HostError(0, "");
}

}  // namespace sledway::model
