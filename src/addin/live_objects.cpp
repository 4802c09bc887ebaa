#include "addin/live_objects.hpp"

#include <atomic>

namespace sledway {
namespace {

std::atomic<int>& Count() {
  static std::atomic<int> count{0};
  return count;
}

}  // namespace

void ObjectCreated() {
  ++Count();
}
void ObjectDestroyed() {
  --Count();
}
int LiveObjects() {
  return Count().load();
}

}  // namespace sledway
