#pragma once

// The Type each test-host object reports. The add-in reads the codes of edges and sketch
// curves, which are the host's own (src/host/codes.hpp); the others only need to differ.

#include "host/codes.hpp"

namespace sledway::automation_host::object_type {

inline constexpr long kEdgeProxy = static_cast<long>(IVCurveKind::kEdgeProxy);
inline constexpr long kSketchLineProxy = static_cast<long>(IVCurveKind::kSketchLineProxy);
inline constexpr long kSketchArcProxy = static_cast<long>(IVCurveKind::kSketchArcProxy);
inline constexpr long kSketchLine3DProxy = static_cast<long>(IVCurveKind::kSketchLine3DProxy);
inline constexpr long kSketchArc3DProxy = static_cast<long>(IVCurveKind::kSketchArc3DProxy);
// A helix picked in a 3D sketch is the helical curve's own entity, a 3D spline.
inline constexpr long kSketchSpline3DProxy = static_cast<long>(IVCurveKind::kSketchSpline3DProxy);

inline constexpr long kApplication = 0x7E000001;
inline constexpr long kAddInSite = 0x7E000002;
inline constexpr long kAssemblyDocument = 0x7E000003;
inline constexpr long kPartDocument = 0x7E000004;
inline constexpr long kComponentDefinition = 0x7E000005;
inline constexpr long kUnitsOfMeasure = 0x7E000006;
inline constexpr long kComponentOccurrence = 0x7E000007;
inline constexpr long kParameters = 0x7E000009;
inline constexpr long kParameterList = 0x7E00000A;
inline constexpr long kParameter = 0x7E00000B;
inline constexpr long kTransientGeometry = 0x7E00000C;
inline constexpr long kTransientObjects = 0x7E00000D;
inline constexpr long kPoint = 0x7E00000E;
inline constexpr long kPoint2d = 0x7E00000F;
inline constexpr long kVector = 0x7E000010;
inline constexpr long kUnitVector = 0x7E000011;
inline constexpr long kMatrix = 0x7E000012;
inline constexpr long kObjectCollection = 0x7E000013;
inline constexpr long kObjectsEnumerator = 0x7E000014;
inline constexpr long kEdgeCollection = 0x7E000015;
inline constexpr long kNameValueMap = 0x7E000016;
inline constexpr long kVertexProxy = 0x7E000017;
inline constexpr long kWorkPointProxy = 0x7E000018;
inline constexpr long kWorkAxisProxy = 0x7E000019;
inline constexpr long kLine = 0x7E00001A;
inline constexpr long kCurveGeometry = 0x7E00001B;
inline constexpr long kCurveEvaluator = 0x7E00001C;
inline constexpr long kCurve2dEvaluator = 0x7E00001D;
inline constexpr long kPlanarSketchProxy = 0x7E00001E;
inline constexpr long kSketch3DProxy = 0x7E00001F;
inline constexpr long kProfiles = 0x7E000020;
inline constexpr long kProfile = 0x7E000021;
inline constexpr long kProfilePath = 0x7E000022;
inline constexpr long kProfileEntity = 0x7E000023;
inline constexpr long kProfiles3D = 0x7E000024;
inline constexpr long kProfile3D = 0x7E000025;
inline constexpr long kProfilePath3D = 0x7E000026;
inline constexpr long kProfileEntity3D = 0x7E000027;
inline constexpr long kCommandManager = 0x7E000028;
inline constexpr long kControlDefinitions = 0x7E000029;
inline constexpr long kButtonDefinition = 0x7E00002A;
inline constexpr long kUserInterfaceManager = 0x7E00002B;
inline constexpr long kCommandBars = 0x7E00002C;
inline constexpr long kCommandBar = 0x7E00002D;
inline constexpr long kCommandBarControls = 0x7E00002E;
inline constexpr long kCommandControl = 0x7E00002F;
inline constexpr long kRibbons = 0x7E000030;
inline constexpr long kRibbon = 0x7E000031;
inline constexpr long kRibbonTabs = 0x7E000032;
inline constexpr long kRibbonTab = 0x7E000033;
inline constexpr long kRibbonPanels = 0x7E000034;
inline constexpr long kRibbonPanel = 0x7E000035;
inline constexpr long kCommandControls = 0x7E000036;
inline constexpr long kInteractionEvents = 0x7E000037;
inline constexpr long kSelectEvents = 0x7E000038;
inline constexpr long kView = 0x7E000039;

}  // namespace sledway::automation_host::object_type
