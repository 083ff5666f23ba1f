// Every interpolation method against values worked out by hand.
#include "particles/Interpolator.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace Framework {
namespace {

struct Case {
  const char* what;
  std::uint32_t method;
  bool decay;
  float timeTarget, target;
  float value, initial, dt, t;
  float expected;
};

TEST(Interpolate, EveryMethodGivesTheHandWorkedValueUnderBothItsNumbers) {
  // initial is 1 unless the method ignores it; A and T chosen so the results are round.
  const Case cases[] = {
      {"constant leaves the value", 0, false, 2, 4, 5, 1, 0.5f, 1, 5},
      {"unknown numbers leave it too", 16, true, 2, 4, 5, 1, 0.5f, 1, 5},
      {"steady rate adds A/T per second", 1, false, 2, 4, 2, 1, 0.5f, 9, 3},
      {"steady rate falls with decay", 1, true, 2, 4, 2, 1, 0.5f, 9, 1},
      {"square: A t^2 / T^2", 2, false, 2, 8, 0, 1, 0, 1, 3},
      {"square root with decay", 2, true, 2, 8, 0, 1, 0, 4, 1 + 11.3137085f},
      {"sine at a quarter period", 3, false, 2, 1, 0, 1, 0, 0.5f, 2},
      {"sine reversed with decay", 3, true, 2, 1, 0, 1, 0, 0.5f, 0},
      {"sine at three quarters", 3, false, 2, 1, 0, 1, 0, 1.5f, 0},
      {"cosine at half a period", 4, false, 2, 1, 0, 1, 0, 1, 0},
      {"absolute sine", 5, false, 2, 1, 0, 1, 0, 1.5f, 2},
      {"absolute cosine", 6, false, 2, 1, 0, 1, 0, 1, 2},
      {"exponential series at the start", 7, false, 2, 1, 0, 1, 0, 0, 1 - 0.00017072f},
      {"exponential series after T", 7, false, 2, 1, 0, 1, 0, 2, 1 + 1.9877907f},
      {"logarithm after T", 7, true, 2, 3, 0, 1, 0, 2, 4},
      {"reciprocal", 15, false, 2, 3, 0, 4, 0, 2, 4},
  };
  for (const Case& c : cases) {
    float value = c.value;
    Interpolate(value, InterpolatorConfig{c.method, c.timeTarget, c.target, c.decay}, c.initial, c.dt, c.t);
    EXPECT_NEAR(value, c.expected, 2e-5f) << c.what;
  }
  // Methods 8 to 14 are 1 to 7 under another number.
  for (std::uint32_t method = 1; method <= 7; ++method) {
    for (bool decay : {false, true}) {
      for (float t : {0.0f, 0.3f, 1.7f}) {
        float a = 0.25f, b = 0.25f;
        Interpolate(a, {method, 1.3f, -2.0f, decay}, 0.5f, 0.02f, t);
        Interpolate(b, {method + 7, 1.3f, -2.0f, decay}, 0.5f, 0.02f, t);
        EXPECT_EQ(a, b) << "method " << method << " decay " << decay << " t " << t;
      }
    }
  }
}

}  // namespace
}  // namespace Framework
