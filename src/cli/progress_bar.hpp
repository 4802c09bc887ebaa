#pragma once

#include <cstdint>
#include <ostream>

namespace sledway::cli {

// A one-line progress bar redrawn in place. It draws only when enabled, which the runner asks
// for when standard error is a terminal, so piped or redirected output stays clean.
class ProgressBar {
 public:
  ProgressBar(std::ostream& stream, std::int64_t total, bool enabled);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // `done` of the total are finished; redraws when the shown percentage changes.
  void Update(std::int64_t done);
  // Clears the bar's line.
  void Finish();

 private:
  std::ostream& stream_;
  std::int64_t total_;
  bool enabled_;
  bool drawn_ = false;
  int shownPercent_ = -1;
};

}  // namespace sledway::cli
