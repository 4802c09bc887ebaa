#include "modelhost/files/step_file.hpp"

#include <BRep_Builder.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <STEPControl_Reader.hxx>
#include <Standard_Failure.hxx>
#include <TColStd_SequenceOfAsciiString.hxx>
#include <TDF_Label.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDF_Tool.hxx>
#include <TDataStd_Name.hxx>
#include <TopoDS_Compound.hxx>
#include <UnitsMethods_LengthUnit.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>
#include <utility>

#include "modelhost/files/placed_error.hpp"
#include "modelhost/files/regular_file.hpp"

namespace sledway::model {

namespace {

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

bool IsRigid(const gp_Trsf& placement) {
  return std::abs(placement.ScaleFactor() - 1.0) < 1e-9;
}

}  // namespace

StepFile::StepFile(const std::filesystem::path& path) {
  RequireRegularFile(path);
  SilenceOpenCascadeMessages();
  const Handle(XCAFApp_Application) application = XCAFApp_Application::GetApplication();
  application->NewDocument("MDTV-XCAF", document_);
  try {
    // Open CASCADE scales what it reads into the document's unit.
    XCAFDoc_DocumentTool::SetLengthUnit(document_, 10.0, UnitsMethods_LengthUnit_Millimeter);
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
    TColStd_SequenceOfAsciiString lengthUnits;
    TColStd_SequenceOfAsciiString angleUnits;
    TColStd_SequenceOfAsciiString solidAngleUnits;
    reader.ChangeReader().FileUnits(lengthUnits, angleUnits, solidAngleUnits);
    if (!lengthUnits.IsEmpty()) fileUnit_ = UnitNamed(lengthUnits.First().ToCString());
    if (!reader.Transfer(document_)) {
      throw PlacedError("", "the shapes in the file cannot be read");
    }
    TDF_LabelSequence free;
    XCAFDoc_DocumentTool::ShapeTool(document_->Main())->GetFreeShapes(free);
    if (free.IsEmpty()) throw PlacedError("", "the file holds no shape");
  } catch (const Standard_Failure& failure) {
    application->Close(document_);
    throw PlacedError("", std::string("the file cannot be read: ") + failure.GetMessageString());
  } catch (...) {
    application->Close(document_);
    throw;
  }
}

StepFile::~StepFile() {
  XCAFApp_Application::GetApplication()->Close(document_);
}

TopoDS_Shape StepFile::WholeShape() const {
  const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(document_->Main());
  TDF_LabelSequence free;
  shapes->GetFreeShapes(free);
  if (free.Length() == 1) return shapes->GetShape(free.First());
  TopoDS_Compound whole;
  BRep_Builder builder;
  builder.MakeCompound(whole);
  for (const TDF_Label& label : free) builder.Add(whole, shapes->GetShape(label));
  return whole;
}

std::vector<StepFile::Occurrence> StepFile::TopOccurrences() const {
  const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(document_->Main());
  TDF_LabelSequence free;
  shapes->GetFreeShapes(free);
  std::vector<Occurrence> occurrences;
  if (free.Length() == 1 && XCAFDoc_ShapeTool::IsAssembly(free.First())) {
    TDF_LabelSequence components;
    XCAFDoc_ShapeTool::GetComponents(free.First(), components, false);
    for (const TDF_Label& component : components) {
      TDF_Label product;
      if (!XCAFDoc_ShapeTool::GetReferredShape(component, product)) product = component;
      Occurrence occurrence{NameOf(component), NameOf(product), KeyOf(product),
                            XCAFDoc_ShapeTool::GetShape(product),
                            XCAFDoc_ShapeTool::GetLocation(component).Transformation()};
      if (!IsRigid(occurrence.placement)) {
        throw PlacedError(
            "", "the placement of occurrence '" + occurrence.name + "' is scaled or mirrored");
      }
      occurrences.push_back(std::move(occurrence));
    }
  } else {
    for (const TDF_Label& label : free) {
      occurrences.push_back(
          Occurrence{NameOf(label), NameOf(label), KeyOf(label), shapes->GetShape(label), {}});
    }
  }
  return occurrences;
}

}  // namespace sledway::model
