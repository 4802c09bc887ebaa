// Every kind of bad input an assembly file can hold is refused with one message naming the
// file, the place (a JSON pointer, or line and column) and the problem.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>

#include "file_refusal.hpp"
#include "modelhost/document/assembly_document.hpp"

namespace sledway::model {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using Json = nlohmann::json;

// A valid file using every section; each case below spoils one thing in it.
const Json& Base() {
  static const Json base = Json::parse(R"({
    "units": "mm",
    "description": "a cart and a track",
    "parameters": {
      "model": [{ "name": "width", "expression": "20 mm" }],
      "user": [{ "name": "lift", "expression": "5" }]
    },
    "parts": [{
      "name": "cart",
      "box": { "length": 40, "width": "width", "height": 10 },
      "workPoints": [{ "name": "contact", "point": [20, 10, 0] }],
      "workAxes": [{ "name": "heading", "origin": [0, 0, 0], "direction": [1, 0, 0] }]
    }],
    "components": [{
      "name": "cart:1", "part": "cart",
      "placement": { "origin": [0, 0, 0], "axis": [0, 0, 1], "angle": 30 }
    }],
    "sketches": [{
      "name": "track",
      "plane": { "origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0] },
      "curves": [{ "kind": "line", "start": [0, 0], "end": [100, 0] }]
    }],
    "sketches3d": [{
      "name": "spiral",
      "curves": [{
        "kind": "helix",
        "plane": { "origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0] },
        "radius": 10, "pitch": 5, "turns": 2
      }]
    }],
    "run": {
      "path": "sketch:track/curve:1",
      "follow": "component:cart:1/workpoint:contact",
      "tangent": "component:cart:1/workaxis:heading",
      "drive": { "parameter": "lift", "from": 0, "to": 10 }
    }
  })");
  return base;
}

// The base file changed by JSON patch operations.
std::string Spoiled(std::initializer_list<Json> operations) {
  Json patch = Json::array();
  for (const Json& operation : operations) patch.push_back(operation);
  return Base().patch(patch).dump();
}

Json Replace(const std::string& path, Json value) {
  return {{"op", "replace"}, {"path", path}, {"value", std::move(value)}};
}
Json Add(const std::string& path, Json value) {
  return {{"op", "add"}, {"path", path}, {"value", std::move(value)}};
}
Json Remove(const std::string& path) {
  return {{"op", "remove"}, {"path", path}};
}

TEST(AssemblyFileRefusal, TheBaseFileLoadsWhole) {
  const AssemblyFile file = ReadAssemblyText(Base().dump(), "t.json", {});
  ASSERT_TRUE(file.document);
  EXPECT_EQ(file.document->DisplayName(), "t");
  EXPECT_EQ(file.document->Components().size(), 1u);
  EXPECT_EQ(file.document->SketchNames(), std::vector<std::string>{"track"});
  EXPECT_EQ(file.document->Sketch3dNames(), std::vector<std::string>{"spiral"});
  EXPECT_EQ(file.description, "a cart and a track");
  ASSERT_TRUE(file.run && file.run->drive);
  EXPECT_EQ(file.run->tangent, "component:cart:1/workaxis:heading");
  EXPECT_EQ(file.run->drive->to, 10.0);
}

TEST(AssemblyFileRefusal, TextThatIsNotJsonOrNotAnObject) {
  EXPECT_EQ(Refusal("{\"units\": \"mm\",\n \"parts\": }"),
            "t.json: line 2, column 11: syntax error while parsing value - unexpected '}'; "
            "expected '[', '{', or a literal");
  EXPECT_EQ(Refusal(""),
            "t.json: line 1, column 1: syntax error while parsing value - unexpected end of "
            "input; expected '[', '{', or a literal");
  EXPECT_EQ(Refusal("[1, 2]"), "t.json: expected an object, got an array");
  // JSON lets the later of two members win; a file must not hide the earlier one.
  EXPECT_EQ(Refusal(R"({"units": "mm", "units": "cm"})"), "t.json: /units: member given twice");
  EXPECT_EQ(Refusal(R"({"parts": [{"name": "a", "sphere": {"radius": 1}, "name": "b"}]})"),
            "t.json: /parts/0/name: member given twice");
  EXPECT_EQ(Refusal(R"({"parts": [{"name": "a", "sphere": {"radius": 1e400}}]})"),
            "t.json: /parts/0/sphere/radius: number overflow parsing '1e400'");
}

TEST(AssemblyFileRefusal, WrongTypesMissingAndUnknownMembers) {
  EXPECT_EQ(Refusal(Spoiled({Replace("/parts/0/box/width", Json::array({1}))})),
            "t.json: /parts/0/box/width: expected an expression (a string or a number), got an "
            "array");
  EXPECT_EQ(Refusal(Spoiled({Replace("/components/0/name", 7)})),
            "t.json: /components/0/name: expected a string, got a number");
  EXPECT_EQ(Refusal(Spoiled({Replace("/sketches", Json::object())})),
            "t.json: /sketches: expected an array, got an object");
  EXPECT_EQ(Refusal(Spoiled({Remove("/components/0/part")})),
            "t.json: /components/0: missing member 'part'");
  EXPECT_EQ(Refusal(Spoiled({Add("/parts/0/box/widht", 3)})),
            "t.json: /parts/0/box/widht: unknown member (expected one of: length, width, "
            "height)");
  EXPECT_EQ(Refusal(Spoiled({Add("/unit", "cm")})),
            "t.json: /unit: unknown member (expected one of: units, description, parameters, "
            "parts, components, sketches, sketches3d, run)");
  EXPECT_EQ(Refusal(Spoiled({Replace("/parts/0/workPoints/0/point", {1, 2})})),
            "t.json: /parts/0/workPoints/0/point: expected 3 elements, got 2");
  EXPECT_EQ(Refusal(Spoiled({Replace("/sketches/0/curves/0/kind", "lin")})),
            "t.json: /sketches/0/curves/0/kind: unknown curve kind 'lin' (expected one of: "
            "line, arc, circle, ellipse, ellipticalArc, spline)");
  EXPECT_EQ(Refusal(Spoiled({Add("/parts/0/sphere", {{"radius", 1}})})),
            "t.json: /parts/0: a part has one body, got 'box' and 'sphere'");
  EXPECT_EQ(Refusal(Spoiled({Remove("/parts/0/box")})),
            "t.json: /parts/0: a part needs a body: box, cylinder, sphere, extrude or step");
  EXPECT_EQ(Refusal(Spoiled({Add("/components/0/placement/xDir", {1, 0, 0})})),
            "t.json: /components/0/placement: give either axis and angle or xDir and zDir, not "
            "both");
  EXPECT_EQ(Refusal(Spoiled({Remove("/components/0/placement/angle")})),
            "t.json: /components/0/placement: missing member 'angle'");
}

TEST(AssemblyFileRefusal, UnknownUnitsAndNames) {
  EXPECT_EQ(Refusal(Spoiled({Replace("/units", "mmm")})),
            "t.json: /units: unknown length unit 'mmm' (expected one of: mm, cm, m, in, ft)");
  EXPECT_EQ(Refusal(Spoiled({Add("/parameters/user/0/units", "kg")})),
            "t.json: /parameters/user/0/units: unknown unit 'kg' (expected one of: mm, cm, m, "
            "in, ft, deg, rad, ul)");
  EXPECT_EQ(Refusal(Spoiled({Replace("/components/0/part", "crt")})),
            "t.json: /components/0/part: no part named 'crt'");
  EXPECT_EQ(Refusal(Spoiled({Add("/parts/-", {{"name", "cart"}, {"sphere", {{"radius", 1}}}})})),
            "t.json: /parts/1/name: duplicate part name 'cart' (first at /parts/0/name)");
  EXPECT_EQ(Refusal(Spoiled({Add("/parameters/user/-", {{"name", "width"}, {"expression", "1"}})})),
            "t.json: /parameters/user/1/name: duplicate parameter name 'width' (first at "
            "/parameters/model/0/name)");
  EXPECT_EQ(
      Refusal(Spoiled({Add("/parts/0/workPoints/-", {{"name", "contact"}, {"point", {0, 0, 0}}})})),
      "t.json: /parts/0/workPoints/1/name: duplicate work point name 'contact' (first at "
      "/parts/0/workPoints/0/name)");
  EXPECT_EQ(Refusal(Spoiled({Replace("/components/0/name", "cart/1")})),
            "t.json: /components/0/name: a name may not contain '/': 'cart/1'");
  EXPECT_EQ(Refusal(Spoiled({Replace("/sketches/0/name", "")})),
            "t.json: /sketches/0/name: a name may not be empty");
}

TEST(AssemblyFileRefusal, DegenerateGeometryAtItsPlace) {
  EXPECT_EQ(Refusal(Spoiled({Replace("/sketches/0/plane/normal", {0, 0, 0})})),
            "t.json: /sketches/0/plane/normal: zero-length direction");
  EXPECT_EQ(Refusal(Spoiled({Replace("/components/0/placement/axis", {0, 0, 1e-13})})),
            "t.json: /components/0/placement/axis: zero-length direction");
  EXPECT_EQ(Refusal(Spoiled({Replace("/parts/0/workAxes/0/direction", {0, 0, 0})})),
            "t.json: /parts/0/workAxes/0/direction: zero-length direction");
  EXPECT_EQ(Refusal(Spoiled({Replace("/sketches/0/plane/xDir", {0, 0, -2})})),
            "t.json: /sketches/0/plane: xDir is parallel to the normal");
  // The builder's own message, placed at the curve it refused.
  EXPECT_THAT(
      Refusal(Spoiled({Replace("/sketches/0/curves/0/end", {0, 0})})),
      AllOf(StartsWith("t.json: /sketches/0/curves/0: "), HasSubstr("line 1 of sketch 'track'")));
  EXPECT_THAT(Refusal(Spoiled({Replace("/sketches3d/0/curves/0/turns", 0)})),
              AllOf(StartsWith("t.json: /sketches3d/0/curves/0: "), HasSubstr("spiral")));
  EXPECT_THAT(Refusal(Spoiled({Replace("/parts/0/box/height", "lift - 5 mm")})),
              AllOf(StartsWith("t.json: /parts/0/box: "), HasSubstr("height")));
  EXPECT_EQ(Refusal(Spoiled(
                {Replace("/units", "ft"), Replace("/parts/0/workPoints/0/point", {1e307, 0, 0})})),
            "t.json: /parts/0/workPoints/0/point/0: length out of range");
}

TEST(AssemblyFileRefusal, BadExpressionsAtTheirPlace) {
  EXPECT_THAT(Refusal(Spoiled({Replace("/parts/0/box/width", "2 * (width")})),
              StartsWith("t.json: /parts/0/box/width: "));
  EXPECT_THAT(Refusal(Spoiled({Replace("/parameters/user/0/expression", "widht * 2")})),
              AllOf(StartsWith("t.json: /parameters/user/0: "), HasSubstr("widht")));
  // A parameter may only read those listed before it.
  EXPECT_THAT(Refusal(Spoiled({Replace("/parameters/model/0/expression", "lift")})),
              AllOf(StartsWith("t.json: /parameters/model/0: "), HasSubstr("lift")));
}

TEST(AssemblyFileRefusal, MissingStepFile) {
  EXPECT_EQ(Refusal(Spoiled({Add("/parts/-", {{"name", "bracket"}, {"step", "no/such.stp"}})}),
                    "/work/nowhere"),
            "t.json: /parts/1/step: '/work/nowhere/no/such.stp': no such file");
}

TEST(AssemblyFileRefusal, SuggestedRunThatDoesNotFit) {
  EXPECT_EQ(Refusal(Spoiled({Replace("/run/path", "sketch:trak/curve:1")})),
            "t.json: /run/path: entity 'sketch:trak/curve:1': no sketch named 'trak'");
  EXPECT_EQ(Refusal(Spoiled({Replace("/run/follow", "sketch:track/curve:1")})),
            "t.json: /run/follow: 'sketch:track/curve:1' is not a vertex or a work point");
  EXPECT_EQ(Refusal(Spoiled({Replace("/run/path", "component:cart:1/vertex:1")})),
            "t.json: /run/path: 'component:cart:1/vertex:1' is not a sketch curve or a part edge");
  EXPECT_EQ(Refusal(Spoiled({Replace("/run/tangent", "component:cart:1/workpoint:contact")})),
            "t.json: /run/tangent: 'component:cart:1/workpoint:contact' is not a part edge or a "
            "work axis");
  EXPECT_EQ(Refusal(Spoiled({Replace("/run/drive/parameter", "lfit")})),
            "t.json: /run/drive/parameter: no parameter named 'lfit'");
  EXPECT_EQ(
      Refusal(Spoiled({Add("/parameters/user/-", {{"name", "twice"}, {"expression", "2 * lift"}}),
                       Replace("/run/drive/parameter", "twice")})),
      "t.json: /run/drive/parameter: parameter 'twice' reads other parameters and cannot "
      "be driven");
}

TEST(AssemblyFileRefusal, ExtrudedProfilesThatDoNotClose) {
  const Json square = Json::parse(R"([
    { "kind": "line", "start": [0, 0], "end": [100, 0] },
    { "kind": "line", "start": [100, 0], "end": [100, 100] },
    { "kind": "line", "start": [100, 100], "end": [0, 100] },
    { "kind": "line", "start": [0, 100], "end": [0, 0] }])");
  auto plate = [](const Json& loops) {
    return Spoiled(
        {Add("/parts/-", {{"name", "plate"}, {"extrude", {{"height", 5}, {"loops", loops}}}})});
  };
  Json open = square;
  open.erase(3);
  EXPECT_EQ(Refusal(plate(Json::array({open}))),
            "t.json: /parts/1/extrude/loops/0: the loop is not closed");
  Json gap = square;
  gap[2]["start"] = {100, 90};
  EXPECT_EQ(Refusal(plate(Json::array({gap}))),
            "t.json: /parts/1/extrude/loops/0/2: the curve does not join the curves before it");
  const Json outside = Json::parse(R"([{ "kind": "circle", "centre": [300, 50], "radius": 10 }])");
  EXPECT_EQ(Refusal(plate({square, outside})),
            "t.json: /parts/1/extrude/loops/1: the hole does not lie inside the outline (the "
            "first loop)");
  // Starts inside the outline (a circle starts at centre + radius * X) but crosses it.
  const Json crossing = Json::parse(R"([{ "kind": "circle", "centre": [5, 50], "radius": 10 }])");
  EXPECT_EQ(Refusal(plate({square, crossing})),
            "t.json: /parts/1/extrude/loops: the loops cross or lie inside one another");
  const Json big = Json::parse(R"([{ "kind": "circle", "centre": [50, 50], "radius": 30 }])");
  const Json small = Json::parse(R"([{ "kind": "circle", "centre": [50, 50], "radius": 10 }])");
  EXPECT_EQ(Refusal(plate({square, big, small})),
            "t.json: /parts/1/extrude/loops: the loops cross or lie inside one another");
  const Json ellipse = Json::parse(R"([{ "kind": "ellipse", "centre": [50, 50],
    "majorAxis": [1, 0], "majorRadius": 20, "minorRadius": 10 }])");
  EXPECT_EQ(Refusal(plate({square, ellipse})),
            "t.json: /parts/1/extrude/loops/1/0/kind: unknown curve kind 'ellipse' (expected "
            "one of: line, arc, circle)");
  EXPECT_EQ(Refusal(plate(Json::array())),
            "t.json: /parts/1/extrude/loops: the profile needs at least one loop, its outline");
}

}  // namespace
}  // namespace sledway::model
