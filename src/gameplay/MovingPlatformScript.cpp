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
  transform->Position = from_ + (to_ - from_) * startFraction_;
}

void MovingPlatformScript::SetDelay(float value) {
  delay_ = value;
  if (!(value > 0.0f)) {
    delay_ = MinDelay;
    if (!reportedDelay_) {
      std::cout << "MovingPlatformScript: object " << (Owner ? Owner->Id : 0) << " has Delay " << value
                << "; using " << MinDelay << " s\n";
      reportedDelay_ = true;
    }
  }
  ComputeVelocity();
}

void MovingPlatformScript::SetSpeed(float value) {
  speed_ = value;
  if (!(value >= 0.0f && value <= MaxSpeed)) {
    speed_ = value > MaxSpeed ? MaxSpeed : 0.0f;
    if (!reportedSpeed_) {
      std::cout << "MovingPlatformScript: object " << (Owner ? Owner->Id : 0) << " has Speed " << value << "; using "
                << speed_ << "\n";
      reportedSpeed_ = true;
    }
  }
  ComputeVelocity();
}

void MovingPlatformScript::SetPoint1(Vec2 value) {
  from_ = value;
  ComputeVelocity();
}

void MovingPlatformScript::SetPoint2(Vec2 value) {
  to_ = value;
  ComputeVelocity();
}

void MovingPlatformScript::ComputeVelocity() { velocity_ = Unit(to_ - from_) * speed_; }

void MovingPlatformScript::Update(float dt) {
  auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  if (!missing_.Check(transform != nullptr, *this, "Transform")) return;

  legTimer_ += dt;
  if (legTimer_ > delay_) {
    std::swap(from_, to_);
    arrived_ = false;
    legTimer_ = 0.0f;
    ComputeVelocity();
  }
  // Standing still (speed 0 or coinciding points) is not arriving: the platform stays put.
  if (arrived_ || velocity_ == Vec2{}) return;

  const Vec2 next = transform->Position + velocity_ * dt;
  const Vec2 leg = to_ - from_;
  const bool right = leg.x > 0.0f && velocity_.x > 0.0f;
  const bool up = leg.y > 0.0f && velocity_.y > 0.0f;
  const bool withinX = right ? next.x <= to_.x : next.x >= to_.x;
  const bool withinY = up ? next.y <= to_.y : next.y >= to_.y;
  if (withinX && withinY) {
    transform->Position = next;
  } else {
    transform->Position = to_;
    arrived_ = true;
    legTimer_ = 0.0f;
  }
}

}  // namespace Framework
