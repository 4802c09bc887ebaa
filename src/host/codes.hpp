#pragma once

#include <cstdint>

namespace sledway {

// The host's object-kind code of a curve (the ObjectType of a sketch curve; a part edge
// reports kEdge).
enum class IVCurveKind : std::int32_t {
  kSketchLine = 0x05002770,
  kSketchArc = 0x05003270,
  kSketchCircle = 0x05003370,
  kSketchEllipse = 0x05003470,
  kSketchEllipticalArc = 0x05003570,
  kSketchSpline = 0x05004970,
  kSketchLine3D = 0x0500C870,
  kSketchArc3D = 0x0500CC70,
  kSketchCircle3D = 0x0500CF70,
  kSketchSpline3D = 0x0500D070,
  kSketchHelix3D = 0x0500D170,
  kSketchEllipse3D = 0x0500D270,
  kEdge = 0x04002CA0,
};

// Selection filters: which kinds of entity an interaction offers for pre-selection.
enum class IVSelectFilter : std::int32_t {
  kSketchCurves = 0x4506,
  kSketch3DCurves = 0x3F07,
  kPartEdges = 0x3E01,
  kPartStraightEdges = 0x3E03,
  kPartVertices = 0x3E0B,
  kWorkPoints = 0x4002,
  kWorkAxes = 0x4000,
};

// The kind of a document.
enum class IVDocumentType : std::int32_t {
  kUnknown = 12289,
  kPart = 12290,
  kAssembly = 12291,
};

// Units code asking for the units in which the document shows lengths.
inline constexpr std::int32_t kDefaultDisplayLengthUnits = 11266;

// Kind of control that places a button definition on a command bar.
inline constexpr std::int32_t kButtonControlKind = 22785;

// Kind of button handler the add-in asks for.
inline constexpr std::int32_t kButtonHandlerKind = 4;

// The device that made a selection.
enum class IVSelectionDevice : std::int32_t {
  kGraphicsWindow = 1,
  kProgrammatic = 2,
};

}  // namespace sledway
