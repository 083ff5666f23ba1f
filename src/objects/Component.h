// Component: the base of every piece of data or behaviour a GameObject carries.
// Invariant: a component is attached to at most one object; TypeId and Owner are
// set when it is attached and never change afterwards. A component registered for
// its object's events is unregistered by its own destruction.
#pragma once

#include <cstdint>
#include <string>

#include "engine/ObjectEventReceiver.h"

namespace Framework {

class Component : public ObjectEventReceiver {
 public:
  explicit Component(std::string name) : Name(std::move(name)) {}

  // Called when the component has been attached, and again by whoever changes its settings.
  virtual void Initialize() {}

  std::uint32_t TypeId = 0;
  // The component's type name, and its key in level files.
  std::string Name;
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
