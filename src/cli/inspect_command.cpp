#include "cli/inspect_command.hpp"

#include <BRepAdaptor_Curve.hxx>
#include <CLI/CLI.hpp>
#include <GCPnts_AbscissaPoint.hxx>
#include <algorithm>
#include <iomanip>
#include <string>
#include <vector>

#include "cli/assembly_source.hpp"
#include "cli/model_curves.hpp"
#include "cli/number_text.hpp"
#include "host/part_entities.hpp"
#include "host/sketch.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/entity_names.hpp"
#include "modelhost/parameters/length_unit.hpp"
#include "modelhost/part/part.hpp"

namespace sledway::cli {
namespace {

// Arc lengths of the listing are good to far below the six decimals shown.
constexpr double kLengthTolerance = 1e-9;

class Lister {
 public:
  explicit Lister(const model::AssemblyDocument& document)
      : label_(model::LengthUnitLabel(document.DisplayUnit())),
        perUnit_(model::CentimetresPerUnit(document.DisplayUnit())) {}

  std::string Length(double centimetres) const {
    return TrimmedText(centimetres / perUnit_, 6) + " " + label_;
  }

  std::string Point(const Ref<IVPoint>& point) const {
    return "(" + TrimmedText(point->X() / perUnit_, 6) + ", " +
           TrimmedText(point->Y() / perUnit_, 6) + ", " + TrimmedText(point->Z() / perUnit_, 6) +
           ") " + label_;
  }

  static std::string Direction(const Ref<IVVector>& direction) {
    return "(" + TrimmedText(direction->X(), 6) + ", " + TrimmedText(direction->Y(), 6) + ", " +
           TrimmedText(direction->Z(), 6) + ")";
  }

  // What the listing says about one entity besides its name and kind.
  std::string Details(const model::NamedEntity& named) const {
    const Ref<IVObject>& entity = named.entity;
    if (const auto component = As<model::Component>(entity)) {
      return "part '" + component->Part()->Name() + "'";
    }
    if (const auto vertex = As<IVVertex>(entity)) return "at " + Point(vertex->GetPoint());
    if (const auto workPoint = As<IVWorkPoint>(entity)) return "at " + Point(workPoint->GetPoint());
    if (const auto axis = As<IVAxis>(entity)) {
      const Ref<IVLine> line = axis->GetLine();
      return "through " + Point(line->RootPoint()) + " along " + Direction(line->Direction());
    }
    if (Is<IVEdge>(entity) || Is<IVSketchEntity>(entity) || Is<IVSketchEntity3D>(entity)) {
      const FramedCurve framed = ModelCurveOf(entity);
      std::string details = Is<IVEdge>(entity) ? EdgeShape(*framed.curve) + ", " : "";
      return details + "length " +
             Length(GCPnts_AbscissaPoint::Length(*framed.curve, kLengthTolerance));
    }
    return "";
  }

 private:
  static std::string EdgeShape(const Adaptor3d_Curve& curve) {
    switch (curve.GetType()) {
      case GeomAbs_Line:
        return "straight";
      case GeomAbs_Circle:
        return "circular";
      case GeomAbs_Ellipse:
        return "elliptical";
      case GeomAbs_BSplineCurve:
      case GeomAbs_BezierCurve:
        return "spline";
      default:
        return "curved";
    }
  }

  std::string label_;
  double perUnit_;
};

void ListParameters(model::AssemblyDocument& document, std::ostream& out) {
  out << "\nparameters that can be driven (--drive NAME):\n";
  const Ref<IVParameters> parameters = document.GetDefinition()->GetParameters();
  bool any = false;
  for (const Ref<IVParameterList>& list :
       {parameters->GetFirstList(), parameters->GetSecondList()}) {
    for (int i = 1; i <= list->Count(); ++i) {
      const Ref<IVParameter> parameter = list->Item(i);
      if (parameter->Inputs()->Count() != 0) continue;
      out << "  " << parameter->Name() << " = " << TrimmedText(parameter->Value(), 6) << ' '
          << parameter->Units() << '\n';
      any = true;
    }
  }
  if (!any) out << "  (none)\n";
}

}  // namespace

CLI::App* AddInspectCommand(CLI::App& app, AssemblyChoice& assembly) {
  CLI::App* command = app.add_subcommand(
      "inspect", "List what an assembly holds, with the names the run command takes");
  AddAssemblyChoice(*command, assembly);
  return command;
}

int RunInspectCommand(const AssemblyChoice& assembly, const Console& console) {
  const OpenedAssembly opened = OpenAssembly(assembly);
  model::AssemblyDocument& document = *opened.document;
  const Lister lister(document);
  std::ostream& out = console.out;
  out << "assembly " << opened.name << ", lengths in "
      << model::LengthUnitLabel(document.DisplayUnit()) << "\n\nentities:\n";
  // Two walks over the entities, one for the width of the name column and one that prints,
  // keep no more than one entity at a time: a list of them all would take many times the
  // assembly's own memory.
  std::size_t nameWidth = 0;
  model::ForEachEntity(document, [&](const model::NamedEntity& named) {
    nameWidth = std::max(nameWidth, named.name.size());
  });
  model::ForEachEntity(document, [&](const model::NamedEntity& named) {
    const std::string details = lister.Details(named);
    out << "  " << std::left << std::setw(static_cast<int>(nameWidth) + 2) << named.name;
    if (details.empty()) {
      out << named.kind << '\n';
    } else {
      out << std::setw(16) << named.kind << details << '\n';
    }
  });
  out << std::right;
  ListParameters(document, out);
  if (opened.run) {
    out << "\nsuggested run: --path " << opened.run->path << " --follow " << opened.run->follow;
    if (!opened.run->tangent.empty()) out << " --tangent " << opened.run->tangent;
    if (opened.run->drive) out << " --drive " << opened.run->drive->parameter;
    out << '\n';
  }
  return 0;
}

}  // namespace sledway::cli
