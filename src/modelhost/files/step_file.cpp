#include "modelhost/files/step_file.hpp"

#include <cmath>

#include "modelhost/files/placed_error.hpp"
#include "modelhost/files/regular_file.hpp"
#include "modelhost/files/step_in_child.hpp"
#include "modelhost/files/step_translation.hpp"

namespace sledway::model {

namespace {

bool IsRigid(const gp_Trsf& placement) {
  return std::abs(placement.ScaleFactor() - 1.0) < 1e-9;
}

StepContents Read(const std::filesystem::path& path) {
  RequireRegularFile(path);
  return ReadStepInChild(path, TranslateStepFile, kStepTimeLimit);
}

}  // namespace

StepFile::StepFile(const std::filesystem::path& path) : contents_(Read(path)) {}

const std::vector<StepFile::Occurrence>& StepFile::TopOccurrences() const {
  for (const Occurrence& occurrence : contents_.occurrences) {
    if (!IsRigid(occurrence.placement)) {
      throw PlacedError(
          "", "the placement of occurrence '" + occurrence.name + "' is scaled or mirrored");
    }
  }
  return contents_.occurrences;
}

}  // namespace sledway::model
