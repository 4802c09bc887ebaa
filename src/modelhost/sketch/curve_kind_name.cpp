#include "modelhost/sketch/curve_kind_name.hpp"

namespace sledway::model {

const char* CurveKindName(IVCurveKind kind) {
  switch (kind) {
    case IVCurveKind::kSketchLine:
    case IVCurveKind::kSketchLine3D:
      return "line";
    case IVCurveKind::kSketchArc:
    case IVCurveKind::kSketchArc3D:
      return "arc";
    case IVCurveKind::kSketchCircle:
    case IVCurveKind::kSketchCircle3D:
      return "circle";
    case IVCurveKind::kSketchEllipse:
    case IVCurveKind::kSketchEllipse3D:
      return "ellipse";
    case IVCurveKind::kSketchEllipticalArc:
      return "elliptical arc";
    case IVCurveKind::kSketchSpline:
    case IVCurveKind::kSketchSpline3D:
      return "spline";
    case IVCurveKind::kSketchHelix3D:
      return "helix";
    case IVCurveKind::kEdge:
      return "edge";
  }
  return "curve";
}

}  // namespace sledway::model
