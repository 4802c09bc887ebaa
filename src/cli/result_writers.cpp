#include "cli/result_writers.hpp"

#include <iomanip>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/number_text.hpp"
#include "cli/path_check.hpp"
#include "cli/usage_error.hpp"
#include "host/echoed_text.hpp"

namespace sledway::cli {
namespace {

// Members keep the order they are set in, so a reader finds them as they are listed here.
using Json = nlohmann::ordered_json;

std::string CheckLine(const RunCheck& check) {
  std::string line = "check: max distance from path " + ScientificText(check.maxDistance) +
                     " cm (goal " + ScientificText(kDistanceGoal) + "), max tangent misalignment ";
  line += check.maxMisalignment ? ScientificText(*check.maxMisalignment) + " rad (goal " +
                                      ScientificText(kMisalignmentGoal) + ")"
                                : std::string("- (no tangent line)");
  line += ", max travel error " + ScientificText(check.maxTravelError) +
          " of the path length (goal " + ScientificText(kTravelGoal) + ")";
  if (check.pathChangedLength) line += ", the path changed length during the run";
  return line + (check.passed ? ": pass" : ": FAIL");
}

// "run: 5 of 5 moves made", with what went wrong when something did.
std::string RunLine(const RunCheck& check) {
  std::string line = "run: " + std::to_string(check.moves) + " of " +
                     std::to_string(check.plannedMoves) + " moves made";
  if (check.recomputeFailures > 0) {
    line += ", the assembly not recomputed after " + std::to_string(check.recomputeFailures);
  }
  // Escaped, the failure stays on one line and cannot break a row or a comment of the output.
  if (!check.failure.empty()) line += ", stopped: " + EscapedText(check.failure);
  return line;
}

// "motion: roll minimal, profile ease, 3 followers, twist after one loop (holonomy) 1.5 deg".
std::string MotionLine(const MotionSummary& motion) {
  std::string line = "motion: roll " + EscapedText(motion.roll) + ", profile " +
                     EscapedText(motion.profile) + ", " + std::to_string(motion.followers) +
                     (motion.followers == 1 ? " follower" : " followers");
  if (motion.holonomyDegrees) {
    line += ", twist after one loop (holonomy) " + TrimmedText(*motion.holonomyDegrees, 4) + " deg";
  }
  return line;
}

std::string PointText(const std::array<double, 3>& point) {
  return "(" + TrimmedText(point[0], 6) + ", " + TrimmedText(point[1], 6) + ", " +
         TrimmedText(point[2], 6) + ")";
}

std::string WhereText(const ClearanceSummary& summary) {
  if (!summary.leastBetweenMoves) return " at move " + std::to_string(summary.move);
  return " between moves " + std::to_string(summary.move) + " and " +
         std::to_string(summary.move + 1);
}

// The coverage, "clearance: least 2 mm at move 5 (fraction 0.1) between 'a' and 'b', closest
// points (...) and (...) mm", then one line per contact interval, or "contact: none".
std::vector<std::string> ClearanceLines(const ClearanceSummary& summary, const std::string& unit) {
  std::vector<std::string> lines{"clearance: " + ClearanceCoverage(summary)};
  if (summary.least) {
    lines.push_back("clearance: least " + TrimmedText(*summary.least, 6) + " " + unit +
                    WhereText(summary) + " (fraction " + TrimmedText(summary.fraction, 9) +
                    ") between '" + EscapedText(summary.leastMoving) + "' and '" +
                    EscapedText(summary.nearest) + "', closest points " +
                    PointText(summary.onMoving) + " and " + PointText(summary.onNearest) + " " +
                    unit);
  } else {
    lines.push_back("clearance: no other component to measure");
  }
  if (summary.contacts.empty()) lines.push_back("contact: none");
  for (const ClearanceSummary::Contact& contact : summary.contacts) {
    lines.push_back("contact: '" + EscapedText(contact.moving) + "' with '" +
                    EscapedText(contact.component) + "' from fraction " +
                    TrimmedText(contact.first, 12) + " to " + TrimmedText(contact.last, 12) +
                    (contact.betweenMoves
                         ? " (between moves " + std::to_string(*contact.betweenMoves) + " and " +
                               std::to_string(*contact.betweenMoves + 1) + ")"
                         : ""));
  }
  return lines;
}

class TableWriter final : public ResultWriter {
 public:
  explicit TableWriter(std::ostream& stream) : stream_(stream) {}

