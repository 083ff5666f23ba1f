// PointLight: a light at an offset from its object that fades to nothing at Radius.
// Invariant: its position is always derived from the owner's Transform each frame,
// so a moving object carries its light without extra bookkeeping.
#pragma once

#include "engine/Vec3.h"
#include "graphics/Light.h"

namespace Framework {

class PointLight : public Light {
 public:
  PointLight() : Light("PointLight", Color3{}) {}

  // Relative to the owner's Transform position (x, y) and ZLayer (z).
  Vec3 Offset{};
  float Radius = 9.0f;
};

}  // namespace Framework
