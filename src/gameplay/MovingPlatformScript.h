// MovingPlatformScript: carries its object from Point1 to Point2, waits there, and
// comes back, for ever. Every Delay seconds the platform turns round whether or
// not it has arrived; on arrival the wait restarts, so an early platform rests at
// the end for a whole delay. It moves the Transform directly (its body is static);
// Physics carries whatever stands on it.
//
// Level settings are player-editable: a speed outside 0..MaxSpeed or a delay that
// is not positive is clamped (and reported once), and two equal points leave the
// platform still.
// Invariant: velocity_ == unit(to_ - from_) * speed_ after every setter and every turn.
#pragma once

#include "engine/Vec2.h"
#include "gameplay/MissingParts.h"
#include "objects/Script.h"

namespace Framework {

class MovingPlatformScript : public Script {
 public:
  // Fast enough for any level, slow enough that Physics still sees the riders.
  static constexpr float MaxSpeed = 50.0f;
  // The shortest leg: a platform must move between turns.
  static constexpr float MinDelay = 0.1f;

  MovingPlatformScript() : Script("MovingPlatformScript") {}
  // Puts the object at from + (to - from) * startFraction, that is at Point1.
  void Initialize() override;
  void Update(float dt) override;

  // Level fields, each setter recomputing the velocity (read in this order).
  float GetDelay() const { return delay_; }
  void SetDelay(float value);
  float GetSpeed() const { return speed_; }
  void SetSpeed(float value);
  Vec2 GetPoint1() const { return from_; }
  void SetPoint1(Vec2 value);
  Vec2 GetPoint2() const { return to_; }
  void SetPoint2(Vec2 value);

  // Units per second along the current leg.
  Vec2 Velocity() const { return velocity_; }
  // At the end of the current leg, waiting for the turn.
  bool Arrived() const { return arrived_; }

 private:
  // Start and end of the current leg.
  Vec2 from_{0.0f, 0.0f};
  Vec2 to_{0.0f, 0.0f};
  Vec2 velocity_{0.0f, 0.0f};
  float startFraction_ = 0.0f;
  float speed_ = 0.0f;
  // Seconds per leg.
  float delay_ = 0.0f;
  float legTimer_ = 0.0f;
  bool arrived_ = false;

  void ComputeVelocity();
  MissingParts missing_;
  // Each out-of-range setting is reported once per platform.
  bool reportedDelay_ = false;
  bool reportedSpeed_ = false;
};

}  // namespace Framework
