#pragma once

#include <Adaptor3d_Curve.hxx>
#include <TopoDS_Shape.hxx>
#include <gp_Ax1.hxx>

#include "host/object.hpp"

namespace sledway::model {
class Part;
class PlanarSketchDefinition;
}  // namespace sledway::model

namespace sledway::app {

// What the view draws for the entities that are not faces of a body, in the coordinates of
// their owner (a part, or the assembly). Curves become polylines fine enough that the eye and
// the picker cannot tell them from the curve.

// Curve `index` of a 2D sketch, in the sketch owner's coordinates.
TopoDS_Shape SketchCurveShape(const model::PlanarSketchDefinition& sketch, int index);
// A curve of a 3D sketch.
TopoDS_Shape CurveShape(const Adaptor3d_Curve& curve);
// A work axis as a segment through the part, a little longer than the body.
TopoDS_Shape WorkAxisShape(const gp_Ax1& axis, const model::Part& part);

// The shape of a vertex or an edge of a component, where the component stands now; a null shape
// for any other entity.
TopoDS_Shape ComponentTopologyShape(const Ref<IVObject>& entity);

}  // namespace sledway::app
