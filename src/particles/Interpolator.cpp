#include "particles/Interpolator.h"

#include <cmath>

namespace Framework {

namespace {

// The single-precision constants the effects were tuned with; kept bit for bit
// so that level files look the same as they always did.
constexpr float kTwoPi = 6.2831855f;
constexpr float kLn2 = 0.6931472f;
constexpr float kSixth = 0.16666667f;
constexpr float kTwentyFourth = 0.041666668f;
constexpr float kOneHundredTwentieth = 0.008333334f;

// Sine and cosine are taken in double precision of the float argument.
float Sin(float x) { return static_cast<float>(std::sin(static_cast<double>(x))); }
float Cos(float x) { return static_cast<float>(std::cos(static_cast<double>(x))); }

// value = initial ± A × wave; the four wave methods differ only in the wave.
float Wave(float initial, float amount, float wave, bool decay) {
  return decay ? initial - amount * wave : initial + amount * wave;
}

}  // namespace

void Interpolate(float& value, const InterpolatorConfig& config, float initial, float dt, float t) {
  std::uint32_t method = config.Method;
  if (method > InterpolationMethod::Exponential && method < InterpolationMethod::Reciprocal) {
    method -= InterpolationMethod::AliasOffset;
  }
  const float T = config.TimeTarget;
  const float A = config.Target;
  const bool decay = config.Decay;

  switch (method) {
    case InterpolationMethod::SteadyRate:
      value = decay ? value - (A / T) * dt : value + (A / T) * dt;
      return;
    case InterpolationMethod::Square:
      value = decay ? initial + A / std::sqrt(T) * std::sqrt(t) : initial + A / (T * T) * (t * t);
      return;
    case InterpolationMethod::Sine:
      value = Wave(initial, A, Sin(kTwoPi * t / T), decay);
      return;
    case InterpolationMethod::Cosine:
      value = Wave(initial, A, Cos(kTwoPi * t / T), decay);
      return;
    case InterpolationMethod::AbsSine:
      value = Wave(initial, A, std::fabs(Sin(kTwoPi * t / T)), decay);
      return;
    case InterpolationMethod::AbsCosine:
      value = Wave(initial, A, std::fabs(Cos(kTwoPi * t / T)), decay);
      return;
    case InterpolationMethod::Exponential: {
      const float u = t / T;
      if (decay) {
        value = initial + A * std::log(u + 1.0f) / kLn2;
        return;
      }
      // A short series of e^x with x = (u + 1) ln 2, less 2: 0 at u = 0, 2 at u = 1.
      const float x = (u + 1.0f) * kLn2;
      const float x2 = x * x;
      const float x3 = x2 * x;
      const float x4 = x3 * x;
      const float x5 = x4 * x;
      value = initial + A * (x2 * 0.5f + (x + 1.0f) + x3 * kSixth + x4 * kTwentyFourth + x5 * kOneHundredTwentieth - 2.0f);
      return;
    }
    case InterpolationMethod::Reciprocal:
      value = initial / (t / T + 1.0f) - 1.0f + A;
      return;
    default:
      return;  // Constant, and every number the game does not know
  }
}

}  // namespace Framework
