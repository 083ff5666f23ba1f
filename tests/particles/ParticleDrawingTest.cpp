// Particles on screen: each one a plain quad of its own colour and size where it is,
// in front of the world.
#include "particles/ParticleDrawing.h"

#include <GL/glew.h>

#include <gtest/gtest.h>

#include "engine/Random.h"
#include "graphics/Graphics.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "particles/ParticleEffects.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleSystem.h"
#include "support/GlFixture.h"

namespace Framework {
namespace {

using C = ParticleChannel;

class ParticleDrawing : public GlFixture {
 protected:
  void SetUp() override {
    GlFixture::SetUp();
    ParticleSystem::Instance().Clear();
    // The same sparks in every run, so the picture and its checks never change.
    Random::SetMasterSeed(2024);
    ParticleSystem::Instance().Reseed();
    Graphics::Instance().CollectParticles = [](Graphics& g) { CollectParticles(ParticleSystem::Instance(), g); };
  }
  ParticleEmitter* AddEmitter(Vec2 position) {
    Factory& factory = Factory::Instance();
    GameObject* object = factory.CreateObject();
    factory.AddComponent<Transform>(*object)->Position = position;
    return factory.AddComponent<ParticleEmitter>(*object);
  }
  // An emitter that puts out `count` still, square particles of one colour at once.
  ParticleEmitter* AddStill(Vec2 position, float size, Color3 color, std::uint32_t count) {
    ParticleEmitter* e = AddEmitter(position);
    e->InitSpawnRate = 1e4f;
    e->MaxToSpawn = count;
    e->TimeToBeActive = 10.0f;
    e->InitLifeTimeDistribution = {10.0f, 10.0f};
    const std::pair<std::size_t, float> fixed[] = {{C::Alpha, 1.0f}, {C::Red, color.R}, {C::Green, color.G},
                                                   {C::Blue, color.B}, {C::ScaleX, size}, {C::ScaleY, size}};
    for (auto [channel, v] : fixed) e->InitCreationDistribution[channel] = {v, v};
    e->Initialize();
    e->Active = true;
    return e;
  }
  void Step(const std::vector<ParticleEmitter*>& emitters, int frames) {
    for (int i = 0; i < frames; ++i) {
      for (ParticleEmitter* e : emitters) e->Update(1.0f / 60.0f);
      ParticleSystem::Instance().Update(1.0f / 60.0f, false);
    }
  }
};

bool IsColor(Pixel p, int r, int g, int b) {
  return std::abs(p.R - r) < 40 && std::abs(p.G - g) < 40 && std::abs(p.B - b) < 40;
}

TEST_F(ParticleDrawing, EveryParticleIsAQuadOfItsColourInFrontOfTheWorld) {
  AddBox({4.0f, 0.0f}, {6.0f, 6.0f}, 0.1f, {0.0f, 0.0f, 1.0f});  // a near box behind the green one
  ParticleEmitter* red = AddStill({-4.0f, 0.0f}, 2.0f, {1.0f, 0.0f, 0.0f}, 3);
  ParticleEmitter* green = AddStill({4.0f, 0.0f}, 2.0f, {0.0f, 1.0f, 0.0f}, 2);
  Step({red, green}, 1);
  Render();
  Graphics& graphics = Graphics::Instance();
  ASSERT_EQ(graphics.InstanceModels.size(), 6u);  // the box and five particles
  EXPECT_EQ(graphics.InstanceDepths.back(), Graphics::ParticleDepth);
  EXPECT_TRUE(IsColor(AtWorld(-4.0f, 0.0f), 255, 0, 0));
  EXPECT_TRUE(IsColor(AtWorld(-3.2f, 0.8f), 255, 0, 0));  // 2 units wide
  EXPECT_TRUE(IsSky(AtWorld(-2.6f, 0.0f)));
  EXPECT_TRUE(IsColor(AtWorld(4.0f, 0.0f), 0, 255, 0));   // in front of the box
  EXPECT_TRUE(IsColor(AtWorld(6.0f, 0.0f), 0, 0, 255));   // the box beside it
}

TEST_F(ParticleDrawing, TheGamesEffectsMakeAPicture) {
  AddBox({0.0f, -8.0f}, {60.0f, 4.0f}, 1.0f, {0.35f, 0.55f, 0.25f});
  ParticleEmitter* sparks = AddEmitter({-14.0f, 0.0f});
  ApplyFuseSparks(*sparks);
  ParticleEmitter* burst = AddEmitter({-4.0f, 0.0f});
  ApplyExplosionBurst(*burst);
  ParticleEmitter* above = AddEmitter({6.0f, -5.0f});
  ApplyDeathSpray(*above, DeathSpray::HazardAbove);
  ParticleEmitter* enemy = AddEmitter({16.0f, 0.0f});
  ApplyDeathSpray(*enemy, DeathSpray::Enemy);
  Step({sparks, burst, above, enemy}, 8);
  Render();
  const auto artifact = ArtifactPath("particles.png");
  EXPECT_TRUE(SaveBackBuffer(artifact)) << artifact;
  // The burst's sparks are yellow to red around its centre.
  const Pixel centre = AtWorld(-4.0f, 0.0f);
  EXPECT_FALSE(IsSky(centre));
  EXPECT_GT(centre.R, 150);
}

}  // namespace
}  // namespace Framework
