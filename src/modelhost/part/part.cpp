#include "modelhost/part/part.hpp"

#include <TopAbs_ShapeEnum.hxx>
#include <TopExp.hxx>
#include <TopoDS.hxx>
#include <cmath>
#include <memory>

#include "host/host_error.hpp"
#include "modelhost/part/named.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"
#include "modelhost/sketch/sketch3d_definition.hpp"

namespace sledway::model {

namespace {

template <class Pair>
const std::string& FirstOf(const Pair& item) {
  return item.first;
}

template <class Definition>
std::string NameOfDefinition(const Ref<Definition>& definition) {
  return definition->Name();
}

bool IsFinite(const gp_XYZ& xyz) {
  return std::isfinite(xyz.X()) && std::isfinite(xyz.Y()) && std::isfinite(xyz.Z());
}

}  // namespace

Part::Part(std::string name, const TopoDS_Shape& shape) : name_(std::move(name)), shape_(shape) {
  if (shape_.IsNull()) throw HostError(hresult::kInvalidArg, "part '" + name_ + "' has no shape");
  MapTopology();
}

Part::Part(std::string name, Primitive primitive, const TopoDS_Shape& shape,
           ParameterValues builtFrom)
    : Part(std::move(name), shape) {
  primitive_ = std::move(primitive);
  builtFrom_ = std::move(builtFrom);
}

void Part::ReplaceShape(const TopoDS_Shape& shape, ParameterValues builtFrom) {
  shape_ = shape;
  builtFrom_ = std::move(builtFrom);
  MapTopology();
  ++generation_;
}

void Part::MapTopology() {
  vertices_.Clear();
  edges_.Clear();
  TopExp::MapShapes(shape_, TopAbs_VERTEX, vertices_);
  TopExp::MapShapes(shape_, TopAbs_EDGE, edges_);
}

TopoDS_Vertex Part::Vertex(int index) const {
  if (index < 1 || index > vertices_.Extent()) {
    throw HostError(hresult::kBadIndex, "part '" + name_ + "' has no vertex " +
                                            std::to_string(index) + " (it has " +
                                            std::to_string(vertices_.Extent()) + ")");
  }
  return TopoDS::Vertex(vertices_(index));
}

TopoDS_Edge Part::Edge(int index) const {
  if (index < 1 || index > edges_.Extent()) {
    throw HostError(hresult::kBadIndex, "part '" + name_ + "' has no edge " +
                                            std::to_string(index) + " (it has " +
                                            std::to_string(edges_.Extent()) + ")");
  }
  return TopoDS::Edge(edges_(index));
}

void Part::AddWorkPoint(const std::string& name, const gp_Pnt& point) {
  const std::string owner = "part '" + name_ + "'";
  workPointNames_.RequireNew(name, "work point", owner);
  if (!IsFinite(point.XYZ())) {
    throw HostError(hresult::kInvalidArg,
                    "work point '" + name + "' of " + owner + ": coordinates must be finite");
  }
  workPoints_.emplace_back(name, point);
  workPointNames_.Add(name, workPoints_.size() - 1);
}

void Part::AddWorkAxis(const std::string& name, const gp_Ax1& axis) {
  const std::string owner = "part '" + name_ + "'";
  workAxisNames_.RequireNew(name, "work axis", owner);
  if (!IsFinite(axis.Location().XYZ()) || !IsFinite(axis.Direction().XYZ())) {
    throw HostError(hresult::kInvalidArg,
                    "work axis '" + name + "' of " + owner + ": coordinates must be finite");
  }
  workAxes_.emplace_back(name, axis);
  workAxisNames_.Add(name, workAxes_.size() - 1);
}

Ref<PlanarSketchDefinition> Part::AddSketch(const std::string& name, const gp_Ax3& plane) {
  RequireNewName(sketches_, name, NameOfDefinition<PlanarSketchDefinition>, "sketch",
                 "part '" + name_ + "'");
  auto sketch = std::make_shared<PlanarSketchDefinition>(name, plane);
  sketches_.push_back(sketch);
  return sketch;
}

Ref<Sketch3dDefinition> Part::AddSketch3d(const std::string& name) {
  RequireNewName(sketches3d_, name, NameOfDefinition<Sketch3dDefinition>, "3D sketch",
                 "part '" + name_ + "'");
  auto sketch = std::make_shared<Sketch3dDefinition>(name);
  sketches3d_.push_back(sketch);
  return sketch;
}

gp_Pnt Part::WorkPoint(const std::string& name) const {
  if (const auto position = workPointNames_.Find(name)) return workPoints_[*position].second;
  throw HostError(hresult::kInvalidArg,
                  "part '" + name_ + "' has no work point named '" + name + "'");
}

gp_Ax1 Part::WorkAxis(const std::string& name) const {
  if (const auto position = workAxisNames_.Find(name)) return workAxes_[*position].second;
  throw HostError(hresult::kInvalidArg,
                  "part '" + name_ + "' has no work axis named '" + name + "'");
}

Ref<PlanarSketchDefinition> Part::Sketch(const std::string& name) const {
  if (auto found = FindNamed(sketches_, name, NameOfDefinition<PlanarSketchDefinition>)) {
    return *found;
  }
  throw HostError(hresult::kInvalidArg, "part '" + name_ + "' has no sketch named '" + name + "'");
}

Ref<Sketch3dDefinition> Part::Sketch3d(const std::string& name) const {
  if (auto found = FindNamed(sketches3d_, name, NameOfDefinition<Sketch3dDefinition>)) {
    return *found;
  }
  throw HostError(hresult::kInvalidArg,
                  "part '" + name_ + "' has no 3D sketch named '" + name + "'");
}

std::vector<std::string> Part::WorkPointNames() const {
  return NamesOf(workPoints_, FirstOf<std::pair<std::string, gp_Pnt>>);
}

std::vector<std::string> Part::WorkAxisNames() const {
  return NamesOf(workAxes_, FirstOf<std::pair<std::string, gp_Ax1>>);
}

std::vector<std::string> Part::SketchNames() const {
  return NamesOf(sketches_, NameOfDefinition<PlanarSketchDefinition>);
}

std::vector<std::string> Part::Sketch3dNames() const {
  return NamesOf(sketches3d_, NameOfDefinition<Sketch3dDefinition>);
}

}  // namespace sledway::model
