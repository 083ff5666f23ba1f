#include "gameplay/PlayerAnimation.h"

#include <SDL.h>

#include "engine/Engine.h"
#include "gameplay/EnemyScript.h"
#include "gameplay/PlayerController.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"

namespace Framework {

PlayerAnimation::PlayerAnimation() : Script("PlayerAnimationScript") {
  listener_ = Listen<PlayerAnimationEventListener>(this);
  TakeBase(baseScale_);
}

void PlayerAnimation::TakeBase(Vec2 scale) {
  baseScale_ = scale;
  step_ = baseScale_.y * StepShare;
  area_ = baseScale_.x * baseScale_.y;
}

void PlayerAnimation::Initialize() {
  if (auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr) TakeBase(transform->Scale);
}

void PlayerAnimation::SetLock(bool locked) {
  if (auto* controller = Owner->GetComponent<PlayerController>()) {
    controller->SetJumpLock(locked);
  } else if (auto* hopper = Owner->GetComponent<EnemyScript>()) {
    hopper->SetHopLock(locked);
  }
}

void PlayerAnimation::Update(float dt) {
  if (!Owner) return;
  // The squash is counted in 60ths of a second, so the jump it locks out waits as
  // long on a slow machine as on a fast one.
  const float frames = dt / Engine::FrameTime;
  auto* transform = Owner->GetComponent<Transform>();
  auto* body = Owner->GetComponent<Body>();
  // Without a body there is no landing to show; without a Transform nothing to squash.
  if (!transform || !body) return;
  if (!body->Grounded) landed_ = false;
  if (squashing_) {
    if (squashDown_) {
      transform->Scale.y -= step_ * frames;
      transform->Scale.x = area_ / transform->Scale.y;
      if (baseScale_.y * 0.5f > transform->Scale.y) {
        squashDown_ = false;
        squashUp_ = true;
      }
    } else if (squashUp_) {
      transform->Scale.y += step_ * frames;
      transform->Scale.x = area_ / transform->Scale.y;
      if (transform->Scale.y >= baseScale_.y) {
        transform->Scale = baseScale_;
        transform->Position.y = savedY_;
        squashing_ = squashUp_ = squashDown_ = false;
        landed_ = true;
        SetLock(false);
      }
    }
  }
  if (!landed_ && !squashing_ && body->Grounded) {
    // An object built at size zero (an archetype before its caller sizes it)
    // takes its base size at its first landing; a zero step would squash forever.
    if (step_ <= 0.0f || area_ <= 0.0f) TakeBase(transform->Scale);
    landed_ = true;
    if (step_ <= 0.0f || area_ <= 0.0f) return;
    SetLock(true);
    squashing_ = squashDown_ = true;
    savedY_ = transform->Position.y;
  }
}

void PlayerAnimation::OnKeyboard(KeyboardEvent& event) {
  GameObject* player = Factory::Instance().Player;
  if (!player || !event.KeyState) return;
  auto* animation = player->GetComponent<PlayerAnimation>();
  if (!animation || animation->jumpSeen_ || !animation->landed_) return;
  const std::uint8_t* keys = event.KeyState;
  if (keys[SDL_SCANCODE_UP] || keys[SDL_SCANCODE_W] || keys[SDL_SCANCODE_SPACE]) {
    animation->landed_ = false;
    animation->jumpSeen_ = true;
  }
}

}  // namespace Framework