  void Begin(const RunHeader& header) override {
    driven_ = !header.driven.empty();
    stream_ << "assembly " << header.assembly << ", path length " << FixedText(header.pathLength, 6)
            << ' ' << header.lengthUnit << ", " << header.plannedMoves << " moves";
    if (driven_) stream_ << ", driving " << header.driven << " (" << header.drivenUnits << ')';
    stream_ << '\n';
    Cell("move", 6);
    Cell("rep", 5);
    Cell("pass", 5);
    Cell("step", 7);
    Cell("fraction", 10);
    for (const char* axis : {"x ", "y ", "z "}) Cell(axis + header.lengthUnit, 15);
    Cell("rotation axis", 27);
    Cell("angle deg", 11);
    if (driven_) Cell(header.driven, 14);
    unit_ = header.lengthUnit;
    if (header.clearance) {
      Cell("clearance " + unit_, 15);
      stream_ << "  nearest";
    }
    stream_ << '\n';
  }

  void Row(const MoveRow& row) override {
    Cell(std::to_string(row.index), 6);
    Cell(std::to_string(row.repetition), 5);
    Cell(std::to_string(row.pass), 5);
    Cell(std::to_string(row.step), 7);
    Cell(FixedText(row.fraction, 6), 10);
    for (const double coordinate : row.followPoint) Cell(FixedText(coordinate, 6), 15);
    for (const double component : row.rotationAxis) Cell(FixedText(component, 5), 9);
    Cell(FixedText(row.rotationAngle, 5), 11);
    if (driven_) Cell(row.drivenValue ? ExactText(*row.drivenValue) : "", 14);
    if (row.clearance) {
      Cell(row.clearance->distance ? FixedText(*row.clearance->distance, 6) : "-", 15);
      stream_ << "  " << EscapedText(row.clearance->nearest);
      if (row.clearance->contact) stream_ << " (contact)";
    }
    if (!row.recomputed) stream_ << "  (recompute failed)";
    stream_ << '\n';
  }

  void End(const RunCheck& check) override {
    stream_ << RunLine(check) << '\n' << CheckLine(check) << '\n';
    if (check.motion) stream_ << MotionLine(*check.motion) << '\n';
    if (check.clearance) {
      for (const std::string& line : ClearanceLines(*check.clearance, unit_)) {
        stream_ << line << '\n';
      }
    }
  }

 private:
  // Right-aligned in `width` characters, and always at least one blank after the column
  // before, so that a value wider than its column never runs into its neighbour.
  void Cell(const std::string& text, int width) { stream_ << ' ' << std::setw(width - 1) << text; }

  std::ostream& stream_;
  bool driven_ = false;
  std::string unit_;
};

class CsvWriter final : public ResultWriter {
 public:
  explicit CsvWriter(std::ostream& stream) : stream_(stream) {}

  void Begin(const RunHeader& header) override {
    const std::string& unit = header.lengthUnit;
    stream_ << "move,repetition,pass,step,fraction,x_" << unit << ",y_" << unit << ",z_" << unit
            << ",axis_x,axis_y,axis_z,angle_deg,driven,recomputed,distance_cm,misalignment_rad";
    if (header.clearance) {
      stream_ << ",clearance_" << unit << ",clearance_bound_" << unit << ",nearest,contact";
    }
    stream_ << '\n';
    unit_ = unit;
  }

