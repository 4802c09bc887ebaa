#include "cli/run_clearance.hpp"

#include <Precision.hxx>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <limits>
#include <memory>

#include "cli/number_text.hpp"
#include "cli/usage_error.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/parameters/length_unit.hpp"
#include "modelhost/part/part.hpp"
#include "motion/path_motion.hpp"
#include "path/path_definition.hpp"

namespace sledway::cli {
namespace {

// Contact intervals' ends are found to this fraction of the path's length.
constexpr double kBoundaryResolution = 1e-12;
// The nearest approach between two moves is followed to this fraction of the path's length:
// near a least distance the distance changes with the square of the fraction.
constexpr double kApproachResolution = 1e-9;
constexpr const char* kDefaultTolerance = "0.001 mm";
// Surfaces this close touch: exact distances are found to this, so no nearer one is sought.
const double kTouching = Precision::Confusion();

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
                           CPath& path, Ref<IVApplication> app, motion::PathMotion* motion)
    : path_(path),
      moving_(std::dynamic_pointer_cast<model::Component>(path.FollowComponent())),
      pathComponent_(std::dynamic_pointer_cast<model::Component>(path.PathParent())),
      perUnit_(model::CentimetresPerUnit(document.DisplayUnit())),
      stopAtContact_(options.stopAtContact) {
  const double tolerance = ContactTolerance(options.clearanceTolerance, document);
  if (!moving_) throw UsageError("--clearance: the follow point belongs to no component");
  std::vector<Ref<model::Component>> members{moving_};
  for (const motion::Follower& follower :
       motion ? motion->Followers() : std::vector<motion::Follower>{}) {
    members.push_back(std::dynamic_pointer_cast<model::Component>(follower.component));
    if (!members.back()) throw UsageError("--clearance: a follower of --train is no component");
  }
  const auto isMember = [&](const Ref<model::Component>& component) {
    return std::find(members.begin(), members.end(), component) != members.end();
  };
  std::vector<Ref<model::Component>> still;
  const std::vector<std::string> named = options.clearance.value_or(std::vector<std::string>{});
  for (const std::string& name : named) {
    Ref<model::Component> component = NamedComponent(document, name);
    if (isMember(component)) {
      throw UsageError("--clearance: '" + name + "' is " +
                       (component == moving_ ? "the component that moves"
                                             : "a follower of --train, which moves") +
                       "; name the ones it must clear");
    }
    if (std::find(still.begin(), still.end(), component) == still.end()) {
      still.push_back(component);
    }
  }
  if (named.empty()) {
    for (const Ref<model::Component>& component : document.Components()) {
      if (!isMember(component)) still.push_back(component);
    }
  }
  // Each member against what stands still and the members behind it.
  std::vector<std::vector<Ref<model::Component>>> others;
  for (std::size_t i = 0; i < members.size(); ++i) {
    others.push_back(still);
    others.back().insert(others.back().end(), members.begin() + i + 1, members.end());
  }
  checks_.reserve(members.size());
  for (std::size_t i = 0; i < members.size(); ++i) {
    checks_.emplace_back(members[i], std::move(others[i]), tolerance);
    names_.push_back(members[i]->ComponentName());
  }
  sweep_.emplace(std::move(app), path_, checks_, motion);
  summary_.moving = moving_->ComponentName();
  if (options.clearanceAtMoves) {
    summary_.atMovesOnly = "--clearance-at-moves";
  } else if (!sweep_->Unbounded().empty()) {
    summary_.atMovesOnly = sweep_->Unbounded();
  }
}

std::vector<RunClearance::Measured> RunClearance::Members(const Sample& there) const {
  std::vector<Measured> members;
  for (std::size_t i = 0; i < there.members.size(); ++i) {
    members.push_back({names_[i], there.members[i]});
  }
  return members;
}

std::vector<clearance::Clearance> RunClearance::MeasureAll() {
  std::vector<clearance::Clearance> measured;
  for (clearance::ClearanceCheck& check : checks_) {
    measured.push_back(check.Measure());
    sweep_->CountMeasurement();
  }
  return measured;
}

RunClearance::Sample RunClearance::Probe(double fraction) {
  Sample there = sweep_->At(fraction);
  Heard(there, std::nullopt);
  return there;
}

MoveClearance RunClearance::Least(const Sample& there) const {
  MoveClearance least;
  for (const Measured& member : Members(there)) {
    const clearance::Clearance& measured = member.clearance;
    least.contact = least.contact || !measured.inContact.empty();
    if (!measured.nearest) continue;
    const double bound = measured.bound / perUnit_;
    least.bound = std::min(least.bound.value_or(bound), bound);
    const double distance = measured.nearest->distance / perUnit_;
    if (least.distance && *least.distance <= distance) continue;
    least.distance = distance;
    least.nearest = measured.nearestComponent;
    least.moving = member.moving;
  }
  return least;
}

void RunClearance::Heard(const Sample& there, std::optional<std::int64_t> move) const {
  if (measured_) measured_({there.fraction, move, Least(there)});
}

std::vector<int> RunClearance::Generations() const {
  // The path's own part too: rebuilt, the path the sweep's bounds were taken from is gone.
  std::vector<int> generations;
  if (pathComponent_) generations.push_back(pathComponent_->Part()->Generation());
  for (const clearance::ClearanceCheck& check : checks_) {
    const std::vector<int> own = check.PartGenerations();
    generations.insert(generations.end(), own.begin(), own.end());
  }
  return generations;
}

namespace {

// The least distance any member measured in `there`.
std::optional<double> LeastDistance(const clearance::MotionSweep::Sample& there) {
  std::optional<double> least;
  for (const clearance::Clearance& member : there.members) {
    if (member.nearest)
      least = std::min(least.value_or(member.nearest->distance), member.nearest->distance);
  }
  return least;
}

}  // namespace

std::pair<double, double> RunClearance::Boundary(double outside, double inside,
                                                 const Touch& touch) {
  const std::size_t member = std::find(names_.begin(), names_.end(), touch.first) - names_.begin();
  const std::string& component = touch.second;
  while (std::abs(inside - outside) > kBoundaryResolution) {
    const double middle = 0.5 * (inside + outside);
    const Sample there = Probe(middle);
    // A contact's inside is measured only here: where it overlaps, its least lies here.
    NoteLeast(there, false);
    Remember(there);
    const std::vector<std::string>& inContact = there.members[member].inContact;
    const bool touching =
        std::find(inContact.begin(), inContact.end(), component) != inContact.end();
    (touching ? inside : outside) = middle;
  }
  return {inside, outside};
}

std::set<RunClearance::Touch> RunClearance::Touches(const Sample& there) const {
  std::set<Touch> touching;
  for (const Measured& member : Members(there)) {
    for (const std::string& name : member.clearance.inContact)
      touching.emplace(member.moving, name);
  }
  return touching;
}

std::optional<std::pair<double, double>> RunClearance::FirstExit(const Sample& there) {
  const std::set<Touch> touching = Touches(there);
  const bool forwards = there.fraction >= last_->fraction;
  std::optional<std::pair<double, double>> first;
  for (const Touch& touch : touching_) {
    if (touching.count(touch)) continue;
    const std::pair<double, double> exit = Boundary(there.fraction, last_->fraction, touch);
    if (!first || (forwards ? exit.first < first->first : exit.first > first->first)) first = exit;
  }
  return first;
}

// The contacts that began or ended since the last measurement, their ends found by halving
// when the component went there from it by the follow motion (`refine`), and the least
// clearance so far.
void RunClearance::Visit(const Sample& there, bool refine, bool atMove) {
  const std::set<Touch> touching = Touches(there);
  refine = refine && last_;
  for (const Touch& touch : touching) {
    if (touching_.count(touch)) continue;
    const double first =
        refine ? Boundary(last_->fraction, there.fraction, touch).first : there.fraction;
    open_[touch] = summary_.contacts.size();
    summary_.contacts.push_back({touch.first, touch.second, first, there.fraction, std::nullopt});
    if (!atMove) openedOnTheWay_.insert(touch);
  }
  for (const Touch& touch : touching_) {
    if (touching.count(touch)) continue;
    ClearanceSummary::Contact& contact = summary_.contacts[open_[touch]];
    contact.last =
        refine ? Boundary(there.fraction, last_->fraction, touch).first : last_->fraction;
    if (openedOnTheWay_.count(touch)) contact.betweenMoves = move_;
    open_.erase(touch);
  }
  for (const auto& [touch, at] : open_) summary_.contacts[at].last = there.fraction;
  touching_ = touching;
  last_ = there;
  if (!atMove) Remember(there);
  NoteLeast(there, atMove);
}

void RunClearance::Remember(const Sample& there) {
  if (seen_.empty()) return;
  if (const std::optional<double> least = LeastDistance(there)) {
    seen_.emplace_back(there.fraction, *least);
  }
}

void RunClearance::NoteLeast(const Sample& there, bool atMove) {
  for (const Measured& member : Members(there)) {
    const clearance::Clearance& now = member.clearance;
    if (!now.nearest) continue;
    const double distance = now.nearest->distance / perUnit_;
    if (!summary_.least || distance < *summary_.least) {
      summary_.least = distance;
      summary_.move = atMove ? arriving_ : move_;
      summary_.leastBetweenMoves = !atMove;
      summary_.fraction = there.fraction;
      summary_.leastMoving = member.moving;
      summary_.nearest = now.nearestComponent;
      summary_.onMoving = InUnit(now.nearest->onMoving, perUnit_);
      summary_.onNearest = InUnit(now.nearest->onOther, perUnit_);
    }
  }
}

// Where the least measured so far is a measurement on the way between two moves, nearer than
// the measurements on either side of it along the path, the approach is followed to its nearest
// by a golden section search between them, inside a contact too: every probe is a measurement,
// so the least stays one the component truly reaches.
void RunClearance::FollowApproach(std::vector<std::pair<double, double>> seen) {
  std::sort(seen.begin(), seen.end());
  std::size_t at = 0;
  for (std::size_t i = 1; i + 1 < seen.size(); ++i) {
    if (at == 0 || seen[i].second < seen[at].second) at = i;
  }
  if (at == 0 || !(seen[at].second < seen[at - 1].second) ||
      !(seen[at].second < seen[at + 1].second) || *summary_.least * perUnit_ <= kTouching ||
      seen[at].second / perUnit_ > *summary_.least) {
    return;
  }
  constexpr double kRatio = 0.6180339887498949;
  double a = seen[at - 1].first, b = seen[at + 1].first;
  const auto distanceAt = [&](double fraction) {
    const Sample there = Probe(fraction);
    NoteLeast(there, false);
    return LeastDistance(there).value_or(std::numeric_limits<double>::max());
  };
  double x = b - kRatio * (b - a), y = a + kRatio * (b - a);
  double dx = distanceAt(x), dy = distanceAt(y);
  while (std::abs(b - a) > kApproachResolution) {
    if (dx < dy) {
      b = y, y = x, dy = dx;
      x = b - kRatio * (b - a);
      dx = distanceAt(x);
    } else {
      a = x, x = y, dx = dy;
      y = a + kRatio * (b - a);
      dy = distanceAt(y);
    }
  }
}

// The motion from the last move to the one just made, measured on the way.
bool RunClearance::SweepFrom(const Sample& atMove) {
  constexpr std::int64_t kMostMeasurements = 10'000;
  const std::int64_t before = sweep_->Measurements();
  for (const clearance::MotionSweep::Stretch& stretch :
       sweep_->Stretches(last_->fraction, atMove.fraction)) {
    // Past an entity's end the component may have jumped: measured anew where it lands.
    if (stretch.start != last_->fraction) Visit(Probe(stretch.start), true, false);
    for (;;) {
      const std::optional<double> next = sweep_->Next(*last_, stretch.end);
      if (!next) {
        ++summary_.stretchesAtMoves;
        if (summary_.stretchReason.empty()) summary_.stretchReason = sweep_->Refusal();
        return false;
      }
      const Sample there = *next == atMove.fraction ? atMove : Probe(*next);
      // A contact the step began in bounded nothing: where it ends on the way, the motion is
      // measured on from there, for a contact may begin again before `there`.
      if (const std::optional<std::pair<double, double>> exit = FirstExit(there)) {
        Visit(Probe(exit->first), true, false);
        Visit(Probe(exit->second), true, false);
      } else {
        if (*next == atMove.fraction) return true;
        Visit(there, true, false);
        if (*next == stretch.end) break;
      }
      if (sweep_->Measurements() - before > kMostMeasurements) {
        ++summary_.stretchesAtMoves;
        if (summary_.stretchReason.empty()) {
          summary_.stretchReason = "the clearance stayed so near the tolerance that " +
                                   std::to_string(kMostMeasurements) +
                                   " measurements did not reach the next move";
        }
        return false;
      }
    }
  }
  return true;
}

void RunClearance::AtStart(std::int64_t step, double fraction) {
  const Sample there = sweep_->StartAtMove(fraction, MeasureAll());
  Heard(there, 0);
  Visit(there, false, true);
  lastStep_ = step;
  generations_ = Generations();
}

MoveClearance RunClearance::AfterMove(std::int64_t move, std::int64_t step, double fraction) {
  arriving_ = move;
  const std::vector<clearance::Clearance> now = MeasureAll();
  const std::vector<Ref<IVMatrix>> placements = sweep_->Placements();
  const Sample atMove{fraction, now, std::vector<double>(now.size(), 0.0)};
  // Only between two moves next to each other along the path did the component pass the
  // fractions between them; across the jump back to the start of a repetition it did not.
  const bool neighbours = lastStep_ && std::abs(step - *lastStep_) == 1;
  const std::vector<int> generations = Generations();
  // With nothing measured at either move there is nothing to measure on the way.
  const bool measured = LeastDistance(atMove) || (last_ && LeastDistance(*last_));
  // Where a stretch on the way was left to the moves, nothing is placed within it: contacts'
  // ends are then the measurements that bracket them.
  bool covered = true;
  if (neighbours && measured && summary_.atMovesOnly.empty()) {
    if (generations == generations_) {
      seen_.assign(
          1, {last_->fraction, LeastDistance(*last_).value_or(std::numeric_limits<double>::max())});
      covered = SweepFrom(atMove);
      if (const std::optional<double> least = LeastDistance(atMove)) {
        seen_.emplace_back(fraction, *least);
      }
    } else {
      ++summary_.stretchesAtMoves;
      if (summary_.stretchReason.empty()) {
        summary_.stretchReason = "a recompute rebuilt a part between moves " +
                                 std::to_string(move_) + " and " + std::to_string(move) +
                                 " (a driven parameter resized it)";
      }
    }
  }
  Heard(atMove, move);
  Visit(atMove, neighbours && covered, true);
  if (covered && seen_.size() > 2) FollowApproach(seen_);
  seen_.clear();
  sweep_->PutBack(placements);
  if (stopAtContact_ && !stop_) {
    std::string touches;
    for (const Measured& member : Members(atMove)) {
      std::string names;
      for (const std::string& name : member.clearance.inContact) {
        names += (names.empty() ? "'" : ", '") + name + "'";
      }
      if (names.empty()) continue;
      touches += (touches.empty() ? "'" : "; '") + member.moving + "' touches " + names;
    }
    if (!touches.empty()) {
      stop_ = "contact at move " + std::to_string(move) + ", fraction " + TrimmedText(fraction, 9) +
              ": " + touches;
    } else {
      for (const ClearanceSummary::Contact& contact : summary_.contacts) {
        if (contact.betweenMoves != move_) continue;
        stop_ = "contact between moves " + std::to_string(move_) + " and " + std::to_string(move) +
                ", from fraction " + TrimmedText(contact.first, 12) + " to " +
                TrimmedText(contact.last, 12) + ": '" + contact.moving + "' touches '" +
                contact.component + "'";
        break;
      }
    }
  }
  openedOnTheWay_.clear();
  sweep_->StartAtMove(fraction, now);
  lastStep_ = step;
  generations_ = generations;
  move_ = move;
  return Least(atMove);
}

ClearanceSummary RunClearance::Summary() const {
  ClearanceSummary summary = summary_;
  summary.measurements = sweep_->Measurements();
  return summary;
}

}  // namespace sledway::cli
