#include "cli/progress_bar.hpp"

#include <algorithm>
#include <string>

namespace sledway::cli {
namespace {

constexpr int kBarWidth = 40;

}  // namespace

ProgressBar::ProgressBar(std::ostream& stream, std::int64_t total, bool enabled)
    : stream_(stream), total_(total), enabled_(enabled && total > 0) {}

ProgressBar::~ProgressBar() {
  Finish();
}

void ProgressBar::Update(std::int64_t done) {
  if (!enabled_) return;
  const std::int64_t clamped = std::clamp<std::int64_t>(done, 0, total_);
  const int percent = static_cast<int>(clamped * 100 / total_);
  if (percent == shownPercent_) return;
  shownPercent_ = percent;
  const int filled = static_cast<int>(clamped * kBarWidth / total_);
  stream_ << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, '.') << "] "
          << percent << "% " << clamped << '/' << total_ << std::flush;
  drawn_ = true;
}

void ProgressBar::Finish() {
  if (!drawn_) return;
  stream_ << "\r\033[K" << std::flush;
  drawn_ = false;
  shownPercent_ = -1;
}

}  // namespace sledway::cli
