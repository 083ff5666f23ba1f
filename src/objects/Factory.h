// Factory: the only owner of the level's game objects. It numbers them, attaches
// components, builds the named archetypes, remembers the player, and destroys
// objects at once (DestroyAll) or at its next Update (QueueDestroy).
// Invariant: object ids are unique for the whole run and never reused.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "engine/EventSystem.h"
#include "engine/InterfaceSystem.h"
#include "objects/GameObject.h"

namespace Framework {

class FactoryEvent;

class Factory : public InterfaceSystem {
 public:
  static Factory& Instance();

  GameObject* CreateObject();

  // Makes a T with its defaults, attaches it and initialises it.
  template <class T>
  T* AddComponent(GameObject& object) {
    T* component = object.Attach(std::make_unique<T>());
    component->Initialize();
    return component;
  }

  void QueueDestroy(std::uint32_t id);
  // Destroys the object at once (an editor's delete); an unknown id does nothing.
  // The player destroyed this way is the Factory's Player no longer.
  void Destroy(std::uint32_t id);
  void DestroyAll();
  GameObject* Find(std::uint32_t id) const;

  // Carries out one FactoryEvent command (what the factory's listener does).
  void Execute(FactoryEvent& event);

  void Initialize() override;
  // Destroys the objects queued for destruction; ids no longer present are skipped.
  void Update(float dt, bool paused) override;
  ~Factory() override;

  // Ordered by id, so walks over the world (saving, debugging) follow creation order.
  std::map<std::uint32_t, std::unique_ptr<GameObject>> Objects;
  std::uint32_t NextId = 0;
  std::vector<std::uint32_t> DestroyQueue;
  GameObject* Player = nullptr;

 private:
  Factory();
  GameObject* BuildArchetype(std::int32_t command);

  Subscription listener_;
};

}  // namespace Framework
