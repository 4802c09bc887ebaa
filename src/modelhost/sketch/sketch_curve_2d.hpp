#pragma once

#include <Geom2d_Curve.hxx>
#include <memory>

#include "host/sketch.hpp"
#include "modelhost/component/occurrence_link.hpp"

namespace sledway::model {

class PlanarSketch;

// A curve of a 2D sketch: an object with the interface of its kind
// (IVSketchCurveOf<kind>), whose geometry evaluates `curve` in sketch coordinates. It refers to
// its sketch weakly, since the sketch keeps its curves.
Ref<IVSketchEntity> MakeSketchCurve2d(IVCurveKind kind, Handle(Geom2d_Curve) curve,
                                      std::weak_ptr<PlanarSketch> sketch, OccurrenceLink component);

}  // namespace sledway::model
