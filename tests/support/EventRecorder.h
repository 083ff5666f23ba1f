// EventRecorder: keeps a copy of every event of one class delivered while it
// lives, for tests that check what a system sent or posted.
#pragma once

#include <memory>
#include <vector>

#include "engine/EventSystem.h"

namespace Framework {

template <class E>
class EventRecorder {
 public:
  EventRecorder() : subscription_(E::kType, std::make_unique<Sink>(this)) {}
  EventRecorder(const EventRecorder&) = delete;
  EventRecorder& operator=(const EventRecorder&) = delete;

  // The Command of every recorded event, in delivery order.
  std::vector<std::int32_t> Commands() const {
    std::vector<std::int32_t> commands;
    for (const E& event : Events) commands.push_back(event.Command);
    return commands;
  }

  std::vector<E> Events;

 private:
  struct Sink : Listener {
    explicit Sink(EventRecorder* owner) : Owner(owner) {}
    void OnEvent(Event* event) override { Owner->Events.push_back(static_cast<E&>(*event)); }
    EventRecorder* Owner;
  };
  // Declared last: unsubscribes before the events it fills go.
  Subscription subscription_;
};

}  // namespace Framework
