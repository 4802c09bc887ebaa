#include "modelhost/files/step_translation.hpp"

#include <BRep_Builder.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_Check.hxx>
#include <Interface_CheckIterator.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <STEPControl_Reader.hxx>
#include <Standard_Failure.hxx>
#include <StepData_StepModel.hxx>
#include <StepGeom_CartesianPoint.hxx>
#include <TColStd_SequenceOfAsciiString.hxx>
#include <TDF_Label.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDF_Tool.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <TopoDS_Compound.hxx>
#include <UnitsMethods_LengthUnit.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <XSControl_WorkSession.hxx>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

#include "modelhost/files/placed_error.hpp"
#include "modelhost/files/step_check_words.hpp"

namespace sledway::model {

namespace {

// No point of a model lies farther from the origin than this (centimetres, 1,000 km): beyond
// it a double no longer resolves Open CASCADE's tolerance of 1e-7, and points near the largest
// doubles make its algorithms run for minutes.
constexpr double kReach = 1e8;

// The unit of a STEP length unit name as Open CASCADE reports it: "millimetre" for an SI unit,
// "INCH" for one defined by conversion.
LengthUnit UnitNamed(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  struct Known {
    std::string_view name;
    LengthUnit unit;
  };
  static constexpr Known kKnown[] = {
      {"millimetre", LengthUnit::kMillimetre},
      {"millimeter", LengthUnit::kMillimetre},
      {"centimetre", LengthUnit::kCentimetre},
      {"centimeter", LengthUnit::kCentimetre},
      {"metre", LengthUnit::kMetre},
      {"meter", LengthUnit::kMetre},
      {"inch", LengthUnit::kInch},
      {"foot", LengthUnit::kFoot},
  };
  for (const Known& known : kKnown) {
    if (name == known.name) return known.unit;
  }
  return LengthUnit::kMillimetre;
}

std::string NameOf(const TDF_Label& label) {
  Handle(TDataStd_Name) name;
  if (!label.FindAttribute(TDataStd_Name::GetID(), name)) return {};
  return TCollection_AsciiString(name->Get()).ToCString();
}

std::string KeyOf(const TDF_Label& label) {
  TCollection_AsciiString entry;
  TDF_Tool::Entry(label, entry);
  return entry.ToCString();
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// Open CASCADE's translators report to its default messenger, which prints to standard output,
// where a program's results go. What matters of a file that cannot be read reaches the caller
// as a PlacedError in our own words.
void SilenceOpenCascadeMessages() {
  static const bool silenced = [] {
    Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
    return true;
  }();
  (void)silenced;
}

// Translating an entity that failed its syntactic check dereferences what is missing from it.
// The first entity with failures is named with all of them, in our words; failures of the file as a
// whole (an unresolved reference is reported there too) only when no entity has one.
void RefuseFailedEntities(STEPControl_Reader& reader) {
  const Handle(StepData_StepModel) model = reader.StepModel();
  const Interface_CheckIterator checks = reader.WS()->ModelCheckList(/*complete=*/false);
  std::string global;
  for (checks.Start(); checks.More(); checks.Next()) {
    const Handle(Interface_Check)& check = checks.Value();
    if (!check->HasFailed()) continue;
    std::string fails;
    for (int i = 1; i <= check->NbFails(); ++i) {
      fails += (i > 1 ? "; " : "") + StepCheckInOurWords(check->CFail(i));
    }
    if (checks.Number() > 0) {
      throw PlacedError("", "entity #" +
                                std::to_string(model->IdentLabel(model->Value(checks.Number()))) +
                                " is malformed: " + fails);
    }
    if (global.empty()) global = fails;
  }
  if (!global.empty()) throw PlacedError("", "the file is malformed: " + global);
}

void RefusePointsBeyondReach(const StepData_StepModel& model, LengthUnit unit) {
  const double reach = kReach / CentimetresPerUnit(unit);
  for (int i = 1; i <= model.NbEntities(); ++i) {
    const auto point = Handle(StepGeom_CartesianPoint)::DownCast(model.Value(i));
    if (point.IsNull()) continue;
    for (int c = 1; c <= point->NbCoordinates(); ++c) {
      const double coordinate = point->CoordinatesValue(c);
      if (std::isfinite(coordinate) && std::abs(coordinate) <= reach) continue;
      throw PlacedError("", "entity #" + std::to_string(model.IdentLabel(point)) +
                                ": the coordinate " + Number(coordinate) +
                                " is beyond what the model can hold (at most " + Number(reach) +
                                " " + std::string(LengthUnitLabel(unit)) + " from the origin)");
    }
  }
}

StepContents ContentsOf(const Handle(TDocStd_Document) & document, LengthUnit fileUnit) {
  const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(document->Main());
  TDF_LabelSequence free;
  shapes->GetFreeShapes(free);
  if (free.IsEmpty()) throw PlacedError("", "the file holds no shape");
  StepContents contents;
  contents.fileUnit = fileUnit;
  if (free.Length() == 1) {
    contents.whole = shapes->GetShape(free.First());
  } else {
    TopoDS_Compound whole;
    BRep_Builder builder;
    builder.MakeCompound(whole);
    for (const TDF_Label& label : free) builder.Add(whole, shapes->GetShape(label));
    contents.whole = whole;
  }
  if (free.Length() == 1 && XCAFDoc_ShapeTool::IsAssembly(free.First())) {
    TDF_LabelSequence components;
    XCAFDoc_ShapeTool::GetComponents(free.First(), components, false);
    for (const TDF_Label& component : components) {
      TDF_Label product;
      if (!XCAFDoc_ShapeTool::GetReferredShape(component, product)) product = component;
      contents.occurrences.push_back({NameOf(component), NameOf(product), KeyOf(product),
                                      XCAFDoc_ShapeTool::GetShape(product),
                                      XCAFDoc_ShapeTool::GetLocation(component).Transformation()});
    }
  } else {
    for (const TDF_Label& label : free) {
      contents.occurrences.push_back(
          {NameOf(label), NameOf(label), KeyOf(label), shapes->GetShape(label), {}});
    }
  }
  return contents;
}

}  // namespace

StepContents TranslateStepFile(const std::filesystem::path& path) {
  SilenceOpenCascadeMessages();
  const Handle(XCAFApp_Application) application = XCAFApp_Application::GetApplication();
  Handle(TDocStd_Document) document;
  application->NewDocument("MDTV-XCAF", document);
  try {
    // Open CASCADE scales what it reads into the document's unit.
    XCAFDoc_DocumentTool::SetLengthUnit(document, 10.0, UnitsMethods_LengthUnit_Millimeter);
    STEPCAFControl_Reader reader;
    reader.SetNameMode(true);
    // Only shapes, placements and names are wanted. Layers (and assembly overrides) are kept
    // as graph nodes that refer to each other and outlive the closed document.
    reader.SetLayerMode(false);
    reader.SetSHUOMode(false);
    reader.SetColorMode(false);
    reader.SetPropsMode(false);
    reader.SetGDTMode(false);
    reader.SetMatMode(false);
    reader.SetViewMode(false);
    if (reader.ReadFile(path.string().c_str()) != IFSelect_RetDone) {
      throw PlacedError("", "not a STEP file that can be read");
    }
    RefuseFailedEntities(reader.ChangeReader());
    TColStd_SequenceOfAsciiString lengthUnits;
    TColStd_SequenceOfAsciiString angleUnits;
    TColStd_SequenceOfAsciiString solidAngleUnits;
    reader.ChangeReader().FileUnits(lengthUnits, angleUnits, solidAngleUnits);
    const LengthUnit fileUnit = lengthUnits.IsEmpty() ? LengthUnit::kMillimetre
                                                      : UnitNamed(lengthUnits.First().ToCString());
    RefusePointsBeyondReach(*reader.ChangeReader().StepModel(), fileUnit);
    if (!reader.Transfer(document)) {
      throw PlacedError("", "the shapes in the file cannot be read");
    }
    StepContents contents = ContentsOf(document, fileUnit);
    application->Close(document);
    return contents;
  } catch (const Standard_Failure& failure) {
    application->Close(document);
    throw PlacedError("", std::string("the file cannot be read: ") + failure.GetMessageString());
  } catch (...) {
    application->Close(document);
    throw;
  }
}

}  // namespace sledway::model
