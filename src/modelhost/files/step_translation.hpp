#pragma once

#include <filesystem>

#include "modelhost/files/step_contents.hpp"

namespace sledway::model {

// Reads a STEP file in this process through Open CASCADE's XCAF document. A file whose model
// has failed entities (a reference to an entity that is not there, a missing argument, an
// argument of the wrong type) or a point beyond what the model can hold is refused before
// translation, naming the first such entity. Failures are PlacedErrors without a place whose
// problem does not repeat the path. Open CASCADE may still crash or loop on a file that passes
// these checks: the program reads through StepFile, which runs this in a child process.
StepContents TranslateStepFile(const std::filesystem::path& path);

}  // namespace sledway::model
