#include "cli/progress_bar.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace sledway::cli {
namespace {

TEST(ProgressBar, DrawsOnlyWhenThePercentageChangesAndClearsItselfOnce) {
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
  bar.Finish();  // nothing left to clear
  EXPECT_EQ(shown.str(), "\r[" + std::string(40, '#') + "] 100% 1000/1000\r\033[K");
}

}  // namespace
}  // namespace sledway::cli
