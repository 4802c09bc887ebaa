#include "modelhost/sketch/curve_kind_name.hpp"

namespace sledway::model {

const char* CurveKindName(IVCurveKind kind) {
  // A curve of the assembly's own sketch is named as the same curve seen through a component.
  switch (ProxyKind(kind)) {
    case IVCurveKind::kSketchLineProxy:
    case IVCurveKind::kSketchLine3DProxy:
      return "line";
    case IVCurveKind::kSketchArcProxy:
    case IVCurveKind::kSketchArc3DProxy:
      return "arc";
    case IVCurveKind::kSketchCircleProxy:
    case IVCurveKind::kSketchCircle3DProxy:
      return "circle";
    case IVCurveKind::kSketchEllipseProxy:
    case IVCurveKind::kSketchEllipse3DProxy:
      return "ellipse";
    case IVCurveKind::kSketchEllipticalArcProxy:
    case IVCurveKind::kSketchEllipticalArc3DProxy:
      return "elliptical arc";
    case IVCurveKind::kSketchSplineProxy:
    case IVCurveKind::kSketchSpline3DProxy:
      return "spline";
    case IVCurveKind::kHelicalCurveProxy:
    case IVCurveKind::kHelicalCurve:
      return "helical curve";
    case IVCurveKind::kEdgeProxy:
    case IVCurveKind::kEdge:
      return "edge";
  }
  return "curve";
}

}  // namespace sledway::model
