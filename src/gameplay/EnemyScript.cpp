#include "gameplay/EnemyScript.h"

#include "engine/Engine.h"
#include "objects/GameObject.h"
#include "physics/Body.h"

namespace Framework {

void EnemyScript::Update(float dt) {
  hopTimer += dt;
  if (hopTimer <= HopInterval || hopLock) return;
  Body* body = Owner ? Owner->GetComponent<Body>() : nullptr;
  if (!missing_.Check(body != nullptr, *this, "Body")) return;
  if (!Engine::Instance().Paused) body->Force += Vec2{hopX, hopY};
  hopX = -hopX;
  hopTimer = 0.0f;
}

}  // namespace Framework
