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
  if (auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr) baseScale = transform->Scale;
}

void DeathAnimation::OnDeath(DeathEvent& death) {
  // Deaths are the player's: only the Factory's player reacts, and only once.
  if (dying || !Owner || Owner != Factory::Instance().Player) return;
  cause = death.Cause;
  killer = death.Source;
  dying = true;
  deathTimer = 0.0f;
  auto* transform = Owner->GetComponent<Transform>();
  if (transform) {
    // The size the player has now (grown in, or caught mid-squash) shrinks away in AnimationTime.
    baseScale = transform->Scale;
    const Transform* killerTransform = killer ? killer->GetComponent<Transform>() : nullptr;
    hazardAbove = killerTransform && killerTransform->Position.y > transform->Position.y;
  }
  if (auto* body = Owner->GetComponent<Body>()) {
    body->IsStatic = true;
    body->Grounded = false;
    body->IsCollidable = false;
  }
}

void DeathAnimation::Update(float dt) {
  if (!dying || !Owner) return;
  if (deathTimer >= AnimationTime) {
    // Repeats every frame until the reload takes the player away.
    auto restart = std::make_unique<SerializationEvent>();
    restart->Command = SerializationCommand::RestartOrContinue;
    EventSystem::Instance().Post(std::move(restart));
    return;
  }
  auto* transform = Owner->GetComponent<Transform>();
  if (transform) {
    const bool firstFrame = deathTimer == 0.0f;
    const Vec2 rate = baseScale / AnimationTime;
    if (cause == CauseStaticHazard) {
      if (firstFrame) {
        SpawnDeathSpray(transform->Position, hazardAbove ? DeathSprayKind::HazardAbove : DeathSprayKind::HazardBelow);
      }
      // One edge stays put: the top when pulled up into the hazard, the bottom when sinking.
      transform->Scale.y -= rate.y * dt;
      transform->Position.y += (hazardAbove ? 0.5f : -0.5f) * rate.y * dt;
    } else {
      // Enemies, and any cause the game does not know, shrink the player to nothing.
      if (firstFrame) SpawnDeathSpray(transform->Position, DeathSprayKind::Enemy);
      transform->Scale -= rate * dt;
    }
  }
  if (deathTimer == 0.0f) {
    deathTimer += dt;
    return;
  }
  if (!transform || transform->Scale.x <= 0.0f || transform->Scale.y <= 0.0f) {
    if (transform) transform->Scale = {0.0f, 0.0f};
    deathTimer += dt;
  }
}

}  // namespace Framework
