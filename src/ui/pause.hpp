#pragma once

#include <cstdint>

namespace sledway {

// The wait after a move of a run, in milliseconds: `seconds` x 1000 rounded to the nearest whole
// number, a half going to the even neighbour. Zero, negative or not-a-number pauses give 0. A
// pause too long for one wait (above 2^32 - 1 ms) fails with a HostError.
std::uint32_t PauseMilliseconds(double seconds);

// Waits after a move: platform::Sleep for PauseMilliseconds(seconds) when `seconds` is above
// zero; a zero or negative pause never waits and never calls Sleep.
void PauseAfterMove(double seconds);

}  // namespace sledway
