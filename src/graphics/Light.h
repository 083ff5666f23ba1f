// Light: a light carried by a game object. The plain Light can come from a level
// file but is never collected by the renderer; PointLight and DirLight are.
// Invariant: the renderer collects a light only while On is set, and only from an
// object that also has a Transform and a Sprite.
#pragma once

#include <string>

#include "engine/Events.h"
#include "objects/Component.h"

namespace Framework {

class Light : public Component {
 public:
  Light() : Light("Light", Color3{}) {}
  Light(std::string name, Color3 color) : Component(std::move(name)), Color(color) {}

  Color3 Color;
  bool On = true;
};

}  // namespace Framework
