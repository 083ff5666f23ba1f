// PusherScript: an object that answers the detonation click. The right click arms
// it ("push.ogg"); while armed it glows red and swells, and on the first frame the
// player is closer than `reach` it shoves the player away from itself and vanishes.
// A pusher whose player stays out of reach keeps swelling.
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

  PusherScript() : Script("PusherScript") {}
  void Update(float dt) override;

  float shoveForce = 1500.0f;
  // The player is shoved only when strictly closer than this (centre to centre).
  float reach = 8.0f;
  bool armed = false;
  bool shoved = false;

 private:
  MissingParts missing_;
};

}  // namespace Framework
