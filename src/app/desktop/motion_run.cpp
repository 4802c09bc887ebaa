#include "app/desktop/motion_run.hpp"

#include <stdexcept>
#include <string>
#include <string_view>

#include "cli/drive_choice.hpp"
#include "cli/motion_options.hpp"
#include "cli/run_clearance.hpp"
#include "cli/run_options.hpp"
#include "cli/slot_picking.hpp"
#include "cli/usage_error.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/entity_names.hpp"
#include "path/path_definition.hpp"

namespace sledway::app {
namespace {

// The runner's options name the fields of the panel: "--roll up 0,0,0: ..." is "Roll up
// 0,0,0: ..." here, wherever in the message an option is named.
std::string InPanelWords(const std::string& message) {
  std::string words;
  for (std::size_t at = 0; at < message.size();) {
    bool named = false;
    for (const auto& [option, caption] :
         {std::pair{"--roll", "Roll"}, std::pair{"--profile", "Profile"},
          std::pair{"--train-follow", "Follow points"}, std::pair{"--train", "Train"}}) {
      const std::string_view name(option);
      const std::size_t end = at + name.size();
      if (message.compare(at, name.size(), name) == 0 &&
          (end == message.size() || message[end] != '-')) {
        words += caption;
        at = end;
        named = true;
        break;
      }
    }
    if (!named) words += message[at++];
  }
  return words;
}

cli::RunOptions OptionsOf(const MotionSettings& settings) {
  cli::RunOptions options;
  options.steps = settings.steps;
  options.roll = {settings.roll};
  if (settings.roll == "up") options.roll.push_back(settings.up);
  options.profile =
      settings.profile == "trapezoid" ? "trapezoid:" + settings.ramp : settings.profile;
  options.train = settings.train;
  options.trainFollow = settings.trainFollow;
  return options;
}

void Pick(const Ref<model::Application>& app, const Ref<CPath>& path,
          model::AssemblyDocument& document, SelectionSlot slot, const std::string& name) {
  cli::PickSlot(app, path, slot, model::ResolveEntity(document, name), name);
}

}  // namespace

SuggestedMotionRun::SuggestedMotionRun(Ref<model::Application> app,
                                       Ref<model::AssemblyDocument> document,
                                       const model::SuggestedRun& suggested,
                                       const MotionSettings& settings)
    : app_(std::move(app)), document_(std::move(document)), path_(std::make_shared<CPath>()) {
  const cli::RunOptions options = OptionsOf(settings);
  path_->Steps(settings.steps);
  path_->Reps(1);
  path_->HidePath(true);
  try {
    Pick(app_, path_, *document_, SelectionSlot::kPath, suggested.path);
    Pick(app_, path_, *document_, SelectionSlot::kFollowPoint, suggested.follow);
    if (!suggested.tangent.empty()) {
      Pick(app_, path_, *document_, SelectionSlot::kTangentLine, suggested.tangent);
    }
    if (const auto drive = cli::ChooseDrive(*document_, options, suggested)) {
      path_->Driven(drive->parameter);
      path_->DriveFrom(drive->from);
      path_->DriveTo(drive->to);
    }
    path_->Length();
    plan_ =
        std::make_unique<cli::RunMotionPlan>(options, *document_, app_, *path_, suggested.follow);
  } catch (const cli::UsageError& error) {
    throw std::runtime_error(InPanelWords(error.what()));
  }
}

SuggestedMotionRun::~SuggestedMotionRun() = default;

MotionOutcome SuggestedMotionRun::Position() {
  MotionOutcome position = PositionAtStart(app_, document_, *path_);
  if (position.end != MotionEnd::kCompleted) return position;
  plan_->Start();
  if (clearance_) {
    const bool flipped = path_->FlipPath();
    clearance_->AtStart(flipped ? path_->Steps() : 0, flipped ? 1.0 : 0.0);
  }
  return position;
}

MotionOutcome SuggestedMotionRun::Run(const RunObserver& observer) {
  if (!clearance_) return RunPath(app_, document_, *path_, observer, plan_->Hooks());
  const RunObserver measuring = [this, &observer](const RunMove& move) {
    {
      struct Probing {
        const std::function<void(bool)>& tell;
        ~Probing() {
          if (tell) tell(false);
        }
      } probing{probing_};
      if (probing_) probing_(true);
      clearance_->AfterMove(move.index, move.step, move.fraction);
    }
    if (observer) observer(move);
  };
  return RunPath(app_, document_, *path_, measuring, plan_->Hooks());
}

void SuggestedMotionRun::MeasureClearance(std::function<void(bool probing)> probing) {
  probing_ = std::move(probing);
  // The runner's defaults: every other component, the contact tolerance of 0.001 mm.
  try {
    clearance_ = std::make_unique<cli::RunClearance>(cli::RunOptions(), *document_, *path_, app_,
                                                     plan_->Motion());
  } catch (const cli::UsageError& error) {
    throw std::runtime_error(InPanelWords(error.what()));
  }
  clearance_->OnMeasurement(
      [this](const cli::ClearanceMeasurement& measured) { measurements_.push_back(measured); });
}

std::optional<RunClearanceRecord> SuggestedMotionRun::Clearance() const {
  if (!clearance_) return std::nullopt;
  return RunClearanceRecord{measurements_, clearance_->Summary()};
}

std::optional<double> SuggestedMotionRun::HolonomyDegrees() const {
  return plan_->Summary().holonomyDegrees;
}

}  // namespace sledway::app
