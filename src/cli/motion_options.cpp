#include "cli/motion_options.hpp"

#include <charconv>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

#include "cli/number_text.hpp"
#include "cli/usage_error.hpp"
#include "host/echoed_text.hpp"
#include "host/part_entities.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/files/entity_names.hpp"
#include "modelhost/parameters/length_unit.hpp"

namespace sledway::cli {
namespace {

constexpr std::string_view kComponentPrefix = "component:";

std::string Trimmed(std::string_view text) {
  const auto begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return "";
  return std::string(text.substr(begin, text.find_last_not_of(" \t") - begin + 1));
}

// A whole text as one finite number, else none.
std::optional<double> Number(std::string_view text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

gp_Dir UpVector(const std::string& text) {
  const std::string what = "--roll up: '" + EchoedText(text) + "'";
  std::vector<double> values;
  std::string_view rest = text;
  for (;;) {
    const auto comma = rest.find(',');
    const std::optional<double> value = Number(Trimmed(rest.substr(0, comma)));
    if (!value) break;
    values.push_back(*value);
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  if (values.size() != 3 || rest.find(',') != std::string_view::npos) {
    throw UsageError(what + " is not a vector X,Y,Z of three finite numbers");
  }
  const gp_XYZ vector(values[0], values[1], values[2]);
  if (!(vector.Modulus() > 0.0))
    throw UsageError(what + " is the zero vector: it has no direction");
  return gp_Dir(vector);
}

motion::RollChoice Roll(const std::vector<std::string>& words) {
  const std::string& mode = words.front();
  if (mode == "up") {
    if (words.size() != 2) throw UsageError("--roll up needs a vector: --roll up X,Y,Z");
    return {motion::RollMode::kUp, UpVector(words[1])};
  }
  if (mode != "add-in" && mode != "minimal") {
    throw UsageError("--roll: '" + EchoedText(mode) + "' is none of add-in, minimal, up X,Y,Z");
  }
  if (words.size() > 1) {
    throw UsageError("--roll " + mode + " takes no vector, but '" + EchoedText(words[1]) +
                     "' followed it (an assembly file goes before the options)");
  }
  return {mode == "minimal" ? motion::RollMode::kMinimal : motion::RollMode::kAddIn, {}};
}

motion::SpeedProfile Profile(const std::string& text) {
  if (text == "linear") return motion::SpeedProfile::Linear();
  if (text == "ease") return motion::SpeedProfile::Ease();
  constexpr std::string_view kTrapezoid = "trapezoid:";
  if (text.starts_with(kTrapezoid)) {
    const std::optional<double> ramp = Number(std::string_view(text).substr(kTrapezoid.size()));
    if (ramp && *ramp > 0.0 && *ramp <= 0.5) return motion::SpeedProfile::Trapezoid(*ramp);
    throw UsageError("--profile: '" + EchoedText(text) +
                     "': the ramp A of trapezoid:A is a fraction above 0 and at most 0.5");
  }
  throw UsageError("--profile: '" + EchoedText(text) + "' is none of linear, ease, trapezoid:A");
}

// A distance in the document's unit or with its own ("12.5", "12.5 mm", "1in"), in model units.
double Distance(const std::string& text, const std::string& what,
                const model::AssemblyDocument& document) {
  const std::string given = Trimmed(text);
  double value = 0.0;
  const auto [end, error] = std::from_chars(given.data(), given.data() + given.size(), value);
  if (error != std::errc() || !std::isfinite(value)) {
    throw UsageError(what + ": '" + EchoedText(text) +
                     "' is not a distance (a number, optionally with a unit: 25 mm)");
  }
  if (value < 0.0) throw UsageError(what + ": the distance " + EchoedText(text) + " is negative");
  const std::string unitText = Trimmed(std::string_view(end, given.data() + given.size()));
  model::LengthUnit unit = document.DisplayUnit();
  if (!unitText.empty()) {
    try {
      unit = model::ParseLengthUnit(unitText);
    } catch (const std::exception&) {
      throw UsageError(what + ": '" + EchoedText(unitText) +
                       "' is no length unit (mm, cm, m, in or ft)");
    }
  }
  return value * model::CentimetresPerUnit(unit);
}

// The name of the leader's follow point moved over to `component`: "component:A/workpoint:p"
// becomes "component:B/workpoint:p".
std::optional<std::string> SameFollowPointOn(const std::string& leaderFollow,
                                             const std::string& leader,
                                             const std::string& component) {
  const std::string prefix = std::string(kComponentPrefix) + leader + "/";
  if (!leaderFollow.starts_with(prefix)) return std::nullopt;
  return std::string(kComponentPrefix) + component + "/" + leaderFollow.substr(prefix.size());
}

gp_Pnt FollowPointOf(const model::AssemblyDocument& document, const std::string& name,
                     const Ref<IVComponent>& component) {
  const std::string what = "--train-follow: '" + EchoedText(name) + "'";
  Ref<IVObject> entity;
  try {
    entity = model::ResolveEntity(document, name);
  } catch (const std::exception& error) {
    throw UsageError("--train-follow: " + std::string(error.what()));
  }
  Ref<IVPoint> point;
  Ref<IVComponent> owner;
  if (const auto vertex = std::dynamic_pointer_cast<IVVertex>(entity)) {
    point = vertex->GetPoint();
    owner = vertex->ContainingOccurrence();
  } else if (const auto workPoint = std::dynamic_pointer_cast<IVWorkPoint>(entity)) {
    point = workPoint->GetPoint();
    owner = workPoint->ContainingOccurrence();
  } else {
    throw UsageError(what + " is neither a vertex nor a work point");
  }
  if (owner != component) {
    throw UsageError(what + " is not on the follower '" + EchoedText(component->Name()) + "'");
  }
  return {point->X(), point->Y(), point->Z()};
}

std::vector<motion::Follower> Followers(const RunOptions& options,
                                        const model::AssemblyDocument& document, CPath& path,
                                        const std::string& leaderFollow) {
  std::vector<motion::Follower> followers;
  if (options.train.empty()) {
    if (!options.trainFollow.empty()) throw UsageError("--train-follow needs --train");
    return followers;
  }
  if (!options.trainFollow.empty() && options.trainFollow.size() != options.train.size()) {
    const std::size_t given = options.trainFollow.size();
    throw UsageError("--train-follow gives " + std::to_string(given) +
                     (given == 1 ? " follow point for " : " follow points for ") +
                     std::to_string(options.train.size()) +
                     " followers: give one for each, in the order of --train");
  }
  const Ref<IVComponent> leader = path.FollowComponent();
  for (std::size_t i = 0; i < options.train.size(); ++i) {
    const std::string& item = options.train[i];
    const auto colon = item.rfind(':');
    if (colon == std::string::npos || colon == 0) {
      throw UsageError("--train: '" + EchoedText(item) + "' is not NAME:DISTANCE");
    }
    std::string name = item.substr(0, colon);
    if (name.starts_with(kComponentPrefix)) name.erase(0, kComponentPrefix.size());
    const double distance =
        Distance(item.substr(colon + 1), "--train '" + EchoedText(item) + "'", document);
    const Ref<IVComponent> component = document.FindComponent(name);
    if (!component) {
      throw UsageError("--train: there is no component '" + EchoedText(name) +
                       "' (sledway inspect lists them)");
    }
    if (component == leader) {
      throw UsageError("--train: '" + EchoedText(name) +
                       "' is the leader, the component that follows the path itself");
    }
    for (const motion::Follower& earlier : followers) {
      if (earlier.component == component) {
        throw UsageError("--train: '" + EchoedText(name) + "' is named twice");
      }
    }
    std::string followName;
    if (!options.trainFollow.empty()) {
      followName = options.trainFollow[i];
    } else if (const auto same = SameFollowPointOn(leaderFollow, leader->Name(), name)) {
      followName = *same;
    } else {
      throw UsageError("--train: give each follower's follow point with --train-follow");
    }
    followers.push_back({component, FollowPointOf(document, followName, component), distance});
  }
  return followers;
}

std::string RollText(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  return text;
}

}  // namespace

void AddMotionOptions(CLI::App& command, RunOptions& options) {
  command
      .add_option("--roll", options.roll,
                  "How the component rolls about the path's tangent: add-in (the add-in's own "
                  "least turn), minimal (the rotation-minimising frame) or up X,Y,Z (its up axis "
                  "kept in the plane of the tangent and the vector); needs --tangent")
      ->expected(1, 2);
  command
      .add_option("--profile", options.profile,
                  "How the moves are spread over the path: linear, ease (smooth start and stop) "
                  "or trapezoid:A (constant acceleration over the first and last fraction A)")
      ->capture_default_str();
  command.add_option("--train", options.train,
                     "Further components NAME:DISTANCE that follow the path at that distance "
                     "behind the leader (the document's unit, or with a unit: 30 mm)");
  command.add_option("--train-follow", options.trainFollow,
                     "Each follower's follow point, a vertex or work point, in the order of "
                     "--train (default: the leader's follow point on each follower)");
}

RunMotionPlan::RunMotionPlan(const RunOptions& options, const model::AssemblyDocument& document,
                             const Ref<IVApplication>& app, CPath& path,
                             const std::string& leaderFollow)
    : profile_(Profile(options.profile)),
      profileText_(options.profile),
      rollText_(options.roll.empty() ? "add-in" : RollText(options.roll)) {
  const motion::RollChoice roll = options.roll.empty() ? motion::RollChoice{} : Roll(options.roll);
  if (roll.mode != motion::RollMode::kAddIn && !path.IsAligned()) {
    throw UsageError("--roll " + rollText_ +
                     ": a roll turns the component about its tangent line; give --tangent");
  }
  std::vector<motion::Follower> followers = Followers(options, document, path, leaderFollow);
  followers_ = followers.size();
  if (roll.mode == motion::RollMode::kAddIn && followers.empty()) return;
  motion_ = std::make_unique<motion::PathMotion>(app, path, roll, std::move(followers));
  if (roll.mode != motion::RollMode::kUp) return;
  std::vector<double> fractions;
  for (std::int64_t j = 0; j <= path.Steps(); ++j) {
    fractions.push_back(profile_.FractionAt(j, path.Steps()));
  }
  if (const std::optional<double> parallel = motion_->FirstParallelFraction(fractions)) {
    throw UsageError("--roll " + rollText_ + ": at fraction " + TrimmedText(*parallel, 12) +
                     " the path's tangent is parallel to the up vector, which then gives no roll");
  }
}

void RunMotionPlan::Start() {
  if (motion_) motion_->Start();
}

RunMotion RunMotionPlan::Hooks() {
  RunMotion hooks;
  if (profileText_ != "linear") {
    hooks.fractionAt = [this](std::int64_t step, std::int64_t steps) {
      return profile_.FractionAt(step, steps);
    };
  }
  if (motion_) hooks.moveTo = [this](double fraction) { motion_->MoveTo(fraction); };
  return hooks;
}

std::vector<std::array<double, 3>> RunMotionPlan::TrainPoints(double perUnit) const {
  std::vector<std::array<double, 3>> points;
  if (!motion_) return points;
  for (const gp_Pnt& point : motion_->FollowerPoints()) {
    points.push_back({point.X() / perUnit, point.Y() / perUnit, point.Z() / perUnit});
  }
  return points;
}

std::vector<motion::Follower> RunMotionPlan::Train() const {
  return motion_ ? motion_->Followers() : std::vector<motion::Follower>{};
}

MotionSummary RunMotionPlan::Summary() const {
  MotionSummary summary{
      .roll = rollText_, .profile = profileText_, .followers = followers_, .holonomyDegrees = {}};
  if (motion_) {
    if (const std::optional<double> twist = motion_->Holonomy()) {
      summary.holonomyDegrees = *twist * 180.0 / std::numbers::pi;
    }
  }
  return summary;
}

}  // namespace sledway::cli
