// PlayerAnimation: squashes its object when it lands. The height drops step by
// step to half while the width grows to keep the area, then springs back; the
// squash blocks the next jump (PlayerController::SetJumpLock) until it is over.
// It takes about six 60ths of a second down and six back up, whatever the frame rate.
// Invariants: the lock is set exactly while a squash runs; at the end of a
// squash the object has its base size and its landing height again.
#pragma once

#include "engine/EventListener.h"
#include "engine/Events.h"
#include "engine/Vec2.h"
#include "objects/Script.h"

namespace Framework {

class PlayerAnimation : public Script {
 public:
  // The height changes by this share of the base height per 60th of a second.
  static constexpr float StepShare = 0.1f;

  PlayerAnimation();
  // Takes the base size from the Transform.
  void Initialize() override;
  void Update(float dt) override;
  void OnKeyboard(KeyboardEvent& event);

  // The size the squash springs back to.
  Vec2 BaseScale() const { return baseScale_; }

 private:
  bool landed_ = true;
  // The first jump has been seen on the keyboard (acts once per animation).
  bool jumpSeen_ = false;
  bool squashing_ = false;
  bool squashDown_ = false;
  bool squashUp_ = false;
  Vec2 baseScale_{1.0f, 2.0f};
  float step_ = 0.2f;
  float area_ = 2.0f;
  // Position y at landing, restored when the squash ends.
  float savedY_ = 0.0f;

  void TakeBase(Vec2 scale);
  // Blocks or frees the owner's next jump (or, for a hopping enemy, its next hop).
  void SetLock(bool locked);

  Subscription listener_;
};

using PlayerAnimationEventListener = EventListener<&PlayerAnimation::OnKeyboard>;

}  // namespace Framework
