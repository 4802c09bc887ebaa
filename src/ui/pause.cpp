#include "ui/pause.hpp"

#include <cmath>
#include <limits>
#include <string>

#include "host/host_error.hpp"
#include "platform/desktop.hpp"

namespace sledway {

std::uint32_t PauseMilliseconds(double seconds) {
  if (!(seconds > 0.0)) return 0;
  const double milliseconds = seconds * 1000.0;
  double whole = std::floor(milliseconds);
  const double rest = milliseconds - whole;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  if (!(whole <= static_cast<double>(std::numeric_limits<std::uint32_t>::max()))) {
    throw HostError(hresult::kOverflow,
                    "a pause of " + std::to_string(seconds) + " s is too long to wait");
  }
  return static_cast<std::uint32_t>(whole);
}

void PauseAfterMove(double seconds) {
  if (seconds > 0.0) platform::Sleep(PauseMilliseconds(seconds));
}

}  // namespace sledway
