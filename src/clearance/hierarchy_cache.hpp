#pragma once

#include <map>
#include <memory>

#include "clearance/part_hierarchy.hpp"
#include "host/object.hpp"

namespace sledway::model {
class Part;
}

namespace sledway::clearance {

// One hierarchy per part, shared by every component of it. A part whose body a recompute
// rebuilt (its generation moved on) gets a new hierarchy the first time it is asked for.
class HierarchyCache {
 public:
  const PartHierarchy& For(const Ref<model::Part>& part);
  // How many hierarchies were built so far.
  int Builds() const { return builds_; }

 private:
  struct Entry {
    Ref<model::Part> part;  // kept, so that its address names no other part while cached
    int generation = 0;
    std::unique_ptr<PartHierarchy> hierarchy;
  };
  std::map<const model::Part*, Entry> entries_;
  int builds_ = 0;
};

}  // namespace sledway::clearance
