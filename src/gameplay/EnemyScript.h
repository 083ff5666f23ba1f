// EnemyScript: makes its object hop once a second, pushing up and sideways and
// turning round after every hop, so the enemy bounces back and forth in place.
// Its PlayerAnimation holds the hops (SetHopLock) while the landing squash plays;
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
  static constexpr float HopLift = 1000.0f;

  EnemyScript() : Script("EnemyScript") {}
  void Update(float dt) override;

  // Set by the landing squash (PlayerAnimation): no hop while it plays.
  void SetHopLock(bool locked) { hopLock_ = locked; }
  bool HopLocked() const { return hopLock_; }
  // The sideways push of the next hop; its sign flips with every hop.
  float NextHopX() const { return hopX_; }

 private:
  float hopX_ = 500.0f;
  bool hopLock_ = false;
  // Seconds since the last hop.
  float hopTimer_ = 0.0f;

  MissingParts missing_;
  // The body stood on something in the previous frame.
  bool wasGrounded_ = false;
};

}  // namespace Framework