  void Row(const MoveRow& row) override {
    stream_ << row.index << ',' << row.repetition << ',' << row.pass << ',' << row.step << ','
            << ExactText(row.fraction);
    for (const double coordinate : row.followPoint) stream_ << ',' << ExactText(coordinate);
    for (const double component : row.rotationAxis) stream_ << ',' << ExactText(component);
    stream_ << ',' << ExactText(row.rotationAngle) << ','
            << (row.drivenValue ? ExactText(*row.drivenValue) : "") << ','
            << (row.recomputed ? "true" : "false") << ',' << ExactText(row.distanceFromPath) << ','
            << (row.misalignment ? ExactText(*row.misalignment) : "");
    if (row.clearance) {
      stream_ << ',' << (row.clearance->distance ? ExactText(*row.clearance->distance) : "") << ','
              << (row.clearance->bound ? ExactText(*row.clearance->bound) : "") << ','
              << Quoted(row.clearance->nearest) << ','
              << (row.clearance->contact ? "true" : "false");
    }
    stream_ << '\n';
  }

  // The closing lines are comments, so a reader of the table part can skip them.
  void End(const RunCheck& check) override {
    stream_ << "# " << RunLine(check) << "\n# " << CheckLine(check) << '\n';
    if (check.motion) stream_ << "# " << MotionLine(*check.motion) << '\n';
    if (check.clearance) {
      for (const std::string& line : ClearanceLines(*check.clearance, unit_)) {
        stream_ << "# " << line << '\n';
      }
    }
  }

 private:
  // A component name as one CSV field: quoted when it holds a comma or a quote.
  static std::string Quoted(const std::string& name) {
    const std::string text = EscapedText(name);
    if (text.find_first_of(",\"") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
  }

  std::ostream& stream_;
  std::string unit_;
};

// Writes each move as it comes, one object per line, so that a long run neither waits for its
// end nor holds its rows.
class JsonWriter final : public ResultWriter {
 public:
  explicit JsonWriter(std::ostream& stream) : stream_(stream) {}

  void Begin(const RunHeader& header) override {
    Json head;
    head["assembly"] = header.assembly;
    head["lengthUnit"] = header.lengthUnit;
    head["pathLength"] = header.pathLength;
    head["driven"] = header.driven.empty() ? Json() : Json(header.driven);
    head["drivenUnits"] = header.drivenUnits;
    head["plannedMoves"] = header.plannedMoves;
    std::string text = head.dump(2);
    text.erase(text.rfind('\n'));  // the closing brace: the moves follow
    stream_ << text << ",\n  \"moves\": [";
  }

  void Row(const MoveRow& row) override {
    Json move;
    move["move"] = row.index;
    move["repetition"] = row.repetition;
    move["pass"] = row.pass;
    move["step"] = row.step;
    move["fraction"] = row.fraction;
    move["followPoint"] = row.followPoint;
    move["rotationAxis"] = row.rotationAxis;
    move["rotationAngleDeg"] = row.rotationAngle;
    move["driven"] = row.drivenValue ? Json(*row.drivenValue) : Json();
    move["recomputed"] = row.recomputed;
    move["distanceCm"] = row.distanceFromPath;
    move["misalignmentRad"] = row.misalignment ? Json(*row.misalignment) : Json();
    if (row.clearance) {
      Json clearance;
      clearance["distance"] = row.clearance->distance ? Json(*row.clearance->distance) : Json();
      clearance["bound"] = row.clearance->bound ? Json(*row.clearance->bound) : Json();
      clearance["nearest"] = row.clearance->nearest;
      clearance["moving"] = row.clearance->moving;
      clearance["contact"] = row.clearance->contact;
      move["clearance"] = clearance;
    }
    if (!row.trainPoints.empty()) move["trainPoints"] = row.trainPoints;
    stream_ << (first_ ? "\n    " : ",\n    ") << move.dump();
    first_ = false;
  }

