// Random: the one place every random generator of the game takes its seed from.
// By default each seed comes from the platform's random device, so every run
// differs. A test or a replay sets a master seed first; from then on the seeds
// handed out form a fixed sequence, so a run that builds its generators in the
// same order repeats exactly.
// Invariant: while a master seed is set, the n-th seed handed out after setting
// it depends only on that master seed and n.
#pragma once

#include <cstdint>
#include <random>

namespace Framework {

class Random {
 public:
  // The seed for a new generator.
  static std::uint32_t NextSeed();
  // A Mersenne Twister seeded with NextSeed().
  static std::mt19937 MakeGenerator() { return std::mt19937(NextSeed()); }
  // Makes every later seed part of a sequence fixed by `seed`.
  static void SetMasterSeed(std::uint32_t seed);
  // Back to the platform's random device.
  static void ClearMasterSeed();
};

}  // namespace Framework
