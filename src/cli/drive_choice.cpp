#include "cli/drive_choice.hpp"

#include <string>
#include <utility>

#include "cli/usage_error.hpp"
#include "host/echoed_text.hpp"
#include "host/parameters.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/parameters/drive_reach.hpp"
#include "modelhost/parameters/parameter_table.hpp"

namespace sledway::cli {

std::optional<DriveChoice> ChooseDrive(model::AssemblyDocument& document, const RunOptions& options,
                                       const std::optional<model::SuggestedRun>& suggested) {
  const std::optional<model::ParameterDrive> suggestion =
      suggested ? suggested->drive : std::nullopt;
  std::string name = options.drive.value_or(suggestion ? suggestion->parameter : "");
  if (name == kNone) name.clear();
  if (name.empty()) {
    if (options.from || options.to) throw UsageError("--from and --to need --drive NAME");
    return std::nullopt;
  }

  const Ref<IVParameter> parameter = document.Parameters().Find(name);
  if (!parameter) {
    throw UsageError("--drive: no parameter named '" + EchoedText(name) +
                     "' (sledway inspect lists the parameters that can be driven)");
  }
  if (parameter->Inputs()->Count() != 0) {
    throw UsageError("--drive: parameter '" + name +
                     "' reads other parameters, so it cannot be driven");
  }
  const bool suggestedHere = suggestion && suggestion->parameter == name;
  DriveChoice choice{.parameter = name, .units = parameter->Units()};
  choice.from = options.from.value_or(suggestedHere ? suggestion->from : parameter->Value());
  choice.to = options.to.value_or(suggestedHere ? suggestion->to : parameter->Value() + 10.0);
  // A length beyond the model's reach would build no part: bad input to the option.
  for (const auto& [option, value] : {std::pair{"--from", choice.from}, {"--to", choice.to}}) {
    if (const auto beyond = model::BeyondModelReach(value, choice.units)) {
      throw UsageError(std::string(option) + ": " + *beyond);
    }
  }
  return choice;
}

}  // namespace sledway::cli
