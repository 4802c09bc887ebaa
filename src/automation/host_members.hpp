#pragma once

// Every role of src/host and the host's automation member that serves it, by name: the binding
// reaches the host through these names alone. Each line reads "role -> Object.Member"; a reader
// can check it against the host's API reference member by member.

namespace sledway::automation {

struct Member {
  const char* role;       // what src/host asks for
  const wchar_t* object;  // the host object that answers
  const wchar_t* name;    // the member's name on it
  // How many arguments the binding passes when it reads or calls the member (a put passes its
  // value alone), or for an event how many the host raises it with.
  unsigned arguments = 0;
};

namespace member {

// clang-format off
// Every host object.
inline constexpr Member kType{"object kind of an entity", L"Object", L"Type"};

// The add-in site and the application.
inline constexpr Member kSiteApplication{"IVAddInSite::GetApplication", L"ApplicationAddInSite", L"Application"};
inline constexpr Member kActiveDocument{"IVApplication::GetActiveDocument", L"Application", L"ActiveDocument"};
inline constexpr Member kTransientGeometry{"IVApplication::GetGeometryFactory", L"Application", L"TransientGeometry"};
inline constexpr Member kTransientObjects{"IVApplication::GetObjectFactory", L"Application", L"TransientObjects"};
inline constexpr Member kCommandManager{"IVApplication::GetCommandManager", L"Application", L"CommandManager"};
inline constexpr Member kUserInterfaceManager{"IVApplication::GetUserInterface", L"Application", L"UserInterfaceManager"};
inline constexpr Member kMainFrameHwnd{"IVApplication::GetMainWindowHandle", L"Application", L"MainFrameHWND"};

// The button.
inline constexpr Member kControlDefinitions{"IVAddInSite::CreateButtonHandler (1)", L"CommandManager", L"ControlDefinitions"};
inline constexpr Member kAddButtonDefinition{"IVAddInSite::CreateButtonHandler (2)", L"ControlDefinitions", L"AddButtonDefinition", 8};
inline constexpr Member kControlDefinitionsItem{"IVAddInSite::CreateButtonHandler (a definition left from an earlier session)", L"ControlDefinitions", L"Item", 1};
// What the add-in added to the host's UI goes again when its session ends.
inline constexpr Member kDelete{"the end of the session", L"ButtonDefinition, CommandBar, CommandBarControl, RibbonPanel, CommandControl", L"Delete"};
inline constexpr Member kInternalName{"IVButtonDefinition::InternalName", L"ButtonDefinition", L"InternalName"};
inline constexpr Member kToolTipText{"IVButtonDefinition::Tooltip", L"ButtonDefinition", L"ToolTipText"};
inline constexpr const wchar_t* kButtonDefinitionSink = L"ButtonDefinitionSink";
inline constexpr Member kOnExecute{"IVButtonHandler::OnClick", L"ButtonDefinitionSink", L"OnExecute", 1};

// Documents, units and parameters.
inline constexpr Member kDocumentType{"IVDocument::DocumentType", L"Document", L"DocumentType"};
inline constexpr Member kDisplayName{"IVDocument::DisplayName", L"Document", L"DisplayName"};
inline constexpr Member kUpdate{"IVDocument::Update", L"Document", L"Update"};
inline constexpr Member kComponentDefinition{"IVAssemblyDocument::GetDefinition", L"AssemblyDocument", L"ComponentDefinition"};
inline constexpr Member kUnitsOfMeasure{"IVAssemblyDocument::GetUnits", L"Document", L"UnitsOfMeasure"};
inline constexpr Member kGetStringFromValue{"IVUnits::FormatValue", L"UnitsOfMeasure", L"GetStringFromValue", 2};
inline constexpr Member kGetStringFromType{"IVUnits::UnitsLabel", L"UnitsOfMeasure", L"GetStringFromType", 1};
inline constexpr Member kConvertUnits{"IVParameter::Value (database to own units)", L"UnitsOfMeasure", L"ConvertUnits", 3};
inline constexpr Member kParameters{"IVAssemblyDefinition::GetParameters", L"AssemblyComponentDefinition", L"Parameters"};
inline constexpr Member kParametersItem{"IVParameters::Item", L"Parameters", L"Item", 1};
inline constexpr Member kModelParameters{"IVParameters::GetFirstList", L"Parameters", L"ModelParameters"};
inline constexpr Member kUserParameters{"IVParameters::GetSecondList", L"Parameters", L"UserParameters"};
inline constexpr Member kParameterName{"IVParameter::Name", L"Parameter", L"Name"};
inline constexpr Member kParameterValue{"IVParameter::Value", L"Parameter", L"Value"};
inline constexpr Member kParameterUnits{"IVParameter::Units", L"Parameter", L"Units"};
inline constexpr Member kExpression{"IVParameter::Expression", L"Parameter", L"Expression"};
inline constexpr Member kDrivenBy{"IVParameter::Inputs", L"Parameter", L"DrivenBy"};

// Collections: ObjectCollection, ObjectsEnumerator, EdgeCollection, the parameter lists, the
// profiles and paths, command bars and their controls.
inline constexpr Member kCount{"Count of every collection", L"(collection)", L"Count"};
inline constexpr Member kItem{"Item of every collection (1-based)", L"(collection)", L"Item", 1};
inline constexpr Member kCollectionAdd{"IVObjectCollection::Add", L"ObjectCollection", L"Add", 1};
inline constexpr Member kCreateObjectCollection{"IVObjectFactory::CreateObjectCollection", L"TransientObjects", L"CreateObjectCollection"};

// The button's place: classic command bars.
inline constexpr Member kCommandBars{"IVUserInterface::GetCommandBars", L"UserInterfaceManager", L"CommandBars"};
inline constexpr Member kCommandBarsAdd{"IVCommandBars::Add", L"CommandBars", L"Add", 4};
inline constexpr Member kCommandBarName{"IVCommandBar::Name", L"CommandBar", L"DisplayName"};
inline constexpr Member kControls{"IVCommandBar::GetControls", L"CommandBar", L"Controls"};
inline constexpr Member kAddButton{"IVCommandBarControls::Add", L"CommandBarControls", L"AddButton", 1};
inline constexpr Member kControlDefinition{"IVCommandBarControl::ButtonDefinition", L"CommandBarControl", L"ControlDefinition"};
// The button's place when the host has the ribbon (whenever Ribbons answers).
inline constexpr Member kRibbons{"the assembly ribbon (1), and whether there is one", L"UserInterfaceManager", L"Ribbons"};
inline constexpr Member kRibbonTabs{"the assembly ribbon (2)", L"Ribbon", L"RibbonTabs"};
inline constexpr Member kRibbonPanels{"the assembly ribbon (3)", L"RibbonTab", L"RibbonPanels"};
inline constexpr Member kRibbonPanelsAdd{"IVCommandBars::Add on the ribbon", L"RibbonPanels", L"Add", 3};
inline constexpr Member kCommandControls{"IVCommandBar::GetControls on the ribbon", L"RibbonPanel", L"CommandControls"};
inline constexpr Member kPanelName{"IVCommandBar::Name on the ribbon", L"RibbonPanel", L"DisplayName"};
inline constexpr const char* kAssemblyRibbon = "Assembly";
inline constexpr const char* kAssembleTab = "id_TabAssemble";
inline constexpr const char* kSledwayPanel = "id_PanelSledway";

// Interaction and selection.
inline constexpr Member kCreateInteractionEvents{"IVCommandManager::CreateInteraction", L"CommandManager", L"CreateInteractionEvents"};
inline constexpr Member kSelectionActive{"IVInteraction::SelectionEnabled", L"InteractionEvents", L"SelectionActive"};
inline constexpr Member kSelectEvents{"IVInteraction::GetSelectEvents", L"InteractionEvents", L"SelectEvents"};
inline constexpr Member kStart{"IVInteraction::Start", L"InteractionEvents", L"Start"};
inline constexpr Member kStop{"IVInteraction::Stop", L"InteractionEvents", L"Stop"};
inline constexpr const wchar_t* kInteractionEventsSink = L"InteractionEventsSink";
inline constexpr Member kOnTerminate{"IVInteraction::OnTerminate", L"InteractionEventsSink", L"OnTerminate"};
inline constexpr Member kSingleSelectEnabled{"IVSelectEvents::SingleSelect", L"SelectEvents", L"SingleSelectEnabled"};
inline constexpr Member kAddSelectionFilter{"IVSelectEvents::AddSelectionFilter", L"SelectEvents", L"AddSelectionFilter", 1};
inline constexpr Member kSelectedEntities{"IVSelectEvents::GetSelectedEntities", L"SelectEvents", L"SelectedEntities"};
inline constexpr const wchar_t* kSelectEventsSink = L"SelectEventsSink";
inline constexpr Member kOnPreSelect{"IVSelectEvents::OnPreSelect", L"SelectEventsSink", L"OnPreSelect", 7};
inline constexpr Member kOnSelect{"IVSelectEvents::OnSelect", L"SelectEventsSink", L"OnSelect", 5};

// Transient geometry.
inline constexpr Member kCreatePoint{"IVGeometryFactory::CreatePoint", L"TransientGeometry", L"CreatePoint", 3};
inline constexpr Member kCreatePoint2d{"IVGeometryFactory::CreatePoint2d", L"TransientGeometry", L"CreatePoint2d", 2};
inline constexpr Member kCreateVector{"IVGeometryFactory::CreateVector", L"TransientGeometry", L"CreateVector", 3};
inline constexpr Member kCreateMatrix{"IVGeometryFactory::CreateMatrix", L"TransientGeometry", L"CreateMatrix"};
inline constexpr Member kX{"IVPoint/IVPoint2d/IVVector::X, PutCoordinates", L"Point, Point2d, Vector", L"X"};
inline constexpr Member kY{"IVPoint/IVPoint2d/IVVector::Y, PutCoordinates", L"Point, Point2d, Vector", L"Y"};
inline constexpr Member kZ{"IVPoint/IVVector::Z, PutCoordinates", L"Point, Vector", L"Z"};
inline constexpr Member kIsEqualTo{"IVPoint/IVPoint2d/IVVector/IVMatrix::IsEqualTo", L"Point, Point2d, Vector, Matrix", L"IsEqualTo", 2};
inline constexpr Member kDistanceTo{"IVPoint::DistanceTo", L"Point", L"DistanceTo", 1};
inline constexpr Member kLength{"IVVector::Length", L"Vector", L"Length"};
inline constexpr Member kScaleBy{"IVVector::ScaleBy", L"Vector", L"ScaleBy", 1};
inline constexpr Member kCrossProduct{"IVVector::CrossProduct", L"Vector", L"CrossProduct", 1};
inline constexpr Member kDotProduct{"IVVector::DotProduct", L"Vector", L"DotProduct", 1};
inline constexpr Member kAngleTo{"IVVector::AngleTo", L"Vector", L"AngleTo", 1};
inline constexpr Member kTransformBy{"IVVector/IVMatrix::TransformBy", L"Vector, Matrix", L"TransformBy", 1};
inline constexpr Member kCell{"IVMatrix::Cell", L"Matrix", L"Cell", 2};
inline constexpr Member kSetToIdentity{"IVMatrix::SetToIdentity", L"Matrix", L"SetToIdentity"};
inline constexpr Member kTranslation{"IVMatrix::GetTranslation", L"Matrix", L"Translation"};
inline constexpr Member kSetTranslation{"IVMatrix::SetTranslation", L"Matrix", L"SetTranslation", 2};
inline constexpr Member kSetToRotateTo{"IVMatrix::SetToRotationBetween", L"Matrix", L"SetToRotateTo", 3};

// Components and part entities, seen through proxies in the assembly.
inline constexpr Member kOccurrenceName{"IVComponent::Name", L"ComponentOccurrence", L"Name"};
inline constexpr Member kTransformation{"IVComponent::GetTransformation, SetTransformation", L"ComponentOccurrence", L"Transformation"};
inline constexpr Member kGrounded{"IVComponent::Fixed", L"ComponentOccurrence", L"Grounded"};
inline constexpr Member kVisible{"IVComponent::Visible", L"ComponentOccurrence", L"Visible"};
inline constexpr Member kContainingOccurrence{"IVOccurrenceMember::ContainingOccurrence", L"(proxy)", L"ContainingOccurrence"};
inline constexpr Member kPoint{"IVVertex/IVWorkPoint::GetPoint", L"VertexProxy, WorkPointProxy", L"Point"};
inline constexpr Member kEvaluator{"IVEdge/IVLine/curve geometry::GetEvaluator", L"EdgeProxy, Line, curve geometry", L"Evaluator"};
inline constexpr Member kTangentiallyConnectedEdges{"IVEdge::GetTangentChain", L"EdgeProxy", L"TangentiallyConnectedEdges"};
inline constexpr Member kLine{"IVAxis::GetLine", L"WorkAxisProxy", L"Line"};
inline constexpr Member kRootPoint{"IVLine::RootPoint", L"Line", L"RootPoint"};
inline constexpr Member kDirection{"IVLine::Direction", L"Line", L"Direction"};
// What tells a vertex (which has edges) from a work point, when the kind is not known.
inline constexpr Member kEdges{"a vertex rather than a work point", L"VertexProxy", L"Edges"};

// Sketches and profiles.
inline constexpr Member kSketchToModelSpace{"IVPlanarSketch::SketchToModel", L"PlanarSketchProxy", L"SketchToModelSpace", 1};
inline constexpr Member kSketchToModelTransform{"IVPlanarSketch::SketchToModelTransform", L"PlanarSketchProxy", L"SketchToModelTransform"};
inline constexpr Member kProfiles{"IVPlanarSketch::GetProfiles", L"PlanarSketchProxy", L"Profiles"};
inline constexpr Member kProfiles3D{"IVSketch3D::GetProfiles3D", L"Sketch3DProxy", L"Profiles3D"};
inline constexpr Member kAddForSolid{"IVProfiles::AddClosedProfile", L"Profiles", L"AddForSolid"};
inline constexpr Member kAddForSurface{"IVProfiles::AddOpenProfile", L"Profiles", L"AddForSurface"};
inline constexpr Member kAddClosed{"IVProfiles3D::AddClosedProfile", L"Profiles3D", L"AddClosed"};
inline constexpr Member kAddOpen{"IVProfiles3D::AddOpenProfile", L"Profiles3D", L"AddOpen"};
inline constexpr Member kSketchEntity{"IVProfileEntity::GetSketchEntity", L"ProfileEntity, ProfileEntity3D", L"SketchEntity"};
inline constexpr Member kParent{"IVSketchEntity/IVSketchEntity3D::Parent", L"sketch curve", L"Parent"};
inline constexpr Member kGeometry{"IVSketchCurveOf/IVSketchCurve3DOf::GetGeometry", L"sketch curve", L"Geometry"};

// Curve evaluators (CurveEvaluator, Curve2dEvaluator); doubles and arrays of doubles by reference.
inline constexpr Member kGetEndPoints{"IVCurveEvaluator::GetEndPoints", L"CurveEvaluator", L"GetEndPoints", 2};
inline constexpr Member kGetParamExtents{"IVCurveEvaluator::GetParamRange", L"CurveEvaluator", L"GetParamExtents", 2};
inline constexpr Member kGetParamAtLength{"IVCurveEvaluator::GetParamAtLength", L"CurveEvaluator", L"GetParamAtLength", 3};
inline constexpr Member kGetLengthAtParam{"IVCurveEvaluator::GetLengthBetweenParams", L"CurveEvaluator", L"GetLengthAtParam", 3};
inline constexpr Member kGetPointAtParam{"IVCurveEvaluator::GetPointAtParam", L"CurveEvaluator", L"GetPointAtParam", 2};
inline constexpr Member kGetTangent{"IVCurveEvaluator::GetTangent", L"CurveEvaluator", L"GetTangent", 2};
// clang-format on

}  // namespace member
}  // namespace sledway::automation
