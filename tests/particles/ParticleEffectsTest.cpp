// The game's effects as the player sees them: how long each sprays, how many
// sparks it puts out, and where they are born around the object.
#include "particles/ParticleEffects.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "objects/GameObject.h"
#include "objects/Transform.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleSystem.h"

namespace Framework {
namespace {

using C = ParticleChannel;

TEST(ParticleEffects, EachEffectSpraysForItsTimeAtItsRateFromItsSide) {
  struct Case {
    const char* what;
    std::function<void(ParticleEmitter&)> apply;
    float seconds;
    bool activeAfter;
    int spawned, within;  // rate × active time, give or take a frame
    float minDx, maxDx, minDy, maxDy;  // where the sparks alive at the end were born
  };
  const Case cases[] = {
      {"fuse sparks never run out", ApplyFuseSparks, 2.0f, true, 240, 3, -0.3f, 0.3f, -0.3f, 0.3f},
      {"a burst lasts 0.2 s and widens to 3 units", ApplyExplosionBurst, 0.25f, false, 192, 10, -3.01f, 3.01f, -3.01f,
       3.01f},
      {"a hazard above sprays upwards", [](ParticleEmitter& e) { ApplyDeathSpray(e, DeathSpray::HazardAbove); }, 1.3f,
       true, 325, 6, -1.0f, 1.0f, 0.0f, 1.25f},
      {"a hazard below sprays downwards", [](ParticleEmitter& e) { ApplyDeathSpray(e, DeathSpray::HazardBelow); },
       1.3f, true, 325, 6, -1.0f, 1.0f, -1.25f, 0.0f},
      {"an enemy's spray is 1.2 s from the centre", [](ParticleEmitter& e) { ApplyDeathSpray(e, DeathSpray::Enemy); },
       1.3f, false, 180, 3, 0.0f, 0.0f, 0.0f, 0.0f},
  };
  ParticleSystem& system = ParticleSystem::Instance();
  constexpr Vec2 kAt{4.0f, -2.0f};
  constexpr float kFrame = 1.0f / 60.0f;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    system.Clear();
    GameObject object;
    object.Attach(std::make_unique<Transform>())->Position = kAt;
    ParticleEmitter& emitter = *object.Attach(std::make_unique<ParticleEmitter>());
    c.apply(emitter);
    for (float t = 0.0f; t < c.seconds; t += kFrame) {
      emitter.Update(kFrame);
      system.Update(kFrame, false);
    }
    EXPECT_EQ(emitter.Active, c.activeAfter);
    EXPECT_NEAR(emitter.Spawned, c.spawned, c.within);
    ASSERT_GT(system.LiveCount(), 0u);
    for (const Particle& p : system.Particles.at(emitter.Serial())) {
      const float dx = p.SpawnValues[C::PositionX] - kAt.x, dy = p.SpawnValues[C::PositionY] - kAt.y;
      EXPECT_TRUE(dx >= c.minDx && dx <= c.maxDx && dy >= c.minDy && dy <= c.maxDy) << dx << ", " << dy;
    }
  }
}

}  // namespace
}  // namespace Framework
