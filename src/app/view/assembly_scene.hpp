#pragma once

#include <AIS_InteractiveContext.hxx>
#include <AIS_Shape.hxx>
#include <Bnd_Box.hxx>
#include <SelectMgr_EntityOwner.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <functional>
#include <gp_Trsf.hxx>
#include <memory>
#include <unordered_map>
#include <vector>

#include "host/event.hpp"
#include "host/object.hpp"

namespace sledway::model {
class AssemblyDocument;
class Component;
}  // namespace sledway::model

namespace sledway::app {

// The presentation of one assembly document in an interactive context: each component's body
// shaded with its edges, and its sketch curves, work points and work axes; the assembly's own
// sketch curves. Everything a component shows moves with it through the objects' local
// transformation, so a move never recomputes a triangulation. Detected selection owners map
// back to the model host's own entity objects.
class AssemblyScene {
 public:
  AssemblyScene(Handle(AIS_InteractiveContext) context, Ref<model::AssemblyDocument> document);
  ~AssemblyScene();
  AssemblyScene(const AssemblyScene&) = delete;
  AssemblyScene& operator=(const AssemblyScene&) = delete;

  const Ref<model::AssemblyDocument>& Document() const { return document_; }

  // Brings placements, visibility and bodies rebuilt by a recompute in line with the document.
  // Returns whether anything shown changed.
  bool Synchronize();
  // Called once whenever a component reports a change; the view schedules a redraw with it.
  void OnStale(std::function<void()> handler) { onStale_ = std::move(handler); }

  // The model host's object for what `owner` detected: a vertex or edge of a component, a work
  // point, a work axis or a sketch curve. Null for anything else.
  Ref<IVObject> EntityOf(const Handle(SelectMgr_EntityOwner) & owner) const;
  // What to draw to highlight `entity`, in assembly coordinates; null when it is not shown.
  TopoDS_Shape ShapeOf(const Ref<IVObject>& entity) const;

  // Shaded, with or without the edges of the faces drawn over it.
  void SetEdgesShown(bool shown);
  bool EdgesShown() const { return edgesShown_; }

  // The body of a component as displayed, for views and tests that look at it.
  Handle(AIS_Shape) BodyOf(const Ref<model::Component>& component) const;
  // A box that holds everything drawn for the component, in its own coordinates; void for a
  // component the scene does not show.
  Bnd_Box OwnBoxOf(const Ref<model::Component>& component) const;
  // A box that holds everything shown but the components `except`, in assembly coordinates.
  Bnd_Box ShownBox(const std::vector<Ref<model::Component>>& except) const;

 private:
  // What is drawn for one component; the members move with the body.
  struct ComponentView {
    Ref<model::Component> component;
    Handle(AIS_Shape) body;
    TopTools_IndexedMapOfShape vertices;
    std::vector<Handle(AIS_Shape)> members;
    gp_Trsf shownPlacement;
    bool shown = true;
    Connection changed;
  };
  // The entity a drawn object stands for; the body stands for its component's topology.
  struct Drawn {
    Ref<IVObject> entity;
    ComponentView* component = nullptr;
    bool body = false;
  };

  void AddComponent(const Ref<model::Component>& component, int colourIndex);
  void AddAssemblySketches();
  Handle(AIS_Shape)
      AddMember(const TopoDS_Shape& shape, const Ref<IVObject>& entity, ComponentView* owner);
  void DisplayBody(ComponentView& view);
  void StyleBody(const Handle(AIS_Shape) & body, int colourIndex) const;
  static Bnd_Box OwnBox(const ComponentView& view);

  Handle(AIS_InteractiveContext) context_;
  Ref<model::AssemblyDocument> document_;
  std::vector<std::unique_ptr<ComponentView>> components_;
  std::vector<Handle(AIS_Shape)> assemblyMembers_;
  std::unordered_map<const AIS_InteractiveObject*, Drawn> drawn_;
  std::unordered_map<const IVObject*, Handle(AIS_Shape)> shapeOfEntity_;
  bool stale_ = false;
  std::function<void()> onStale_;
  bool edgesShown_ = true;
};

}  // namespace sledway::app
