#include "modelhost/files/unique_names.hpp"

namespace sledway::model {

std::string UniqueNames::Claim(const JsonNode& node) {
  std::string name = node.Name();
  const auto [taken, added] = places_.emplace(name, node.Where());
  if (!added) {
    node.Fail("duplicate " + kind_ + " name '" + name + "' (first at " + taken->second + ")");
  }
  return name;
}

}  // namespace sledway::model
