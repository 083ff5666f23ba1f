// CreditsScript: scrolls the credits picture upwards; when it has passed y 70, or
// on a left release, it hands back to where the player came from: the main menu
// (credits opened from the menu, or the game finished) or the interrupted game
// (its autosave, under the pause menu). A leaving click is consumed.
// PrepareInterruptedLevel readies a play level for the autosave the credits make of it.
// Invariant: the hand-back is asked for at most once per frame, until the level changes.
#pragma once

#include "gameplay/MissingParts.h"
#include "objects/Script.h"

namespace Framework {

class GameObject;

class CreditsScript : public Script {
 public:
  // The picture has scrolled past its end here.
  static constexpr float EndY = 70.0f;
  // Units per second.
  static constexpr float ScrollSpeed = 5.0f;

  CreditsScript() : Script("CreditsScript") {}
  void Update(float dt) override;

  // Before the credits save the play level they interrupt: the player gets back the
  // size its landing animation keeps (it may be growing in or squashed), and bombs
  // in flight and fireflies are queued for destruction. They are made while playing
  // and are made again on return; saved, they would come back as plain boxes.
  static void PrepareInterruptedLevel();
  // Whether the object is made only while playing (a bomb in flight, a firefly):
  // no save may hold it.
  static bool IsPlayOnly(const GameObject& object);

 private:
  void Leave();
  MissingParts missing_;
};

}  // namespace Framework
