#pragma once

#include <TopoDS_Shape.hxx>
#include <gp_Ax3.hxx>
#include <gp_Trsf.hxx>
#include <string>
#include <vector>

#include "host/document.hpp"
#include "modelhost/parameters/length_unit.hpp"
#include "modelhost/part/named.hpp"
#include "modelhost/part/primitive.hpp"

namespace sledway::model {

class AssemblyDefinition;
class Component;
class ParameterTable;
class ParameterValues;
class Part;
class PlanarSketch;
class PlanarSketchDefinition;
class Sketch3d;
class Sketch3dDefinition;
class Units;

// An assembly document: parameters, parts, components (the top-level occurrences of parts) and
// the assembly's own sketches, with the builder calls that make them. Geometry is given in model
// units (centimetres, radians). Names are unique per kind; a duplicate or unknown name, or a
// part of another document, is refused naming it, and a refused call changes nothing.
class AssemblyDocument : public IVAssemblyDocument {
 public:
  static Ref<AssemblyDocument> Create(std::string name,
                                      LengthUnit displayUnit = LengthUnit::kMillimetre);
  AssemblyDocument(std::string name, LengthUnit displayUnit);
  ~AssemblyDocument() override;

  IVDocumentType DocumentType() override;
  std::string DisplayName() override;
  // Evaluates every parameter and rebuilds the parameter-driven parts whose dimensions read a
  // value that changed since they were built; other parts, and what was derived from them,
  // stay as they are. Only when all of that succeeds are the values and bodies taken;
  // otherwise fails naming the parameter or part (e.g. "part 'lid': width must be positive,
  // got 0 mm"), nothing changed, so that the next Update tries the same again.
  void Update() override;
  Ref<IVAssemblyDefinition> GetDefinition() override;
  Ref<IVUnits> GetUnits() override;

  ParameterTable& Parameters();
  LengthUnit DisplayUnit() const { return displayUnit_; }

  // Parameter-driven parts. Each dimension is an expression over the document's parameters; a
  // bare number is in the display unit. The body is built from the current values now, and the
  // call fails when it cannot be.
  // Box from the part origin along +X (length), +Y (width), +Z (height).
  Ref<Part> AddBoxPart(const std::string& name, const std::string& lengthExpr,
                       const std::string& widthExpr, const std::string& heightExpr);
  // Axis +Z from the origin.
  Ref<Part> AddCylinderPart(const std::string& name, const std::string& radiusExpr,
                            const std::string& heightExpr);
  // Centre at the origin.
  Ref<Part> AddSpherePart(const std::string& name, const std::string& radiusExpr);
  // A part of fixed geometry (read from a file, say).
  Ref<Part> AddShapePart(const std::string& name, const TopoDS_Shape& shape);

  // `part` must be one of this document's parts; `placement` a rigid motion.
  Ref<Component> AddComponent(const std::string& name, const Ref<Part>& part,
                              const gp_Trsf& placement);
  // Sketches of the assembly itself, in assembly coordinates.
  Ref<PlanarSketchDefinition> AddSketch(const std::string& name, const gp_Ax3& plane);
  Ref<Sketch3dDefinition> AddSketch3d(const std::string& name);

  const std::vector<Ref<Part>>& Parts() const { return parts_; }
  // Null when there is none of that name.
  Ref<Part> FindPart(const std::string& name) const;
  const std::vector<Ref<Component>>& Components() const { return components_; }
  Ref<Component> FindComponent(const std::string& name) const;
  // The host-facing objects of the assembly's own sketches; null when there is none.
  Ref<PlanarSketch> Sketch(const std::string& name) const;
  Ref<model::Sketch3d> Sketch3d(const std::string& name) const;
  std::vector<std::string> SketchNames() const;
  std::vector<std::string> Sketch3dNames() const;

 private:
  Ref<Part> AddPrimitivePart(const std::string& name, Primitive primitive);
  // The body of `primitive` for the parameter values `values`; `read` receives the values of
  // the parameters its dimensions read.
  TopoDS_Shape BuildPrimitive(const std::string& partName, const Primitive& primitive,
                              const ParameterValues& values, ParameterValues& read) const;

  std::string name_;
  LengthUnit displayUnit_;
  Ref<ParameterTable> parameters_;
  Ref<AssemblyDefinition> definition_;
  Ref<Units> units_;
  std::vector<Ref<Part>> parts_;
  NameIndex partNames_;
  std::vector<Ref<Component>> components_;
  NameIndex componentNames_;
  std::vector<Ref<PlanarSketch>> sketches_;
  std::vector<Ref<model::Sketch3d>> sketches3d_;
};

}  // namespace sledway::model
