#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/object.hpp"

namespace sledway::model {

class AssemblyDocument;

// The names by which the command line refers to the entities of an assembly: `kind:name` steps
// joined by '/', only the first ':' of a step separating the kind, for example
// "sketch:track/curve:1", "component:cart:1/vertex:3", "component:cart:1/edge:5",
// "component:bead:1/workpoint:centre", "component:bead:1/workaxis:axis",
// "component:cart:1/sketch:base/curve:2", "sketch3d:spiral/curve:1". Entities of a part are
// reached through a component because each occurrence places them elsewhere.

// One entity of an assembly with its name and a word for its kind ("edge", "work point",
// "2D arc", "3D helix", "component", "2D sketch"...).
struct NamedEntity {
  std::string name;
  std::string kind;
  Ref<IVObject> entity;
};

// The entity `name` names: the same object the model host hands out for it. Fails with a
// HostError(kInvalidArg) naming the whole name and the step of it that names nothing.
Ref<IVObject> ResolveEntity(const AssemblyDocument& document, std::string_view name);

// Every entity of the assembly with its name: each component with its vertices, edges, work
// points, work axes and sketch curves, then the assembly's own sketches and their curves.
std::vector<NamedEntity> ListEntities(const AssemblyDocument& document);

// The same entities in the same order, each handed to `visit` and let go. The entities of
// components are made for the visit (equal but for identity to those the components keep and
// ResolveEntity hands out), so that the components do not keep them all: an assembly of many
// components is walked in the memory of one entity.
using EntityVisitor = std::function<void(const NamedEntity&)>;
void ForEachEntity(const AssemblyDocument& document, const EntityVisitor& visit);

}  // namespace sledway::model
