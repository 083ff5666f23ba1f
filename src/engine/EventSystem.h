// EventSystem: delivers typed events to listeners, now (Send) or at its next
// Update (Post), and object events to the components registered for their object.
//
// Ownership: a posted event belongs to the queue; a sent event stays the caller's.
// A listener handed over as a unique_ptr belongs to the EventSystem until it is
// unsubscribed from every type; listeners still subscribed at exit die with it.
//
// Delivery stays safe while handlers change what is being walked: a listener or
// component removed mid-delivery is never called again (the lists are StableLists,
// and a removed listener is freed only when the outermost delivery ends), none
// still subscribed is skipped, and listeners added during a pass are reached in it.
// A component registered for object events leaves the registry by itself when it
// dies, whoever deletes it, so the registry never holds a dangling component.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/Event.h"
#include "engine/StableList.h"
#include "engine/InterfaceSystem.h"
#include "engine/ObjectEventReceiver.h"

namespace Framework {

class EventSystem : public InterfaceSystem {
 public:
  static EventSystem& Instance();
  // False once the singleton has been destroyed at exit: owners that outlive it
  // (systems created before it) must not unsubscribe any more.
  static bool IsAlive();

  // Takes ownership of the listener and appends it to the type's list.
  Listener* Subscribe(EventType type, std::unique_ptr<Listener> listener);
  // Appends a listener once more (duplicates are delivered twice). A listener the
  // EventSystem does not own is only observed: its owner must unsubscribe it before deleting it.
  void Subscribe(EventType type, Listener* listener);
  // Removes every occurrence from the type's list. An owned listener left in no
  // list is destroyed (after the current delivery, if one is running).
  void Unsubscribe(EventType type, Listener* listener);

  void Post(std::unique_ptr<Event> event);
  // Delivers at once; the caller keeps the event and may send it again.
  void Send(Event& event);

  // Registers the object's T (if it has one) for the object events addressed to it.
  // The object's class is a parameter because the engine does not know what an object holds.
  template <class T, class Object>
  void SubscribeObject(Object* object) {
    if (object) SubscribeComponent(object->template GetComponent<T>());
  }
  // Registers an attached component for its Owner's object events, once: a second
  // call (an Initialize run again) changes nothing. The component leaves the
  // registry by itself when it is destroyed; UnsubscribeComponent is only for
  // a component that stops listening while it lives.
  void SubscribeComponent(ObjectEventReceiver* component);
  void UnsubscribeComponent(ObjectEventReceiver* component);

  // Called when an object is deleted: queued object events and component commands
  // addressed to it are dropped, and those naming it as the Other party get a null
  // Other, so no handler ever reads a deleted object through a collision found
  // before it died.
  void ForgetObject(GameObject* object);

  void Update(float dt, bool paused) override;

  std::size_t QueuedCount() const { return queue_.size(); }
  std::size_t ListenerCount(EventType type) const;
  bool HasObjectEntry(GameObject* object) const { return registry_.contains(object); }

  ~EventSystem() override;

 private:
  EventSystem();
  void Deliver(Event& event);
  bool IsListed(Listener* listener) const;
  void ReleaseIfUnlisted(Listener* listener);
  // Drops the object's registry entry once it is empty and no delivery walks it.
  void EraseIfUnused(GameObject* object);

  // Listener lists by type, in subscription order.
  std::array<StableList<Listener>, EventTypeCount> listeners_;
  std::deque<std::unique_ptr<Event>> queue_;
  // Components that want the object events addressed to their game object. The
  // map is node-based, so a list stays put while the map grows during its delivery.
  std::unordered_map<GameObject*, StableList<ObjectEventReceiver>> registry_;
  std::unordered_map<Listener*, std::unique_ptr<Listener>> owned_;
  // Listeners removed mid-delivery wait here until nothing can still be calling them.
  std::vector<std::unique_ptr<Listener>> retired_;
  int deliveryDepth_ = 0;
};

// Subscription: an owner's handle on one listener it handed to the EventSystem.
// Unsubscribes on destruction, unless the EventSystem is already gone.
class Subscription {
 public:
  Subscription() = default;
  Subscription(EventType type, std::unique_ptr<Listener> listener);
  Subscription(Subscription&& other) noexcept;
  Subscription& operator=(Subscription&& other) noexcept;
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;
  ~Subscription();

  void Reset();
  Listener* Get() const { return listener_; }
  explicit operator bool() const { return listener_ != nullptr; }

 private:
  EventType type_ = EventType::Reserved0;
  Listener* listener_ = nullptr;
};

}  // namespace Framework
