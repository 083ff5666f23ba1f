// PlayerController: makes its object the player. It grows the player in when the
// level starts, walks it with forces, jumps (with a short grace time after
// leaving the ground), aims at the cursor and throws up to three bombs, asks for
// the throw indicator and scatters fireflies on the levels that have them.
//
// Movement only ever adds to the Body's Force (walking) or Impulse (a jump, a
// throw); Physics integrates them. Nothing is added while the Engine is Paused,
// since physics does not run and forces would pile up for later.
// Invariants: bombsOut_ never exceeds BombLimit; throws are at least the cooldown
// apart; a jump needs ground contact (or the grace time) and no landing squash
// (one pressed during the squash waits for its end).
#pragma once

#include <cstdint>

#include "engine/EventListener.h"
#include "engine/Events.h"
#include "engine/Vec2.h"
#include "gameplay/MissingParts.h"
#include "objects/Script.h"

namespace Framework {

class Body;
class GameObject;
class Transform;

class PlayerController : public Script {
 public:
  static constexpr float SpawnDuration = 0.5f;
  static constexpr float JumpGraceTime = 0.1f;
  static constexpr float JumpForce = 1500.0f;
  static constexpr float LeftForce = -120.0f;
  static constexpr float RightForce = 120.0f;
  static constexpr float ThrowCooldown = 0.2f;
  static constexpr std::uint32_t BombLimit = 3;
  // The bomb's launch push and how far in front of the player it appears.
  static constexpr float ThrowForce = 1500.0f;
  static constexpr float ThrowOffset = 1.3f;
  // Depths: a bomb in front of everything in the world; the throw indicator just
  // behind it (a bomb thrown at the player's feet lands where the indicator
  // points, and would vanish behind it at the same depth), both before the player.
  static constexpr float BombLayer = 0.05f;
  static constexpr float IndicatorLayer = 0.07f;
  // Fly mode moves the Transform this far per frame and key.
  static constexpr float FlyStep = 0.25f;
  static constexpr float HoverTogglePeriod = 0.25f;
  static constexpr float HoverPeriod = 1.0f;
  static constexpr Vec2 HoverPush{500.0f, 1000.0f};
  // The player's size once grown in, and the size it starts growing from.
  static constexpr Vec2 GrownScale{1.0f, 2.0f};
  static constexpr Vec2 SeedScale{0.1f, 0.2f};
  static constexpr int FireflyCount = 10;

  PlayerController();

  // Scatters the fireflies on the levels that have them, once. (The throw
  // indicator is asked for at the first frame, when the whole level exists.)
  void Initialize() override;
  void Update(float dt) override;
  // One frame's keyboard state (bytes indexed by SDL scancode, non-zero = down).
  void HandleKeyboard(const std::uint8_t* keys);
  // Aims at the cursor and throws or refills on this frame's click.
  void UpdateThrow();
  // Factory callbacks for the bomb (thrown from `origin` along the unit vector
  // `direction`) and the throw indicator.
  static void InitThrownBomb(GameObject* bomb, Vec2 origin, Vec2 direction);
  static void PlaceThrowIndicator(GameObject* indicator);

  // The listener's handler: the keyboard of the frame, for the player's controller.
  void OnKeyboard(KeyboardEvent& event);

  // Set by PlayerAnimation while the landing squash plays: blocks jumps.
  void SetJumpLock(bool locked) { jumpLock_ = locked; }
  bool JumpLocked() const { return jumpLock_; }
  // Still growing in: no walking, jumping or throwing yet.
  bool Spawning() const { return spawning_; }
  // On the ground, or just off it within the grace time.
  bool CanJump() const { return canJump_; }

 private:
  bool hoverAssist_ = false;
  float hoverToggleTimer_ = 0.0f;
  bool spawning_ = true;
  float spawnTimer_ = 0.0f;
  bool canJump_ = false;
  // Time since the body last touched the ground.
  float airTimer_ = 0.0f;
  // Starts high so the first throw is allowed at once.
  float throwTimer_ = 30.0f;
  bool canThrow_ = true;
  std::uint32_t bombsOut_ = 0;
  bool jumpLock_ = false;
  // A jump pressed during the squash, made when it ends.
  bool jumpQueued_ = false;
  // The jump key at the last keyboard frame, to tell a press from a hold.
  bool jumpWasDown_ = false;

  bool FindParts(Transform*& transform, Body*& body);
  void SpawnGrow(float dt, Transform& transform, Body& body);
  void RequestThrowIndicator();
  void SpawnFireflies();
  // Spends the jump: no grace left, the jump sound; a diagonal jump also lifts the body a little.
  void Jump(Body& body, bool lift);

  Subscription listener_;
  MissingParts missing_;
  bool worldRequested_ = false;
  // Which way the player aimed at the last aim step; a bomb thrown with the
  // cursor on the player keeps it.
  Vec2 throwDirection_{0.0f, 0.0f};
  // Time since the hover assist's last push.
  float hoverAccumulator_ = 0.0f;
  bool indicatorChecked_ = false;
};

using PlayerControllerEventListener = EventListener<&PlayerController::OnKeyboard>;

}  // namespace Framework
