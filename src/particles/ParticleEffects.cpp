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

// How a burst starts: the creation ranges of every channel it spawns on.
struct StartRanges {
  float Rate;
  float TimeActive;
  Distribution Lifetime, Alpha, Red, Green, Blue, Scale, Spread, Speed;
};

void SetStart(ParticleEmitter& e, const StartRanges& r) {
  SetRate(e, r.Rate);
  e.TimeToBeActive = r.TimeActive;
  SetLifetime(e, r.Lifetime);
  SetCreation(e, C::Alpha, r.Alpha);
  SetCreation(e, C::Red, r.Red);
  SetCreation(e, C::Green, r.Green);
  SetCreation(e, C::Blue, r.Blue);
  for (std::size_t channel : {C::ScaleX, C::ScaleY}) SetCreation(e, channel, r.Scale);
  for (std::size_t channel : {C::PositionX, C::PositionY}) SetCreation(e, channel, r.Spread);
  for (std::size_t channel : {C::VelocityX, C::VelocityY}) SetCreation(e, channel, r.Speed);
}

// The explosion: a short, dense spray of fire colours.
const StartRanges kExplosionStart = {.Rate = 1000.0f, .TimeActive = 0.2f, .Lifetime = {0.1f, 0.2f},
                                     .Alpha = {1.0f, 1.0f}, .Red = {0.75f, 1.0f}, .Green = {0.0f, 0.85f},
                                     .Blue = {0.0f, 0.0f}, .Scale = {0.25f, 0.5f}, .Spread = {-0.5f, 0.5f},
                                     .Speed = {-2.0f, 2.0f}};
// The fuse: a steady trickle of small white sparks, burning as long as the bomb flies.
const StartRanges kFuseStart = {.Rate = 120.0f, .TimeActive = std::numeric_limits<float>::max(),
                                .Lifetime = {0.2f, 0.2f}, .Alpha = {0.7f, 0.9f}, .Red = {1.0f, 1.0f},
                                .Green = {1.0f, 1.0f}, .Blue = {1.0f, 1.0f}, .Scale = {0.1f, 0.2f},
                                .Spread = {-0.3f, 0.3f}, .Speed = {0.0f, 0.0f}};

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
    SetStart(e, kExplosionStart);
  } else {
    SetStart(e, kFuseStart);
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
