#pragma once

#include <AIS_InteractiveContext.hxx>
#include <AIS_Shape.hxx>
#include <V3d_View.hxx>
#include <vector>

#include "host/object.hpp"

namespace sledway::model {
class Application;
class Interaction;
}  // namespace sledway::model

namespace sledway::app {

class AssemblyScene;

// Picking in a 3D view through the interaction that runs: the first entity under the cursor
// that the interaction's filters admit is offered for pre-selection when the cursor enters it,
// a click selects what the interaction highlighted, and the highlight is drawn over the scene.
// The entities are the model host's own objects, so the add-in's picker sees the same objects
// here as everywhere else.
class ViewPicker {
 public:
  ViewPicker(Handle(AIS_InteractiveContext) context, Ref<model::Application> application);
  ~ViewPicker();
  ViewPicker(const ViewPicker&) = delete;
  ViewPicker& operator=(const ViewPicker&) = delete;

  // The scene the entities are found in; null while no document is shown.
  void SetScene(const AssemblyScene* scene);

  // The cursor rests at pixel (x, y) of `view`. Returns whether the highlight changed. An error
  // of the add-in's OnPreSelect handler reaches the caller.
  bool MoveTo(int x, int y, const Handle(V3d_View) & view);
  // Offers `entity` as if the cursor had entered it (an entry of the model browser).
  bool Offer(const Ref<IVObject>& entity);
  // Selects what is highlighted. Returns whether anything was selected.
  bool Click();
  // Stops the running interaction. Returns whether one ran.
  bool Stop();
  // Draws the highlight of the running interaction (none when none runs). Returns whether it
  // changed.
  bool Refresh();

 private:
  Ref<model::Interaction> Running() const;
  bool Hover(const Ref<IVObject>& entity, int x, int y, const gp_Pnt* modelPoint);

  Handle(AIS_InteractiveContext) context_;
  Ref<model::Application> application_;
  const AssemblyScene* scene_ = nullptr;
  // What the cursor is on, and in which interaction: an entry happens once per entity.
  Ref<IVObject> hovered_;
  const model::Interaction* hoveredIn_ = nullptr;
  // The highlight as drawn.
  Handle(AIS_Shape) highlight_;
  std::vector<Ref<IVObject>> drawnHighlight_;
};

}  // namespace sledway::app
