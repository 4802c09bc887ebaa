#pragma once

#include <map>
#include <memory>
#include <unordered_map>

#include "host/sketch.hpp"
#include "modelhost/component/occurrence_link.hpp"

namespace sledway::model {

class Sketch3dDefinition;

// A 3D sketch as the host shows it: the assembly's own (no containing occurrence) or a part's
// seen through one component (then in assembly coordinates where the component stands now).
// Its curves are made once and handed out as the same objects.
class Sketch3d : public IVSketch3D, public std::enable_shared_from_this<Sketch3d> {
 public:
  Sketch3d(Ref<Sketch3dDefinition> definition, OccurrenceLink component);

  // Profiles over the curves as they stand now.
  Ref<IVProfiles3D> GetProfiles3D() override;
  // Null for a sketch of the assembly itself.
  Ref<IVComponent> ContainingOccurrence() override;

  // 1-based; the same object every time; fails naming the sketch outside 1 to CurveCount.
  Ref<IVSketchEntity3D> Curve(int index);
  int CurveCount() const;
  // The 1-based number of `entity` among this sketch's curves, found without a search; 0 when
  // it is none of them.
  int CurveNumber(const Ref<IVObject>& entity) const;
  Ref<Sketch3dDefinition> Definition() const { return definition_; }

 private:
  Ref<Sketch3dDefinition> definition_;
  OccurrenceLink component_;
  std::map<int, Ref<IVSketchEntity3D>> curves_;
  std::unordered_map<const IVObject*, int> numbers_;
};

}  // namespace sledway::model