  void End(const RunCheck& check) override {
    Json outcome;
    outcome["movesMade"] = check.moves;
    outcome["plannedMoves"] = check.plannedMoves;
    outcome["recomputeFailures"] = check.recomputeFailures;
    outcome["stoppedBecause"] = check.failure.empty() ? Json() : Json(check.failure);
    Json closing;
    closing["maxDistanceCm"] = check.maxDistance;
    closing["maxMisalignmentRad"] = check.maxMisalignment ? Json(*check.maxMisalignment) : Json();
    closing["maxTravelError"] = check.maxTravelError;
    closing["pathChangedLength"] = check.pathChangedLength;
    closing["distanceGoalCm"] = kDistanceGoal;
    closing["misalignmentGoalRad"] = kMisalignmentGoal;
    closing["travelGoal"] = kTravelGoal;
    closing["passed"] = check.passed;
    stream_ << (first_ ? "],\n" : "\n  ],\n") << "  \"outcome\": " << Indented(outcome)
            << ",\n  \"check\": " << Indented(closing);
    if (check.clearance)
      stream_ << ",\n  \"clearance\": " << Indented(ClearanceJson(*check.clearance));
    if (check.motion) {
      Json motion;
      motion["roll"] = check.motion->roll;
      motion["profile"] = check.motion->profile;
      motion["followers"] = check.motion->followers;
      motion["holonomyDeg"] =
          check.motion->holonomyDegrees ? Json(*check.motion->holonomyDegrees) : Json();
      stream_ << ",\n  \"motion\": " << Indented(motion);
    }
    stream_ << "\n}\n";
  }

 private:
  // An object dumped as a member of the top object: its inner lines two more blanks in.
  static std::string Indented(const Json& value) {
    std::string text = value.dump(2);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
      text.insert(at + 1, "  ");
    }
    return text;
  }

  static Json ClearanceJson(const ClearanceSummary& summary) {
    Json clearance;
    clearance["moving"] = summary.moving;
    clearance["least"] = summary.least ? Json(*summary.least) : Json();
    clearance["wholeMotion"] = summary.atMovesOnly.empty();
    clearance["atMovesOnly"] = summary.atMovesOnly.empty() ? Json() : Json(summary.atMovesOnly);
    clearance["stretchesAtMoves"] = summary.stretchesAtMoves;
    clearance["stretchReason"] =
        summary.stretchReason.empty() ? Json() : Json(summary.stretchReason);
    clearance["measurements"] = summary.measurements;
    clearance["move"] = summary.move;
    clearance["betweenMoves"] = summary.leastBetweenMoves;
    clearance["fraction"] = summary.fraction;
    clearance["nearest"] = summary.nearest;
    clearance["leastMoving"] = summary.leastMoving;
    clearance["onMoving"] = summary.onMoving;
    clearance["onNearest"] = summary.onNearest;
    clearance["contacts"] = Json::array();
    for (const ClearanceSummary::Contact& contact : summary.contacts) {
      Json interval;
      interval["moving"] = contact.moving;
      interval["component"] = contact.component;
      interval["first"] = contact.first;
      interval["last"] = contact.last;
      interval["betweenMoves"] =
          contact.betweenMoves ? Json::array({*contact.betweenMoves, *contact.betweenMoves + 1})
                               : Json();
      clearance["contacts"].push_back(interval);
    }
    return clearance;
  }

  std::ostream& stream_;
  bool first_ = true;
};

}  // namespace

std::string ClearanceCoverage(const ClearanceSummary& summary) {
  const std::string count = std::to_string(summary.measurements) + " measurements";
  if (!summary.atMovesOnly.empty()) {
    return "at the moves only (" + summary.atMovesOnly + "), " + count;
  }
  if (summary.stretchesAtMoves == 0) return "over the whole motion, " + count;
  return "over the whole motion but " + std::to_string(summary.stretchesAtMoves) +
         " stretches between moves, measured at their moves only (" + summary.stretchReason +
         "), " + count;
}

OutputFormat ParseOutputFormat(std::string_view text) {
  if (text == "table") return OutputFormat::kTable;
  if (text == "csv") return OutputFormat::kCsv;
  if (text == "json") return OutputFormat::kJson;
  throw UsageError("--format: use table, csv or json, not '" + EchoedText(text) + "'");
}

std::unique_ptr<ResultWriter> MakeResultWriter(OutputFormat format, std::ostream& stream) {
  switch (format) {
    case OutputFormat::kCsv:
      return std::make_unique<CsvWriter>(stream);
    case OutputFormat::kJson:
      return std::make_unique<JsonWriter>(stream);
    case OutputFormat::kTable:
      break;
  }
  return std::make_unique<TableWriter>(stream);
}

}  // namespace sledway::cli
