// GameplayEffects: the particle effects the gameplay scripts ask for (bomb fuse,
// explosion burst, death sprays) and the random seeds the scripts draw from.
// The scripts name what they want; this file knows how the particle system
// makes it, so tuning an effect never touches a script.
// Invariant: every effect object is built through FactoryEvents, like the rest
// of the world, so the level writer and the Factory see nothing unusual.
#pragma once

#include <cstdint>

#include "engine/Vec2.h"

namespace Framework {

class GameObject;

// Where the player died, which decides the direction of the spray.
enum class DeathSprayKind { HazardAbove, HazardBelow, Enemy };

// The flying bomb's sparks: configures and starts the bomb's own emitter.
void StartFuseSparks(GameObject& bomb);
void StopFuseSparks(GameObject& bomb);
// A new effect object at `at` with the explosion burst; returns it.
GameObject* SpawnExplosionBurst(Vec2 at);
// A new effect object at `at` with the death spray of that kind; returns it.
GameObject* SpawnDeathSpray(Vec2 at, DeathSprayKind kind);

// A seed for a new random generator (fixed sequence when a test seeds the game).
std::uint32_t NextRandomSeed();

}  // namespace Framework
