#include "modelhost/files/assembly_file.hpp"

#include <Standard_Failure.hxx>
#include <fstream>
#include <sstream>
#include <string>

#include "host/host_error.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/geometry_reader.hpp"
#include "modelhost/files/json_node.hpp"
#include "modelhost/files/json_text.hpp"
#include "modelhost/files/part_reader.hpp"
#include "modelhost/files/placed_error.hpp"
#include "modelhost/files/regular_file.hpp"
#include "modelhost/files/sketch_reader.hpp"
#include "modelhost/files/unique_names.hpp"
#include "modelhost/files/unit_fit.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "modelhost/parameters/parameter_unit.hpp"

namespace sledway::model {

namespace {

LengthUnit ReadUnits(const JsonNode& root) {
  const auto units = root.OptionalMember("units");
  if (!units) return LengthUnit::kMillimetre;
  const std::string label = units->String();
  try {
    return ParseLengthUnit(label);
  } catch (const HostError&) {
    units->Fail("unknown length unit '" + label + "' (expected one of: mm, cm, m, in, ft)");
  }
}

void ReadParameterList(const JsonNode& list, bool model, AssemblyDocument& document,
                       UniqueNames& names) {
  for (const JsonNode& entry : list.Elements()) {
    entry.RequireObject({"name", "expression", "units"});
    const std::string name = names.Claim(entry.Member("name"));
    const JsonNode expressionNode = entry.Member("expression");
    const std::string expression = expressionNode.Expression();
    std::string units(LengthUnitLabel(document.DisplayUnit()));
    if (const auto unitsNode = entry.OptionalMember("units")) {
      units = unitsNode->String();
      if (!IsParameterUnitLabel(units)) {
        unitsNode->Fail("unknown unit '" + units +
                        "' (expected one of: mm, cm, m, in, ft, deg, rad, ul)");
      }
    }
    ParameterTable& parameters = document.Parameters();
    RequireUnitFits(expressionNode, expression, ParseParameterUnit(units), parameters);
    entry.Guard([&] {
      if (model) {
        parameters.AddModelParameter(name, expression, units);
      } else {
        parameters.AddUserParameter(name, expression, units);
      }
    });
  }
}

void ReadComponents(const JsonNode& components, AssemblyDocument& document,
                    const GeometryReader& geometry) {
  UniqueNames names("component");
  for (const JsonNode& node : components.Elements()) {
    node.RequireObject({"name", "part", "placement"});
    const std::string name = names.Claim(node.Member("name"));
    const JsonNode partNode = node.Member("part");
    const std::string partName = partNode.Name();
    const Ref<Part> part = document.FindPart(partName);
    if (!part) partNode.Fail("no part named '" + partName + "'");
    const auto placementNode = node.OptionalMember("placement");
    const gp_Trsf placement = placementNode ? geometry.Placement(*placementNode) : gp_Trsf();
    node.Guard([&] { document.AddComponent(name, part, placement); });
  }
}

AssemblyFile Read(const JsonNode& root, const std::string& documentName,
                  const std::filesystem::path& baseDir) {
  root.RequireObject({"units", "description", "parameters", "parts", "components", "sketches",
                      "sketches3d", "run"});
  AssemblyFile file;
  if (const auto description = root.OptionalMember("description")) {
    file.description = description->String();
  }
  const LengthUnit unit = ReadUnits(root);
  const GeometryReader geometry(unit);
  file.document = AssemblyDocument::Create(documentName, unit);
  AssemblyDocument& document = *file.document;

  if (const auto parameters = root.OptionalMember("parameters")) {
    parameters->RequireObject({"model", "user"});
    UniqueNames names("parameter");
    if (const auto list = parameters->OptionalMember("model")) {
      ReadParameterList(*list, true, document, names);
    }
    if (const auto list = parameters->OptionalMember("user")) {
      ReadParameterList(*list, false, document, names);
    }
  }
  if (const auto parts = root.OptionalMember("parts")) {
    UniqueNames names("part");
    for (const JsonNode& part : parts->Elements()) {
      ReadPart(part, document, geometry, baseDir, names);
      if (part.Has("step")) file.files.push_back(baseDir / part.Member("step").String());
    }
  }
  if (const auto components = root.OptionalMember("components")) {
    ReadComponents(*components, document, geometry);
  }
  if (const auto sketches = root.OptionalMember("sketches")) {
    ReadSketches(*sketches, geometry, [&](const std::string& name, const gp_Ax3& plane) {
      return document.AddSketch(name, plane);
    });
  }
  if (const auto sketches = root.OptionalMember("sketches3d")) {
    ReadSketches3d(*sketches, geometry,
                   [&](const std::string& name) { return document.AddSketch3d(name); });
  }
  if (const auto run = root.OptionalMember("run")) {
    file.run = ReadSuggestedRun(*run);
    CheckSuggestedRun(*run, *file.run, document);
  }
  return file;
}

}  // namespace

AssemblyFile ReadAssemblyText(std::string_view json, const std::filesystem::path& nameForMessages,
                              const std::filesystem::path& baseDir) {
  const std::string file = nameForMessages.string();
  try {
    const nlohmann::json value = ParseJsonText(json);
    return Read(JsonNode(value, nlohmann::json::json_pointer()), nameForMessages.stem().string(),
                baseDir);
  } catch (const PlacedError& error) {
    throw AssemblyFileError(error.MessageFor(file));
  } catch (const HostError& error) {
    throw AssemblyFileError(file + ": " + error.what());
  } catch (const Standard_Failure& failure) {
    throw AssemblyFileError(file + ": " + failure.GetMessageString());
  }
}

AssemblyFile ReadAssemblyFile(const std::filesystem::path& path) {
  try {
    RequireRegularFile(path);
  } catch (const PlacedError& error) {
    throw AssemblyFileError(error.MessageFor(path.string()));
  }
  std::ifstream stream(path, std::ios::binary);
  std::ostringstream text;
  if (stream) text << stream.rdbuf();
  if (!stream || !text) throw AssemblyFileError(path.string() + ": cannot be read");
  AssemblyFile file = ReadAssemblyText(text.str(), path, path.parent_path());
  file.files.insert(file.files.begin(), path);
  return file;
}

Ref<AssemblyDocument> LoadAssemblyFile(const std::filesystem::path& path) {
  return ReadAssemblyFile(path).document;
}

Ref<AssemblyDocument> LoadAssemblyText(std::string_view json,
                                       const std::filesystem::path& nameForMessages,
                                       const std::filesystem::path& baseDir) {
  return ReadAssemblyText(json, nameForMessages, baseDir).document;
}

}  // namespace sledway::model
