#pragma once

#include <string>
#include <vector>

#include "host/object.hpp"
#include "ui/selection_slots.hpp"

namespace sledway {
class CPath;
namespace model {
class Application;
}
}  // namespace sledway

namespace sledway::cli {

// Picks `entity` for `slot` through CSelectPath on the model host, as a user of the tool window
// would: starts the pick with the slot's filters, hovers the entity, clicks, and stores the
// selection in `path` as the tool window does. A sketch curve thus brings its whole profile
// path and an edge its tangent chain. Returns the selected entities in the pick's order. When
// the pick refuses the entity, throws UsageError naming `name` and saying why.
std::vector<Ref<IVObject>> PickSlot(const Ref<model::Application>& app, const Ref<CPath>& path,
                                    SelectionSlot slot, const Ref<IVObject>& entity,
                                    const std::string& name);

}  // namespace sledway::cli
