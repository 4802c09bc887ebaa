#include "modelhost/files/extruded_body.hpp"

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepClass_FaceClassifier.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRep_Tool.hxx>
#include <GeomAPI.hxx>
#include <Precision.hxx>
#include <ShapeFix_Face.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Vertex.hxx>
#include <TopoDS_Wire.hxx>
#include <gp_Pln.hxx>
#include <vector>

#include "modelhost/files/sketch_reader.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"

namespace sledway::model {

namespace {

constexpr std::string_view kLoopCurveKinds[] = {"line", "arc", "circle"};

// One loop of the profile as a closed wire in the XY plane. The curves are read through a
// sketch definition of the loop's own so that they are checked (and refused with a message)
// exactly as sketch curves are.
TopoDS_Wire ReadLoop(const JsonNode& loop, const GeometryReader& geometry,
                     const std::string& loopName) {
  PlanarSketchDefinition sketch(loopName, gp_Ax3(gp::XOY()));
  const gp_Pln plane(gp::XOY());
  BRepBuilderAPI_MakeWire wire;
  const std::vector<JsonNode> curves = loop.Elements();
  if (curves.empty()) loop.Fail("a loop needs at least one curve");
  for (const JsonNode& curve : curves) {
    const int index = ReadSketchCurve(curve, geometry, sketch, kLoopCurveKinds);
    wire.Add(BRepBuilderAPI_MakeEdge(GeomAPI::To3d(sketch.Curve(index), plane)).Edge());
    if (!wire.IsDone()) curve.Fail("the curve does not join the curves before it");
  }
  if (!BRep_Tool::IsClosed(wire.Wire())) loop.Fail("the loop is not closed");
  return wire.Wire();
}

bool LiesInside(const TopoDS_Wire& hole, const TopoDS_Face& outline) {
  TopoDS_Vertex first;
  TopoDS_Vertex last;
  TopExp::Vertices(hole, first, last);
  BRepClass_FaceClassifier classifier(outline, BRep_Tool::Pnt(first), Precision::Confusion());
  return classifier.State() == TopAbs_IN;
}

}  // namespace

TopoDS_Shape ReadExtrudedBody(const JsonNode& node, const GeometryReader& geometry,
                              const std::string& partName) {
  node.RequireObject({"height", "loops"});
  const JsonNode heightNode = node.Member("height");
  const double height = geometry.PositiveLength(heightNode);
  const JsonNode loopsNode = node.Member("loops");
  const std::vector<JsonNode> loops = loopsNode.Elements();
  if (loops.empty()) loopsNode.Fail("the profile needs at least one loop, its outline");

  try {
    const TopoDS_Wire outline = ReadLoop(loops[0], geometry, "part '" + partName + "' loop 1");
    BRepBuilderAPI_MakeFace outlineFace(outline, true);
    if (!outlineFace.IsDone()) loops[0].Fail("the outline does not bound a flat face");
    BRepBuilderAPI_MakeFace face(outlineFace.Face());
    for (std::size_t k = 1; k < loops.size(); ++k) {
      const TopoDS_Wire hole =
          ReadLoop(loops[k], geometry, "part '" + partName + "' loop " + std::to_string(k + 1));
      if (!LiesInside(hole, outlineFace.Face())) {
        loops[k].Fail("the hole does not lie inside the outline (the first loop)");
      }
      face.Add(hole);
    }
    // The holes were added as written; the fix turns each against the outline.
    ShapeFix_Face fix(face.Face());
    fix.FixOrientation();
    if (!BRepCheck_Analyzer(fix.Face()).IsValid()) {
      loopsNode.Fail("the loops cross or lie inside one another");
    }
    const TopoDS_Shape body = BRepPrimAPI_MakePrism(fix.Face(), gp_Vec(0.0, 0.0, height)).Shape();
    if (!BRepCheck_Analyzer(body).IsValid()) node.Fail("the extruded body is not valid");
    return body;
  } catch (const Standard_Failure&) {
    // The kernel's own text speaks of its internals, not of the file.
    node.Fail("the body cannot be built from these loops and this height");
  }
}

}  // namespace sledway::model
