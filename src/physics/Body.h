// Body: the physical state of one game object, moved and collided by Physics.
// Position is the body's own copy of the object's position: Physics writes it
// back to the Transform after each step for dynamic bodies, and a static body
// copies it from the Transform every step (scripts move static bodies there).
// Invariant: the body owns exactly one shape, made by the constructor, whose
// Owner is this body once Initialize has run.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/Vec2.h"
#include "objects/Component.h"
#include "physics/Shape.h"

namespace Framework {

class Transform;

// Rebound factors: X scales the rebound of vertical contacts (landing, hitting a
// ceiling), Y that of horizontal contacts (walls, side-on hits).
struct BounceFactors {
  float X = 0.5f;
  float Y = 0.5f;
};

// Velocity multipliers per 60th of a second (Physics applies them as many times
// over as a step lasts): X horizontally in the air, XG horizontally while
// Grounded, Y vertically.
struct FrictionFactors {
  float X = 0.99f;
  float XG = 0.9f;
  float Y = 0.99f;
};

class Body : public Component {
 public:
  Body();
  ~Body() override;

  // Looks up the owner's Transform, takes its position and its half size for the
  // shape. Builders call it again after changing the body's settings. An owner
  // without a Transform is reported and the body stays out of the simulation.
  void Initialize() override;

  Vec2 Position{0.0f, 0.0f};
  // Position at the start of the last step; the swept test samples between the two.
  Vec2 PrevPosition{0.0f, 0.0f};
  Vec2 Velocity{0.0f, 0.0f};
  // Force plus gravity, as used by the last step.
  Vec2 Acceleration{0.0f, 0.0f};
  // Accumulated by scripts during the frame and cleared when a dynamic body is
  // integrated; added to the velocity as an acceleration (bodies have no mass).
  Vec2 Force{0.0f, 0.0f};
  // Pushes given in a single frame (a jump, a throw, a hop, a blast), sized as a
  // Force held for one 60th of a second. Physics scales them by the frame's real
  // length, so a jump rises as high on a machine running at 30 fps as at 60.
  // Cleared with Force.
  Vec2 Impulse{0.0f, 0.0f};
  // The owner's Transform, found by Initialize; null until then.
  Transform* OwnerTransform = nullptr;
  std::unique_ptr<ShapeAABB> Shape;
  bool IsStatic = false;
  bool IsCollidable = true;
  // Tested and reported, but never pushed out of anything nor pushing anything.
  bool IsGhost = false;
  // Standing on something: valid from the end of one step to the start of the next.
  bool Grounded = false;
  // The static body this one stood on at the end of the last step, by its object's
  // id (it may die before the next step): a platform that a script moves carries
  // what stands on it by its own displacement.
  bool HasSupport = false;
  std::uint32_t SupportId = 0;
  BounceFactors Bounce;
  FrictionFactors Friction;
};

}  // namespace Framework
