#include "gameplay/EnemyScript.h"

#include "engine/Engine.h"
#include "objects/GameObject.h"
#include "physics/Body.h"

namespace Framework {

void EnemyScript::Update(float dt) {
  hopTimer_ += dt;
  Body* body = Owner ? Owner->GetComponent<Body>() : nullptr;
  // In the frame it lands, the squash (and its lock) starts only after this script
  // has run: the landing itself already holds the hop.
  const bool landing = body != nullptr && body->Grounded && !wasGrounded_;
  if (body != nullptr) wasGrounded_ = body->Grounded;
  if (hopTimer_ <= HopInterval || hopLock_ || landing) return;
  if (!missing_.Check(body != nullptr, *this, "Body")) return;
  if (!Engine::Instance().Paused) body->Impulse += Vec2{hopX_, HopLift};
  hopX_ = -hopX_;
  hopTimer_ = 0.0f;
}

}  // namespace Framework
