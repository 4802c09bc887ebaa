#pragma once

#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Shape.hxx>
#include <TopoDS_Vertex.hxx>
#include <gp_Ax1.hxx>
#include <gp_Ax3.hxx>
#include <gp_Pnt.hxx>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/object.hpp"
#include "modelhost/parameters/parameter_values.hpp"
#include "modelhost/part/named.hpp"
#include "modelhost/part/primitive.hpp"

namespace sledway::model {

class PlanarSketchDefinition;
class Sketch3dDefinition;

// A part: a B-rep body in its own coordinates (model units), with its work points, work axes
// and sketches. Vertices and edges are numbered from 1 in the order TopExp::MapShapes visits
// them; a primitive rebuilt with other dimensions keeps that order, so a number keeps naming
// the same topological vertex or edge.
class Part {
 public:
  // A part of fixed geometry (from a file, say).
  Part(std::string name, const TopoDS_Shape& shape);
  // A part whose body is a primitive driven by dimension expressions; `shape` is the body built
  // from their current values, `builtFrom` the values of the parameters they read.
  Part(std::string name, Primitive primitive, const TopoDS_Shape& shape, ParameterValues builtFrom);

  const std::string& Name() const { return name_; }
  TopoDS_Shape Shape() const { return shape_; }
  // The dimensions the body is rebuilt from, or none for fixed geometry.
  const std::optional<Primitive>& Source() const { return primitive_; }
  // The values of the parameters the dimensions read when the body was built: while they stay
  // the same, a rebuild would give the same body.
  const ParameterValues& BuiltFrom() const { return builtFrom_; }
  // Takes a body rebuilt from the same primitive, and the parameter values it was built from.
  void ReplaceShape(const TopoDS_Shape& shape, ParameterValues builtFrom);
  // How many bodies the part has had: 1 for the first, one more for each rebuild. What is
  // derived from the body and kept (an edge's evaluator) compares it to know it is out of date.
  int Generation() const { return generation_; }

  int VertexCount() const { return vertices_.Extent(); }
  int EdgeCount() const { return edges_.Extent(); }
  // 1-based; fails naming the part and the index outside 1 to the count.
  TopoDS_Vertex Vertex(int index) const;
  TopoDS_Edge Edge(int index) const;
  const TopTools_IndexedMapOfShape& Edges() const { return edges_; }

  // Names are unique per kind within the part; a duplicate fails naming it.
  void AddWorkPoint(const std::string& name, const gp_Pnt& point);
  void AddWorkAxis(const std::string& name, const gp_Ax1& axis);
  Ref<PlanarSketchDefinition> AddSketch(const std::string& name, const gp_Ax3& plane);
  Ref<Sketch3dDefinition> AddSketch3d(const std::string& name);

  // Lookups fail naming the part and the name when there is none.
  gp_Pnt WorkPoint(const std::string& name) const;
  gp_Ax1 WorkAxis(const std::string& name) const;
  Ref<PlanarSketchDefinition> Sketch(const std::string& name) const;
  Ref<Sketch3dDefinition> Sketch3d(const std::string& name) const;

  // Names in the order they were added.
  std::vector<std::string> WorkPointNames() const;
  std::vector<std::string> WorkAxisNames() const;
  std::vector<std::string> SketchNames() const;
  std::vector<std::string> Sketch3dNames() const;

 private:
  void MapTopology();

  std::string name_;
  std::optional<Primitive> primitive_;
  ParameterValues builtFrom_;
  TopoDS_Shape shape_;
  int generation_ = 1;
  TopTools_IndexedMapOfShape vertices_;
  TopTools_IndexedMapOfShape edges_;
  std::vector<std::pair<std::string, gp_Pnt>> workPoints_;
  NameIndex workPointNames_;
  std::vector<std::pair<std::string, gp_Ax1>> workAxes_;
  NameIndex workAxisNames_;
  std::vector<Ref<PlanarSketchDefinition>> sketches_;
  std::vector<Ref<Sketch3dDefinition>> sketches3d_;
};

}  // namespace sledway::model
