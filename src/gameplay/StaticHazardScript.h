// StaticHazardScript: spikes and the like. When the player touches the object
// it plays "crash.ogg" and announces the player's death (the DeathAnimation
// does the rest); contacts with anything else are ignored.
// Invariant: registered for its object's collision events from Initialize until it dies.
#pragma once

#include "objects/Script.h"

namespace Framework {

class StaticHazardScript : public Script {
 public:
  StaticHazardScript() : Script("StaticHazardScript") {}
  void Initialize() override;
  void Update(float) override {}
  void OnObjectEvent(Event* event) override;
};

}  // namespace Framework
