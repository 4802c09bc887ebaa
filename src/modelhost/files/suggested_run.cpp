#include "modelhost/files/suggested_run.hpp"

#include <utility>

#include "host/part_entities.hpp"
#include "host/sketch.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/entity_names.hpp"
#include "modelhost/parameters/drive_reach.hpp"
#include "modelhost/parameters/parameter_table.hpp"

namespace sledway::model {

namespace {

// The entity the member `key` names, resolved in `document`; fails at the member.
Ref<IVObject> Resolve(const JsonNode& node, std::string_view key, const std::string& name,
                      const AssemblyDocument& document) {
  return node.Member(key).Guard([&] { return ResolveEntity(document, name); });
}

}  // namespace

SuggestedRun ReadSuggestedRun(const JsonNode& node) {
  node.RequireObject({"path", "follow", "tangent", "drive"});
  SuggestedRun run;
  run.path = node.Member("path").String();
  run.follow = node.Member("follow").String();
  if (const auto tangent = node.OptionalMember("tangent")) run.tangent = tangent->String();
  if (const auto drive = node.OptionalMember("drive")) {
    drive->RequireObject({"parameter", "from", "to"});
    run.drive = ParameterDrive{drive->Member("parameter").Name(), drive->Member("from").Number(),
                               drive->Member("to").Number()};
  }
  return run;
}

void CheckSuggestedRun(const JsonNode& node, const SuggestedRun& run, AssemblyDocument& document) {
  const Ref<IVObject> path = Resolve(node, "path", run.path, document);
  if (!Is<IVSketchEntity>(path) && !Is<IVSketchEntity3D>(path) && !Is<IVEdge>(path)) {
    node.Member("path").Fail("'" + run.path + "' is not a sketch curve or a part edge");
  }
  const Ref<IVObject> follow = Resolve(node, "follow", run.follow, document);
  if (!Is<IVVertex>(follow) && !Is<IVWorkPoint>(follow)) {
    node.Member("follow").Fail("'" + run.follow + "' is not a vertex or a work point");
  }
  if (!run.tangent.empty()) {
    const Ref<IVObject> tangent = Resolve(node, "tangent", run.tangent, document);
    if (!Is<IVEdge>(tangent) && !Is<IVAxis>(tangent)) {
      node.Member("tangent").Fail("'" + run.tangent + "' is not a part edge or a work axis");
    }
  }
  if (run.drive) {
    const JsonNode parameter = node.Member("drive").Member("parameter");
    const Ref<Parameter> driven = document.Parameters().Find(run.drive->parameter);
    if (!driven) parameter.Fail("no parameter named '" + run.drive->parameter + "'");
    if (driven->Inputs()->Count() != 0) {
      parameter.Fail("parameter '" + run.drive->parameter +
                     "' reads other parameters and cannot be driven");
    }
    for (const auto& [end, value] : {std::pair{"from", run.drive->from}, {"to", run.drive->to}}) {
      if (const auto beyond = BeyondModelReach(value, driven->Units())) {
        node.Member("drive").Member(end).Fail(*beyond);
      }
    }
  }
}

}  // namespace sledway::model
