// GameObject: a named, numbered bag of components, at most one of each class.
// Invariant: every component in Components is keyed by TypeIdOf its own class,
// and its Owner is this object. The object owns its components.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

#include "objects/Component.h"

namespace Framework {

class GameObject {
 public:
  GameObject() = default;
  GameObject(const GameObject&) = delete;
  GameObject& operator=(const GameObject&) = delete;
  // Deletes the components, then makes the EventSystem forget the object: no queued
  // event can reach it or name it afterwards, however it was deleted.
  ~GameObject();

  // The component of class T, or null. Exact class only: a PointLight is not found as a Light.
  template <class T>
  T* GetComponent() const {
    auto it = Components.find(TypeIdOf<T>());
    if (it == Components.end()) return nullptr;
    return dynamic_cast<T*>(it->second.get());
  }

  // Stores the component under its class's number (replacing any component of that
  // class, which is deleted and so leaves every registry), sets TypeId and Owner.
  // Does not call Initialize: the Factory does.
  template <class T>
  T* Attach(std::unique_ptr<T> component) {
    T* raw = component.get();
    raw->TypeId = TypeIdOf<T>();
    raw->Owner = this;
    // Swapped out before the old one dies, so its destructor sees the map already holding the new one.
    std::unique_ptr<Component> replaced = std::exchange(Components[raw->TypeId], std::move(component));
    return raw;
  }

  // Deletes every component. Destructors unregister themselves from the systems
  // that observe them; the map is detached first so none of them sees a half-empty one.
  void DestroyComponents() {
    auto doomed = std::move(Components);
    Components.clear();
    doomed.clear();
  }

  std::unordered_map<std::uint32_t, std::unique_ptr<Component>> Components;
  std::string Name;
  std::uint32_t Id = 0;
};

}  // namespace Framework
