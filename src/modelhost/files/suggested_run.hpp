#pragma once

#include <optional>
#include <string>

#include "modelhost/files/json_node.hpp"

namespace sledway::model {

class AssemblyDocument;

// A parameter to drive during a run, from one value to another in its own units.
struct ParameterDrive {
  std::string parameter;
  double from = 0.0;
  double to = 0.0;
};

// The slots of a run an assembly file suggests, as entity names (see entity_names.hpp): the
// path (a sketch curve or a part edge), the follow point (a vertex or a work point), the
// tangent line (a part edge or a work axis; empty for none) and the parameter to drive.
struct SuggestedRun {
  std::string path;
  std::string follow;
  std::string tangent;
  std::optional<ParameterDrive> drive;
};

// Reads a "run" member: {"path", "follow", "tangent"?, "drive"?: {"parameter", "from", "to"}}.
SuggestedRun ReadSuggestedRun(const JsonNode& node);

// Fails at the member of `node` whose name does not resolve in `document` to an entity of the
// slot's kind, or whose parameter does not exist or cannot be driven (it reads others).
void CheckSuggestedRun(const JsonNode& node, const SuggestedRun& run, AssemblyDocument& document);

}  // namespace sledway::model
