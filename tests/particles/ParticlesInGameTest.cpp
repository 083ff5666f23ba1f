// Particles in the started game: stepped after physics and before the factory, and
// drawn with the world. (Gone with every level load: ParticleSystemTest.)
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Engine.h"
#include "game/Startup.h"
#include "graphics/Graphics.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "particles/ParticleEffects.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleSystem.h"
#include "physics/Physics.h"

namespace Framework {
namespace {

TEST(ParticlesInGame, SteppedBetweenPhysicsAndFactoryAndDrawnWithTheWorld) {
  StartGame();
  const auto& systems = Engine::Instance().Systems;
  const auto at = std::find(systems.begin(), systems.end(), &ParticleSystem::Instance());
  ASSERT_NE(at, systems.end());
  ASSERT_NE(at, systems.begin());
  EXPECT_EQ(*(at - 1), &Physics::Instance());
  EXPECT_EQ(*(at + 1), &Factory::Instance());

  Factory& factory = Factory::Instance();
  GameObject* object = factory.CreateObject();
  factory.AddComponent<Transform>(*object);
  ApplyExplosionBurst(*factory.AddComponent<ParticleEmitter>(*object));
  ParticleSystem& particles = ParticleSystem::Instance();
  for (int i = 0; i < 3; ++i) {
    object->GetComponent<ParticleEmitter>()->Update(Engine::FrameTime);
    particles.Update(Engine::FrameTime, false);
  }
  ASSERT_GT(particles.LiveCount(), 0u);

  Graphics& graphics = Graphics::Instance();
  graphics.DrawFrame(0.0f);
  // The splash picture is textured: every queued plain quad is a particle.
  EXPECT_EQ(graphics.InstanceModels.size(), particles.LiveCount());
  StopGame();
}

}  // namespace
}  // namespace Framework
