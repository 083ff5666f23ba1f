// PusherScript: an object that answers the detonation click. The right click arms
// it ("push.ogg"); while armed it glows red and swells, and on the first frame the
// player is closer than `reach` it shoves the player away from itself and vanishes.
// A pusher whose player stays out of reach swells until it spans its reach, and
// waits at that size: any right click arms every pusher of a level, and one
// armed long before the player comes would otherwise grow over the whole view.
// Invariant: the shove is given at most once; once given, the pusher is queued
// for destruction and disarmed.
#pragma once

#include "gameplay/MissingParts.h"
#include "objects/Script.h"

namespace Framework {

class PusherScript : public Script {
 public:
  // How fast the armed pusher swells, in scale units per second.
  static constexpr float SwellRate = 5.0f;
  static constexpr float ShoveForce = 1500.0f;
  // The player is shoved only when strictly closer than this (centre to centre).
  static constexpr float Reach = 8.0f;
  // The largest an armed pusher grows: as wide as the circle it shoves from.
  static constexpr float LargestScale = 2.0f * Reach;

  PusherScript() : Script("PusherScript") {}
  void Update(float dt) override;

  // This arming has shoved the player (once per arming).
  bool Shoved() const { return shoved_; }

 private:
  bool armed_ = false;
  bool shoved_ = false;

  MissingParts missing_;
};

}  // namespace Framework
