#include "ui/selection_slots.hpp"

#include "host/host_error.hpp"
#include "host/part_entities.hpp"
#include "host/sketch.hpp"
#include "path/path_definition.hpp"

namespace sledway {
namespace {

// The entity type codes of a path entity: 2D sketch curve, 3D sketch curve, part edge.
constexpr std::int32_t kEntType2d = 0;
constexpr std::int32_t kEntType3d = 1;
constexpr std::int32_t kEntTypeEdge = 2;

void StorePath(const Ref<IVApplication>& app, CPath& path,
               const Ref<IVEntityCollection>& selected) {
  path.DeletePath();
  const Ref<IVObject> first = selected->Item(1);
  const bool sketch2d = Is<IVSketchEntity>(first);
  const bool sketch3d = !sketch2d && Is<IVSketchEntity3D>(first);
  for (int i = 1; i <= selected->Count(); ++i) {
    const Ref<IVObject> item = selected->Item(i);
    if (sketch2d) {
      path.PathEnts()->Add(app, As<IVSketchEntity>(item)->ObjectType(), item, kEntType2d);
    } else if (sketch3d) {
      path.PathEnts()->Add(app, As<IVSketchEntity3D>(item)->ObjectType(), item, kEntType3d);
    } else {
      path.PathEnts()->Add(app, IVCurveKind::kEdgeProxy, item, kEntTypeEdge);
    }
  }
  path.PathEnts()->SortEntityDirections();
  path.SetPathParent();
  // The follow motion works from the cached length; the window's length display measures it at
  // this point, and so does every other caller.
  path.Length();
}

void StoreFollowPoint(CPath& path, const Ref<IVObject>& picked) {
  if (const auto vertex = As<IVVertex>(picked)) {
    path.IsPointFromVertex(true);
    path.FollowVertex(vertex);
    path.FollowComponent(vertex->ContainingOccurrence());
    path.FollowPoint(vertex->GetPoint());
  } else if (const auto workPoint = As<IVWorkPoint>(picked)) {
    path.IsPointFromVertex(false);
    path.FollowWorkPoint(workPoint);
    path.FollowComponent(workPoint->ContainingOccurrence());
    path.FollowPoint(workPoint->GetPoint());
  } else {
    throw HostError(hresult::kNoInterface, "a follow point must be a vertex or a work point");
  }
}

void StoreTangentLine(CPath& path, const Ref<IVObject>& picked) {
  if (const auto edge = As<IVEdge>(picked)) {
    path.IsAligned(true);
    path.IsTangentFromEdge(true);
    path.TangentEdge(edge);
  } else if (const auto axis = As<IVAxis>(picked)) {
    path.IsAligned(true);
    path.IsTangentFromEdge(false);
    path.TangentAxis(axis);
  } else {
    throw HostError(hresult::kNoInterface, "a tangent line must be an edge or a work axis");
  }
}

}  // namespace

const SlotPick& SlotPickSettings(SelectionSlot slot) {
  static const SlotPick kPath{
      {IVSelectFilter::kSketch3DDefault, IVSelectFilter::kSketchDefault, IVSelectFilter::kPartEdge},
      true,
      true};
  static const SlotPick kFollowPoint{
      {IVSelectFilter::kPartVertex, IVSelectFilter::kWorkPoint}, false, true};
  static const SlotPick kTangentLine{
      {IVSelectFilter::kPartEdgeLinear, IVSelectFilter::kWorkAxis}, false, true};
  switch (slot) {
    case SelectionSlot::kPath:
      return kPath;
    case SelectionSlot::kFollowPoint:
      return kFollowPoint;
    case SelectionSlot::kTangentLine:
      break;
  }
  return kTangentLine;
}

void StoreSlotSelection(const Ref<IVApplication>& app, CPath& path, SelectionSlot slot,
                        const Ref<IVEntityCollection>& selected) {
  switch (slot) {
    case SelectionSlot::kPath:
      try {
        StorePath(app, path, selected);
      } catch (...) {
        // The old path is gone already; a chain half built would be measured and followed as if
        // it were the path picked.
        path.DeletePath();
        throw;
      }
      return;
    case SelectionSlot::kFollowPoint:
      StoreFollowPoint(path, selected->Item(1));
      return;
    case SelectionSlot::kTangentLine:
      StoreTangentLine(path, selected->Item(1));
      return;
  }
}

}  // namespace sledway
