#include "gameplay/CloudScript.h"

#include "engine/Random.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"

namespace Framework {

CloudScript::CloudScript() : Script("CloudScript"), random_(Random::MakeGenerator()) {}

void CloudScript::Initialize() {
  velocity_.x = std::uniform_real_distribution<float>(-MaxDriftX, MaxDriftX)(random_);
  velocity_.y = std::uniform_real_distribution<float>(-MaxDriftY, MaxDriftY)(random_);
}

void CloudScript::Update(float dt) {
  auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  if (!missing_.Check(transform != nullptr, *this, "Transform")) return;
  transform->Position += velocity_ * dt;
}

}  // namespace Framework
