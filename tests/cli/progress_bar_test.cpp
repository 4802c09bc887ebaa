#include "cli/progress_bar.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace sledway::cli {
namespace {

TEST(ProgressBar, DrawsOnlyWhenEnabledAndOnlyWhenThePercentageChanges) {
  std::ostringstream quiet;
  {
    ProgressBar bar(quiet, 10, false);
    for (int done = 1; done <= 10; ++done) bar.Update(done);
  }
  EXPECT_EQ(quiet.str(), "");

  std::ostringstream shown;
  ProgressBar bar(shown, 1000, true);
  bar.Update(1);  // 0%: first drawing
  bar.Update(2);  // still 0%: not drawn again
  bar.Update(500);
  EXPECT_EQ(shown.str(), "\r[" + std::string(40, '.') + "] 0% 1/1000\r[" + std::string(20, '#') +
                             std::string(20, '.') + "] 50% 500/1000");
  shown.str("");
  bar.Update(2000);  // more than the total shows as the total
  bar.Finish();
  EXPECT_EQ(shown.str(), "\r[" + std::string(40, '#') + "] 100% 1000/1000\r\033[K");
  shown.str("");
  bar.Finish();  // nothing left to clear
  EXPECT_EQ(shown.str(), "");
}

}  // namespace
}  // namespace sledway::cli
