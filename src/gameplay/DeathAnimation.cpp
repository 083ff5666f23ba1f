#include "gameplay/DeathAnimation.h"

#include <memory>

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "gameplay/GameplayEffects.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"

namespace Framework {

DeathAnimation::DeathAnimation() : Script("DeathAnimation") { listener_ = Listen<DeathAnimationListener>(this); }

void DeathAnimation::Initialize() {
  if (auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr) baseScale_ = transform->Scale;
}

void DeathAnimation::OnDeath(DeathEvent& death) {
  // Deaths are the player's: only the Factory's player reacts, and only once.
  if (dying_ || !Owner || Owner != Factory::Instance().Player) return;
  cause_ = death.Cause;
  killer_ = death.Source;
  dying_ = true;
  deathTimer_ = 0.0f;
  auto* transform = Owner->GetComponent<Transform>();
  if (transform) {
    // The size the player has now (grown in, or caught mid-squash) shrinks away in AnimationTime.
    baseScale_ = transform->Scale;
    const Transform* killerTransform = killer_ ? killer_->GetComponent<Transform>() : nullptr;
    hazardAbove_ = killerTransform && killerTransform->Position.y > transform->Position.y;
  }
  if (auto* body = Owner->GetComponent<Body>()) {
    body->IsStatic = true;
    body->Grounded = false;
    body->IsCollidable = false;
  }
}

void DeathAnimation::Update(float dt) {
  if (!dying_ || !Owner) return;
  if (deathTimer_ >= AnimationTime) {
    // Repeats every frame until the reload takes the player away.
    auto restart = std::make_unique<SerializationEvent>();
    restart->Command = SerializationCommand::RestartOrContinue;
    EventSystem::Instance().Post(std::move(restart));
    return;
  }
  auto* transform = Owner->GetComponent<Transform>();
  if (transform) {
    const bool firstFrame = deathTimer_ == 0.0f;
    const Vec2 rate = baseScale_ / AnimationTime;
    if (cause_ == CauseStaticHazard) {
      if (firstFrame) {
        SpawnDeathSpray(transform->Position, hazardAbove_ ? DeathSprayKind::HazardAbove : DeathSprayKind::HazardBelow);
      }
      // One edge stays put: the top when pulled up into the hazard, the bottom when sinking.
      transform->Scale.y -= rate.y * dt;
      transform->Position.y += (hazardAbove_ ? 0.5f : -0.5f) * rate.y * dt;
    } else {
      // Enemies, and any cause the game does not know, shrink the player to nothing.
      if (firstFrame) SpawnDeathSpray(transform->Position, DeathSprayKind::Enemy);
      transform->Scale -= rate * dt;
    }
  }
  if (deathTimer_ == 0.0f) {
    deathTimer_ += dt;
    return;
  }
  if (!transform || transform->Scale.x <= 0.0f || transform->Scale.y <= 0.0f) {
    if (transform) transform->Scale = {0.0f, 0.0f};
    deathTimer_ += dt;
  }
}

}  // namespace Framework
