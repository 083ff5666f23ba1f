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
  if (length > 0.0f) direction = start / length;
}

void FireflyScript::Update(float dt) {
  auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  if (!missing_.Check(transform != nullptr, *this, "Transform")) return;

  turnTimer += dt;
  if (turnTimer > TurnInterval) {
    if (std::uniform_real_distribution<float>(0.0f, 1.0f)(random_) > 1.0f - kTurnChance) {
      constexpr float quarter = std::numbers::pi_v<float> / 4.0f;
      turnRate = std::uniform_real_distribution<float>(-quarter, quarter)(random_);
    }
    turnTimer = 0.0f;
  }
  const float angle = turnRate * dt;
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  const Vec2 turned{direction.x * c - direction.y * s, direction.x * s + direction.y * c};
  // Renormalised so that rounding never speeds the firefly up or slows it down.
  direction = turned / glm::length(turned);
  transform->Position += direction * speed * dt;
}

}  // namespace Framework
