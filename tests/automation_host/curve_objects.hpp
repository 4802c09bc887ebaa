#pragma once

// Curve evaluators (model space, or a sketch plane) and the curve geometry that hands them
// out, over the scene's analytic curves.

#include <functional>

#include "affine.hpp"
#include "analytic_curve.hpp"
#include "com_object.hpp"

namespace sledway::automation_host {

// Where a curve's own coordinates stand in model space now (a component moves).
using PlacementSource = std::function<Affine()>;

// A CurveEvaluator of `curve` placed by `placement`, answering x, y, z triples.
ComPtr<IDispatch> NewCurveEvaluator(IDispatch* application, const AnalyticCurve& curve,
                                    PlacementSource placement);
// A Curve2dEvaluator of `curve` (in its sketch plane, z = 0), answering x, y pairs.
ComPtr<IDispatch> NewCurve2dEvaluator(IDispatch* application, const AnalyticCurve& curve);
// Curve geometry (LineSegment, Arc3d, LineSegment2d, Arc2d, ...) whose Evaluator is
// `evaluator()`.
ComPtr<IDispatch> NewCurveGeometry(IDispatch* application,
                                   std::function<ComPtr<IDispatch>()> evaluator);

}  // namespace sledway::automation_host
