// Every kind of bad input an assembly file can hold is refused with one message naming the
// file, the place (a JSON pointer, or line and column) and the problem. A refused file hands
// back no document at all, so nothing of it is half loaded.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "modelhost/files/assembly_file.hpp"

namespace sledway::model {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Matcher;
using ::testing::StartsWith;
using ::testing::ThrowsMessage;
using Json = nlohmann::json;

// A valid file using every section; each case below spoils one thing in it.
const Json& Base() {
  static const Json base = Json::parse(R"({
    "units": "mm",
    "parameters": { "model": [{ "name": "width", "expression": "20 mm" }],
                    "user": [{ "name": "lift", "expression": "5" }] },
    "parts": [{ "name": "cart", "box": { "length": 40, "width": "width", "height": 10 },
                "workPoints": [{ "name": "contact", "point": [20, 10, 0] }],
                "workAxes": [{ "name": "heading", "origin": [0, 0, 0], "direction": [1, 0, 0] }] }],
    "components": [{ "name": "cart:1", "part": "cart",
                     "placement": { "origin": [0, 0, 0], "axis": [0, 0, 1], "angle": 30 } }],
    "sketches": [{ "name": "track",
                   "plane": { "origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0] },
                   "curves": [{ "kind": "line", "start": [0, 0], "end": [100, 0] }] }],
    "run": { "path": "sketch:track/curve:1", "follow": "component:cart:1/workpoint:contact",
             "tangent": "component:cart:1/workaxis:heading",
             "drive": { "parameter": "lift", "from": 0, "to": 10 } }
  })");
  return base;
}

// The base file changed by JSON patch operations.
std::string Spoiled(std::vector<Json> operations) {
  return Base().patch(Json(std::move(operations))).dump();
}
// Sets the member at `path` (adds it or replaces it), or appends to an array with "/-".
Json Put(const std::string& path, Json value) {
  return {{"op", "add"}, {"path", path}, {"value", std::move(value)}};
}

// The base file with a plate part extruded from `loops`.
std::string Plate(Json loops) {
  return Spoiled(
      {Put("/parts/-", {{"name", "plate"}, {"extrude", {{"height", 5}, {"loops", loops}}}})});
}

TEST(AssemblyFileRefusal, EachKindOfBadInputIsRefusedAtItsPlace) {
  const Json square = Json::parse(R"([
    { "kind": "line", "start": [0, 0], "end": [100, 0] },
    { "kind": "line", "start": [100, 0], "end": [100, 100] },
    { "kind": "line", "start": [100, 100], "end": [0, 100] },
    { "kind": "line", "start": [0, 100], "end": [0, 0] }])");
  Json open = square;
  open.erase(3);
  Json gap = square;
  gap[2]["start"] = {100, 90};
  // A circle starts at centre + radius * X: this one starts inside the outline but crosses it.
  const Json crossing = Json::parse(R"([{ "kind": "circle", "centre": [5, 50], "radius": 10 }])");
  const Json outside = Json::parse(R"([{ "kind": "circle", "centre": [300, 50], "radius": 10 }])");

