#pragma once

#include <gp_Pnt.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Trsf.hxx>
#include <map>
#include <memory>
#include <unordered_map>

#include "host/sketch.hpp"
#include "modelhost/component/occurrence_link.hpp"

namespace sledway::model {

class PlanarSketchDefinition;

// A 2D sketch as the host shows it: the assembly's own (no containing occurrence) or a part's
// seen through one component (then in assembly coordinates where the component stands now).
// Its curves are made once and handed out as the same objects.
class PlanarSketch : public IVPlanarSketch, public std::enable_shared_from_this<PlanarSketch> {
 public:
  PlanarSketch(Ref<PlanarSketchDefinition> definition, OccurrenceLink component);

  // Through the sketch plane, then the component's placement for a part's sketch.
  Ref<IVPoint> SketchToModel(const Ref<IVPoint2d>& point) override;
  Ref<IVMatrix> SketchToModelTransform() override;
  // Profiles over the curves as they stand now.
  Ref<IVProfiles> GetProfiles() override;
  // Null for a sketch of the assembly itself.
  Ref<IVComponent> ContainingOccurrence() override;

  // 1-based; the same object every time; fails naming the sketch outside 1 to CurveCount.
  Ref<IVSketchEntity> Curve(int index);
  int CurveCount() const;
  // The 1-based number of `entity` among this sketch's curves, found without a search; 0 when
  // it is none of them.
  int CurveNumber(const Ref<IVObject>& entity) const;
  Ref<PlanarSketchDefinition> Definition() const { return definition_; }
  // The model-space point of sketch point `point`.
  gp_Pnt ToModel(const gp_Pnt2d& point) const;
  gp_Trsf ToModelTransform() const;

 private:
  Ref<PlanarSketchDefinition> definition_;
  OccurrenceLink component_;
  std::map<int, Ref<IVSketchEntity>> curves_;
  std::unordered_map<const IVObject*, int> numbers_;
};

}  // namespace sledway::model
