// STEP files open as assemblies, and as parts of an assembly file.
#include "modelhost/files/step_assembly.hpp"

#include <gmock/gmock.h>

#include <BRepGProp.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <GProp_GProps.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_Static.hxx>
#include <STEPControl_Writer.hxx>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../../common/test_directory.hpp"
#include "../model_test_helpers.hpp"
#include "modelhost/files/any_assembly.hpp"

namespace sledway::model {
namespace {

namespace fs = std::filesystem;
using StepAssembly = test::WithDirectory;

double Volume(const TopoDS_Shape& shape) {
  GProp_GProps properties;
  // Adaptive integration: the fixed Gauss rule is only good to about 1e-7 on curved faces.
  BRepGProp::VolumeProperties(shape, properties, 1e-10);
  return properties.Mass();
}

// Top-level occurrences become components; an inch file opens in model units.
TEST_F(StepAssembly, OpensAssembliesAndPartsInModelUnitsAndRefusesWhatItCannotRead) {
  const fs::path path = SLEDWAY_STEP_ASSEMBLY;

  const Ref<AssemblyDocument> document = LoadAnyAssembly(path);
  EXPECT_EQ(document->DisplayName(), "as1-oc-214");
  EXPECT_EQ(document->DisplayUnit(), LengthUnit::kMillimetre);
  std::vector<std::string> names;
  for (const auto& component : document->Components()) names.push_back(component->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"rod-assembly_1", "l-bracket-assembly_1", "plate_1",
                                             "l-bracket-assembly_2"}));
  // Two occurrences of one sub-assembly share its part, which is the whole sub-assembly.
  const auto bracket1 = document->FindComponent("l-bracket-assembly_1");
  EXPECT_EQ(bracket1->Part(), document->FindComponent("l-bracket-assembly_2")->Part());
  EXPECT_EQ(bracket1->Part()->Name(), "l-bracket-assembly");
  EXPECT_EQ(document->Parts().size(), 3u);
  // The rod assembly stands at (-10, 75, 60) mm in the file.
  const gp_XYZ rod = document->FindComponent("rod-assembly_1")->Placement().TranslationPart();
  EXPECT_NEAR(rod.X(), -1.0, 1e-12);
  EXPECT_NEAR(rod.Y(), 7.5, 1e-12);
  EXPECT_NEAR(rod.Z(), 6.0, 1e-12);

  // The same file as one part of an assembly file holds every occurrence in place.
  const auto whole = LoadAssemblyText(R"({"parts": [{"name": "as1", "step": "as1-oc-214.stp"}]})",
                                      "whole.json", path.parent_path());
  double sum = 0.0;
  for (const auto& component : document->Components()) sum += Volume(component->Part()->Shape());
  EXPECT_GT(sum, 0.0);
  EXPECT_NEAR(Volume(whole->FindPart("as1")->Shape()), sum, 1e-8 * sum);

  const fs::path& dir = directory_;
  // A box of 1 x 2 x 3 inches written in inches (Open CASCADE 7.6 writes the shape's numbers as
  // they are and labels them with the unit).
  STEPControl_Writer writer;
  const std::string previous = Interface_Static::CVal("write.step.unit");
  Interface_Static::SetCVal("write.step.unit", "INCH");
  writer.Transfer(BRepPrimAPI_MakeBox(1.0, 2.0, 3.0).Shape(), STEPControl_AsIs);
  Interface_Static::SetCVal("write.step.unit", previous.c_str());
  ASSERT_EQ(writer.Write((dir / "box.stp").string().c_str()), IFSelect_RetDone);
  const double volume = 2.54 * 5.08 * 7.62;

  const Ref<AssemblyDocument> box = LoadStepAssembly(dir / "box.stp");
  EXPECT_EQ(box->DisplayUnit(), LengthUnit::kInch);
  ASSERT_EQ(box->Components().size(), 1u);
  EXPECT_NEAR(Volume(box->Components()[0]->Part()->Shape()), volume, 1e-9);

  // An assembly file finds its STEP parts beside it.
  std::ofstream(dir / "Boxes.Json") << R"({"parts": [{ "name": "box", "step": "box.stp" }]})";
  const AssemblyFile file = ReadAnyAssembly(dir / "Boxes.Json");
  EXPECT_EQ(file.document->DisplayName(), "Boxes");
  EXPECT_NEAR(Volume(file.document->FindPart("box")->Shape()), volume, 1e-9);

  // Files that cannot be opened.
  std::ofstream(dir / "garbage.step") << "this is not STEP\n";
  std::ofstream(dir / "notes.txt") << "{}";
  const std::pair<std::string, std::string> refusals[] = {
      {"missing.stp", "no such file"},
      {"garbage.step", "not a STEP file that can be read"},
      {"notes.txt", "not an assembly file (expected a .json, .stp or .step file)"},
  };
  for (const auto& refusal : refusals) {
    EXPECT_THAT([&] { LoadAnyAssembly(dir / refusal.first); },
                ::testing::ThrowsMessage<AssemblyFileError>((dir / refusal.first).string() + ": " +
                                                            refusal.second));
  }
}

}  // namespace
}  // namespace sledway::model
