// Scene builders shared by the physics tests and the physics benchmark: boxes
// are made the way levels make them (an object, its Transform, then the body
// through the Factory's body command), so the code under test is the game's own.
#pragma once

#include <cstddef>

#include "engine/Commands.h"
#include "engine/Events.h"
#include "engine/Vec2.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "physics/Physics.h"

namespace Framework::PhysicsScene {

inline Body* AddBox(Vec2 position, Vec2 size, bool isStatic = false) {
  Factory& factory = Factory::Instance();
  GameObject* object = factory.CreateObject();
  auto* transform = factory.AddComponent<Transform>(*object);
  transform->Position = position;
  transform->Scale = size;
  FactoryEvent event;
  event.Command = FactoryCommand::AddBody;
  event.Object = object;
  event.Callback = [isStatic](GameObject* target) { target->GetComponent<Body>()->IsStatic = isStatic; };
  factory.Execute(event);
  return object->GetComponent<Body>();
}

inline Body* AddStaticBox(Vec2 position, Vec2 size) { return AddBox(position, size, true); }

// A world without gravity or friction, so that velocities and distances in a
// test are the plain numbers written in it.
inline void MakeFrictionless(Body& body) {
  body.Friction.X = 1.0f;
  body.Friction.XG = 1.0f;
  body.Friction.Y = 1.0f;
}

// A level-sized scene: `platforms` static platforms on a grid, and `dynamics`
// boxes, each dropped onto one of the platforms (so they collide every step).
struct PlatformField {
  std::size_t Platforms = 0;
  std::size_t Dynamics = 0;
};

inline PlatformField BuildPlatformField(std::size_t platforms, std::size_t dynamics) {
  constexpr std::size_t kColumns = 20;
  constexpr float kSpacingX = 8.0f;
  constexpr float kSpacingY = 6.0f;
  for (std::size_t i = 0; i < platforms; ++i) {
    const float x = static_cast<float>(i % kColumns) * kSpacingX;
    const float y = static_cast<float>(i / kColumns) * kSpacingY;
    AddStaticBox({x, y}, {4.0f, 1.0f});
  }
  for (std::size_t i = 0; i < dynamics; ++i) {
    const std::size_t under = platforms ? (i * 7) % platforms : 0;
    const float x = static_cast<float>(under % kColumns) * kSpacingX;
    const float y = static_cast<float>(under / kColumns) * kSpacingY + 1.5f;
    AddBox({x, y}, {1.0f, 1.0f});
  }
  return {platforms, dynamics};
}

}  // namespace Framework::PhysicsScene
