#pragma once

#include <filesystem>

#include "modelhost/files/geometry_reader.hpp"
#include "modelhost/files/json_node.hpp"
#include "modelhost/files/unique_names.hpp"

namespace sledway::model {

class AssemblyDocument;

// Reads one element of "parts" (a name, one body, work points, work axes, sketches) into
// `document`. A "step" body's path is taken relative to `baseDir`.
void ReadPart(const JsonNode& node, AssemblyDocument& document, const GeometryReader& geometry,
              const std::filesystem::path& baseDir, UniqueNames& partNames);

}  // namespace sledway::model
