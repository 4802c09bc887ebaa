#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace sledway {

// A scoped connection to an Event: the handler stays connected while the connection lives.
// Replacing or clearing the connection disconnects the handler.
class Connection {
 public:
  Connection() = default;
  explicit Connection(std::function<void()> disconnect) : disconnect_(std::move(disconnect)) {}
  Connection(Connection&& other) noexcept : disconnect_(std::exchange(other.disconnect_, {})) {}
  Connection& operator=(Connection&& other) noexcept {
    if (this != &other) {
      Disconnect();
      disconnect_ = std::exchange(other.disconnect_, {});
    }
    return *this;
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() { Disconnect(); }

  void Disconnect() {
    if (auto disconnect = std::exchange(disconnect_, {})) disconnect();
  }
  bool Connected() const { return static_cast<bool>(disconnect_); }

 private:
  std::function<void()> disconnect_;
};

// An event raised by one object and heard by the handlers connected to it. Handlers run in the
// order they connected; a handler disconnected while the event is being raised is not called.
template <class... Args>
class Event {
 public:
  using Handler = std::function<void(Args...)>;

  Event() = default;
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  [[nodiscard]] Connection Connect(Handler handler) {
    auto slot = std::make_shared<Slot>(Slot{std::move(handler), true});
    slots_->push_back(slot);
    std::weak_ptr<Slots> slots = slots_;
    return Connection([slots, slot] {
      slot->connected = false;
      if (auto list = slots.lock()) std::erase(*list, slot);
    });
  }

  void Raise(Args... args) const {
    const Slots snapshot = *slots_;
    for (const auto& slot : snapshot) {
      if (slot->connected) slot->handler(args...);
    }
  }

  std::size_t HandlerCount() const { return slots_->size(); }

 private:
  struct Slot {
    Handler handler;
    bool connected;
  };
  using Slots = std::vector<std::shared_ptr<Slot>>;
  std::shared_ptr<Slots> slots_ = std::make_shared<Slots>();
};

}  // namespace sledway
