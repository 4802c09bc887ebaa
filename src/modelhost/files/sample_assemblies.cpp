#include "modelhost/files/sample_assemblies.hpp"

#include "modelhost/files/json_node.hpp"
#include "modelhost/files/json_text.hpp"
#include "modelhost/files/placed_error.hpp"
#include "modelhost/files/sample_texts.hpp"

namespace sledway::model {

std::vector<SampleAssembly> SampleAssemblies() {
  std::vector<SampleAssembly> samples;
  for (const SampleText& text : SampleTexts()) {
    const std::string file = std::string(text.name) + ".json";
    try {
      const nlohmann::json value = ParseJsonText(text.json);
      const JsonNode root(value, nlohmann::json::json_pointer());
      samples.push_back(SampleAssembly{std::string(text.name), root.Member("description").String(),
                                       std::string(text.json),
                                       ReadSuggestedRun(root.Member("run"))});
    } catch (const PlacedError& error) {
      throw AssemblyFileError(error.MessageFor(file));
    }
  }
  return samples;
}

SampleAssembly FindSampleAssembly(std::string_view name) {
  std::string known;
  for (SampleAssembly& sample : SampleAssemblies()) {
    if (sample.name == name) return std::move(sample);
    known += (known.empty() ? "" : ", ") + sample.name;
  }
  throw AssemblyFileError("no sample assembly named '" + std::string(name) +
                          "' (samples: " + known + ")");
}

AssemblyFile ReadSampleAssembly(const SampleAssembly& sample) {
  return ReadAssemblyText(sample.json, sample.name + ".json", {});
}

}  // namespace sledway::model
