// CloudScript: drifts its object at a small constant velocity drawn at random
// when the script is initialised (a second Initialize draws a new one). Clouds
// never turn back. The generator's seed comes from the game's random seam, so a
// seeded run repeats its clouds exactly.
// Invariant: |velocity.x| <= MaxDriftX and |velocity.y| <= MaxDriftY.
#pragma once

#include <random>

#include "engine/Vec2.h"
#include "gameplay/MissingParts.h"
#include "objects/Script.h"

namespace Framework {

class CloudScript : public Script {
 public:
  static constexpr float MaxDriftX = 0.25f;
  static constexpr float MaxDriftY = 0.1f;

  CloudScript();
  void Initialize() override;
  void Update(float dt) override;

  // Drawn once, at the start: units per second.
  Vec2 Velocity() const { return velocity_; }

 private:
  // Units per second.
  Vec2 velocity_{0.0f, 0.0f};

  std::mt19937 random_;
  MissingParts missing_;
};

}  // namespace Framework
