#include "path/curve_evaluator_table.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "host/host_error.hpp"
#include "host/sketch.hpp"

namespace sledway {
namespace {

// Reaching the evaluator takes two steps through interfaces of the curve's own kind; a curve
// that lacks them is not what its kind code claims.
template <class Evaluator, class Curve>
Ref<Evaluator> EvaluatorThroughGeometry(IVCurveKind kind, const Ref<IVObject>& object,
                                        const char* sketchKind) {
  const auto curve = As<Curve>(object);
  if (!curve) {
    throw HostError(hresult::kNoInterface, "the path curve is not a " + std::string(sketchKind) +
                                               " sketch curve of kind " + CurveKindText(kind));
  }
  const auto geometry = curve->GetGeometry();
  if (!geometry) {
    throw HostError(hresult::kPointer, "the " + std::string(sketchKind) + " sketch curve of kind " +
                                           CurveKindText(kind) + " has no geometry");
  }
  return geometry->GetEvaluator();
}

template <IVCurveKind Kind>
Ref<IVCurveEvaluator2d> Evaluator2dOf(const Ref<IVObject>& curve) {
  return EvaluatorThroughGeometry<IVCurveEvaluator2d, IVSketchCurveOf<Kind>>(Kind, curve, "2D");
}

template <IVCurveKind Kind>
Ref<IVCurveEvaluator> Evaluator3dOf(const Ref<IVObject>& curve) {
  return EvaluatorThroughGeometry<IVCurveEvaluator, IVSketchCurve3DOf<Kind>>(Kind, curve, "3D");
}

using Maker2d = Ref<IVCurveEvaluator2d> (*)(const Ref<IVObject>&);
using Maker3d = Ref<IVCurveEvaluator> (*)(const Ref<IVObject>&);

constexpr std::array<std::pair<IVCurveKind, Maker2d>, 6> kMakers2d{{
    {IVCurveKind::kSketchLineProxy, &Evaluator2dOf<IVCurveKind::kSketchLineProxy>},
    {IVCurveKind::kSketchArcProxy, &Evaluator2dOf<IVCurveKind::kSketchArcProxy>},
    {IVCurveKind::kSketchCircleProxy, &Evaluator2dOf<IVCurveKind::kSketchCircleProxy>},
    {IVCurveKind::kSketchEllipseProxy, &Evaluator2dOf<IVCurveKind::kSketchEllipseProxy>},
    {IVCurveKind::kSketchEllipticalArcProxy,
     &Evaluator2dOf<IVCurveKind::kSketchEllipticalArcProxy>},
    {IVCurveKind::kSketchSplineProxy, &Evaluator2dOf<IVCurveKind::kSketchSplineProxy>},
}};

constexpr std::array<std::pair<IVCurveKind, Maker3d>, 6> kMakers3d{{
    {IVCurveKind::kSketchLine3DProxy, &Evaluator3dOf<IVCurveKind::kSketchLine3DProxy>},
    {IVCurveKind::kSketchArc3DProxy, &Evaluator3dOf<IVCurveKind::kSketchArc3DProxy>},
    {IVCurveKind::kSketchCircle3DProxy, &Evaluator3dOf<IVCurveKind::kSketchCircle3DProxy>},
    {IVCurveKind::kSketchSpline3DProxy, &Evaluator3dOf<IVCurveKind::kSketchSpline3DProxy>},
    {IVCurveKind::kSketchEllipse3DProxy, &Evaluator3dOf<IVCurveKind::kSketchEllipse3DProxy>},
    {IVCurveKind::kSketchEllipticalArc3DProxy,
     &Evaluator3dOf<IVCurveKind::kSketchEllipticalArc3DProxy>},
}};

// A curve of the assembly's own sketch is accepted with its kind: it has the proxy's members.
template <class Table>
auto FindMaker(const Table& table, IVCurveKind kind) {
  return std::ranges::find(table, ProxyKind(kind), &Table::value_type::first);
}

}  // namespace

std::string CurveKindText(IVCurveKind kind) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(kind));
  return text;
}

bool IsPathCurveKind2d(IVCurveKind kind) {
  return FindMaker(kMakers2d, kind) != kMakers2d.end();
}

bool IsPathCurveKind3d(IVCurveKind kind) {
  return FindMaker(kMakers3d, kind) != kMakers3d.end();
}

Ref<IVCurveEvaluator2d> MakeSketchCurveEvaluator2d(IVCurveKind kind, const Ref<IVObject>& curve) {
  const auto maker = FindMaker(kMakers2d, kind);
  return maker == kMakers2d.end() ? nullptr : maker->second(curve);
}

Ref<IVCurveEvaluator> MakeSketchCurveEvaluator3d(IVCurveKind kind, const Ref<IVObject>& curve) {
  const auto maker = FindMaker(kMakers3d, kind);
  return maker == kMakers3d.end() ? nullptr : maker->second(curve);
}

}  // namespace sledway
