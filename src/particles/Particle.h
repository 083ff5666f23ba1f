// Particle: one spark of an emitter, with the eleven values it was born with and
// the values it has now. Distribution: the bounds of a uniform random value.
// Invariant: SpawnValues never change after birth; the position channels hold
// world coordinates (the emitter's position is added at birth).
#pragma once

#include <array>
#include <cstddef>

namespace Framework {

// Indices of a particle's values.
struct ParticleChannel {
  enum Value : std::size_t {
    Rotation = 0,
    Alpha = 1,
    Red = 2,
    Green = 3,
    Blue = 4,
    ScaleX = 5,
    ScaleY = 6,
    PositionX = 7,  // spawned relative to the emitter, then absolute
    PositionY = 8,
    VelocityX = 9,  // units per second
    VelocityY = 10,
  };
  static constexpr std::size_t Count = 11;
};

struct Distribution {
  float Low = 0.0f;
  float High = 0.0f;
  bool operator==(const Distribution&) const = default;
};

struct Particle {
  float LifeSpan = 0.0f;  // seconds
  float Age = 0.0f;       // seconds
  std::array<float, ParticleChannel::Count> SpawnValues{};
  std::array<float, ParticleChannel::Count> Values{};
};

}  // namespace Framework
