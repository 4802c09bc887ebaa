#include "cli/interrupt_cleanup.hpp"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>

namespace sledway::cli {
namespace {

// A path the handler removes. `claimed` reserves the slot for one writer; `ready` says the path
// is complete, so the handler never reads one half written.
struct Slot {
  std::atomic<bool> claimed{false};
  std::atomic<bool> ready{false};
  std::array<char, PATH_MAX> path{};
};

std::array<Slot, 8> slots;

static_assert(std::atomic<bool>::is_always_lock_free,
              "the handler may only touch lock-free atomics");

constexpr std::array kSignals{SIGINT, SIGTERM, SIGHUP};

// Only async-signal-safe calls: unlink and _exit.
extern "C" void RemoveAndExit(int signal) {
  for (Slot& slot : slots) {
    if (slot.ready.load()) ::unlink(slot.path.data());
  }
  ::_exit(128 + signal);
}

}  // namespace

void EndCleanlyOnInterrupt() {
  for (const int signal : kSignals) {
    struct sigaction old {};
    if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = RemoveAndExit;
    ::sigemptyset(&action.sa_mask);
    // One clean-up at a time: a second signal waits for the first to end the program.
    for (const int other : kSignals) ::sigaddset(&action.sa_mask, other);
    ::sigaction(signal, &action, nullptr);
  }
}

RemovedOnInterrupt::RemovedOnInterrupt(const std::string& path) {
  if (path.size() >= PATH_MAX) return;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    Slot& slot = slots[i];
    bool free = false;
    if (!slot.claimed.compare_exchange_strong(free, true)) continue;
    std::memcpy(slot.path.data(), path.c_str(), path.size() + 1);
    slot.ready.store(true);
    slot_ = static_cast<std::ptrdiff_t>(i);
    return;
  }
}

RemovedOnInterrupt::~RemovedOnInterrupt() {
  if (slot_ < 0) return;
  Slot& slot = slots[static_cast<std::size_t>(slot_)];
  slot.ready.store(false);
  slot.claimed.store(false);
}

}  // namespace sledway::cli
