#pragma once

#include <cstdint>

namespace sledway {

// The host's object-type code of a path curve (the Type of a sketch curve or an edge), named
// as the host names it. The host gives a curve of a part's sketch, seen through an occurrence,
// as a proxy; a curve of a sketch the assembly owns itself has the kind's own code, the proxy's
// with its low byte 0x70 cleared (see NativeKind).
enum class IVCurveKind : std::int32_t {
  kSketchLineProxy = 0x05002770,
  kSketchArcProxy = 0x05003270,
  kSketchSplineProxy = 0x05003370,
  kSketchEllipseProxy = 0x05003470,
  kSketchCircleProxy = 0x05003570,
  kSketchEllipticalArcProxy = 0x05004970,
  kSketchLine3DProxy = 0x0500C870,
  kSketchArc3DProxy = 0x0500CC70,
  kSketchSpline3DProxy = 0x0500CF70,
  kSketchEllipse3DProxy = 0x0500D070,
  kSketchEllipticalArc3DProxy = 0x0500D170,
  kSketchCircle3DProxy = 0x0500D270,
  // A helical curve of a 3D sketch: the owner of the sketch entities that make up a helix. It
  // has no geometry of its own; a pick gives one of its entities.
  kHelicalCurveProxy = 0x0502DE70,
  kHelicalCurve = 0x0502DE00,
  kEdgeProxy = 0x04002CA0,
  kEdge = 0x04002C30,
};

// The code of a sketch curve of the assembly itself whose kind `proxy` names.
constexpr IVCurveKind NativeKind(IVCurveKind proxy) {
  return static_cast<IVCurveKind>(static_cast<std::int32_t>(proxy) & ~0xFF);
}

// The proxy kind of a kind's own code (low byte 0x00); any other code as it is.
constexpr IVCurveKind ProxyKind(IVCurveKind kind) {
  const auto code = static_cast<std::int32_t>(kind);
  return (code & 0xFF) == 0 ? static_cast<IVCurveKind>(code | 0x70) : kind;
}

constexpr bool IsProxyKind(IVCurveKind kind) {
  return (static_cast<std::int32_t>(kind) & 0xFF) == 0x70;
}

// Selection filters (the host's SelectionFilterEnum): which kinds of entity an interaction
// offers for pre-selection.
enum class IVSelectFilter : std::int32_t {
  // The host's default filter for 2D sketch entities (its curve-only filter is 0x3F01).
  kSketchDefault = 0x3F07,
  // The host's default filter for 3D sketch entities (its curve-only filter is 0x4500).
  kSketch3DDefault = 0x4506,
  kPartEdge = 0x3E01,
  kPartEdgeLinear = 0x3E03,
  kPartVertex = 0x3E0B,
  kWorkPoint = 0x4002,
  kWorkAxis = 0x4000,
};

// The kind of a document.
enum class IVDocumentType : std::int32_t {
  kUnknown = 12289,
  kPart = 12290,
  kAssembly = 12291,
};

// Units codes (the host's UnitsTypeEnum): the units in which the document shows lengths, and
// the database units every length (centimetre) and every angle (radian) is stored in.
inline constexpr std::int32_t kDefaultDisplayLengthUnits = 11266;
inline constexpr std::int32_t kDatabaseLengthUnits = 11267;
inline constexpr std::int32_t kDatabaseAngleUnits = 11277;

// Kind of control that places a button definition on a command bar (the host's kButtonControl).
inline constexpr std::int32_t kButtonControlKind = 45061;

// Kind of button handler the add-in asks for.
inline constexpr std::int32_t kButtonHandlerKind = 4;

// The device that made a selection (the host's SelectionDeviceEnum).
enum class IVSelectionDevice : std::int32_t {
  kGraphicsWindow = 15361,
  // Neither a window, the browser nor a name: a pick the program drives.
  kUnknown = 15364,
};

}  // namespace sledway
