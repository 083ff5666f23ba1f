// Shape records: the collision outline a Body owns. Only the axis-aligned box
// (Kind 0) is ever made; Kind 1 has a slot in the collision table but no shape.
// Invariant: a shape's Owner is the body that owns it, set by Body::Initialize.
#pragma once

#include <cstdint>

namespace Framework {

class Body;

enum ShapeKind : std::int32_t {
  ShapeKindBox = 0,
  // Number of kinds the collision table is indexed by.
  ShapeKindCount = 2,
};

struct Shape {
  Shape() = default;
  explicit Shape(std::int32_t kind) : Kind(kind) {}
  virtual ~Shape() = default;

  std::int32_t Kind = ShapeKindBox;
  Body* Owner = nullptr;
};

// The box's half sizes as they were when the body was last initialised. The
// collision test reads the live Transform scale instead, so a box that grows
// or shrinks (death animation, worms) collides at its current size.
struct ShapeAABB : Shape {
  ShapeAABB() : Shape(ShapeKindBox) {}
  float HalfWidth = 0.0f;
  float HalfHeight = 0.0f;
};

}  // namespace Framework
