#include "gameplay/MovingPlatformScript.h"

#include <cmath>
#include <iostream>
#include <utility>

#include "objects/GameObject.h"
#include "objects/Transform.h"

namespace Framework {

namespace {

Vec2 Unit(Vec2 v) {
  const float length = glm::length(v);
  // Coinciding points give no direction: the platform stays where it is.
  if (!(length > 0.0f) || !std::isfinite(length)) return {0.0f, 0.0f};
  return v / length;
}

}  // namespace

void MovingPlatformScript::Initialize() {
  auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  if (!missing_.Check(transform != nullptr, *this, "Transform")) return;
  transform->Position = from + (to - from) * startFraction;
}

void MovingPlatformScript::SetDelay(float value) {
  delay = value;
  if (!(value > 0.0f)) {
    delay = MinDelay;
    if (!reportedDelay_) {
      std::cout << "MovingPlatformScript: object " << (Owner ? Owner->Id : 0) << " has Delay " << value
                << "; using " << MinDelay << " s\n";
      reportedDelay_ = true;
    }
  }
  ComputeVelocity();
}

void MovingPlatformScript::SetSpeed(float value) {
  speed = value;
  if (!(value >= 0.0f && value <= MaxSpeed)) {
    speed = value > MaxSpeed ? MaxSpeed : 0.0f;
    if (!reportedSpeed_) {
      std::cout << "MovingPlatformScript: object " << (Owner ? Owner->Id : 0) << " has Speed " << value << "; using "
                << speed << "\n";
      reportedSpeed_ = true;
    }
  }
  ComputeVelocity();
}

void MovingPlatformScript::SetPoint1(Vec2 value) {
  from = value;
  ComputeVelocity();
}

void MovingPlatformScript::SetPoint2(Vec2 value) {
  to = value;
  ComputeVelocity();
}

void MovingPlatformScript::ComputeVelocity() { velocity = Unit(to - from) * speed; }

void MovingPlatformScript::Update(float dt) {
  auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  if (!missing_.Check(transform != nullptr, *this, "Transform")) return;

  legTimer += dt;
  if (legTimer > delay) {
    std::swap(from, to);
    arrived = false;
    legTimer = 0.0f;
    ComputeVelocity();
  }
  // Standing still (speed 0 or coinciding points) is not arriving: the platform stays put.
  if (arrived || velocity == Vec2{}) return;

  const Vec2 next = transform->Position + velocity * dt;
  const Vec2 leg = to - from;
  const bool right = leg.x > 0.0f && velocity.x > 0.0f;
  const bool up = leg.y > 0.0f && velocity.y > 0.0f;
  const bool withinX = right ? next.x <= to.x : next.x >= to.x;
  const bool withinY = up ? next.y <= to.y : next.y >= to.y;
  if (withinX && withinY) {
    transform->Position = next;
  } else {
    transform->Position = to;
    arrived = true;
    legTimer = 0.0f;
  }
}

}  // namespace Framework
