#pragma once

#include <string>

#include "cli/slot_picking.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/entity_names.hpp"
#include "path/path_definition.hpp"
#include "ui/selection_slots.hpp"

namespace sledway::bench {

// Picks the path, the follow point and, when one is named, the tangent line of `path` through
// the add-in's own picker, as `sledway run` does.
inline void PickSlots(const Ref<model::Application>& app, const Ref<CPath>& path,
                      const model::AssemblyDocument& document, const std::string& pathName,
                      const std::string& followName, const std::string& tangentName) {
  cli::PickSlot(app, path, SelectionSlot::kPath, model::ResolveEntity(document, pathName),
                pathName);
  cli::PickSlot(app, path, SelectionSlot::kFollowPoint, model::ResolveEntity(document, followName),
                followName);
  if (!tangentName.empty()) {
    cli::PickSlot(app, path, SelectionSlot::kTangentLine,
                  model::ResolveEntity(document, tangentName), tangentName);
  }
}

}  // namespace sledway::bench
