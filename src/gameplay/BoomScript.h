// BoomScript: the bomb. A right click detonates every bomb at once: each plays
// "push.ogg", announces a BoomEvent at its centre, leaves an explosion burst
// behind, flashes large for a moment while its light glows and fades, and asks
// to be removed once the blast is over.
// Invariant: a bomb detonates at most once; from then on it neither collides
// nor moves, and its removal is requested once, when the blast time has passed.
#pragma once

#include "gameplay/MissingParts.h"
#include "objects/Script.h"

namespace Framework {

class BoomScript : public Script {
 public:
  static constexpr float BlastForce = 1800.0f;
  static constexpr float BlastDuration = 0.2f;
  // Side of the white flash during the first half of the blast.
  static constexpr float FlashSize = 13.0f;

  BoomScript() : Script("BoomScript") {}
  void Update(float dt) override;
  void Detonate();
  void UpdateBlast(float dt);

 private:
  float blastTimer_ = 0.0f;
  bool exploded_ = false;
  // Set once the blast is over and the removal has been asked for.
  bool finished_ = false;

  MissingParts missing_;
};

}  // namespace Framework
