// The Factory's building blocks: attach steps (each attaches one component with
// the settings its command implies) and the archetype table built from them.
// The component commands themselves are rows of the component table
// (levels/ComponentTable.h), which uses the same steps.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/Commands.h"
#include "objects/Factory.h"

namespace Framework {

class Component;
class GameObject;

// Attaches one component (with the settings its command implies) and returns it.
using AttachStep = Component* (*)(GameObject&);

// Attaches a T with its defaults and initialises it.
template <class T>
Component* AttachComponent(GameObject& object) {
  return Factory::Instance().AddComponent<T>(object);
}

// Attaches T and initialises it a second time (emitters and other scripts that
// read their own settings once attached).
template <class T>
Component* AttachTwice(GameObject& object) {
  Component* component = AttachComponent<T>(object);
  component->Initialize();
  return component;
}

// A Transform at (0, 0) with size (0, 0): the caller's Callback sets the real ones.
Component* AttachZeroTransform(GameObject& object);
// Box bodies, initialised once more so they pick up the Transform.
Component* AttachDynamicBody(GameObject& object);
Component* AttachStaticBody(GameObject& object);
// The player's controller, then its DeathAnimation; the target becomes the
// Factory's Player first, so the controller knows whose it is when it initialises.
Component* AttachPlayerController(GameObject& object);
// A Sprite with the look of one sprite type.
Component* AttachSpriteOfType(GameObject& object, std::int32_t spriteType);
template <SpriteType::Value Type>
Component* AttachSprite(GameObject& object) {
  return AttachSpriteOfType(object, Type);
}

struct Archetype {
  std::int32_t Command;
  std::string_view Name;
  // The player archetype makes its object the Factory's Player right after creating it.
  bool IsPlayer;
  // After the Transform, in order of attachment.
  std::vector<AttachStep> Steps;
};

// Null when the command is not (yet) an archetype the game builds.
const Archetype* FindArchetype(std::int32_t command);

}  // namespace Framework
