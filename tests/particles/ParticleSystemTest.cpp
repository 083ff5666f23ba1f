// The particle system as a player sees it: how many sparks come out and when,
// how they move and die, what pausing, level loads and destroyed emitters do,
// that a seeded run repeats exactly, and that hostile level settings stay bounded.
#include "particles/ParticleSystem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Random.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"
#include "particles/ParticleEffects.h"
#include "particles/ParticleEmitter.h"
#include "support/Capture.h"

namespace Framework {
namespace {

using C = ParticleChannel;

// An object at `position` with a Transform and an emitter the test configures.
struct EmitterObject {
  explicit EmitterObject(Vec2 position = {0.0f, 0.0f}) : object(std::make_unique<GameObject>()) {
    object->Attach(std::make_unique<Transform>())->Position = position;
    emitter = object->Attach(std::make_unique<ParticleEmitter>());
  }
  // A steady emitter whose particles all live `life` seconds.
  EmitterObject& Steady(float rate, std::uint32_t maxToSpawn, float timeToBeActive, float life) {
    emitter->InitSpawnRate = rate;
    emitter->MaxToSpawn = maxToSpawn;
    emitter->TimeToBeActive = timeToBeActive;
    emitter->InitLifeTimeDistribution = {life, life};
    emitter->Initialize();
    emitter->Active = true;
    return *this;
  }
  std::unique_ptr<GameObject> object;
  ParticleEmitter* emitter = nullptr;
};

class ParticleSystemTest : public ::testing::Test {
 protected:
  void SetUp() override { system.Clear(); }
  void TearDown() override { Random::ClearMasterSeed(); }

