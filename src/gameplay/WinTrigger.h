// WinTrigger: the level exit. The player's first touch plays "winlevel.ogg" and
// starts the win: for half a second the player spins and shrinks away (its body
// taken out of the simulation) while the exit narrows and stretches upwards; then
// the next level is asked for, or the credits after the finale.
// Invariant: a trigger wins at most once (the sound flag is never cleared), and
// the hand-over is asked for once per win.
#pragma once

#include "objects/Script.h"

namespace Framework {

class WinTrigger : public Script {
 public:
  static constexpr float WinDuration = 0.5f;

  WinTrigger() : Script("WinTriggerScript") {}
  void Initialize() override;
  void Update(float dt) override;
  void OnObjectEvent(Event* event) override;

 private:
  bool won_ = false;
  bool soundPlayed_ = false;
  float winTimer_ = 0.0f;
};

}  // namespace Framework
