// The archetypes the game builds, and the attach steps they and the component
// rows share. This is where a new archetype gets its one row.
#pragma once

#include <cstdint>

#include "engine/Commands.h"
#include "objects/FactoryTable.h"

namespace Framework {

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

// Hands the archetype table to the Factory.
void RegisterArchetypes();

}  // namespace Framework
