#include "engine/Random.h"

#include <optional>

namespace Framework {

namespace {

// Holds the master sequence while a master seed is set.
std::optional<std::mt19937>& Master() {
  static std::optional<std::mt19937> master;
  return master;
}

}  // namespace

std::uint32_t Random::NextSeed() {
  if (Master()) return static_cast<std::uint32_t>((*Master())());
  std::random_device device;
  return static_cast<std::uint32_t>(device());
}

void Random::SetMasterSeed(std::uint32_t seed) { Master().emplace(seed); }

void Random::ClearMasterSeed() { Master().reset(); }

}  // namespace Framework
