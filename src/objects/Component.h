// Component: the base of every piece of data or behaviour a GameObject carries.
// Invariant: a component is attached to at most one object; TypeId and Owner are
// set when it is attached and never change afterwards. A component registered for
// its object's events is unregistered by its own destruction.
#pragma once

#include <cstdint>
#include <string>

namespace Framework {

class Event;
class GameObject;

class Component {
 public:
  explicit Component(std::string name) : Name(std::move(name)) {}
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  // Called when the component has been attached, and again by whoever changes its settings.
  virtual void Initialize() {}
  // Leaves the object-event registry if it joined it, whoever deletes the component.
  virtual ~Component();
  // An object event addressed to the owner (only for components registered with the EventSystem).
  virtual void OnObjectEvent(Event* event) { (void)event; }

  std::uint32_t TypeId = 0;
  // The component's type name, and its key in level files.
  std::string Name;
  GameObject* Owner = nullptr;

 private:
  friend class EventSystem;
  // Set by the EventSystem while this component is registered for object events.
  bool receivesObjectEvents_ = false;
};

// Hands out a number to each component class the first time it is asked for,
// in order of first use. Numbers live only for this run; files never hold them.
inline std::uint32_t NextComponentTypeId() {
  static std::uint32_t next = 0;
  return next++;
}

template <class T>
std::uint32_t TypeIdOf() {
  static const std::uint32_t id = NextComponentTypeId();
  return id;
}

}  // namespace Framework
