// ObjectEventReceiver: what the EventSystem hands the object events addressed to
// one game object. The objects layer's Component is one; the engine knows the
// object only by its address, so it never depends on what an object holds.
// Invariant: a receiver registered for object events is unregistered by its own
// destruction, whoever deletes it.
#pragma once

namespace Framework {

class Event;
class GameObject;

class ObjectEventReceiver {
 public:
  ObjectEventReceiver() = default;
  ObjectEventReceiver(const ObjectEventReceiver&) = delete;
  ObjectEventReceiver& operator=(const ObjectEventReceiver&) = delete;
  // Leaves the object-event registry if it joined it.
  virtual ~ObjectEventReceiver();

  // An object event addressed to the owner (only once registered with the EventSystem).
  virtual void OnObjectEvent(Event* event) { (void)event; }

  GameObject* Owner = nullptr;

 private:
  friend class EventSystem;
  // Set by the EventSystem while this receiver is registered for object events.
  bool receivesObjectEvents_ = false;
};

}  // namespace Framework
