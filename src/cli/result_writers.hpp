#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/run_report.hpp"

namespace sledway::cli {

enum class OutputFormat { kTable, kCsv, kJson };

// "table", "csv" or "json"; anything else is a UsageError.
OutputFormat ParseOutputFormat(std::string_view text);

// Writes a run as it happens: the header, one row per move, then the check line.
class ResultWriter {
 public:
  virtual ~ResultWriter() = default;
  virtual void Begin(const RunHeader& header) = 0;
  virtual void Row(const MoveRow& row) = 0;
  virtual void End(const RunCheck& check) = 0;
};

// What a run's clearance covered, as its summary line says after "clearance: ": "over the whole
// motion, 812 measurements", or "at the moves only" and why.
std::string ClearanceCoverage(const ClearanceSummary& summary);

std::unique_ptr<ResultWriter> MakeResultWriter(OutputFormat format, std::ostream& stream);

}  // namespace sledway::cli
