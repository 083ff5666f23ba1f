// ParticleEffects: the game's tuned emitter settings, one function per effect, so
// the bomb and the death animation each configure their emitter with one call.
// Invariant: each function leaves the emitter started and active, with its
// current rate and bounds equal to the settings it wrote.
#pragma once

namespace Framework {

class ParticleEmitter;

// The sparks trailing a flying bomb: a steady trickle that never runs out.
void ApplyFuseSparks(ParticleEmitter& emitter);
// The burst of an exploding bomb: 0.2 s of fast, shrinking-from-large sparks.
void ApplyExplosionBurst(ParticleEmitter& emitter);

// Where the player died, which decides the direction of the spray.
enum class DeathSpray {
  HazardAbove,  // the player shrinks up into the hazard
  HazardBelow,  // the player sinks into the hazard
  Enemy,
};
void ApplyDeathSpray(ParticleEmitter& emitter, DeathSpray kind);

}  // namespace Framework
