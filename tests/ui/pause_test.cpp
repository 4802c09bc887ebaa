#include "ui/pause.hpp"

#include <gmock/gmock.h>

#include <limits>

#include "host/host_error.hpp"

namespace sledway {
namespace {

TEST(PauseMilliseconds, RoundsHalvesToEvenNeverWaitsBackwardsAndRefusesTooLongAWait) {
  EXPECT_EQ(PauseMilliseconds(0.0124), 12u);
  EXPECT_EQ(PauseMilliseconds(0.0126), 13u);
  // 62.5 and 187.5 ms are exact in binary, so these are true halves.
  EXPECT_EQ(PauseMilliseconds(0.0625), 62u);
  EXPECT_EQ(PauseMilliseconds(0.1875), 188u);
  EXPECT_EQ(PauseMilliseconds(0.0005), 0u);  // 0.5 ms: the even neighbour is 0
  EXPECT_EQ(PauseMilliseconds(4294967.295), 4294967295u);

  EXPECT_EQ(PauseMilliseconds(-2.0), 0u);
  EXPECT_EQ(PauseMilliseconds(std::numeric_limits<double>::quiet_NaN()), 0u);

  // Beyond 2^32 - 1 ms.
  EXPECT_THAT(
      [] { PauseMilliseconds(4294967.296); },
      ::testing::Throws<HostError>(::testing::Property(&HostError::Code, hresult::kOverflow)));
  EXPECT_THROW(PauseMilliseconds(std::numeric_limits<double>::infinity()), HostError);
}

}  // namespace
}  // namespace sledway
