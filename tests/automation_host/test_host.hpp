#pragma once

// The automation test host as a test drives it: the scene, the add-in site to hand to
// Activate, the user's acts (the button, hovering, clicking, Esc) raised as the host's events,
// and what the add-in did to the scene.
//
// The scene (centimetres; each component's own coordinates, placed by its Transformation):
//   "Rail:1" at translation (1, 2, 3):
//     "Sketch1", a planar sketch on the component's XZ plane (sketch x -> X, sketch y -> Z),
//       one open profile path of tangent curves: "Line1" (0,0)-(10,0), "Arc1" centre (10,5)
//       radius 5 from -90 to 0 degrees, "Line2" (15,5)-(15,15);
//     "Sketch3D1": "Line3D1" (0,0,0)-(4,0,0), "Arc3D1" centre (4,2,0) radius 2 in the XY plane
//       from -90 to 0 degrees, "Helix1" about the Z axis through (4,2,0), radius 2, pitch 3,
//       one turn from angle 0 (at (6,2,0)) to 2 pi, counter-clockwise.
//   "Cart:1" at a rotation of 30 degrees about Z, then translation (20, 0, 0):
//     "Edge1" (0,0,0)-(2,0,0) and "Edge2", centre (2,1,0) radius 1 from -90 to 0 degrees,
//       tangent to each other; "Edge3" (0,0,0)-(0,0,1); "Vertex1" (0,0,0); "WorkPoint1"
//       (1,1,1); "WorkAxis1" through (0,0,0) along Z.
//   "Base:1", grounded, at the identity.
// Entities are named "<component>/<entity>", sketch curves "<component>/<sketch>/<curve>".
// Parameters: model "d0" (mm, "0 mm"), "d1" (deg, "90 deg"); user "Travel" (mm, "100 mm").

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>
#include <wrl/client.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "affine.hpp"
#include "command_objects.hpp"
#include "parameter_objects.hpp"
#include "user_interface_objects.hpp"

namespace sledway::automation_host {

enum class ActiveDocument { kNone, kPart, kAssembly };
enum class InterfaceStyle { kClassic, kRibbon };

// What a hover raised: whether the running interaction offered the entity at all (an
// interaction is running, selection is active and a filter admits it), whether the add-in let
// it highlight, and the entities it asked to highlight with it.
struct Hovered {
  bool offered = false;
  bool highlighted = false;
  std::vector<Microsoft::WRL::ComPtr<IDispatch>> more;
};

class TestHost {
 public:
  // COM must be initialised (apartment threaded) on this thread for the host's lifetime.
  TestHost();
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  // The ApplicationAddInSite to pass to the add-in's Activate.
  IDispatch* Site() const;

  // Which document is active (the assembly at first).
  void SetActiveDocument(ActiveDocument document);
  // Whether the host has the ribbon (at first) or classic command bars only (Ribbons fails).
  void SetInterfaceStyle(InterfaceStyle style) {
    userInterface_.SetInterfaceStyle(style == InterfaceStyle::kRibbon ? kRibbonInterface
                                                                      : kClassicInterface);
  }
  // The next button definition made with an icon is refused once with `code`.
  void RefuseIconsOnce(HRESULT code = E_UNEXPECTED) { commands_.RefuseIconsOnce(code); }
  // The next Transformation put of any component fails with `code` and `text`.
  void FailNextTransformationPut(HRESULT code, std::wstring text);
  // `look` runs after every Transformation put that takes effect, while the add-in waits for it.
  void AfterEachPlacement(std::function<void()> look);

  // The user clicks the button defined as `internalName`: its OnExecute. S_FALSE when no such
  // definition exists.
  HRESULT ExecuteButton(const std::wstring& internalName);
  // The cursor rests on `entity` in the running interaction: OnPreSelect, with an empty
  // MorePreSelectEntities for the add-in to fill; the model and view positions it passes are
  // the origins.
  Hovered Hover(IDispatch* entity);
  // The user clicks what the last hover highlighted: OnSelect with those entities (each once:
  // MorePreSelectEntities, led by the pre-selected entity when the add-in left it out), which
  // join SelectedEntities. S_FALSE when nothing is highlighted.
  HRESULT Click();
  // Hovers `entity`, then clicks it.
  HRESULT Click(IDispatch* entity);
  // The user ends the running interaction (Esc): OnTerminate. S_FALSE when none runs.
  HRESULT Terminate();
  // Whether an interaction is running.
  bool InteractionRunning() const { return commands_.RunningInteraction() != nullptr; }

  // A scene entity by name (see above); null for an unknown name.
  IDispatch* Entity(const std::wstring& name) const;

  // What the add-in did: per component its placements put (in order), its Visible puts and
  // visibility now.
  std::vector<Affine> Placements(const std::wstring& component) const;
  std::vector<bool> Visibilities(const std::wstring& component) const;
  bool Visible(const std::wstring& component) const;
  // Parameter expressions put, in order; a parameter's value (database units).
  const std::vector<ExpressionPut>& ExpressionPuts() const;
  double ParameterValue(const std::wstring& name) const;
  // Buttons placed on command bars and ribbon panels, in order.
  const std::vector<PlacedButton>& PlacedButtons() const { return userInterface_.placed(); }
  // How many sinks are connected to the button definition `internalName` (0 when none is).
  size_t ButtonSinks(const std::wstring& internalName) const;
  // A button definition `internalName` as an earlier session left it; how many there are.
  void LeaveButtonDefinition(const std::wstring& internalName) {
    commands_.LeaveDefinition(internalName);
  }
  size_t ButtonDefinitions() const { return commands_.DefinitionCount(); }

  // Test-host COM objects alive in the process (the scene's own included).
  static long LiveObjects() { return LiveObjectCount(); }

 private:
  struct Scene;
  std::unique_ptr<Scene> scene_;
  // The scene's, reached without it.
  CommandManagerObject& commands_;
  UserInterfaceManagerObject& userInterface_;
};

}  // namespace sledway::automation_host
