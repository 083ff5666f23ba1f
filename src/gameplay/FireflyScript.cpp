#include "gameplay/FireflyScript.h"

#include <cmath>
#include <numbers>

#include "engine/Random.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"

namespace Framework {

namespace {

// The share of chances that actually change the turn rate.
constexpr float kTurnChance = 0.25f;

}  // namespace

FireflyScript::FireflyScript() : Script("FireflyScript"), random_(Random::MakeGenerator()) {
  std::uniform_real_distribution<float> component(-1.0f, 1.0f);
  const Vec2 start{component(random_), component(random_)};
  const float length = glm::length(start);
  // Both draws at zero give no heading: keep the default one.
  if (length > 0.0f) direction_ = start / length;
}

void FireflyScript::Update(float dt) {
  auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  if (!missing_.Check(transform != nullptr, *this, "Transform")) return;

  turnTimer_ += dt;
  if (turnTimer_ > TurnInterval) {
    if (std::uniform_real_distribution<float>(0.0f, 1.0f)(random_) > 1.0f - kTurnChance) {
      constexpr float quarter = std::numbers::pi_v<float> / 4.0f;
      turnRate_ = std::uniform_real_distribution<float>(-quarter, quarter)(random_);
    }
    turnTimer_ = 0.0f;
  }
  const float angle = turnRate_ * dt;
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  const Vec2 turned{direction_.x * c - direction_.y * s, direction_.x * s + direction_.y * c};
  // Renormalised so that rounding never speeds the firefly up or slows it down.
  direction_ = turned / glm::length(turned);
  transform->Position += direction_ * Speed * dt;
}

}  // namespace Framework
