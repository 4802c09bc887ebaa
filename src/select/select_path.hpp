#pragma once

#include <span>

#include "host/application.hpp"
#include "host/codes.hpp"
#include "host/collections.hpp"
#include "host/component.hpp"
#include "host/event.hpp"
#include "host/interaction.hpp"
#include "host/profiles.hpp"
#include "path/path_definition.hpp"

namespace sledway {

// One interactive pick in the host's graphics window for one selection slot of the tool window
// (0 path, 1 follow point, 2 tangent line). While the pick runs it refuses entities that do not
// fit the path definition, and widens a part edge to its tangent chain and a sketch curve to the
// single profile path of its sketch, so that one click picks the whole path. The user's click
// ends the host interaction; its end, however it comes, raises SelectionComplete with the slot.
// One object serves one pick.
class CSelectPath {
 public:
  CSelectPath() = default;
  CSelectPath(const CSelectPath&) = delete;
  CSelectPath& operator=(const CSelectPath&) = delete;
  // Lets go of everything it holds; a running interaction goes on without it.
  ~CSelectPath();

  void SelType(long lSelType) { m_lSelType = lSelType; }
  // What the user selected, including the widened entities; null until a selection is made.
  Ref<IVEntityCollection> SelectedEntities() const { return m_oSelectedEntities; }

  // Ends the running interaction, which then reports SelectionComplete. Errors are ignored.
  void StopSelection();
  // Starts a pick of the entities that `Filter` admits. Errors are ignored step by step: a
  // failing step is skipped and the next one runs. Completion comes as SelectionComplete.
  void Pick(const Ref<IVApplication>& oIVApp, std::span<const IVSelectFilter> Filter,
            bool bGetTangents, bool bSingle, long lSelType, const Ref<CPath>& oPath,
            const Ref<IVComponent>& oFollow);

  // The pick ended; SelectType is the slot number.
  Event<long&> SelectionComplete;

 private:
  // Assigning the interaction or its select events connects their handlers; replacing or
  // clearing them disconnects.
  void InteractEvents(Ref<IVInteraction> interaction);
  void SelectEvents(Ref<IVSelectEvents> selectEvents);

  void m_oSelectEvents_OnPreSelect(Ref<IVObject>& PreSelectEntity, bool& DoHighlight,
                                   Ref<IVObjectCollection>& MorePreSelectEntities);
  void m_oSelectEvents_OnSelect();
  void m_oInteractEvents_OnTerminate();

  // Whether the entity may be picked: points and lines must lie on the follow component and
  // not on the path's; a path (sketch curves or edges) must not lie on the follow component. By
  // object identity.
  bool IsValidEntity(const Ref<IVObject>& entity);
  // Widens a sketch curve to the single profile path of its sketch: the closed build first,
  // then the open one. A sketch with more than one path in all (two loops, two chains, or a
  // loop beside a chain) is refused.
  template <class Profiles>
  void WidenToProfilePath(const Ref<Profiles>& profiles, bool& DoHighlight,
                          Ref<IVObjectCollection>& MorePreSelectEntities);
  // The sketch curves of a profile path, in order along it.
  Ref<IVObjectCollection> GetPathEntities(const Ref<IVProfilePath>& path);

  long m_lSelType = 0;
  Ref<CPath> m_oPath;
  Ref<IVComponent> m_oFollow;
  bool m_bGetTangents = false;
  Ref<IVApplication> m_oIVApp;
  Ref<IVEntityCollection> m_oSelectedEntities;
  Ref<IVInteraction> m_oInteractEvents;
  Ref<IVSelectEvents> m_oSelectEvents;

  Connection m_cOnTerminate;
  Connection m_cOnPreSelect;
  Connection m_cOnSelect;
};

}  // namespace sledway
