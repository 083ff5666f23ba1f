// FireflyScript: makes its object wander slowly. Twice a second it may (one time
// in four) pick a new turn rate; between picks the heading turns steadily. The
// generator's seed comes from the game's random seam, so a seeded run repeats
// its fireflies exactly.
// Invariant: direction has unit length, so the firefly always moves at `speed`.
#pragma once

#include <random>

#include "engine/Vec2.h"
#include "gameplay/MissingParts.h"
#include "objects/Script.h"

namespace Framework {

class FireflyScript : public Script {
 public:
  // Seconds between chances to change the turn rate.
  static constexpr float TurnInterval = 0.5f;
  // Units per second.
  static constexpr float Speed = 0.25f;

  FireflyScript();
  void Update(float dt) override;

 private:
  Vec2 direction_{1.0f, 0.0f};
  // Radians per second.
  float turnRate_ = 0.0f;
  float turnTimer_ = 0.0f;

  std::mt19937 random_;
  MissingParts missing_;
};

}  // namespace Framework
