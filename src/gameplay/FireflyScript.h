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

  FireflyScript();
  void Update(float dt) override;

  Vec2 direction{1.0f, 0.0f};
  // Radians per second.
  float turnRate = 0.0f;
  // Units per second.
  float speed = 0.25f;
  float turnTimer = 0.0f;

 private:
  std::mt19937 random_;
  MissingParts missing_;
};

}  // namespace Framework
