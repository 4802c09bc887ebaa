#pragma once

#include <Adaptor3d_Curve.hxx>
#include <memory>

#include "host/sketch.hpp"
#include "modelhost/component/occurrence_link.hpp"

namespace sledway::model {

class Sketch3d;

// A curve of a 3D sketch: an object with the interface of its kind
// (IVSketchCurve3DOf<kind>), whose geometry evaluates `curve` in assembly coordinates through
// the component's placement as it stands at each query. It refers to its sketch weakly, since
// the sketch keeps its curves.
Ref<IVSketchEntity3D> MakeSketchCurve3d(IVCurveKind kind, Handle(Adaptor3d_Curve) curve,
                                        std::weak_ptr<Sketch3d> sketch, OccurrenceLink component);

}  // namespace sledway::model
