#pragma once

#include <memory>
#include <utility>

namespace sledway::win32 {

// What outlives a window while one of its messages is being handled: the logic may destroy the
// window from inside any event the message raises.
struct Dispatch {
  bool alive = true;
  int depth = 0;  // messages of the window or its controls being handled now
};

// Counts one message being handled for as long as it lives.
class Handling {
 public:
  explicit Handling(std::shared_ptr<Dispatch> dispatch) : dispatch_(std::move(dispatch)) {
    ++dispatch_->depth;
  }
  ~Handling() { --dispatch_->depth; }
  Handling(const Handling&) = delete;
  Handling& operator=(const Handling&) = delete;

  // Whether the window still exists.
  bool Alive() const { return dispatch_->alive; }

 private:
  std::shared_ptr<Dispatch> dispatch_;
};

}  // namespace sledway::win32
