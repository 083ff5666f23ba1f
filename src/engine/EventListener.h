// EventListener: a listener that hands the events its owner wants to the owner's
// member functions, so that each of the game's listener classes is one line:
//
//   using AudioListener = EventListener<&AudioSystem::Execute>;
//   using MenuSystemEventListener = EventListener<&MenuSystem::OnKeyboardEvent, &MenuSystem::OnMouseEvent>;
//
// A handler is a member function taking one concrete event (by reference, const
// or not); the listener calls it for events of that class's kType and ignores
// every other type. Listen() subscribes a new listener bound to an owner and
// returns the Subscription that unsubscribes it when the owner lets go of it.
// Invariant: a listener only observes its owner; the owner keeps the Subscription,
// so the listener never outlives it.
#pragma once

#include <memory>
#include <type_traits>

#include "engine/Event.h"
#include "engine/EventSystem.h"

namespace Framework {

namespace detail {

template <class Handler>
struct HandlerTraits;

template <class O, class E>
struct HandlerTraits<void (O::*)(E&)> {
  using Owner = O;
  using EventT = std::remove_const_t<E>;
};

}  // namespace detail

template <auto Handler, auto... MoreHandlers>
class EventListener : public Listener {
 public:
  using Owner = typename detail::HandlerTraits<decltype(Handler)>::Owner;
  // Where Listen subscribes unless told otherwise: the first handler's event type.
  static constexpr EventType FirstType = detail::HandlerTraits<decltype(Handler)>::EventT::kType;

  explicit EventListener(Owner* owner) : owner_(owner) {}

  void OnEvent(Event* event) override {
    if (event == nullptr) return;
    Dispatch<Handler>(*event) || (Dispatch<MoreHandlers>(*event) || ...);
  }

 private:
  template <auto H>
  bool Dispatch(Event& event) {
    using Traits = detail::HandlerTraits<decltype(H)>;
    static_assert(std::is_same_v<typename Traits::Owner, Owner>, "every handler belongs to the same owner");
    using E = typename Traits::EventT;
    if (event.Type != E::kType) return false;
    (owner_->*H)(static_cast<E&>(event));
    return true;
  }

  Owner* owner_;
};

// Subscribes a new L bound to `owner` for `type` (by default its first handler's type).
template <class L>
Subscription Listen(typename L::Owner* owner, EventType type = L::FirstType) {
  return Subscription(type, std::make_unique<L>(owner));
}

}  // namespace Framework
