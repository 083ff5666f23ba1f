// EnemyTrigger: the deadly side of an enemy. When the player touches its object
// it plays "crash.ogg" and announces the player's death by enemy (the player's
// DeathAnimation sprays and restarts); contacts with anything else are ignored.
// Invariant: registered for its object's collision events from Initialize on.
#pragma once

#include "objects/Script.h"

namespace Framework {

class EnemyTrigger : public Script {
 public:
  // DeathEvent::Cause for a death by enemy.
  static constexpr int DeathCause = 2;

  EnemyTrigger() : Script("EnemyTriggerScript") {}
  void Initialize() override;
  void Update(float) override {}
  void OnObjectEvent(Event* event) override;
};

}  // namespace Framework
