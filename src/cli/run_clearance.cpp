#include "cli/run_clearance.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <memory>

#include "cli/number_text.hpp"
#include "cli/usage_error.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/parameters/length_unit.hpp"
#include "path/path_definition.hpp"

namespace sledway::cli {
namespace {

// Contact intervals' ends are found to this fraction of the path's length.
constexpr double kBoundaryResolution = 1e-12;
constexpr const char* kDefaultTolerance = "0.001 mm";

std::string Trimmed(const std::string& text) {
  const auto begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

Ref<model::Component> NamedComponent(model::AssemblyDocument& document, const std::string& name) {
  constexpr std::string_view kPrefix = "component:";
  std::string bare = name;
  if (bare.rfind(kPrefix, 0) == 0) bare.erase(0, kPrefix.size());
  Ref<model::Component> component = document.FindComponent(bare);
  if (!component) {
    throw UsageError("--clearance: there is no component '" + name +
                     "' (sledway inspect lists them)");
  }
  return component;
}

std::array<double, 3> InUnit(const gp_Pnt& point, double perUnit) {
  return {point.X() / perUnit, point.Y() / perUnit, point.Z() / perUnit};
}

}  // namespace

double ContactTolerance(const std::optional<std::string>& text, model::AssemblyDocument& document) {
  const std::string given = Trimmed(text.value_or(kDefaultTolerance));
  const std::string what = "--clearance-tolerance: '" + text.value_or("") + "'";
  double value = 0.0;
  const auto [end, error] = std::from_chars(given.data(), given.data() + given.size(), value);
  if (error != std::errc() || !std::isfinite(value)) {
    throw UsageError(what + " is not a length (a number, optionally with a unit: 0.01 mm)");
  }
  if (value < 0.0) throw UsageError(what + " is negative: a tolerance is 0 or more");
  const std::string unitText = Trimmed(std::string(end, given.data() + given.size()));
  model::LengthUnit unit = document.DisplayUnit();
  if (!unitText.empty()) {
    try {
      unit = model::ParseLengthUnit(unitText);
    } catch (const std::exception&) {
      throw UsageError(what + ": '" + unitText + "' is no length unit (mm, cm, m, in or ft)");
    }
  }
  return value * model::CentimetresPerUnit(unit);
}

RunClearance::RunClearance(const RunOptions& options, model::AssemblyDocument& document,
                           CPath& path, Ref<IVApplication> app)
    : app_(std::move(app)),
      path_(path),
      moving_(std::dynamic_pointer_cast<model::Component>(path.FollowComponent())),
      perUnit_(model::CentimetresPerUnit(document.DisplayUnit())),
      stopAtContact_(options.stopAtContact) {
  const double tolerance = ContactTolerance(options.clearanceTolerance, document);
  if (!moving_) throw UsageError("--clearance: the follow point belongs to no component");
  std::vector<Ref<model::Component>> others;
  const std::vector<std::string> named = options.clearance.value_or(std::vector<std::string>{});
  for (const std::string& name : named) {
    Ref<model::Component> component = NamedComponent(document, name);
    if (component == moving_) {
      throw UsageError("--clearance: '" + name +
                       "' is the component that moves; name the ones it must clear");
    }
    if (std::find(others.begin(), others.end(), component) == others.end()) {
      others.push_back(component);
    }
  }
  if (named.empty()) {
    for (const Ref<model::Component>& component : document.Components()) {
      if (component != moving_) others.push_back(component);
    }
  }
  check_.emplace(moving_, std::move(others), tolerance);
  summary_.moving = moving_->ComponentName();
}

clearance::Clearance RunClearance::MeasureAt(double fraction) {
  path_.MoveToPointOnPath(app_, fraction);
  return check_->Measure();
}

double RunClearance::Boundary(double outside, double inside, const std::string& component) {
  while (std::abs(inside - outside) > kBoundaryResolution) {
    const double middle = 0.5 * (inside + outside);
    const clearance::Clearance there = MeasureAt(middle);
    const bool touching = std::find(there.inContact.begin(), there.inContact.end(), component) !=
                          there.inContact.end();
    (touching ? inside : outside) = middle;
  }
  return inside;
}

// Only between two moves next to each other along the path did the component pass the
// fractions between them; across the jump back to the start of a repetition it did not.
bool RunClearance::Neighbours(double before, double after) const {
  return std::abs(after - before) <= (1.0 + 1e-9) / path_.Steps();
}

void RunClearance::Follow(const clearance::Clearance& now, double fraction) {
  const std::set<std::string> touching(now.inContact.begin(), now.inContact.end());
  const bool refine = lastFraction_ && Neighbours(*lastFraction_, fraction);
  std::vector<std::pair<std::string, bool>> changes;  // component, whether contact began
  for (const std::string& name : touching) {
    if (!touching_.count(name)) changes.emplace_back(name, true);
  }
  for (const std::string& name : touching_) {
    if (!touching.count(name)) changes.emplace_back(name, false);
  }
  const Ref<IVMatrix> placement =
      changes.empty() || !refine ? nullptr : moving_->GetTransformation();
  for (const auto& [name, began] : changes) {
    if (began) {
      const double first = refine ? Boundary(*lastFraction_, fraction, name) : fraction;
      open_[name] = summary_.contacts.size();
      summary_.contacts.push_back({name, first, fraction});
    } else {
      summary_.contacts[open_[name]].last =
          refine ? Boundary(fraction, *lastFraction_, name) : *lastFraction_;
      open_.erase(name);
    }
  }
  if (placement) moving_->SetTransformation(placement);
  for (const auto& [name, at] : open_) {
    if (touching.count(name)) summary_.contacts[at].last = fraction;
  }
  touching_ = touching;
  lastFraction_ = fraction;
}

void RunClearance::AtStart(double fraction) {
  const clearance::Clearance now = check_->Measure();
  Follow(now, fraction);
}

MoveClearance RunClearance::AfterMove(std::int64_t move, double fraction) {
  const clearance::Clearance now = check_->Measure();
  Follow(now, fraction);
  lastMove_ = move;
  lastContacts_ = now.inContact;
  MoveClearance columns;
  columns.contact = !now.inContact.empty();
  if (!now.nearest) return columns;
  const double distance = now.nearest->distance / perUnit_;
  columns.distance = distance;
  columns.bound = now.bound / perUnit_;
  columns.nearest = now.nearestComponent;
  if (!summary_.least || distance < *summary_.least) {
    summary_.least = distance;
    summary_.move = move;
    summary_.fraction = fraction;
    summary_.nearest = now.nearestComponent;
    summary_.onMoving = InUnit(now.nearest->onMoving, perUnit_);
    summary_.onNearest = InUnit(now.nearest->onOther, perUnit_);
  }
  return columns;
}

std::optional<std::string> RunClearance::StopMessage() const {
  if (!stopAtContact_ || lastContacts_.empty()) return std::nullopt;
  std::string names;
  for (const std::string& name : lastContacts_) names += (names.empty() ? "'" : ", '") + name + "'";
  return "contact at move " + std::to_string(lastMove_) + ", fraction " +
         TrimmedText(*lastFraction_, 9) + ": '" + summary_.moving + "' touches " + names;
}

ClearanceSummary RunClearance::Summary() const {
  return summary_;
}

}  // namespace sledway::cli
