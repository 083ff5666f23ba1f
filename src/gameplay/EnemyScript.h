// EnemyScript: makes its object hop once a second, pushing up and sideways and
// turning round after every hop, so the enemy bounces back and forth in place.
// Its PlayerAnimation holds the hops (hopLock) while the landing squash plays;
// the second keeps counting meanwhile, so the hop comes right after the squash.
// The frame of the landing holds the hop too: the squash starts later in it.
// Invariant: hopX changes sign exactly once per hop given; the first hop goes right.
#pragma once

#include "gameplay/MissingParts.h"
#include "objects/Script.h"

namespace Framework {

class EnemyScript : public Script {
 public:
  static constexpr float HopInterval = 1.0f;

  EnemyScript() : Script("EnemyScript") {}
  void Update(float dt) override;

  float hopX = 500.0f;
  float hopY = 1000.0f;
  bool hopLock = false;
  // Seconds since the last hop.
  float hopTimer = 0.0f;

 private:
  MissingParts missing_;
  // The body stood on something in the previous frame.
  bool wasGrounded_ = false;
};

}  // namespace Framework
