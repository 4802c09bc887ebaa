#pragma once

// The Type each test-host object reports. The add-in reads the codes of edges and sketch
// curves, which are the host's own (src/host/codes.hpp); no other object's code is one of them.

#include "host/codes.hpp"

namespace sledway::automation_host::object_type {

inline constexpr long kEdgeProxy = static_cast<long>(IVCurveKind::kEdgeProxy);
inline constexpr long kSketchLineProxy = static_cast<long>(IVCurveKind::kSketchLineProxy);
inline constexpr long kSketchArcProxy = static_cast<long>(IVCurveKind::kSketchArcProxy);
inline constexpr long kSketchLine3DProxy = static_cast<long>(IVCurveKind::kSketchLine3DProxy);
inline constexpr long kSketchArc3DProxy = static_cast<long>(IVCurveKind::kSketchArc3DProxy);
// A helix picked in a 3D sketch is the helical curve's own entity, a 3D spline.
inline constexpr long kSketchSpline3DProxy = static_cast<long>(IVCurveKind::kSketchSpline3DProxy);

// Every other object: the add-in tells them apart by their members, never by this code.
inline constexpr long kHostObject = 0x7E000000;

}  // namespace sledway::automation_host::object_type
