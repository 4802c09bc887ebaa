#include "clearance/hierarchy_cache.hpp"

#include "modelhost/part/part.hpp"

namespace sledway::clearance {

const PartHierarchy& HierarchyCache::For(const Ref<model::Part>& part) {
  Entry& entry = entries_[part.get()];
  if (!entry.hierarchy || entry.generation != part->Generation()) {
    entry.hierarchy = std::make_unique<PartHierarchy>(part->Shape());
    entry.generation = part->Generation();
    entry.part = part;
    ++builds_;
  }
  return *entry.hierarchy;
}

}  // namespace sledway::clearance
