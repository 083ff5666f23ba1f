// Particles on screen: each one a plain quad of its own colour and size where it
// is, in front of the world; and a picture of the game's effects to look at.
#include "particles/ParticleDrawing.h"

#include <gtest/gtest.h>

#include <cmath>

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
    // The same sparks in every run, so the picture never changes.
    Random::SetMasterSeed(2024);
    ParticleSystem::Instance().Clear();
    ParticleSystem::Instance().Reseed();
    Graphics::Instance().CollectParticles = [](Graphics& g) { CollectParticles(ParticleSystem::Instance(), g); };
  }
  void TearDown() override {
    Random::ClearMasterSeed();
    GlFixture::TearDown();
  }
  ParticleEmitter* AddEmitter(Vec2 position) {
    GameObject* object = Factory::Instance().CreateObject();
    Factory::Instance().AddComponent<Transform>(*object)->Position = position;
    ParticleEmitter* e = Factory::Instance().AddComponent<ParticleEmitter>(*object);
    emitters.push_back(e);
    return e;
  }
  // `count` still, square, opaque particles of one colour, all at once.
  void AddStill(Vec2 position, float size, Color3 color, std::uint32_t count) {
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
  }
  std::vector<ParticleEmitter*> emitters;
};

bool IsColor(Pixel p, int r, int g, int b) {
  return std::abs(p.R - r) < 40 && std::abs(p.G - g) < 40 && std::abs(p.B - b) < 40;
}

TEST_F(ParticleDrawing, EveryParticleIsAQuadOfItsColourInFrontOfTheWorld) {
  AddBox({0.0f, -9.0f}, {60.0f, 4.0f}, 1.0f, {0.35f, 0.55f, 0.25f});
  AddBox({4.0f, 0.0f}, {6.0f, 6.0f}, 0.1f, {0.0f, 0.0f, 1.0f});  // a near box behind the green sparks
  AddStill({-4.0f, 0.0f}, 2.0f, {1.0f, 0.0f, 0.0f}, 3);
  AddStill({4.0f, 0.0f}, 2.0f, {0.0f, 1.0f, 0.0f}, 2);
  ApplyFuseSparks(*AddEmitter({-14.0f, 5.0f}));
  ApplyExplosionBurst(*AddEmitter({-4.0f, 8.0f}));
  ApplyDeathSpray(*AddEmitter({6.0f, -6.0f}), DeathSpray::HazardAbove);
  ApplyDeathSpray(*AddEmitter({16.0f, 5.0f}), DeathSpray::Enemy);
  for (int frame = 0; frame < 8; ++frame) {
    for (ParticleEmitter* e : emitters) e->Update(1.0f / 60.0f);
    ParticleSystem::Instance().Update(1.0f / 60.0f, false);
  }
  Render();

  Graphics& graphics = Graphics::Instance();
  EXPECT_EQ(graphics.InstanceModels.size(), 2 + ParticleSystem::Instance().LiveCount());
  EXPECT_EQ(graphics.InstanceDepths.back(), Graphics::ParticleDepth);
  EXPECT_TRUE(IsColor(AtWorld(-4.0f, 0.0f), 255, 0, 0));
  EXPECT_TRUE(IsColor(AtWorld(-3.2f, 0.8f), 255, 0, 0));  // 2 units wide
  EXPECT_TRUE(IsSky(AtWorld(-2.6f, 0.0f)));
  EXPECT_TRUE(IsColor(AtWorld(4.0f, 0.0f), 0, 255, 0));  // in front of the box
  EXPECT_TRUE(IsColor(AtWorld(6.0f, 0.0f), 0, 0, 255));  // the box beside it
  EXPECT_GT(AtWorld(-4.0f, 8.0f).R, 150);                // the burst's warm sparks
}

}  // namespace
}  // namespace Framework