  // One frame as the game runs it: emitters (scripts) first, then the system.
  void Frame(std::vector<EmitterObject*> emitters, float dt, bool paused = false) {
    if (!paused) {
      for (EmitterObject* e : emitters) e->emitter->Update(dt);
    }
    system.Update(dt, paused);
  }
  ParticleSystem& system = ParticleSystem::Instance();
};

TEST_F(ParticleSystemTest, SpawnCountFollowsRateTimesTimeUpToTheMaximum) {
  EmitterObject capped;
  capped.Steady(10.0f, 7, 100.0f, 100.0f);
  // After t seconds: the smallest whole number not below 10 t, never above 7.
  const int expected[] = {3, 5, 7, 7};
  for (int n : expected) {
    Frame({&capped}, 0.25f);
    EXPECT_EQ(capped.emitter->Spawned, n);
  }
  EXPECT_EQ(system.LiveCount(), 7u);

  // A zero maximum spawns nothing, and the emitter stays active until its time is up.
  system.Clear();
  EmitterObject none;
  none.Steady(1000.0f, 0, 0.6f, 1.0f);
  Frame({&none}, 0.25f);
  Frame({&none}, 0.25f);
  EXPECT_TRUE(none.emitter->Active);
  Frame({&none}, 0.25f);
  EXPECT_FALSE(none.emitter->Active);
  EXPECT_EQ(none.emitter->Spawned, 0);
  EXPECT_TRUE(system.Particles.empty());
}

TEST_F(ParticleSystemTest, AParticleMovesWithItsVelocityFreezesWhenPausedAndDiesWithoutALastStep) {
  EmitterObject e({2.0f, 5.0f});
  e.emitter->InitCreationDistribution[C::VelocityX] = {3.0f, 3.0f};
  e.Steady(1.0f, 1, 100.0f, 0.9f);
  Frame({&e}, 0.25f);  // born and stepped in the same frame
  ASSERT_EQ(system.LiveCount(), 1u);
  const Particle& p = system.Particles.begin()->second.front();
  EXPECT_FLOAT_EQ(p.Values[C::PositionX], 2.75f);
  EXPECT_FLOAT_EQ(p.Values[C::PositionY], 5.0f);

  Frame({&e}, 0.25f, /*paused=*/true);
  EXPECT_FLOAT_EQ(p.Age, 0.25f);
  EXPECT_FLOAT_EQ(p.Values[C::PositionX], 2.75f);

  Frame({&e}, 0.25f);
  Frame({&e}, 0.25f);
  EXPECT_FLOAT_EQ(p.Values[C::PositionX], 4.25f);  // 3 units per second
  Frame({&e}, 0.25f);  // age 1.0 is past its 0.9 s: gone in this frame
  EXPECT_EQ(system.LiveCount(), 0u);
  EXPECT_TRUE(system.Particles.begin()->second.empty());
}

TEST_F(ParticleSystemTest, ADestroyedEmittersParticlesLiveOnAndItsEntriesGoOnePerFrameAfterwards) {
  auto first = std::make_unique<EmitterObject>();
  auto second = std::make_unique<EmitterObject>();
  EmitterObject survivor;
  for (EmitterObject* e : {first.get(), second.get(), &survivor}) {
    e->emitter->InitCreationDistribution[C::VelocityY] = {1.0f, 1.0f};
    e->Steady(4.0f, 1, 100.0f, 0.5f);
  }
  Frame({first.get(), second.get(), &survivor}, 0.1f);
  first.reset();
  second.reset();
  Frame({&survivor}, 0.2f);
  ASSERT_EQ(system.LiveCount(), 3u);
  for (const auto& [serial, list] : system.Particles) EXPECT_FLOAT_EQ(list.front().Values[C::PositionY], 0.3f);

  Frame({&survivor}, 0.3f);  // all three die; one finished emitter goes
  EXPECT_EQ(system.LiveCount(), 0u);
  EXPECT_EQ(system.Particles.size(), 2u);
  Frame({&survivor}, 0.1f);
  EXPECT_EQ(system.Particles.size(), 1u);
  EXPECT_EQ(system.Records.size(), 1u);
  Frame({&survivor}, 0.1f);  // a live emitter keeps its entry, empty or not
  EXPECT_EQ(system.Particles.size(), 1u);
  EXPECT_EQ(system.Particles.begin()->first, survivor.emitter->Serial());
}

TEST_F(ParticleSystemTest, EveryLevelLoadClearsTheParticlesButSavesAndCheckpointsDoNot) {
  system.Initialize();
  EmitterObject e;
  e.Steady(100.0f, 1000, 100.0f, 100.0f);
  for (std::int32_t command = SerializationCommand::SaveGame; command <= SerializationCommand::None; ++command) {
    Frame({&e}, 0.1f);
    ASSERT_GT(system.LiveCount(), 0u);
    SerializationEvent event;
    event.Command = command;
    EventSystem::Instance().Send(event);
    const bool loadsALevel = command != SerializationCommand::SaveGame && command != SerializationCommand::Checkpoint &&
                             command != SerializationCommand::None;
    EXPECT_EQ(system.Particles.empty(), loadsALevel) << "command " << command;
    EXPECT_EQ(system.Records.empty(), loadsALevel) << "command " << command;
  }
}

TEST_F(ParticleSystemTest, AMasterSeedRepeatsARunExactly) {
  auto run = [this](std::uint32_t seed) {
    Random::SetMasterSeed(seed);
    system.Clear();
    system.Reseed();
    EmitterObject bomb({1.0f, 2.0f}), burst({-3.0f, 0.0f});
    ApplyFuseSparks(*bomb.emitter);
    ApplyExplosionBurst(*burst.emitter);
    for (int frame = 0; frame < 20; ++frame) Frame({&bomb, &burst}, 1.0f / 60.0f);
    std::vector<float> values;
    for (const auto& [serial, list] : system.Particles) {
      for (const Particle& p : list) values.insert(values.end(), p.Values.begin(), p.Values.end());
    }
    return values;
  };
  const std::vector<float> first = run(1234);
  ASSERT_GT(first.size(), 100u);
  EXPECT_EQ(run(1234), first);
  EXPECT_NE(run(4321), first);
}

TEST_F(ParticleSystemTest, HostileSettingsStayBoundedAndAreReportedOnce) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  std::vector<std::unique_ptr<EmitterObject>> flood;
  for (int i = 0; i < 60; ++i) {
    flood.push_back(std::make_unique<EmitterObject>());
    flood.back()->Steady(i % 2 ? kInf : 1e30f, std::numeric_limits<std::uint32_t>::max(), kInf, 1e30f);
  }
  EmitterObject nanRate, nanLife;
  nanRate.Steady(kNaN, 100, 10.0f, 1.0f);
  nanLife.Steady(100.0f, 100, 10.0f, kNaN);
  std::vector<EmitterObject*> all{&nanRate, &nanLife};
  for (auto& e : flood) all.push_back(e.get());

  const std::string out = StdoutOf([&] {
    for (int frame = 0; frame < 10; ++frame) {
      Frame(all, 0.025f);
      EXPECT_LE(system.LiveCount(), ParticleSystem::MaxLiveParticles);
    }
  });
  // Filled up to the limit (less the sparks that die each frame), not beyond.
  EXPECT_GT(system.LiveCount(), ParticleSystem::MaxLiveParticles - 10);
  EXPECT_EQ(CountOf(out, "\n"), 1) << out;

  EXPECT_EQ(nanRate.emitter->Spawned, 0);
  EXPECT_EQ(system.Particles.count(nanRate.emitter->Serial()), 0u);
  // Particles without a lifetime die in their first frame instead of never.
  EXPECT_GT(nanLife.emitter->Spawned, 0);
  EXPECT_TRUE(system.Particles.at(nanLife.emitter->Serial()).empty());
}

}  // namespace
}  // namespace Framework
