#include "gameplay/BoomReactScript.h"

#include "engine/Engine.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"
#include "physics/Body.h"

namespace Framework {

void BoomReactScript::Initialize() {
  // Initialised again after the level's settings: replacing the subscription keeps it single.
  listener_ = Listen<BoomReactListener>(this);
}

void BoomReactScript::OnBoom(BoomEvent& boom) {
  if (!Owner || Engine::Instance().Paused) return;
  auto* transform = Owner->GetComponent<Transform>();
  auto* body = Owner->GetComponent<Body>();
  if (!missing_.Check(transform != nullptr, *this, "Transform") || !missing_.Check(body != nullptr, *this, "Body")) {
    return;
  }
  const Vec2 away = transform->Position - Vec2{boom.X, boom.Y};
  const float distance = glm::length(away);
  if (!(distance < ReactRadius)) return;
  // An object right at the centre has no "away": it goes straight up.
  const Vec2 direction = distance > 0.0f ? away / distance : Vec2{0.0f, 1.0f};
  body->Impulse += direction * boom.Strength;
}

}  // namespace Framework
