#include "physics/Physics.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>
#include <vector>

#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"

namespace Framework {

namespace {

constexpr float kVelocityCap = 100.0f;

// A friction factor is what one 60th of a second keeps of a speed; a longer step
// keeps that share as many times over, so a slow machine walks and flies as far
// as a fast one. A step of exactly one frame takes the factor as it stands: the
// replays were recorded at that step and pow could round it.
float PerStep(float factor, float dt) {
  if (dt == Engine::FrameTime) return factor;
  return std::pow(factor, dt / Engine::FrameTime);
}

// What a single frame's Impulse adds to the acceleration of a step of dt: the
// same change of speed whatever dt is. A zero step (the first frame) moves
// nothing, and its impulse is dropped with the Force.
Vec2 ImpulseAsForce(Vec2 impulse, float dt) { return dt > 0.0f ? impulse * (Engine::FrameTime / dt) : Vec2{}; }

// A vertical hit slower than this against a static body stops dead instead of
// bouncing, so resting bodies do not jitter; between two dynamic bodies the same
// figure is the least difference of speeds that makes them spring apart.
constexpr float kRestThreshold = 5.0f;
// Horizontal speeds at or below this count as standing still in a dynamic pair.
constexpr float kPushThreshold = 1.0f;
// A candidate pair is two body indices in one number, the first in the high half,
// so that sorting the numbers orders the pairs as the test of every pair meets them.
constexpr unsigned kIndexBits = 32;
constexpr std::uint64_t kIndexMask = 0xFFFFFFFFu;
// How much wider than the exact boxes the swept boxes are, relative to their
// coordinates: far above a float's rounding, far below a unit.
constexpr float kBoxPadding = 1e-4f;

float Sign(float v) { return v > 0.0f ? 1.0f : -1.0f; }

Vec2 SizeOf(const Body& body) { return body.OwnerTransform->Scale; }

Vec2 Sample(const Body& body, float t) { return body.PrevPosition + (body.Position - body.PrevPosition) * t; }

// Places `mover` touching `fixed` along one axis, on the side where it already is.
void Separate(float& mover, float moverSize, float fixed, float fixedSize) {
  const float gap = fixedSize * 0.5f + moverSize * 0.5f;
  if (mover > fixed) {
    mover = fixed + gap;
  } else if (mover < fixed) {
    mover = fixed - gap;
  }
}

// The contacts the resolution steps act on, the ghosts left out: `mixed` gets a
// moving body and the static one it touches, `dynamic` two moving bodies.
template <typename Mixed, typename Dynamic>
void ForEachSolidContact(const std::vector<Contact>& contacts, std::size_t count, Mixed mixed, Dynamic dynamic) {
  for (std::size_t i = 0; i < count; ++i) {
    const Contact& c = contacts[i];
    Body& a = *c.A;
    Body& b = *c.B;
    if (a.IsGhost || b.IsGhost) continue;
    if (a.IsStatic != b.IsStatic) {
      mixed(a.IsStatic ? b : a, a.IsStatic ? a : b, c.Axis);
    } else if (!a.IsStatic) {
      dynamic(a, b, c.Axis);
    }
  }
}

// A horizontal contact of two moving bodies: a body pushed while standing takes
// the pusher's direction; two moving ones share their speeds.
void PushApart(Body& a, Body& b) {
  const float va = a.Velocity.x;
  const float vb = b.Velocity.x;
  const float s = std::fabs(va) + std::fabs(vb);
  const bool aMoving = std::fabs(va) > kPushThreshold;
  const bool bMoving = std::fabs(vb) > kPushThreshold;
  if (aMoving && bMoving) {
    // Towards each other both reverse; the same way both keep their direction.
    const float turn = Sign(va) != Sign(vb) ? -1.0f : 1.0f;
    a.Velocity.x = turn * Sign(va) * a.Bounce.Y * s;
    b.Velocity.x = turn * Sign(vb) * b.Bounce.Y * s;
  } else if (aMoving && std::fabs(vb) < kPushThreshold) {
    b.Velocity.x = Sign(va) * b.Bounce.Y * s;
  } else if (bMoving && std::fabs(va) < kPushThreshold) {
    a.Velocity.x = Sign(vb) * a.Bounce.Y * s;
  }
}

}  // namespace

Physics& Physics::Instance() {
  static Physics physics;
  return physics;
}

Physics::Physics()
    : CollisionTests{&Physics::SweptBoxTest, &Physics::NoContact, &Physics::NoContact, &Physics::NoContact} {
  Contacts.resize(InitialContactCapacity);
}

Physics::~Physics() = default;

void Physics::Initialize() {}

void Physics::Update(float dt, bool paused) {
  if (paused) return;
  Step(dt);
}

void Physics::Step(float dt) {
  Bodies.clear();
  for (auto& [id, object] : Factory::Instance().Objects) {
    Body* body = object->GetComponent<Body>();
    if (!body) continue;
    // The Transform is looked up again because an object's Transform may have been
    // replaced since the body was initialised; a body without one cannot be moved.
    body->OwnerTransform = object->GetComponent<Transform>();
    if (!body->OwnerTransform) continue;
    Bodies.push_back(body);
  }

  for (Body* body : Bodies) Integrate(*body, dt);
  CarryRiders();
  DetectCollisions();
  ResolvePositions();
  ResolveVelocities();

  for (Body* body : Bodies) {
    if (!body->IsStatic) body->OwnerTransform->Position = body->Position;
  }
}

void Physics::Integrate(Body& body, float dt) {
  body.PrevPosition = body.Position;
  if (body.IsStatic) {
    body.Position = body.OwnerTransform->Position;
    return;
  }
  const float f = PerStep(body.Grounded ? body.Friction.XG : body.Friction.X, dt);
  const Vec2 force = body.Force + ImpulseAsForce(body.Impulse, dt);
  body.Acceleration = {force.x, force.y + Gravity};
  body.Velocity.x = (body.Acceleration.x * dt + body.Velocity.x) * f;
  body.Velocity.y = (body.Acceleration.y * dt + body.Velocity.y) * PerStep(body.Friction.Y, dt);
  // Only the positive directions are capped: falls and leftward runs are not.
  if (body.Velocity.x > kVelocityCap) body.Velocity.x = kVelocityCap;
  if (body.Velocity.y > kVelocityCap) body.Velocity.y = kVelocityCap;
  body.Force = {0.0f, 0.0f};
  body.Impulse = {0.0f, 0.0f};
  body.Grounded = false;
  body.Position += body.Velocity * dt;
}

void Physics::CarryRiders() {
  Factory& factory = Factory::Instance();
  for (Body* body : Bodies) {
    if (!body->HasSupport) continue;
    body->HasSupport = false;
    if (body->IsStatic) continue;
    GameObject* object = factory.Find(body->SupportId);
    Body* support = object ? object->GetComponent<Body>() : nullptr;
    // Only a support taking part in this step has a displacement to hand on.
    if (!support || !support->IsStatic || !support->OwnerTransform) continue;
    const Vec2 moved = support->Position - support->PrevPosition;
    if (std::fabs(moved.x) > MaxCarry || std::fabs(moved.y) > MaxCarry) continue;
    // Both ends of the rider's motion move with the platform, so the carry is not
    // mistaken for the rider's own motion by the swept test.
    body->Position += moved;
    body->PrevPosition += moved;
  }
}

bool Physics::TestPair(std::size_t i, std::size_t j) {
  Body& a = *Bodies[i];
  Body& b = *Bodies[j];
  if (!a.IsCollidable || !b.IsCollidable) return true;
  if (a.IsStatic && b.IsStatic) return true;
  const std::int32_t ka = a.Shape->Kind;
  const std::int32_t kb = b.Shape->Kind;
  if (ka < 0 || ka >= ShapeKindCount || kb < 0 || kb >= ShapeKindCount) return true;
  (this->*CollisionTests[static_cast<std::size_t>(ka * ShapeKindCount + kb)])(a, b);
  if (ContactCount < MaxContacts) return true;
  if (!overCrowded_) {
    std::cout << "Physics: more than " << MaxContacts << " bodies touch at once (" << Bodies.size()
              << " bodies); the rest are not collided until the crowd thins\n";
  }
  overCrowded_ = true;
  return false;
}

void Physics::DetectCollisions() {
  ContactCount = 0;
  const std::size_t count = Bodies.size();
  if (BroadPhase && FindCandidates()) {
    for (std::uint64_t pair : candidates_) {
      if (!TestPair(static_cast<std::size_t>(pair >> kIndexBits), static_cast<std::size_t>(pair & kIndexMask))) return;
    }
  } else {
    for (std::size_t i = 0; i < count; ++i) {
      if (!Bodies[i]->IsCollidable) continue;
      for (std::size_t j = i + 1; j < count; ++j) {
        if (!TestPair(i, j)) return;
      }
    }
  }
  overCrowded_ = false;
}

bool Physics::FindCandidates() {
  // Only the box test is known to find nothing where the swept boxes do not meet.
  for (CollisionTest test : CollisionTests) {
    if (test != &Physics::SweptBoxTest && test != &Physics::NoContact) return false;
  }
  const std::size_t count = Bodies.size();
  if (count > kIndexMask) return false;
  BoxBodies();
  candidates_.clear();
  const int along = SweepAxis();
  const int across = 1 - along;
  std::sort(boxes_.begin(), boxes_.end(),
            [along](const SweptBox& a, const SweptBox& b) { return a.Low[along] < b.Low[along]; });
  const auto add = [this](std::uint32_t i, std::uint32_t j) {
    if (i > j) std::swap(i, j);
    if (Bodies[i]->IsStatic && Bodies[j]->IsStatic) return;
    candidates_.push_back(static_cast<std::uint64_t>(i) << kIndexBits | j);
  };
  for (std::size_t n = 0; n < boxes_.size(); ++n) {
    const SweptBox& a = boxes_[n];
    for (std::size_t m = n + 1; m < boxes_.size() && boxes_[m].Low[along] <= a.High[along]; ++m) {
      const SweptBox& b = boxes_[m];
      if (b.Low[across] <= a.High[across] && a.Low[across] <= b.High[across]) add(a.Index, b.Index);
    }
    if (candidates_.size() > MaxCandidatePairs) return false;
  }
  for (std::uint32_t wild : unboxed_) {
    for (std::size_t i = 0; i < count; ++i) {
      if (!Bodies[i]->IsCollidable) continue;
      // A pair of two unboxed bodies is added once, by the lower of the two.
      const bool otherUnboxed = std::binary_search(unboxed_.begin(), unboxed_.end(), static_cast<std::uint32_t>(i));
      if (i != wild && (!otherUnboxed || wild < i)) add(wild, static_cast<std::uint32_t>(i));
    }
    if (candidates_.size() > MaxCandidatePairs) return false;
  }
  // The order of the test of every pair: by the first body, then the second.
  std::sort(candidates_.begin(), candidates_.end());
  return true;
}

int Physics::SweepAxis() const {
  // Along the axis the boxes spread further on: a level is wide, a tower of
  // platforms tall, and few boxes then share a stretch of that axis.
  float spread[2] = {0.0f, 0.0f};
  if (boxes_.empty()) return 0;
  for (int axis = 0; axis < 2; ++axis) {
    const auto [lowest, highest] = std::minmax_element(
        boxes_.begin(), boxes_.end(), [axis](const SweptBox& a, const SweptBox& b) { return a.Low[axis] < b.Low[axis]; });
    spread[axis] = highest->Low[axis] - lowest->Low[axis];
  }
  return spread[1] > spread[0] ? 1 : 0;
}

void Physics::BoxBodies() {
  boxes_.clear();
  unboxed_.clear();
  for (std::size_t i = 0; i < Bodies.size(); ++i) {
    const Body& body = *Bodies[i];
    if (!body.IsCollidable || body.Shape->Kind < 0 || body.Shape->Kind >= ShapeKindCount) continue;
    const auto index = static_cast<std::uint32_t>(i);
    // The two samples are the exact test's own (SweptBoxTest).
    const Vec2 mid = Sample(body, 0.5f);
    const Vec2 end = Sample(body, 1.0f);
    SweptBox box{{}, {}, index};
    bool finite = true;
    for (int axis = 0; axis < 2; ++axis) {
      const float half = std::fabs(SizeOf(body)[axis]) * 0.5f;
      const float low = std::min(mid[axis], end[axis]) - half;
      const float high = std::max(mid[axis], end[axis]) + half;
      const float pad = (std::fabs(low) + std::fabs(high) + 1.0f) * kBoxPadding;
      box.Low[axis] = low - pad;
      box.High[axis] = high + pad;
      finite = finite && std::isfinite(box.Low[axis]) && std::isfinite(box.High[axis]);
    }
    // A body whose box is not finite (a place or size run off to infinity) is
    // paired with every other one instead: the exact test decides.
    if (!finite) {
      unboxed_.push_back(index);
      continue;
    }
    boxes_.push_back(box);
  }
}

bool Physics::SweptBoxTest(Body& a, Body& b) {
  for (int k = 1; k <= 2; ++k) {
    const float t = static_cast<float>(k) / 2.0f;
    if (BoxOverlap(a, Sample(a, t), b, Sample(b, t))) return true;
  }
  return false;
}

bool Physics::NoContact(Body&, Body&) { return false; }

bool Physics::BoxOverlap(Body& a, Vec2 pa, Body& b, Vec2 pb) {
  const Vec2 sa = SizeOf(a);
  const Vec2 sb = SizeOf(b);
  const float ox = (sa.x * 0.5f + sb.x * 0.5f) - std::fabs(pa.x - pb.x);
  if (!(ox > 0.0f)) return false;
  const float oy = (sa.y * 0.5f + sb.y * 0.5f) - std::fabs(pa.y - pb.y);
  if (!(oy > 0.0f)) return false;

  std::uint8_t axis = Contact::Horizontal;
  if (!(ox < oy)) {
    axis = Contact::Vertical;
    Body& upper = a.Position.y <= b.Position.y ? b : a;
    Body& lower = a.Position.y <= b.Position.y ? a : b;
    upper.Grounded = true;
    if (!upper.IsStatic && lower.IsStatic && !upper.IsGhost && !lower.IsGhost && lower.Owner) {
      upper.HasSupport = true;
      upper.SupportId = lower.Owner->Id;
    }
  }
  AddContact(a, b, axis);

  EventSystem& events = EventSystem::Instance();
  events.Post(std::make_unique<CollisionObjectEvent>(a.Owner, b.Owner));
  events.Post(std::make_unique<CollisionObjectEvent>(b.Owner, a.Owner));
  return true;
}

void Physics::AddContact(Body& a, Body& b, std::uint8_t axis) {
  // A crowded step grows the store rather than losing contacts (a lost contact is
  // a body falling through a floor); the grown storage is kept for later steps.
  if (ContactCount == Contacts.size()) Contacts.resize(Contacts.size() * 2);
  Contacts[ContactCount++] = Contact{&a, &b, axis};
}

void Physics::ResolvePositions() {
  ForEachSolidContact(
      Contacts, ContactCount,
      [](Body& moving, Body& fixed, std::uint8_t axis) {
        if (axis == Contact::Vertical) {
          Separate(moving.Position.y, SizeOf(moving).y, fixed.Position.y, SizeOf(fixed).y);
        } else {
          Separate(moving.Position.x, SizeOf(moving).x, fixed.Position.x, SizeOf(fixed).x);
        }
      },
      [](Body& a, Body& b, std::uint8_t axis) {
        if (axis == Contact::Vertical) {
          if (a.Position.y == b.Position.y) return;
          Body& upper = a.Position.y > b.Position.y ? a : b;
          Body& lower = a.Position.y > b.Position.y ? b : a;
          upper.Position.y = lower.Position.y + SizeOf(lower).y * 0.5f + SizeOf(upper).y * 0.5f;
        } else {
          const float speedA = std::fabs(a.Velocity.x);
          const float speedB = std::fabs(b.Velocity.x);
          if (speedA == speedB) return;
          Body& mover = speedA > speedB ? a : b;
          Body& other = speedA > speedB ? b : a;
          Separate(mover.Position.x, SizeOf(mover).x, other.Position.x, SizeOf(other).x);
        }
      });
}

void Physics::ResolveVelocities() {
  ForEachSolidContact(
      Contacts, ContactCount,
      [](Body& m, Body&, std::uint8_t axis) {
        if (axis != Contact::Vertical) {
          m.Velocity.x = -(m.Bounce.Y * m.Velocity.x);
        } else if (std::fabs(m.Velocity.y) < kRestThreshold) {
          m.Velocity.y = 0.0f;
        } else {
          m.Velocity.y = -(m.Bounce.X * m.Velocity.y);
        }
      },
      [](Body& a, Body& b, std::uint8_t axis) {
        if (axis == Contact::Vertical) {
          if (a.Position.y == b.Position.y) return;
          const float va = std::fabs(a.Velocity.y);
          const float vb = std::fabs(b.Velocity.y);
          const float s = std::fabs(va - vb) >= kRestThreshold ? va + vb : 0.0f;
          Body& upper = a.Position.y > b.Position.y ? a : b;
          Body& lower = a.Position.y > b.Position.y ? b : a;
          upper.Velocity.y = upper.Bounce.X * s;
          lower.Velocity.y = -(lower.Bounce.X * s);
        } else {
          PushApart(a, b);
        }
      });
}

}  // namespace Framework
