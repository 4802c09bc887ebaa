// A valid assembly file builds the geometry it describes, in model units (centimetres).

#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <string>
#include <vector>

#include "../../common/test_directory.hpp"
#include "../model_test_helpers.hpp"
#include "modelhost/files/assembly_file.hpp"
#include "modelhost/geometry/point_2d.hpp"

namespace sledway::model {
namespace {

constexpr double kPi = std::numbers::pi;

gp_Pnt SketchPoint(PlanarSketch& sketch, double x, double y) {
  return ModelPoint(sketch.SketchToModel(std::make_shared<Point2d>(gp_Pnt2d(x, y))));
}

// Sketches, placed components, 3D curves and an extruded plate of a file in millimetres, the
// default unit.
Ref<AssemblyDocument> Layout() {
  return LoadAssemblyText(R"({
    "parts": [{ "name": "p", "sphere": { "radius": 10 },
                "workPoints": [{ "name": "w", "point": [10, 20, 30] }],
                "workAxes": [{ "name": "a", "origin": [10, 0, 0], "direction": [0, 0, 5] }],
                "sketches": [{ "name": "s",
                  "plane": { "origin": [0, 0, 10], "normal": [0, 0, 1], "xDir": [1, 0, 0] },
                  "curves": [{ "kind": "circle", "centre": [0, 0], "radius": 20 }] }] },
      { "name": "plate", "extrude": { "height": 10, "loops": [
        [ { "kind": "line", "start": [0, 0], "end": [200, 0] },
          { "kind": "line", "start": [200, 100], "end": [200, 0] },
          { "kind": "arc", "centre": [150, 100], "radius": 50, "startAngle": 0, "endAngle": 180 },
          { "kind": "line", "start": [100, 100], "end": [0, 100] },
          { "kind": "line", "start": [0, 100], "end": [0, 0] } ],
        [ { "kind": "circle", "centre": [40, 50], "radius": 20 } ],
        [ { "kind": "line", "start": [80, 35], "end": [120, 35] },
          { "kind": "arc", "centre": [120, 50], "radius": 15, "startAngle": -90, "endAngle": 90 },
          { "kind": "line", "start": [120, 65], "end": [80, 65] },
          { "kind": "arc", "centre": [80, 50], "radius": 15, "startAngle": 90, "endAngle": 270 } ]
      ]}}],
    "components": [
      { "name": "still", "part": "p" },
      { "name": "turned", "part": "p",
        "placement": { "origin": [100, 0, 0], "axis": [0, 0, 2], "angle": 90 } },
      { "name": "framed", "part": "p",
        "placement": { "origin": [0, 100, 0], "xDir": [0, 1, 0], "zDir": [1, 0, 0] } }],
    "sketches": [
      { "name": "ramp",
        "plane": { "origin": [10, 20, 30], "normal": [0, -0.5, 0.8660254037844386],
                   "xDir": [1, 0, 0] },
        "curves": [] },
      { "name": "skew",
        "plane": { "origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 1, 5] }, "curves": [] }],
    "sketches3d": [{ "name": "wire", "curves": [
      { "kind": "helix", "plane": { "origin": [0, 0, 100], "normal": [0, 0, 1], "xDir": [0, 1, 0] },
        "radius": 50, "pitch": 20, "turns": 2.25 },
      { "kind": "arc", "plane": { "origin": [10, 10, 10], "normal": [1, 0, 0], "xDir": [0, 0, 1] },
        "radius": 30, "startAngle": 0, "endAngle": 90 },
      { "kind": "spline", "points": [[0, 0, 0], [10, 10, 0], [20, 0, 10]] }]}]
  })",
                          "layout.json", {});
}

TEST(AssemblyFileGeometry, SketchesComponentsAnd3DCurvesStandWhereTheFileSays) {
  const Ref<AssemblyDocument> document = Layout();
  const Ref<PlanarSketch> ramp = document->Sketch("ramp");
  ASSERT_TRUE(ramp);
  // The plane leans 30 degrees about X: its Y direction is normal x X = (0, cos 30, sin 30).
  const double c = std::cos(kPi / 6);
  // Sketch coordinates are model units: the origin (10, 20, 30) mm is (1, 2, 3) cm.
  ExpectNear(SketchPoint(*ramp, 10.0, 5.0), gp_Pnt(1.0 + 10.0, 2.0 + 5.0 * c, 3.0 + 5.0 * 0.5));
  ExpectNear(SketchPoint(*ramp, 0.0, 0.0), gp_Pnt(1.0, 2.0, 3.0));
  // An xDir that leans out of the plane is projected into it.
  const double h = std::sqrt(0.5);
  ExpectNear(SketchPoint(*document->Sketch("skew"), 1.0, 0.0), gp_Pnt(h, h, 0.0));
  ExpectNear(SketchPoint(*document->Sketch("skew"), 0.0, 1.0), gp_Pnt(-h, h, 0.0));

  auto workPoint = [&](const char* component) {
    return ModelPoint(document->FindComponent(component)->WorkPoint("w")->GetPoint());
  };
  ExpectNear(workPoint("still"), gp_Pnt(1, 2, 3));
  // A quarter turn about Z takes (1, 2, 3) to (-2, 1, 3), then the origin moves to (10, 0, 0).
  ExpectNear(workPoint("turned"), gp_Pnt(8, 1, 3));
  // X -> (0, 1, 0), Z -> (1, 0, 0), so Y -> Z x X = (0, 0, 1).
  ExpectNear(workPoint("framed"), gp_Pnt(3, 10 + 1, 2));
  const Ref<IVLine> axis = document->FindComponent("turned")->WorkAxis("a")->GetLine();
  ExpectNear(ModelPoint(axis->RootPoint()), gp_Pnt(10, 1, 0));
  EXPECT_NEAR(axis->Direction()->Z(), 1.0, 1e-15);
  // A part's sketch moves with its component.
  ExpectNear(SketchPoint(*document->FindComponent("framed")->Sketch("s"), 2.0, 0.0),
             gp_Pnt(1, 10 + 2, 0));

  const Ref<Sketch3d> wire = document->Sketch3d("wire");
  ASSERT_EQ(wire->CurveCount(), 3);
  const auto helix = As<IVSketchSpline3D>(wire->Curve(1));
  const auto arc = As<IVSketchArc3D>(wire->Curve(2));
  const auto spline = As<IVSketchSpline3D>(wire->Curve(3));
  ASSERT_TRUE(helix && arc && spline);
  const Ref<IVCurveEvaluator> helixEvaluator = helix->GetGeometry()->GetEvaluator();
  const auto [helixStart, helixEnd] = Ends(helixEvaluator);
  // Starts at origin + r X; after 2.25 turns about Z it stands a quarter turn on, at r Y', where
  // Y' = Z x X = (-1, 0, 0), and 2.25 pitches higher.
  ExpectNear(helixStart, gp_Pnt(0, 5, 10));
  ExpectNear(helixEnd, gp_Pnt(-5, 0, 10 + 4.5));
  EXPECT_NEAR(LengthOf(*helixEvaluator), 2.25 * std::hypot(2 * kPi * 5, 2.0), 1e-9);
  // The arc's plane: X = (0, 0, 1), normal (1, 0, 0), so Y = normal x X = (0, -1, 0).
  const auto [arcStart, arcEnd] = Ends(arc->GetGeometry()->GetEvaluator());
  ExpectNear(arcStart, gp_Pnt(1, 1, 1 + 3));
  ExpectNear(arcEnd, gp_Pnt(1, 1 - 3, 1));
  ExpectNear(Ends(spline->GetGeometry()->GetEvaluator()).second, gp_Pnt(2, 0, 1));

  // Outline: a 20 x 10 cm rectangle with a half disc of radius 5 on top; holes: a disc of
  // radius 2 and a slot (4 x 3 cm plus two half discs of radius 1.5); 1 cm thick.
  const double area = 20.0 * 10.0 + kPi * 25.0 / 2 - kPi * 4.0 - (4.0 * 3.0 + kPi * 2.25);
  GProp_GProps properties;
  BRepGProp::VolumeProperties(document->FindPart("plate")->Shape(), properties);
  EXPECT_NEAR(properties.Mass(), area * 1.0, 1e-9);
}

TEST(AssemblyFileGeometry, AFileInInchesConvertsEveryLength) {
  const auto document = LoadAssemblyText(R"({
    "units": "in",
    "parameters": { "user": [{ "name": "gap", "expression": "2" }] },
    "parts": [{ "name": "block", "box": { "length": 2, "width": "gap / 2", "height": "1 mm" },
                "workPoints": [{ "name": "p", "point": [1, 2, 3] }] }],
    "components": [{ "name": "block:1", "part": "block",
                     "placement": { "origin": [1, 0, 0] } }]
  })",
                                         "inches.json", {});
  EXPECT_EQ(document->GetUnits()->FormatValue(5.08, kDefaultDisplayLengthUnits), "2 in");
  const Ref<IVParameter> gap = document->Parameters().Item("gap");
  EXPECT_EQ(gap->Units(), "in");
  EXPECT_DOUBLE_EQ(gap->Value(), 2.0);
  // Box edges 9 (along X, the length), 4 (along Y, the width) and 1 (along Z, the height).
  const Ref<Component> block = document->FindComponent("block:1");
  EXPECT_NEAR(LengthOf(*block->Edge(9)->GetEvaluator()), 2 * 2.54, 1e-12);
  EXPECT_NEAR(LengthOf(*block->Edge(4)->GetEvaluator()), 1 * 2.54, 1e-12);
  EXPECT_NEAR(LengthOf(*block->Edge(1)->GetEvaluator()), 0.1, 1e-12);
  ExpectNear(ModelPoint(block->WorkPoint("p")->GetPoint()),
             gp_Pnt((1 + 1) * 2.54, 2 * 2.54, 3 * 2.54));
}

TEST(AssemblyFileGeometry, TheDocumentedExamplesLoad) {
  const std::string markdown = test::Read(SLEDWAY_SOURCE_DIR "/docs/assembly-format.md");
  std::vector<std::string> blocks;
  for (std::size_t at = markdown.find("```json\n"); at != std::string::npos;
       at = markdown.find("```json\n", at)) {
    at += 8;
    blocks.push_back(markdown.substr(at, markdown.find("```", at) - at));
  }
  ASSERT_EQ(blocks.size(), 2u);
  const AssemblyFile example = ReadAssemblyText(blocks[0], "example.json", {});
  EXPECT_EQ(example.document->Components().size(), 1u);
  EXPECT_TRUE(example.run && example.run->drive);
  // The second is the plate of a part list.
  const auto plate = LoadAssemblyText("{\"parts\": [" + blocks[1] + "]}", "plate.json", {});
  EXPECT_EQ(plate->FindPart("plate")->EdgeCount(), 24);
}

}  // namespace
}  // namespace sledway::model
