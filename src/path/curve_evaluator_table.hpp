#pragma once

#include <string>

#include "host/codes.hpp"
#include "host/curve_evaluator.hpp"
#include "host/object.hpp"

namespace sledway {

// The way from a sketch curve to its evaluator depends on the curve's kind code: each kind has
// its own sketch-curve interface and geometry object. These functions hold that table.

// The kind code as a person reads it in a message, such as "0x05002770".
std::string CurveKindText(IVCurveKind kind);

// True for the six kinds of 2D sketch curve that can be path entities.
bool IsPathCurveKind2d(IVCurveKind kind);
// True for the six kinds of 3D sketch curve that can be path entities.
bool IsPathCurveKind3d(IVCurveKind kind);

// The evaluator of a 2D sketch curve of kind `kind`, or null when `kind` is not one of the
// accepted 2D kinds. Fails with a HostError when `curve` is not a sketch curve of that kind.
Ref<IVCurveEvaluator2d> MakeSketchCurveEvaluator2d(IVCurveKind kind, const Ref<IVObject>& curve);
// The same for 3D sketch curves.
Ref<IVCurveEvaluator> MakeSketchCurveEvaluator3d(IVCurveKind kind, const Ref<IVObject>& curve);

}  // namespace sledway