  struct Case {
    std::string json;
    Matcher<const std::string&> message;
  };
  const std::vector<Case> cases = {
      // Not JSON, or JSON that hides something.
      {"{\"units\": \"mm\",\n \"parts\": }",
       "t.json: line 2, column 11: syntax error while parsing value - unexpected '}'; expected "
       "'[', '{', or a literal"},
      {R"({"units": "mm", "units": "cm"})", "t.json: /units: member given twice"},
      // Wrong type, missing or unknown member.
      {Spoiled({Put("/components/0/name", 7)}),
       "t.json: /components/0/name: expected a string, got a number"},
      {Spoiled({{{"op", "remove"}, {"path", "/components/0/part"}}}),
       "t.json: /components/0: missing member 'part'"},
      {Spoiled({Put("/parts/0/box/widht", 3)}),
       "t.json: /parts/0/box/widht: unknown member (expected one of: length, width, height)"},
      {Spoiled({Put("/sketches/0/curves/0/kind", "lin")}),
       "t.json: /sketches/0/curves/0/kind: unknown curve kind 'lin' (expected one of: line, arc, "
       "circle, ellipse, ellipticalArc, spline)"},
      {Spoiled({Put("/parts/0/sphere", {{"radius", 1}})}),
       "t.json: /parts/0: a part has one body, got 'box' and 'sphere'"},
      {Spoiled({Put("/components/0/placement/xDir", {1, 0, 0})}),
       "t.json: /components/0/placement: give either axis and angle or xDir and zDir, not both"},
      // Unknown unit or part, names given twice.
      {Spoiled({Put("/units", "mmm")}),
       "t.json: /units: unknown length unit 'mmm' (expected one of: mm, cm, m, in, ft)"},
      {Spoiled({Put("/parameters/user/0/units", "kg")}),
       "t.json: /parameters/user/0/units: unknown unit 'kg' (expected one of: mm, cm, m, in, ft, "
       "deg, rad, ul)"},
      {Spoiled({Put("/components/0/part", "crt")}),
       "t.json: /components/0/part: no part named 'crt'"},
      {Spoiled({Put("/parts/-", {{"name", "cart"}, {"sphere", {{"radius", 1}}}})}),
       "t.json: /parts/1/name: duplicate part name 'cart' (first at /parts/0/name)"},
      {Spoiled({Put("/parameters/user/-", {{"name", "width"}, {"expression", "1"}})}),
       "t.json: /parameters/user/1/name: duplicate parameter name 'width' (first at "
       "/parameters/model/0/name)"},
      // Degenerate geometry: the builders' own messages, placed at what they refused.
      {Spoiled({Put("/sketches/0/plane/normal", {0, 0, 0})}),
       "t.json: /sketches/0/plane/normal: zero-length direction"},
      // A long direction is a direction: only its parallel xDir is wrong.
      {Spoiled({Put("/sketches/0/plane/normal", {0, 0, 1e300}),
                Put("/sketches/0/plane/xDir", {0, 0, -2})}),
       "t.json: /sketches/0/plane: xDir is parallel to the normal"},
      {Spoiled({Put("/components/0/placement/angle", 1e308)}),
       "t.json: /components/0/placement/angle: is too large an angle (at most 1e+12 deg), got "
       "1e+308 deg"},
      {Spoiled({Put("/sketches/0/curves/0/end", {0, 0})}),
       AllOf(StartsWith("t.json: /sketches/0/curves/0: "), HasSubstr("line 1 of sketch 'track'"))},
      // Sizes are refused in the file's own unit, where the file gives them.
      {Spoiled(
           {Put("/units", "in"),
            Put("/sketches/0/curves/-", {{"kind", "circle"}, {"centre", {0, 0}}, {"radius", -5}})}),
       "t.json: /sketches/0/curves/1/radius: must be a positive length, got -5 in"},
      {Spoiled({Put("/sketches/0/curves/-", {{"kind", "ellipse"},
                                             {"centre", {0, 0}},
                                             {"majorAxis", {1, 0}},
                                             {"majorRadius", 2},
                                             {"minorRadius", 5}})}),
       "t.json: /sketches/0/curves/1: the major radius (2 mm) is smaller than the minor radius (5 "
       "mm)"},
      // Sizes and coordinates the model cannot hold, with the limit and the value as written.
      {Spoiled({Put("/parts/0/box/length", 1e-300)}),
       "t.json: /parts/0/box/length: is too small to build (at most 1e-06 mm), got 1e-300 mm"},
      {Spoiled({Put("/parts/0/box/length", 1e300)}),
       "t.json: /parts/0/box/length: is too large to build (at most 1e+13 mm), got 1e+300 mm"},
      {Spoiled({Put("/parts/0/box/height", "-2 * width")}),
       "t.json: /parts/0/box/height: must be a positive length, got '-2 * width'"},
      {Spoiled({Put("/units", "m"), Put("/parts/0/workPoints/0/point", {0, 0, -1e307})}),
       "t.json: /parts/0/workPoints/0/point/2: is beyond what the model can hold (at most 1e+10 "
       "m from the origin), got -1e+307 m"},
      {Plate(Json::array({open})), "t.json: /parts/1/extrude/loops/0: the loop is not closed"},
      {Plate(Json::array({gap})),
       "t.json: /parts/1/extrude/loops/0/2: the curve does not join the curves before it"},
      {Plate({square, outside}),
       "t.json: /parts/1/extrude/loops/1: the hole does not lie inside the outline (the first "
       "loop)"},
      {Plate({square, crossing}),
       "t.json: /parts/1/extrude/loops: the loops cross or lie inside one another"},
      // Bad expressions; a parameter may only read those listed before it.
      {Spoiled({Put("/parts/0/box/width", "2 * (width")}),
       StartsWith("t.json: /parts/0/box/width: ")},
      {Spoiled({Put("/parameters/model/0/expression", "lift")}),
       AllOf(StartsWith("t.json: /parameters/model/0: "), HasSubstr("lift"))},
      // A STEP part that is not there (devices, directories: the command line's tests).
      {Spoiled({Put("/parts/-", {{"name", "bracket"}, {"step", "no/such.stp"}})}),
       "t.json: /parts/1/step: '/work/nowhere/no/such.stp': no such file"},
      // Names that would act on a terminal, even where they refer to something.
      {Spoiled({Put("/components/0/name", "cart\u001b[2J")}),
       "t.json: /components/0/name: a name may not hold control characters"},
      // A parameter standing for something it does not measure.
      {Spoiled(
           {Put("/parameters/user/-", {{"name", "turn"}, {"expression", "30"}, {"units", "deg"}}),
            Put("/parts/0/box/height", "turn")}),
       "t.json: /parts/0/box/height: parameter 'turn' is an angle (deg), not a length"},
      // A suggested run whose slots name nothing, or the wrong kinds.
      {Spoiled({Put("/run/path", "sketch:trak/curve:1")}),
       "t.json: /run/path: entity 'sketch:trak/curve:1': no sketch named 'trak'"},
      {Spoiled({Put("/run/follow", "sketch:track/curve:1")}),
       "t.json: /run/follow: 'sketch:track/curve:1' is not a vertex or a work point"},
      {Spoiled({Put("/parameters/user/-", {{"name", "twice"}, {"expression", "2 * lift"}}),
                Put("/run/drive/parameter", "twice")}),
       "t.json: /run/drive/parameter: parameter 'twice' reads other parameters and cannot be "
       "driven"},
      {Spoiled({Put("/run/drive/to", 1e300)}),
       "t.json: /run/drive/to: 1e+300 mm is beyond what the model can hold (at most 1e+13 mm)"},
  };
  ASSERT_NO_THROW(ReadAssemblyText(Base().dump(), "t.json", "/work/nowhere"));
  // A plain number or an angle that takes part in a computation is the file's own choice.
  ASSERT_NO_THROW(ReadAssemblyText(
      Spoiled({Put("/parameters/user/-", {{"name", "count"}, {"expression", "3"}, {"units", "ul"}}),
               Put("/parts/0/box/height", "count * 10 mm")}),
      "t.json", "/work/nowhere"));
  for (const Case& refused : cases) {
    EXPECT_THAT([&] { ReadAssemblyText(refused.json, "t.json", "/work/nowhere"); },
                ThrowsMessage<AssemblyFileError>(refused.message))
        << refused.json;
  }
}

}  // namespace
}  // namespace sledway::model
