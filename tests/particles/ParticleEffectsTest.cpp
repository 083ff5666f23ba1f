// The game's effects as the player sees them: how long each sprays, how many
// sparks are out, and where they are born relative to the object.
#include "particles/ParticleEffects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "objects/GameObject.h"
#include "objects/Transform.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleSystem.h"

namespace Framework {
namespace {

using C = ParticleChannel;
constexpr float kFrame = 1.0f / 60.0f;
constexpr Vec2 kAt{4.0f, -2.0f};

class ParticleEffectsTest : public ::testing::Test {
 protected:
  void SetUp() override { Fresh(); }
  // A new emitter with every setting at its default, and no particles anywhere.
  void Fresh() {
    system.Clear();
    object.DestroyComponents();
    object.Attach(std::make_unique<Transform>())->Position = kAt;
    emitter = object.Attach(std::make_unique<ParticleEmitter>());
  }
  void Run(float seconds) {
    for (float t = 0.0f; t < seconds; t += kFrame) {
      emitter->Update(kFrame);
      system.Update(kFrame, false);
    }
  }
  // Calls `check` with each live particle's birth position relative to the object.
  template <class F>
  void ForEachBirth(F check) const {
    for (const Particle& p : system.Particles.at(emitter->Serial())) {
      check(p.SpawnValues[C::PositionX] - kAt.x, p.SpawnValues[C::PositionY] - kAt.y);
    }
  }

  ParticleSystem& system = ParticleSystem::Instance();
  GameObject object;
  ParticleEmitter* emitter = nullptr;
};

TEST_F(ParticleEffectsTest, FuseSparksTrickleForAsLongAsTheBombFlies) {
  ApplyFuseSparks(*emitter);
  Run(2.0f);
  EXPECT_TRUE(emitter->Active);
  EXPECT_NEAR(emitter->Spawned, 240, 2);  // 120 a second
  // Each lives 0.2 s: about 24 out at any moment, all within 0.3 of the bomb.
  EXPECT_NEAR(static_cast<double>(system.LiveCount()), 24.0, 2.0);
  ForEachBirth([](float dx, float dy) {
    EXPECT_LE(std::abs(dx), 0.3f);
    EXPECT_LE(std::abs(dy), 0.3f);
  });
}

TEST_F(ParticleEffectsTest, AnExplosionBurstsForAFifthOfASecondAndIsGoneSoonAfter) {
  ApplyExplosionBurst(*emitter);
  Run(0.1f);
  EXPECT_TRUE(emitter->Active);
  Run(0.12f);
  EXPECT_FALSE(emitter->Active);
  EXPECT_NEAR(emitter->Spawned, 200, 20);  // 1000 a second for 0.2 s
  // The ring of births widens from 0.5 to 3 units over the burst.
  float widest = 0.0f;
  ForEachBirth([&widest](float dx, float dy) {
    EXPECT_LE(std::abs(dx), 3.01f);
    EXPECT_LE(std::abs(dy), 3.01f);
    widest = std::max({widest, std::abs(dx), std::abs(dy)});
  });
  EXPECT_GT(widest, 1.0f);
  Run(0.21f);
  EXPECT_EQ(system.LiveCount(), 0u);
}

TEST_F(ParticleEffectsTest, DeathSpraysComeFromTheSideOfTheKiller) {
  struct Case {
    DeathSpray kind;
    float minDy, maxDy, halfWidth;
    bool stillActiveAfterTwoSeconds;
  };
  const Case cases[] = {
      {DeathSpray::HazardAbove, 0.0f, 1.25f, 1.0f, true},
      {DeathSpray::HazardBelow, -1.25f, 0.0f, 1.0f, true},
      {DeathSpray::Enemy, 0.0f, 0.0f, 0.0f, false},  // from the player's centre, for 1.2 s
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    Fresh();
    ApplyDeathSpray(*emitter, c.kind);
    Run(0.4f);
    ASSERT_GT(system.LiveCount(), 20u);
    ForEachBirth([&c](float dx, float dy) {
      EXPECT_LE(std::abs(dx), c.halfWidth);
      EXPECT_GE(dy, c.minDy);
      EXPECT_LE(dy, c.maxDy);
    });
    Run(1.6f);
    EXPECT_EQ(emitter->Active, c.stillActiveAfterTwoSeconds);
  }
}

}  // namespace
}  // namespace Framework
