#include "component_occurrence.hpp"

#include <cmath>

#include "geometry_objects.hpp"

namespace sledway::automation_host {

namespace {

// A placement the host accepts: finite, its rotation part orthonormal and right-handed.
bool Rigid(const Affine& placement) {
  for (const auto& row : placement.cell) {
    for (double cell : row) {
      if (!std::isfinite(cell)) return false;
    }
  }
  const Vec3 x = placement.Direction({1, 0, 0});
  const Vec3 y = placement.Direction({0, 1, 0});
  const Vec3 z = placement.Direction({0, 0, 1});
  constexpr double kTolerance = 1e-9;
  return std::abs(Norm(x) - 1) < kTolerance && std::abs(Norm(y) - 1) < kTolerance &&
         std::abs(Norm(z) - 1) < kTolerance && std::abs(Dot(x, y)) < kTolerance &&
         std::abs(Dot(y, z)) < kTolerance && std::abs(Dot(x, z)) < kTolerance &&
         Dot(Cross(x, y), z) > 0.0;
}

}  // namespace

ComponentOccurrenceObject::ComponentOccurrenceObject(IDispatch* application, std::wstring name,
                                                     const Affine& placement, bool grounded,
                                                     PlacementHooks& hooks)
    : Object(application),
      name_(std::move(name)),
      placement_(placement),
      grounded_(grounded),
      hooks_(hooks) {}

HRESULT ComponentOccurrenceObject::get_Transformation(IDispatch** value) {
  return Give(NewMatrix(application(), placement_), value);
}

HRESULT ComponentOccurrenceObject::put_Transformation(IDispatch* value) {
  Affine placement;
  HRESULT read = ReadAffine(value, placement);
  if (FAILED(read)) return read;
  if (FAILED(hooks_.code)) {
    const HRESULT code = hooks_.code;
    hooks_.code = S_OK;
    return Failure(code, hooks_.text);
  }
  if (!Rigid(placement)) {
    return Failure(E_INVALIDARG, L"Transformation: " + name_ +
                                     L" can only be placed by a rotation and a translation");
  }
  placements_.push_back(placement);
  placement_ = placement;
  if (hooks_.afterPut) hooks_.afterPut();
  return S_OK;
}

HRESULT ComponentOccurrenceObject::put_Visible(VARIANT_BOOL value) {
  visible_ = value != VARIANT_FALSE;
  visibilities_.push_back(visible_);
  return S_OK;
}

}  // namespace sledway::automation_host
