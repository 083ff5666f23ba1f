// Transform: where an object is, how big it is (full width and height in world
// units), its rotation and its draw depth (smaller ZLayer is nearer).
#pragma once

#include "engine/Vec2.h"
#include "objects/Component.h"

namespace Framework {

class Transform : public Component {
 public:
  Transform() : Component("Transform") {}
  void Initialize() override;

  Vec2 Position{0.0f, 0.0f};
  Vec2 Scale{1.0f, 1.0f};
  float Rotation = 0.0f;
  float ZLayer = 0.0f;
};

}  // namespace Framework
