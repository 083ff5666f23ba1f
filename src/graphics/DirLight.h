// DirLight: the scene-wide directional light. When several are collected in one
// frame the last one wins.
#pragma once

#include "engine/Vec3.h"
#include "graphics/Light.h"

namespace Framework {

class DirLight : public Light {
 public:
  DirLight() : Light("DirLight", Color3{}) {}

  Vec3 Direction{};
};

}  // namespace Framework
