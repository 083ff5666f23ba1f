// Interpolator: the value-over-time scheme that drives an emitter's spawn rate,
// its random bounds and every particle value. A config names a formula (Method),
// a time scale and an amount of change; Interpolate applies it to one float.
// Invariant: Interpolate is a pure function of its arguments; only the steady-rate
// methods build on the previous value, every other method recomputes from the
// initial value and the elapsed time, so a frame's step size never accumulates error.
#pragma once

#include <cstdint>

namespace Framework {

// InterpolatorConfig::Method. Level files may use 8 to 14 for 1 to 7 (same
// formulas); 0 and anything from 16 on leave the value alone.
struct InterpolationMethod {
  enum Value : std::uint32_t {
    Constant = 0,
    SteadyRate = 1,    // Decay: falls instead of rising
    Square = 2,        // Decay: square root
    Sine = 3,          // Decay: the sign is reversed
    Cosine = 4,
    AbsSine = 5,
    AbsCosine = 6,
    Exponential = 7,   // Decay: logarithm
    AliasOffset = 7,   // 8..14 are 1..7 under another number
    Reciprocal = 15,
  };
};

struct InterpolatorConfig {
  std::uint32_t Method = InterpolationMethod::Constant;
  float TimeTarget = 0.0f;  // seconds
  float Target = 0.0f;      // amount of change
  bool Decay = false;       // the falling (or alternative) form

  bool operator==(const InterpolatorConfig&) const = default;
};

// Two interpolators that move the Low and High bounds of one Distribution.
struct InterpolatorPair {
  InterpolatorConfig Low;
  InterpolatorConfig High;
};

// Changes `value` in place. `initial` is its starting point, `dt` the frame's
// step and `t` the time since the start (an emitter's RunTime, a particle's Age).
void Interpolate(float& value, const InterpolatorConfig& config, float initial, float dt, float t);

}  // namespace Framework
