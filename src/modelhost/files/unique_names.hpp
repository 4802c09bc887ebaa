#pragma once

#include <map>
#include <string>

#include "modelhost/files/json_node.hpp"

namespace sledway::model {

// The names given to one kind of thing of one owner ("part", "work point"...), each with the
// place where it was first given, so that a duplicate is refused pointing at both.
class UniqueNames {
 public:
  explicit UniqueNames(std::string kind) : kind_(std::move(kind)) {}

  // The name at `node` (see JsonNode::Name); fails there when the name is taken.
  std::string Claim(const JsonNode& node);

 private:
  std::string kind_;
  std::map<std::string, std::string> places_;
};

}  // namespace sledway::model
