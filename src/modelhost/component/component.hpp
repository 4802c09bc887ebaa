#pragma once

#include <gp_Trsf.hxx>
#include <map>
#include <memory>
#include <string>

#include "host/component.hpp"
#include "host/event.hpp"
#include "host/part_entities.hpp"

namespace sledway::model {

class Part;
class PlanarSketch;
class Sketch3d;

// A top-level occurrence of a part in an assembly. Its placement is always a rigid motion (the
// rotation re-orthonormalised whenever it is set), so rounding cannot build up over many moves.
// The host-facing entities of its part (vertices, edges, work features, sketches) are made once
// per component and then handed out as the same objects; they report where the component
// stands at the moment they are asked.
class Component : public IVComponent, public std::enable_shared_from_this<Component> {
 public:
  // Fails naming the component when `part` is missing or `placement` is not a rigid motion.
  Component(std::string name, Ref<model::Part> part, const gp_Trsf& placement);

  std::string Name() override;
  // A free-standing copy of the placement.
  Ref<IVMatrix> GetTransformation() override;
  // Takes the nearest rigid motion of `placement`; a missing matrix or one with a value that is
  // not finite is refused naming the component, the placement unchanged.
  void SetTransformation(const Ref<IVMatrix>& placement) override;
  bool Fixed() override { return fixed_; }
  void Fixed(bool fixed) override { fixed_ = fixed; }
  bool Visible() override { return visible_; }
  void Visible(bool visible) override {
    visible_ = visible;
    OnDisplayChanged.Raise();
  }

  const std::string& ComponentName() const { return name_; }
  Ref<model::Part> Part() const { return part_; }
  gp_Trsf Placement() const { return placement_; }

  // 1-based, in the part's order; fail naming the component and the index or name.
  Ref<IVVertex> Vertex(int index);
  Ref<IVEdgeProxy> Edge(int index);
  Ref<IVWorkPoint> WorkPoint(const std::string& name);
  Ref<IVAxis> WorkAxis(const std::string& name);
  Ref<PlanarSketch> Sketch(const std::string& name);
  Ref<model::Sketch3d> Sketch3d(const std::string& name);

  // The placement or the visibility changed: a view showing the component redraws it.
  Event<> OnDisplayChanged;

 private:
  std::string name_;
  Ref<model::Part> part_;
  gp_Trsf placement_;
  bool fixed_ = false;
  bool visible_ = true;
  std::map<int, Ref<IVVertex>> vertices_;
  std::map<int, Ref<IVEdgeProxy>> edges_;
  std::map<std::string, Ref<IVWorkPoint>> workPoints_;
  std::map<std::string, Ref<IVAxis>> workAxes_;
  std::map<std::string, Ref<PlanarSketch>> sketches_;
  std::map<std::string, Ref<model::Sketch3d>> sketches3d_;
};

}  // namespace sledway::model
