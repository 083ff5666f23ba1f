#include "particles/ParticleEffects.h"

#include <cstdint>
#include <limits>

#include "particles/ParticleEmitter.h"

namespace Framework {

namespace {

constexpr float kPi = 3.1415927f;
using C = ParticleChannel;

// Writes a creation bound to the setting and to the current field alike.
void SetCreation(ParticleEmitter& e, std::size_t channel, Distribution bounds) {
  e.InitCreationDistribution[channel] = bounds;
  e.CreationDistribution[channel] = bounds;
}

void SetLifetime(ParticleEmitter& e, Distribution bounds) {
  e.InitLifeTimeDistribution = bounds;
  e.LifeTimeDistribution = bounds;
}

void SetRate(ParticleEmitter& e, float rate) {
  e.InitSpawnRate = rate;
  e.SpawnRate = rate;
}

InterpolatorConfig Config(std::uint32_t method, float timeTarget, float target) {
  return InterpolatorConfig{method, timeTarget, target, false};
}

InterpolatorPair Both(std::uint32_t method, float timeTarget, float target) {
  return {Config(method, timeTarget, target), Config(method, timeTarget, target)};
}

// How the explosion's burst starts: a short, dense spray of fire colours.
void SetExplosionStart(ParticleEmitter& e) {
  SetRate(e, 1000.0f);
  e.TimeToBeActive = 0.2f;
  SetLifetime(e, {0.1f, 0.2f});
  SetCreation(e, C::Alpha, {1.0f, 1.0f});
  SetCreation(e, C::Red, {0.75f, 1.0f});
  SetCreation(e, C::Green, {0.0f, 0.85f});
  SetCreation(e, C::Blue, {0.0f, 0.0f});
  SetCreation(e, C::ScaleX, {0.25f, 0.5f});
  SetCreation(e, C::ScaleY, {0.25f, 0.5f});
  SetCreation(e, C::PositionX, {-0.5f, 0.5f});
  SetCreation(e, C::PositionY, {-0.5f, 0.5f});
  SetCreation(e, C::VelocityX, {-2.0f, 2.0f});
  SetCreation(e, C::VelocityY, {-2.0f, 2.0f});
}

// How the fuse's sparks start: a steady trickle of small white sparks.
void SetFuseStart(ParticleEmitter& e) {
  SetRate(e, 120.0f);
  e.TimeToBeActive = std::numeric_limits<float>::max();  // burns as long as the bomb flies
  SetLifetime(e, {0.2f, 0.2f});
  SetCreation(e, C::Alpha, {0.7f, 0.9f});
  SetCreation(e, C::Red, {1.0f, 1.0f});
  SetCreation(e, C::Green, {1.0f, 1.0f});
  SetCreation(e, C::Blue, {1.0f, 1.0f});
  SetCreation(e, C::ScaleX, {0.1f, 0.2f});
  SetCreation(e, C::ScaleY, {0.1f, 0.2f});
  SetCreation(e, C::PositionX, {-0.3f, 0.3f});
  SetCreation(e, C::PositionY, {-0.3f, 0.3f});
  SetCreation(e, C::VelocityX, {0.0f, 0.0f});
  SetCreation(e, C::VelocityY, {0.0f, 0.0f});
}

// How the emitter's ranges move over its life; `burstOnly` is the method of the
// parts that move only in the explosion.
void SetEmitterCurves(ParticleEmitter& e, std::uint32_t burstOnly) {
  e.SpawnRateInterpolator = Config(InterpolationMethod::Constant, 10.0f, 100.0f);
  e.LifetimeInterpolatorConfig = Both(InterpolationMethod::Constant, 10.0f, 10.0f);
  auto& emitterConfigs = e.EmitterInterpolatorConfigs;
  emitterConfigs[C::Rotation] = Both(InterpolationMethod::Constant, 5.0f, kPi);
  emitterConfigs[C::Alpha] = Both(burstOnly, 0.2f, -1.0f);
  emitterConfigs[C::Red] = Both(InterpolationMethod::Constant, 1.7f, 0.2f);
  emitterConfigs[C::Green] = Both(InterpolationMethod::Constant, 1.9f, 0.4f);
  emitterConfigs[C::Blue] = Both(InterpolationMethod::Constant, 3.0f, 0.6f);
  emitterConfigs[C::ScaleX] = Both(InterpolationMethod::Constant, 5.0f, 2.0f);
  emitterConfigs[C::ScaleY] = Both(InterpolationMethod::Constant, 5.0f, 3.0f);
  for (std::size_t c : {C::PositionX, C::PositionY}) {
    emitterConfigs[c] = {Config(burstOnly, 0.2f, -2.5f), Config(burstOnly, 0.2f, 2.5f)};
  }
  emitterConfigs[C::VelocityX] = {Config(InterpolationMethod::Constant, 10.0f, 5.0f),
                                  Config(InterpolationMethod::Constant, 10.0f, 10.0f)};
  emitterConfigs[C::VelocityY] = Both(InterpolationMethod::Constant, 1.0f, 0.0f);
}

// How each particle changes over its life.
void SetParticleCurves(ParticleEmitter& e, bool explosion) {
  // 9 is the square-root form of method 2 under its second number, as the effects were tuned.
  constexpr std::uint32_t kSquareAlias = InterpolationMethod::Square + InterpolationMethod::AliasOffset;
  auto& particleConfigs = e.ParticleInterpolatorConfig;
  particleConfigs[C::Rotation] = Config(InterpolationMethod::Constant, 15.0f, kPi);
  particleConfigs[C::Alpha] = Config(kSquareAlias, 0.2f, -1.0f);
  particleConfigs[C::Red] = Config(InterpolationMethod::Constant, 1.7f, 0.2f);
  particleConfigs[C::Green] = Config(InterpolationMethod::Constant, 1.9f, 0.4f);
  particleConfigs[C::Blue] = Config(InterpolationMethod::Constant, 3.0f, 0.6f);
  for (std::size_t c : {C::ScaleX, C::ScaleY}) {
    particleConfigs[c] = explosion ? Config(InterpolationMethod::SteadyRate, 0.2f, 0.5f) : Config(kSquareAlias, 0.2f, -0.05f);
  }
  particleConfigs[C::PositionX] = Config(InterpolationMethod::Constant, 5.0f, 6.0f);
  particleConfigs[C::PositionY] = Config(InterpolationMethod::Constant, 2.0f, 10.0f);
  particleConfigs[C::VelocityX] = Config(InterpolationMethod::Constant, 1.0f, 0.0f);
  particleConfigs[C::VelocityY] = Config(InterpolationMethod::Constant, 1.0f, 0.0f);
}

// The two bomb effects share their interpolators apart from a few methods and targets.
void ApplyBombEffect(ParticleEmitter& e, bool explosion) {
  e.Start();
  if (explosion) {
    SetExplosionStart(e);
  } else {
    SetFuseStart(e);
  }
  e.MaxToSpawn = std::numeric_limits<std::uint32_t>::max();
  SetCreation(e, C::Rotation, {0.0f, kPi / 2.0f});
  e.Active = true;
  SetEmitterCurves(e, explosion ? InterpolationMethod::SteadyRate : InterpolationMethod::Constant);
  SetParticleCurves(e, explosion);
  e.Initialize();
}

}  // namespace

void ApplyFuseSparks(ParticleEmitter& emitter) { ApplyBombEffect(emitter, false); }

void ApplyExplosionBurst(ParticleEmitter& emitter) { ApplyBombEffect(emitter, true); }

void ApplyDeathSpray(ParticleEmitter& e, DeathSpray kind) {
  const bool enemy = kind == DeathSpray::Enemy;
  e.InitSpawnRate = enemy ? 150.0f : 250.0f;
  e.MaxToSpawn = 10000000;
  e.TimeToBeActive = enemy ? 1.2f : 1000000.0f;
  e.InitLifeTimeDistribution = {0.2f, 0.5f};
  e.InitCreationDistribution[C::Alpha] = {0.5f, 1.0f};
  e.InitCreationDistribution[C::Red] = {1.0f, 1.0f};
  e.InitCreationDistribution[C::Green] = enemy ? Distribution{0.8f, 1.0f} : Distribution{0.4f, 0.5f};
  e.InitCreationDistribution[C::Blue] = {0.3f, 0.4f};
  e.InitCreationDistribution[C::ScaleX] = {0.2f, 0.3f};
  e.InitCreationDistribution[C::ScaleY] = {0.2f, 0.3f};
  e.InitCreationDistribution[C::VelocityX] = {-3.0f, 3.0f};
  switch (kind) {
    case DeathSpray::HazardAbove:
      e.InitCreationDistribution[C::PositionX] = {-1.0f, 1.0f};
      e.InitCreationDistribution[C::PositionY] = {0.0f, 1.25f};
      e.InitCreationDistribution[C::VelocityY] = {-3.0f, 1.0f};
      break;
    case DeathSpray::HazardBelow:
      e.InitCreationDistribution[C::PositionX] = {-1.0f, 1.0f};
      e.InitCreationDistribution[C::PositionY] = {-1.25f, 0.0f};
      e.InitCreationDistribution[C::VelocityY] = {-1.0f, 3.0f};
      break;
    case DeathSpray::Enemy:
      e.InitCreationDistribution[C::VelocityY] = {-3.0f, 3.0f};
      break;
  }
  // A spray whose bounds and particles stay as they were born.
  for (std::size_t c = 0; c < ParticleChannel::Count; ++c) {
    e.EmitterInterpolatorConfigs[c].Low.Method = InterpolationMethod::Constant;
    e.EmitterInterpolatorConfigs[c].High.Method = InterpolationMethod::Constant;
    e.ParticleInterpolatorConfig[c].Method = InterpolationMethod::Constant;
  }
  e.Initialize();
  e.Start();
  e.Active = true;
}

}  // namespace Framework
