// ParticleEmitter: a script that spawns particles into the ParticleSystem while
// it is active, at a rate and within random bounds that change over its life.
// The Init... fields are the settings (what a level file holds); Start copies
// them into the current fields, which the interpolators then move.
// Invariant: Spawned never exceeds MaxToSpawn, and after an Update the emitter has
// spawned the smallest whole number not below SpawnRate × RunTime (capped at
// MaxToSpawn), unless a safety limit of the ParticleSystem held it back.
#pragma once

#include <array>
#include <cstdint>

#include "engine/Vec2.h"
#include "objects/Script.h"
#include "particles/Interpolator.h"
#include "particles/Particle.h"

namespace Framework {

class ParticleEmitter : public Script {
 public:
  ParticleEmitter();
  ~ParticleEmitter() override;

  // Takes the owner's position and restarts the emitter.
  void Initialize() override;
  // RunTime and Spawned to 0, and the current rate and bounds to their settings.
  void Start();
  void Update(float dt) override;

  // Creation number: keys the emitter's particles in the ParticleSystem. Unlike the
  // address it is never reused, and it orders emitters the same way in every run.
  std::uint64_t Serial() const { return serial_; }

  float InitSpawnRate = 0.0f;  // particles per second at Start
  float SpawnRate = 0.0f;
  std::uint32_t MaxToSpawn = 0;  // most particles per Start
  float TimeToBeActive = 0.0f;   // seconds of activity left
  Vec2 EmitterPosition{0.0f, 0.0f};
  Distribution InitLifeTimeDistribution;
  Distribution LifeTimeDistribution;
  std::array<Distribution, ParticleChannel::Count> InitCreationDistribution{};
  std::array<Distribution, ParticleChannel::Count> CreationDistribution{};
  InterpolatorConfig SpawnRateInterpolator;
  InterpolatorPair LifetimeInterpolatorConfig;
  std::array<InterpolatorPair, ParticleChannel::Count> EmitterInterpolatorConfigs{};
  // Read by the ParticleSystem at the first spawn after each Clear only.
  std::array<InterpolatorConfig, ParticleChannel::Count> ParticleInterpolatorConfig{};
  std::int32_t Spawned = 0;
  float RunTime = 0.0f;  // seconds since Start
  bool Active = false;

 private:
  // False (and said once) when the owner has no Transform to follow.
  bool FollowOwner();

  std::uint64_t serial_;
  bool reportedNoTransform_ = false;
};

}  // namespace Framework
