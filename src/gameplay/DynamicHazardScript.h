// DynamicHazardScript: a hazard that drifts inside a box, bouncing back (both
// components of its rate reversed) whenever its next step would leave it.
// Touching it restarts the level at once with "crash.ogg", without animation.
// Invariant: registered for its object's collision events from Initialize until it dies.
#pragma once

#include "engine/Vec2.h"
#include "gameplay/MissingParts.h"
#include "objects/Script.h"

namespace Framework {

class DynamicHazardScript : public Script {
 public:
  DynamicHazardScript() : Script("DynamicHazardScript") {}
  void Initialize() override;
  void Update(float dt) override;
  void OnObjectEvent(Event* event) override;

  // Current velocity, units per second.
  Vec2 Rate{0.0f, 0.0f};
  // Corners of the box it moves in (exclusive).
  Vec2 Max{0.0f, 0.0f};
  Vec2 Min{0.0f, 0.0f};
  // Read from the level and written back with it; the hazard itself ignores them.
  float Delay = 0.0f;
  float DelayRadius = 0.0f;

 private:
  MissingParts missing_;
};

}  // namespace Framework
