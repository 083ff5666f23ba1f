#include "gameplay/PlayerAnimation.h"

#include <SDL.h>

#include "gameplay/EnemyScript.h"
#include "gameplay/PlayerController.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"

namespace Framework {

PlayerAnimation::PlayerAnimation() : Script("PlayerAnimationScript") {
  listener_ = Listen<PlayerAnimationEventListener>(this);
  TakeBase(baseScale);
}

void PlayerAnimation::TakeBase(Vec2 scale) {
  baseScale = scale;
  step = baseScale.y * StepShare;
  area = baseScale.x * baseScale.y;
}

void PlayerAnimation::Initialize() {
  if (auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr) TakeBase(transform->Scale);
}

void PlayerAnimation::SetLock(bool locked) {
  if (auto* controller = Owner->GetComponent<PlayerController>()) {
    controller->jumpLock = locked;
  } else if (auto* hopper = Owner->GetComponent<EnemyScript>()) {
    hopper->hopLock = locked;
  }
}

void PlayerAnimation::Update(float) {
  if (!Owner) return;
  auto* transform = Owner->GetComponent<Transform>();
  auto* body = Owner->GetComponent<Body>();
  // Without a body there is no landing to show; without a Transform nothing to squash.
  if (!transform || !body) return;
  if (!body->Grounded) landed = false;
  if (squashing) {
    if (squashDown) {
      transform->Scale.y -= step;
      transform->Scale.x = area / transform->Scale.y;
      if (baseScale.y * 0.5f > transform->Scale.y) {
        squashDown = false;
        squashUp = true;
      }
    } else if (squashUp) {
      transform->Scale.y += step;
      transform->Scale.x = area / transform->Scale.y;
      if (transform->Scale.y >= baseScale.y) {
        transform->Scale = baseScale;
        transform->Position.y = savedY;
        squashing = squashUp = squashDown = false;
        landed = true;
        SetLock(false);
      }
    }
  }
  if (!landed && !squashing && body->Grounded) {
    // An object built at size zero (an archetype before its caller sizes it)
    // takes its base size at its first landing; a zero step would squash forever.
    if (step <= 0.0f || area <= 0.0f) TakeBase(transform->Scale);
    landed = true;
    if (step <= 0.0f || area <= 0.0f) return;
    SetLock(true);
    squashing = squashDown = true;
    savedY = transform->Position.y;
  }
}

void PlayerAnimation::OnKeyboard(KeyboardEvent& event) {
  GameObject* player = Factory::Instance().Player;
  if (!player || !event.KeyState) return;
  auto* animation = player->GetComponent<PlayerAnimation>();
  if (!animation || animation->jumpSeen || !animation->landed) return;
  const std::uint8_t* keys = event.KeyState;
  if (keys[SDL_SCANCODE_UP] || keys[SDL_SCANCODE_W] || keys[SDL_SCANCODE_SPACE]) {
    animation->landed = false;
    animation->jumpSeen = true;
  }
}

}  // namespace Framework
