#include "cli/result_writers.hpp"

#include <iomanip>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/number_text.hpp"
#include "cli/path_check.hpp"
#include "cli/usage_error.hpp"

namespace sledway::cli {
namespace {

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

class TableWriter final : public ResultWriter {
 public:
  explicit TableWriter(std::ostream& stream) : stream_(stream) {}

  void Begin(const RunHeader& header) override {
    driven_ = !header.driven.empty();
    stream_ << "assembly " << header.assembly << ", path length " << FixedText(header.pathLength, 6)
            << ' ' << header.lengthUnit << ", " << header.plannedMoves << " moves";
    if (driven_) stream_ << ", driving " << header.driven << " (" << header.drivenUnits << ')';
    stream_ << '\n'
            << std::setw(6) << "move" << std::setw(5) << "rep" << std::setw(5) << "pass"
            << std::setw(7) << "step" << std::setw(10) << "fraction" << std::setw(15)
            << ("x " + header.lengthUnit) << std::setw(15) << ("y " + header.lengthUnit)
            << std::setw(15) << ("z " + header.lengthUnit) << std::setw(27) << "rotation axis"
            << std::setw(11) << "angle deg";
    if (driven_) stream_ << std::setw(14) << header.driven;
    stream_ << '\n';
  }

  void Row(const MoveRow& row) override {
    stream_ << std::setw(6) << row.index << std::setw(5) << row.repetition << std::setw(5)
            << row.pass << std::setw(7) << row.step << std::setw(10) << FixedText(row.fraction, 6);
    for (const double coordinate : row.followPoint)
      stream_ << std::setw(15) << FixedText(coordinate, 6);
    for (const double component : row.rotationAxis)
      stream_ << std::setw(9) << FixedText(component, 5);
    stream_ << std::setw(11) << FixedText(row.rotationAngle, 5);
    if (driven_) stream_ << std::setw(14) << (row.drivenValue ? ExactText(*row.drivenValue) : "");
    if (!row.recomputed) stream_ << "  (recompute failed)";
    stream_ << '\n';
  }

  void End(const RunCheck& check) override { stream_ << CheckLine(check) << '\n'; }

 private:
  std::ostream& stream_;
  bool driven_ = false;
};

class CsvWriter final : public ResultWriter {
 public:
  explicit CsvWriter(std::ostream& stream) : stream_(stream) {}

  void Begin(const RunHeader& header) override {
    const std::string& unit = header.lengthUnit;
    stream_ << "move,repetition,pass,step,fraction,x_" << unit << ",y_" << unit << ",z_" << unit
            << ",axis_x,axis_y,axis_z,angle_deg,driven,recomputed,distance_cm,misalignment_rad\n";
  }

  void Row(const MoveRow& row) override {
    stream_ << row.index << ',' << row.repetition << ',' << row.pass << ',' << row.step << ','
            << ExactText(row.fraction);
    for (const double coordinate : row.followPoint) stream_ << ',' << ExactText(coordinate);
    for (const double component : row.rotationAxis) stream_ << ',' << ExactText(component);
    stream_ << ',' << ExactText(row.rotationAngle) << ','
            << (row.drivenValue ? ExactText(*row.drivenValue) : "") << ','
            << (row.recomputed ? "true" : "false") << ',' << ExactText(row.distanceFromPath) << ','
            << (row.misalignment ? ExactText(*row.misalignment) : "") << '\n';
  }

  // The check line is a comment, so a reader of the table part can skip it.
  void End(const RunCheck& check) override { stream_ << "# " << CheckLine(check) << '\n'; }

 private:
  std::ostream& stream_;
};

class JsonWriter final : public ResultWriter {
 public:
  explicit JsonWriter(std::ostream& stream) : stream_(stream) {}

  void Begin(const RunHeader& header) override {
    document_["assembly"] = header.assembly;
    document_["lengthUnit"] = header.lengthUnit;
    document_["pathLength"] = header.pathLength;
    document_["driven"] = header.driven.empty() ? nlohmann::json() : nlohmann::json(header.driven);
    document_["drivenUnits"] = header.drivenUnits;
    document_["moves"] = nlohmann::json::array();
  }

  void Row(const MoveRow& row) override {
    nlohmann::json move = {{"move", row.index},
                           {"repetition", row.repetition},
                           {"pass", row.pass},
                           {"step", row.step},
                           {"fraction", row.fraction},
                           {"followPoint", row.followPoint},
                           {"rotationAxis", row.rotationAxis},
                           {"rotationAngleDeg", row.rotationAngle},
                           {"recomputed", row.recomputed},
                           {"distanceCm", row.distanceFromPath}};
    move["driven"] = row.drivenValue ? nlohmann::json(*row.drivenValue) : nlohmann::json();
    move["misalignmentRad"] =
        row.misalignment ? nlohmann::json(*row.misalignment) : nlohmann::json();
    document_["moves"].push_back(std::move(move));
  }

  void End(const RunCheck& check) override {
    document_["check"] = {
        {"maxDistanceCm", check.maxDistance},
        {"maxMisalignmentRad",
         check.maxMisalignment ? nlohmann::json(*check.maxMisalignment) : nlohmann::json()},
        {"maxTravelError", check.maxTravelError},
        {"pathChangedLength", check.pathChangedLength},
        {"distanceGoalCm", kDistanceGoal},
        {"misalignmentGoalRad", kMisalignmentGoal},
        {"travelGoal", kTravelGoal},
        {"passed", check.passed}};
    stream_ << document_.dump(2) << '\n';
  }

 private:
  std::ostream& stream_;
  nlohmann::json document_;
};

}  // namespace

OutputFormat ParseOutputFormat(std::string_view text) {
  if (text == "table") return OutputFormat::kTable;
  if (text == "csv") return OutputFormat::kCsv;
  if (text == "json") return OutputFormat::kJson;
  throw UsageError("--format: use table, csv or json, not '" + std::string(text) + "'");
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
