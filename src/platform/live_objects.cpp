#include "platform/live_objects.hpp"

#include <atomic>

namespace sledway {
namespace {

std::atomic<int>& Count() {
  static std::atomic<int> count{0};
  return count;
}

std::atomic<void (*)()>& Release() {
  static std::atomic<void (*)()> release{nullptr};
  return release;
}

}  // namespace

void ObjectCreated() {
  ++Count();
}
void ObjectDestroyed() {
  if (--Count() != 0) return;
  if (const auto release = Release().load()) release();
}
int LiveObjects() {
  return Count().load();
}
void WhenNoneLive(void (*release)()) {
  Release() = release;
}

}  // namespace sledway
