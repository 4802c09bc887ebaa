#include "select/select_path.hpp"

#include <string>
#include <utility>

#include "host/host_error.hpp"
#include "host/part_entities.hpp"
#include "host/sketch.hpp"

namespace sledway {
namespace {

// Runs one step of a sequence that goes on whatever happens to this step.
template <class Step>
void IgnoringErrors(Step&& step) {
  try {
    step();
  } catch (...) {
    // The step is skipped; the caller's next step runs.
  }
}

// `object`, or a failure naming what is missing.
template <class T>
const Ref<T>& Required(const Ref<T>& object, const char* what) {
  if (!object) throw HostError(hresult::kPointer, std::string(what) + " is missing");
  return object;
}

Ref<IVComponent> ContainingOccurrenceOf(const Ref<IVObject>& entity) {
  const auto member = As<IVOccurrenceMember>(entity);
  if (!member) {
    throw HostError(hresult::kNoInterface, "the pre-selected entity has no containing occurrence");
  }
  return member->ContainingOccurrence();
}

// A profile build, or null when the sketch cannot make it.
template <class Build>
Ref<IVProfile> TryBuild(Build&& build) {
  try {
    return Required(build(), "the profile");
  } catch (...) {
    return nullptr;
  }
}

}  // namespace

CSelectPath::~CSelectPath() {
  m_oPath.reset();
  m_oFollow.reset();
  m_oIVApp.reset();
  m_oSelectedEntities.reset();
  InteractEvents(nullptr);
  SelectEvents(nullptr);
}

void CSelectPath::InteractEvents(Ref<IVInteraction> interaction) {
  m_oInteractEvents = std::move(interaction);
  m_cOnTerminate =
      m_oInteractEvents
          ? m_oInteractEvents->OnTerminate.Connect([this] { m_oInteractEvents_OnTerminate(); })
          : Connection();
}

void CSelectPath::SelectEvents(Ref<IVSelectEvents> selectEvents) {
  m_oSelectEvents = std::move(selectEvents);
  if (!m_oSelectEvents) {
    m_cOnPreSelect = Connection();
    m_cOnSelect = Connection();
    return;
  }
  m_cOnPreSelect = m_oSelectEvents->OnPreSelect.Connect(
      [this](Ref<IVObject>& PreSelectEntity, bool& DoHighlight,
             Ref<IVObjectCollection>& MorePreSelectEntities, IVSelectionDevice, Ref<IVPoint>,
             Ref<IVPoint2d>, Ref<IVObject>) {
        m_oSelectEvents_OnPreSelect(PreSelectEntity, DoHighlight, MorePreSelectEntities);
      });
  m_cOnSelect = m_oSelectEvents->OnSelect.Connect(
      [this](Ref<IVEntityCollection>, IVSelectionDevice, Ref<IVPoint>, Ref<IVPoint2d>,
             Ref<IVObject>) { m_oSelectEvents_OnSelect(); });
}

void CSelectPath::Pick(const Ref<IVApplication>& oIVApp, std::span<const IVSelectFilter> Filter,
                       bool bGetTangents, bool bSingle, long lSelType, const Ref<CPath>& oPath,
                       const Ref<IVComponent>& oFollow) {
  m_oIVApp = oIVApp;
  m_lSelType = lSelType;
  m_oPath = oPath;
  m_oFollow = oFollow;
  m_bGetTangents = bGetTangents;
  IgnoringErrors([&] {
    InteractEvents(
        Required(Required(m_oIVApp, "the application")->GetCommandManager(), "the command manager")
            ->CreateInteraction());
  });
  IgnoringErrors([&] { Required(m_oInteractEvents, "the interaction")->SelectionEnabled(true); });
  IgnoringErrors(
      [&] { SelectEvents(Required(m_oInteractEvents, "the interaction")->GetSelectEvents()); });
  IgnoringErrors([&] { Required(m_oSelectEvents, "the select events")->SingleSelect(bSingle); });
  for (IVSelectFilter filter : Filter) {
    IgnoringErrors(
        [&] { Required(m_oSelectEvents, "the select events")->AddSelectionFilter(filter); });
  }
  IgnoringErrors([&] { Required(m_oInteractEvents, "the interaction")->Start(); });
}

void CSelectPath::StopSelection() {
  IgnoringErrors([&] {
    // The end of the interaction may reach the owner, who may let go of this object.
    const Ref<IVInteraction> interaction = m_oInteractEvents;
    Required(interaction, "the interaction")->Stop();
  });
}

void CSelectPath::m_oSelectEvents_OnPreSelect(Ref<IVObject>& PreSelectEntity, bool& DoHighlight,
                                              Ref<IVObjectCollection>& MorePreSelectEntities) {
  if ((m_lSelType != 0 && m_oPath) || (m_lSelType == 0 && m_oFollow)) {
    if (!IsValidEntity(PreSelectEntity)) {
      // The host comes in with DoHighlight true: left alone, the refused entity would still be
      // highlighted and could be picked.
      DoHighlight = false;
      return;
    }
  }

  if (const auto edge = As<IVEdgeProxy>(PreSelectEntity)) {
    if (m_bGetTangents) {
      MorePreSelectEntities =
          Required(Required(m_oIVApp, "the application")->GetObjectFactory(), "the object factory")
              ->CreateObjectCollection();
      const Ref<IVEntityCollection> chain = Required(edge->GetTangentChain(), "the tangent chain");
      const int count = chain->Count();
      for (int i = 1; i <= count; ++i) MorePreSelectEntities->Add(chain->Item(i));
    }
  } else if (const auto curve = As<IVSketchEntity>(PreSelectEntity)) {
    const auto sketch = As<IVPlanarSketch>(curve->Parent());
    WidenToProfilePath(Required(sketch, "the planar sketch of the curve")->GetProfiles(),
                       DoHighlight, MorePreSelectEntities);
  } else if (const auto curve3d = As<IVSketchEntity3D>(PreSelectEntity)) {
    const auto sketch = As<IVSketch3D>(curve3d->Parent());
    WidenToProfilePath(Required(sketch, "the 3D sketch of the curve")->GetProfiles3D(), DoHighlight,
                       MorePreSelectEntities);
  }
}

template <class Profiles>
void CSelectPath::WidenToProfilePath(const Ref<Profiles>& profiles, bool& DoHighlight,
                                     Ref<IVObjectCollection>& MorePreSelectEntities) {
  Required(profiles, "the profiles of the sketch");
  const Ref<IVProfile> closedBuild = TryBuild([&] { return profiles->AddClosedProfile(); });
  if (closedBuild && closedBuild->Count() > 1) {
    DoHighlight = false;
    return;
  }
  const Ref<IVProfile> openBuild = TryBuild([&] { return profiles->AddOpenProfile(); });
  // A loop beside an open chain makes two paths, whichever build holds them: taking the loop
  // would travel a path other than the one pointed at.
  if (closedBuild && openBuild) {
    DoHighlight = false;
    return;
  }
  const Ref<IVProfile>& build = closedBuild ? closedBuild : openBuild;
  if (!build || build->Count() != 1) {
    DoHighlight = false;
    return;
  }
  MorePreSelectEntities = GetPathEntities(build->Item(1));
  DoHighlight = true;
}

Ref<IVObjectCollection> CSelectPath::GetPathEntities(const Ref<IVProfilePath>& path) {
  const Ref<IVObjectCollection> entities =
      Required(Required(m_oIVApp, "the application")->GetObjectFactory(), "the object factory")
          ->CreateObjectCollection();
  const int count = Required(path, "the profile path")->Count();
  for (int i = 1; i <= count; ++i) entities->Add(path->Item(i)->GetSketchEntity());
  return entities;
}

bool CSelectPath::IsValidEntity(const Ref<IVObject>& entity) {
  // A path is judged alike whatever it is made of: its edges, like its sketch curves, must not
  // lie on the component that moves, and may lie on any other.
  const bool pathSlot = m_lSelType == 0;
  if (!pathSlot && (Is<IVVertex>(entity) || Is<IVWorkPoint>(entity) || Is<IVEdge>(entity) ||
                    Is<IVAxis>(entity))) {
    if (m_oPath && SameObject(ContainingOccurrenceOf(entity), m_oPath->PathParent())) {
      return false;
    }
    if (m_oFollow && !SameObject(ContainingOccurrenceOf(entity), m_oFollow)) return false;
    return true;
  }
  return !(m_oFollow && SameObject(ContainingOccurrenceOf(entity), m_oFollow));
}

void CSelectPath::m_oSelectEvents_OnSelect() {
  m_oSelectedEntities = Required(m_oSelectEvents, "the select events")->GetSelectedEntities();
  // Stopping reaches the owner through SelectionComplete, and the owner may let go of this
  // object: nothing here runs after the stop.
  const Ref<IVInteraction> interaction = m_oInteractEvents;
  Required(interaction, "the interaction")->Stop();
}

void CSelectPath::m_oInteractEvents_OnTerminate() {
  long SelectType = m_lSelType;
  IgnoringErrors([&] { SelectionComplete.Raise(SelectType); });
}

}  // namespace sledway
