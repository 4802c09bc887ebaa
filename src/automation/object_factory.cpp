// The binding class for each host object the session meets: from the member that gave it where
// that tells its kind, from the object's own Type code or the members it has where it does not
// (a selected entity, a profile's sketch curve, an edge of a tangent chain, a curve's sketch).

#include "automation/application_objects.hpp"
#include "automation/binding_session.hpp"
#include "automation/collection_objects.hpp"
#include "automation/document_objects.hpp"
#include "automation/geometry_objects.hpp"
#include "automation/interaction_objects.hpp"
#include "automation/sketch_objects.hpp"
#include "automation/user_interface_objects.hpp"
#include "host/codes.hpp"

namespace sledway::automation {
namespace {

using namespace member;

// An object the add-in only passes along (a view).
class PlainObject final : public HostObject {
 public:
  using HostObject::HostObject;
};

template <class Made, class... Extra>
std::shared_ptr<HostObject> New(Session& session, const ComPtr<IDispatch>& object,
                                const Extra&... extra) {
  return std::make_shared<Made>(session.shared_from_this(), DispatchObject(object), extra...);
}

// `type` is the host's code; a curve of the assembly's own sketch binds as its kind's proxy does
// (same members) and keeps its own code.
std::shared_ptr<HostObject> SketchCurve(Session& session, const ComPtr<IDispatch>& object,
                                        IVCurveKind type) {
  using K = IVCurveKind;
  switch (ProxyKind(type)) {
    case K::kSketchLineProxy:
      return New<SketchCurve2dObject<K::kSketchLineProxy>>(session, object, type);
    case K::kSketchArcProxy:
      return New<SketchCurve2dObject<K::kSketchArcProxy>>(session, object, type);
    case K::kSketchCircleProxy:
      return New<SketchCurve2dObject<K::kSketchCircleProxy>>(session, object, type);
    case K::kSketchEllipseProxy:
      return New<SketchCurve2dObject<K::kSketchEllipseProxy>>(session, object, type);
    case K::kSketchEllipticalArcProxy:
      return New<SketchCurve2dObject<K::kSketchEllipticalArcProxy>>(session, object, type);
    case K::kSketchSplineProxy:
      return New<SketchCurve2dObject<K::kSketchSplineProxy>>(session, object, type);
    case K::kSketchLine3DProxy:
      return New<SketchCurve3dObject<K::kSketchLine3DProxy>>(session, object, type);
    case K::kSketchArc3DProxy:
      return New<SketchCurve3dObject<K::kSketchArc3DProxy>>(session, object, type);
    case K::kSketchCircle3DProxy:
      return New<SketchCurve3dObject<K::kSketchCircle3DProxy>>(session, object, type);
    case K::kSketchSpline3DProxy:
      return New<SketchCurve3dObject<K::kSketchSpline3DProxy>>(session, object, type);
    case K::kSketchEllipse3DProxy:
      return New<SketchCurve3dObject<K::kSketchEllipse3DProxy>>(session, object, type);
    case K::kSketchEllipticalArc3DProxy:
      return New<SketchCurve3dObject<K::kSketchEllipticalArc3DProxy>>(session, object, type);
    case K::kEdgeProxy:
      return New<EdgeProxyObject>(session, object);
    case K::kEdge:
      return New<EdgeObject>(session, object);
    case K::kHelicalCurveProxy:
    case K::kHelicalCurve:
      break;
  }
  return nullptr;
}

std::shared_ptr<HostObject> Sketch(Session& session, const ComPtr<IDispatch>& object) {
  DispatchObject sketch(object);
  if (sketch.Has(kProfiles3D)) return New<Sketch3DObject>(session, object);
  return New<PlanarSketchObject>(session, object);
}

}  // namespace

std::shared_ptr<HostObject> Session::MakeEntity(const ComPtr<IDispatch>& object) {
  DispatchObject entity(object);
  if (entity.Has(kType)) {
    const std::int32_t type = entity.Read(kType).AsLong(kType.role);
    if (auto curve = SketchCurve(*this, object, static_cast<IVCurveKind>(type))) return curve;
  }
  // Work features and vertices by what they offer: an axis its line, a vertex its point and its
  // edges, a work point its point alone.
  if (entity.Has(kLine)) return New<AxisObject>(*this, object);
  if (entity.Has(kPoint)) {
    if (entity.Has(kEdges)) return New<VertexObject>(*this, object);
    return New<WorkPointObject>(*this, object);
  }
  if (entity.Has(kProfiles3D) || entity.Has(kProfiles)) return Sketch(*this, object);
  if (entity.Has(kTransformation)) return New<ComponentObject>(*this, object);
  return New<PlainObject>(*this, object);
}

std::shared_ptr<HostObject> Session::Make(const ComPtr<IDispatch>& object, Role role) {
  switch (role) {
    case Role::kEntity:
      return MakeEntity(object);
    case Role::kObject:
      return New<PlainObject>(*this, object);
    case Role::kSite:
      return New<AddInSiteObject>(*this, object);
    case Role::kApplication:
      return New<ApplicationObject>(*this, object);
    case Role::kDocument: {
      DispatchObject document(object);
      switch (
          static_cast<IVDocumentType>(document.Read(kDocumentType).AsLong(kDocumentType.role))) {
        case IVDocumentType::kAssembly:
          return New<AssemblyDocumentObject>(*this, object);
        case IVDocumentType::kPart:
          return New<PartDocumentObject>(*this, object);
        default:
          return New<OtherDocumentObject>(*this, object);
      }
    }
    case Role::kUnits:
      return New<UnitsObject>(*this, object);
    case Role::kAssemblyDefinition:
      return New<AssemblyDefinitionObject>(*this, object);
    case Role::kParameters:
      return New<ParametersObject>(*this, object);
    case Role::kParameterList:
      return New<ParameterListObject>(*this, object);
    case Role::kParameter:
      return New<ParameterObject>(*this, object);
    case Role::kParameterCollection:
      return New<ObjectCollectionObject>(*this, object, Role::kParameter);
    case Role::kGeometryFactory:
      return New<GeometryFactoryObject>(*this, object);
    case Role::kPoint:
      return New<PointObject>(*this, object);
    case Role::kPoint2d:
      return New<Point2dObject>(*this, object);
    case Role::kVector:
      return New<VectorObject>(*this, object);
    case Role::kMatrix:
      return New<MatrixObject>(*this, object);
    case Role::kObjectFactory:
      return New<ObjectFactoryObject>(*this, object);
    case Role::kObjectCollection:
      return New<ObjectCollectionObject>(*this, object, Role::kEntity);
    case Role::kEntityCollection:
      return New<EntityCollectionObject>(*this, object);
    case Role::kComponent:
      return New<ComponentObject>(*this, object);
    case Role::kLine:
      return New<LineObject>(*this, object);
    case Role::kCurveEvaluator:
      return New<CurveEvaluatorObject>(*this, object);
    case Role::kCurveEvaluator2d:
      return New<CurveEvaluator2dObject>(*this, object);
    case Role::kProfiles:
      return New<ProfilesObject<IVProfiles>>(*this, object, kAddForSolid, kAddForSurface);
    case Role::kProfiles3D:
      return New<ProfilesObject<IVProfiles3D>>(*this, object, kAddClosed, kAddOpen);
    case Role::kProfile:
      return New<ProfileObject>(*this, object);
    case Role::kProfilePath:
      return New<ProfilePathObject>(*this, object);
    case Role::kProfileEntity:
      return New<ProfileEntityObject>(*this, object);
    case Role::kSketch:
      return Sketch(*this, object);
    case Role::kCommandManager:
      return New<CommandManagerObject>(*this, object);
    case Role::kInteraction:
      return New<InteractionObject>(*this, object);
    case Role::kSelectEvents:
      return New<SelectEventsObject>(*this, object);
    case Role::kUserInterface:
      return New<UserInterfaceObject>(*this, object);
    case Role::kButtonDefinition:
      return New<ButtonDefinitionObject>(*this, object);
    case Role::kCommandBars:
      return New<CommandBarsObject>(*this, object);
    case Role::kCommandBar:
      return New<CommandBarObject>(*this, object, kCommandBarName, kControls);
    case Role::kCommandBarControls:
      return New<CommandBarControlsObject>(*this, object);
    case Role::kCommandBarControl:
      return New<CommandBarControlObject>(*this, object);
  }
  return New<PlainObject>(*this, object);
}

}  // namespace sledway::automation
