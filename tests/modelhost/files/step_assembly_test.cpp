// STEP files open as assemblies, and as parts of an assembly file.
#include "modelhost/files/step_assembly.hpp"

#include <gtest/gtest.h>

#include <BRepGProp.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRep_Tool.hxx>
#include <GProp_GProps.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_Static.hxx>
#include <STEPControl_Writer.hxx>
#include <TopExp.hxx>
#include <TopoDS_Vertex.hxx>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/any_assembly.hpp"
#include "modelhost/files/assembly_file.hpp"
#include "modelhost/part/part.hpp"

namespace sledway::model {
namespace {

namespace fs = std::filesystem;

// A fresh directory for one test, removed with it.
class TempDir {
 public:
  TempDir()
      : path_(fs::temp_directory_path() /
              ("sledway-files-" + std::to_string(std::random_device()()))) {
    fs::create_directories(path_);
  }
  ~TempDir() { fs::remove_all(path_); }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A box of 1 x 2 x 3 inches written to a STEP file in inches (Open CASCADE 7.6 writes the
// shape's numbers as they are and labels them with the unit).
void WriteInchBox(const fs::path& path) {
  STEPControl_Writer writer;
  const std::string previous = Interface_Static::CVal("write.step.unit");
  Interface_Static::SetCVal("write.step.unit", "INCH");
  writer.Transfer(BRepPrimAPI_MakeBox(1.0, 2.0, 3.0).Shape(), STEPControl_AsIs);
  Interface_Static::SetCVal("write.step.unit", previous.c_str());
  ASSERT_EQ(writer.Write(path.string().c_str()), IFSelect_RetDone);
}

double Volume(const TopoDS_Shape& shape) {
  GProp_GProps properties;
  // Adaptive integration: the fixed Gauss rule is only good to about 1e-7 on curved faces.
  BRepGProp::VolumeProperties(shape, properties, 1e-10);
  return properties.Mass();
}

std::vector<double> EdgeLengths(const Part& part) {
  std::vector<double> lengths;
  for (int i = 1; i <= part.EdgeCount(); ++i) {
    TopoDS_Vertex first;
    TopoDS_Vertex last;
    TopExp::Vertices(part.Edge(i), first, last);
    lengths.push_back(BRep_Tool::Pnt(first).Distance(BRep_Tool::Pnt(last)));
  }
  std::sort(lengths.begin(), lengths.end());
  return lengths;
}

std::vector<std::string> ComponentNames(const AssemblyDocument& document) {
  std::vector<std::string> names;
  for (const auto& component : document.Components()) names.push_back(component->Name());
  return names;
}

std::string Refusal(const fs::path& path) {
  try {
    LoadAnyAssembly(path);
  } catch (const AssemblyFileError& error) {
    return error.what();
  }
  ADD_FAILURE() << path << " loaded";
  return "";
}

TEST(StepAssembly, TopLevelOccurrencesBecomeComponents) {
  const fs::path path = SLEDWAY_STEP_ASSEMBLY;
  if (!fs::exists(path)) GTEST_SKIP() << "the sample STEP assembly " << path << " is absent";

  const Ref<AssemblyDocument> document = LoadStepAssembly(path);
  EXPECT_EQ(document->DisplayName(), "as1-oc-214");
  EXPECT_EQ(document->DisplayUnit(), LengthUnit::kMillimetre);
  EXPECT_EQ(ComponentNames(*document),
            (std::vector<std::string>{"rod-assembly_1", "l-bracket-assembly_1", "plate_1",
                                      "l-bracket-assembly_2"}));
  // Two occurrences of one sub-assembly share its part, which is the whole sub-assembly.
  const auto bracket1 = document->FindComponent("l-bracket-assembly_1");
  const auto bracket2 = document->FindComponent("l-bracket-assembly_2");
  EXPECT_EQ(bracket1->Part(), bracket2->Part());
  EXPECT_EQ(bracket1->Part()->Name(), "l-bracket-assembly");
  EXPECT_EQ(document->Parts().size(), 3u);
  // The rod assembly stands at (-10, 75, 60) mm in the file.
  const gp_XYZ rod = document->FindComponent("rod-assembly_1")->Placement().TranslationPart();
  EXPECT_NEAR(rod.X(), -1.0, 1e-12);
  EXPECT_NEAR(rod.Y(), 7.5, 1e-12);
  EXPECT_NEAR(rod.Z(), 6.0, 1e-12);
  for (const auto& component : document->Components()) {
    EXPECT_GT(component->Part()->EdgeCount(), 0) << component->Name();
  }
  EXPECT_EQ(ComponentNames(*LoadAnyAssembly(path)), ComponentNames(*document));

  // The same file as one part of an assembly file holds every occurrence in place.
  const auto whole = LoadAssemblyText(R"({"parts": [{"name": "as1", "step": "as1-oc-214.stp"}]})",
                                      "whole.json", path.parent_path());
  double sum = 0.0;
  for (const auto& component : document->Components()) sum += Volume(component->Part()->Shape());
  EXPECT_NEAR(Volume(whole->FindPart("as1")->Shape()), sum, 1e-8 * sum);
}

TEST(StepAssembly, LengthsInModelUnitsShownInTheFilesUnit) {
  TempDir dir;
  WriteInchBox(dir.Path() / "box.stp");
  const Ref<AssemblyDocument> document = LoadStepAssembly(dir.Path() / "box.stp");
  EXPECT_EQ(document->DisplayUnit(), LengthUnit::kInch);
  ASSERT_EQ(document->Components().size(), 1u);
  const std::vector<double> lengths = EdgeLengths(*document->Components()[0]->Part());
  ASSERT_EQ(lengths.size(), 12u);
  EXPECT_NEAR(lengths[0], 2.54, 1e-9);
  EXPECT_NEAR(lengths[4], 5.08, 1e-9);
  EXPECT_NEAR(lengths[8], 7.62, 1e-9);
}

TEST(StepAssembly, AssemblyFileOnDiskFindsItsStepPartBesideIt) {
  TempDir dir;
  WriteInchBox(dir.Path() / "box.stp");
  WriteText(dir.Path() / "Boxes.Json", R"({
    "units": "in",
    "parts": [{ "name": "box", "step": "box.stp" }],
    "components": [{ "name": "box:1", "part": "box", "placement": { "origin": [1, 0, 0] } }]
  })");
  const AssemblyFile file = ReadAnyAssembly(dir.Path() / "Boxes.Json");
  EXPECT_EQ(file.document->DisplayName(), "Boxes");
  EXPECT_NEAR(Volume(file.document->FindPart("box")->Shape()), 2.54 * 5.08 * 7.62, 1e-9);
  EXPECT_NEAR(file.document->FindComponent("box:1")->Placement().TranslationPart().X(), 2.54,
              1e-12);
}

TEST(StepAssembly, FilesThatCannotBeOpened) {
  TempDir dir;
  const fs::path missing = dir.Path() / "missing.stp";
  EXPECT_EQ(Refusal(missing), missing.string() + ": no such file");
  EXPECT_EQ(Refusal(dir.Path() / "missing.json"),
            (dir.Path() / "missing.json").string() + ": no such file");
  const fs::path garbage = dir.Path() / "garbage.step";
  WriteText(garbage, "this is not STEP\n");
  EXPECT_EQ(Refusal(garbage), garbage.string() + ": not a STEP file that can be read");
  const fs::path text = dir.Path() / "notes.txt";
  WriteText(text, "{}");
  EXPECT_EQ(Refusal(text),
            text.string() + ": not an assembly file (expected a .json, .stp or .step file)");
}

}  // namespace
}  // namespace sledway::model
