#pragma once

#include <chrono>
#include <filesystem>
#include <functional>

#include "modelhost/files/step_contents.hpp"

namespace sledway::model {

// How long a STEP file may take to read before it is given up. Large assemblies read in
// seconds; a file that takes minutes has sent the translator astray.
inline constexpr std::chrono::seconds kStepTimeLimit{120};

using StepTranslator = std::function<StepContents(const std::filesystem::path&)>;

// Runs `translate` on `path` in a child process and takes its contents back, so that a crash or
// an endless loop inside the translator ends in a PlacedError (without a place) that says what
// became of it, never in the end of this program. The translator's own PlacedErrors come back
// with the problem they were raised with.
StepContents ReadStepInChild(const std::filesystem::path& path, const StepTranslator& translate,
                             std::chrono::milliseconds limit);

}  // namespace sledway::model
