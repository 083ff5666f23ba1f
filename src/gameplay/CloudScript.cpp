#include "gameplay/CloudScript.h"

#include "engine/Random.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"

namespace Framework {

CloudScript::CloudScript() : Script("CloudScript"), random_(Random::MakeGenerator()) {}

void CloudScript::Initialize() {
  velocity.x = std::uniform_real_distribution<float>(-MaxDriftX, MaxDriftX)(random_);
  velocity.y = std::uniform_real_distribution<float>(-MaxDriftY, MaxDriftY)(random_);
}

void CloudScript::Update(float dt) {
  auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  if (!missing_.Check(transform != nullptr, *this, "Transform")) return;
  transform->Position += velocity * dt;
}

}  // namespace Framework
