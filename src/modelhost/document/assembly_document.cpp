#include "modelhost/document/assembly_document.hpp"

#include <algorithm>
#include <memory>
#include <utility>

#include "host/host_error.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_definition.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "modelhost/parameters/units.hpp"
#include "modelhost/part/named.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"
#include "modelhost/sketch/sketch3d.hpp"
#include "modelhost/sketch/sketch3d_definition.hpp"

namespace sledway::model {

namespace {

std::string SketchName(const Ref<PlanarSketch>& sketch) {
  return sketch->Definition()->Name();
}
std::string Sketch3dName(const Ref<Sketch3d>& sketch) {
  return sketch->Definition()->Name();
}

template <class T, class NameOf>
Ref<T> FindOrNull(const std::vector<Ref<T>>& items, const std::string& name, NameOf nameOf) {
  const Ref<T>* found = FindNamed(items, name, nameOf);
  return found ? *found : nullptr;
}

}  // namespace

Ref<AssemblyDocument> AssemblyDocument::Create(std::string name, LengthUnit displayUnit) {
  return std::make_shared<AssemblyDocument>(std::move(name), displayUnit);
}

AssemblyDocument::AssemblyDocument(std::string name, LengthUnit displayUnit)
    : name_(std::move(name)),
      displayUnit_(displayUnit),
      parameters_(ParameterTable::Create()),
      definition_(std::make_shared<AssemblyDefinition>(parameters_)),
      units_(std::make_shared<Units>(displayUnit)) {}

AssemblyDocument::~AssemblyDocument() = default;

IVDocumentType AssemblyDocument::DocumentType() {
  return IVDocumentType::kAssembly;
}

std::string AssemblyDocument::DisplayName() {
  return name_;
}

Ref<IVAssemblyDefinition> AssemblyDocument::GetDefinition() {
  return definition_;
}

Ref<IVUnits> AssemblyDocument::GetUnits() {
  return units_;
}

ParameterTable& AssemblyDocument::Parameters() {
  return *parameters_;
}

TopoDS_Shape AssemblyDocument::BuildPrimitive(const std::string& partName,
                                              const Primitive& primitive,
                                              const ParameterValues& values,
                                              ParameterValues& read) const {
  std::vector<double> lengths;
  for (const Dimension& dimension : primitive.Dimensions()) {
    try {
      lengths.push_back(
          parameters_->EvaluateLength(dimension.expression, values, displayUnit_, &read));
    } catch (const HostError& error) {
      throw HostError(error.Code(),
                      "part '" + partName + "': " + dimension.name + ": " + error.what());
    }
  }
  return primitive.Build(partName, lengths, [this](double cm) {
    return units_->FormatValue(cm, kDefaultDisplayLengthUnits);
  });
}

void AssemblyDocument::Update() {
  const ParameterValues staged = parameters_->Stage();
  struct Rebuilt {
    Part* part;
    TopoDS_Shape shape;
    ParameterValues builtFrom;
  };
  std::vector<Rebuilt> rebuilt;
  for (const auto& part : parts_) {
    const auto& primitive = part->Source();
    if (!primitive || part->BuiltFrom().UnchangedIn(staged)) continue;
    ParameterValues read;
    TopoDS_Shape shape = BuildPrimitive(part->Name(), *primitive, staged, read);
    rebuilt.push_back({part.get(), std::move(shape), std::move(read)});
  }
  parameters_->Commit(staged);
  for (Rebuilt& body : rebuilt) body.part->ReplaceShape(body.shape, std::move(body.builtFrom));
}

Ref<Part> AssemblyDocument::AddPrimitivePart(const std::string& name, Primitive primitive) {
  partNames_.RequireNew(name, "part", "assembly '" + name_ + "'");
  // An empty staged set evaluates against the parameters' current values.
  ParameterValues read;
  TopoDS_Shape shape = BuildPrimitive(name, primitive, ParameterValues(), read);
  auto part = std::make_shared<Part>(name, std::move(primitive), shape, std::move(read));
  parts_.push_back(part);
  partNames_.Add(name, parts_.size() - 1);
  return part;
}

Ref<Part> AssemblyDocument::AddBoxPart(const std::string& name, const std::string& lengthExpr,
                                       const std::string& widthExpr,
                                       const std::string& heightExpr) {
  return AddPrimitivePart(
      name, Primitive(PrimitiveKind::kBox,
                      {{"length", lengthExpr}, {"width", widthExpr}, {"height", heightExpr}}));
}

Ref<Part> AssemblyDocument::AddCylinderPart(const std::string& name, const std::string& radiusExpr,
                                            const std::string& heightExpr) {
  return AddPrimitivePart(
      name, Primitive(PrimitiveKind::kCylinder, {{"radius", radiusExpr}, {"height", heightExpr}}));
}

Ref<Part> AssemblyDocument::AddSpherePart(const std::string& name, const std::string& radiusExpr) {
  return AddPrimitivePart(name, Primitive(PrimitiveKind::kSphere, {{"radius", radiusExpr}}));
}

Ref<Part> AssemblyDocument::AddShapePart(const std::string& name, const TopoDS_Shape& shape) {
  partNames_.RequireNew(name, "part", "assembly '" + name_ + "'");
  auto part = std::make_shared<Part>(name, shape);
  parts_.push_back(part);
  partNames_.Add(name, parts_.size() - 1);
  return part;
}

Ref<Component> AssemblyDocument::AddComponent(const std::string& name, const Ref<Part>& part,
                                              const gp_Trsf& placement) {
  componentNames_.RequireNew(name, "component", "assembly '" + name_ + "'");
  if (!part) {
    throw HostError(hresult::kPointer, "component '" + name + "': no part given");
  }
  if (FindPart(part->Name()) != part) {
    throw HostError(hresult::kInvalidArg, "component '" + name + "': part '" + part->Name() +
                                              "' is not a part of assembly '" + name_ + "'");
  }
  auto component = std::make_shared<Component>(name, part, placement);
  components_.push_back(component);
  componentNames_.Add(name, components_.size() - 1);
  return component;
}

Ref<PlanarSketchDefinition> AssemblyDocument::AddSketch(const std::string& name,
                                                        const gp_Ax3& plane) {
  RequireNewName(sketches_, name, SketchName, "sketch", "assembly '" + name_ + "'");
  auto definition = std::make_shared<PlanarSketchDefinition>(name, plane);
  sketches_.push_back(std::make_shared<PlanarSketch>(definition, OccurrenceLink()));
  return definition;
}

Ref<Sketch3dDefinition> AssemblyDocument::AddSketch3d(const std::string& name) {
  RequireNewName(sketches3d_, name, Sketch3dName, "3D sketch", "assembly '" + name_ + "'");
  auto definition = std::make_shared<Sketch3dDefinition>(name);
  sketches3d_.push_back(std::make_shared<model::Sketch3d>(definition, OccurrenceLink()));
  return definition;
}

Ref<Part> AssemblyDocument::FindPart(const std::string& name) const {
  const auto position = partNames_.Find(name);
  return position ? parts_[*position] : nullptr;
}

Ref<Component> AssemblyDocument::FindComponent(const std::string& name) const {
  const auto position = componentNames_.Find(name);
  return position ? components_[*position] : nullptr;
}

Ref<PlanarSketch> AssemblyDocument::Sketch(const std::string& name) const {
  return FindOrNull(sketches_, name, SketchName);
}

Ref<Sketch3d> AssemblyDocument::Sketch3d(const std::string& name) const {
  return FindOrNull(sketches3d_, name, Sketch3dName);
}

std::vector<std::string> AssemblyDocument::SketchNames() const {
  return NamesOf(sketches_, SketchName);
}

std::vector<std::string> AssemblyDocument::Sketch3dNames() const {
  return NamesOf(sketches3d_, Sketch3dName);
}

}  // namespace sledway::model
