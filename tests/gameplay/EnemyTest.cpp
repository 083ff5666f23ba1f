// Enemies: built by their archetype, they hop right and left once a second on
// their platform, hold their hop while they squash on landing, and kill the
// player on contact.
#include <gtest/gtest.h>

#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "gameplay/EnemyScript.h"
#include "gameplay/EnemyTrigger.h"
#include "gameplay/PlayerAnimation.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "physics/Physics.h"
#include "gameplay/DeathAnimation.h"
#include "particles/ParticleEffects.h"
#include "particles/ParticleEmitter.h"
#include "support/EventRecorder.h"
#include "support/PhysicsScene.h"
#include "support/Scenario.h"
#include "support/WorldSteps.h"

namespace Framework {
namespace {

GameObject* BuildEnemy(Vec2 at) {
  GameObject* enemy = nullptr;
  FactoryEvent build;
  build.Command = FactoryCommand::BuildEnemy;
  build.Callback = [&](GameObject* object) {
    enemy = object;
    auto* transform = object->GetComponent<Transform>();
    transform->Position = at;
    transform->Scale = {1.0f, 1.0f};
    object->GetComponent<Body>()->Initialize();  // the body takes the new place and size
  };
  Factory::Instance().Execute(build);
  return enemy;
}

TEST(Enemy, HopsRightThenLeftEverySecond) {
  Physics::Instance().Gravity = -30.0f;
  PhysicsScene::AddStaticBox({0, -1}, {40, 1});
  GameObject* enemy = BuildEnemy({0, 0});
  ASSERT_NE(enemy, nullptr);
  auto* hopper = enemy->GetComponent<EnemyScript>();
  auto* body = enemy->GetComponent<Body>();
  ASSERT_NE(hopper, nullptr);
  ASSERT_NE(enemy->GetComponent<EnemyTrigger>(), nullptr);

  // The velocity just after each hop shows its direction; hops are a second or
  // more apart (a hop due while the enemy squashes on landing waits for it).
  std::vector<float> hops;
  std::vector<int> frames;
  for (int frame = 0; frame < 300; ++frame) {
    const float before = hopper->hopX;
    StepWorld();
    if (hopper->hopX == before) continue;
    hops.push_back(body->Velocity.x);
    frames.push_back(frame);
  }
  ASSERT_GE(hops.size(), 3u);
  for (std::size_t i = 0; i < hops.size(); ++i) {
    EXPECT_EQ(hops[i] > 0.0f, i % 2 == 0) << "hop " << i;
    if (i > 0) {
      EXPECT_GE(frames[i] - frames[i - 1], 59) << "hop " << i;
    }
  }
}

// Dropped from a height, the enemy lands just before its second is up: the second
// ends while it squashes, and the hop waits for the first frame after the squash.
TEST(Enemy, AHopDueAtTheLandingWaitsForTheSquashToEnd) {
  Physics::Instance().Gravity = -30.0f;
  PhysicsScene::AddStaticBox({0, -1}, {40, 1});
  GameObject* enemy = BuildEnemy({0, 10});
  ASSERT_NE(enemy, nullptr);
  auto* hopper = enemy->GetComponent<EnemyScript>();
  auto* body = enemy->GetComponent<Body>();
  auto* transform = enemy->GetComponent<Transform>();
  ASSERT_NE(enemy->GetComponent<PlayerAnimation>(), nullptr);
  const float firstHop = hopper->hopX;

  int landedAt = -1, squashEndedAt = -1, hopAt = -1;
  for (int frame = 0; frame < 150 && hopAt < 0; ++frame) {
    StepWorld();
    if (landedAt < 0 && body->Grounded) landedAt = frame;
    const bool squashed = transform->Scale.y < 1.0f;
    if (landedAt >= 0 && squashEndedAt < 0 && frame > landedAt + 1 && !squashed) squashEndedAt = frame;
    if (hopper->hopX != firstHop) hopAt = frame;
    if (squashed) {
      EXPECT_TRUE(hopper->hopLock) << "frame " << frame;
    }
  }
  const int second = static_cast<int>(EnemyScript::HopInterval / Engine::FrameTime);
  ASSERT_LT(landedAt, second) << "lands within its first second";
  ASSERT_GT(squashEndedAt, second + 1) << "and is still squashing when the second is up";
  EXPECT_EQ(hopAt, squashEndedAt + 1);
  EXPECT_FALSE(hopper->hopLock);
  EXPECT_EQ(transform->Scale, (Vec2{1.0f, 1.0f}));
}

TEST(Enemy, TouchingThePlayerKillsItNothingElseDoes) {
  GameObject* enemy = BuildEnemy({0, 0});
  Body* crate = PhysicsScene::AddBox({5, 0}, {1, 1});
  Body* player = PhysicsScene::AddBox({-5, 0}, {1, 2});
  Factory::Instance().Player = player->Owner;
  EventRecorder<AudioEvent> sounds;
  EventRecorder<DeathEvent> deaths;
  EventSystem& events = EventSystem::Instance();
  for (GameObject* other : {crate->Owner, player->Owner}) {
    CollisionObjectEvent contact(enemy, other);
    events.Send(contact);
  }
  events.Update(0.0f, false);
  ASSERT_EQ(deaths.Events.size(), 1u);
  EXPECT_EQ(deaths.Events[0].Cause, EnemyTrigger::DeathCause);
  EXPECT_EQ(deaths.Events[0].Source, enemy);
  ASSERT_EQ(sounds.Events.size(), 1u);
  EXPECT_EQ(sounds.Events[0].SoundName, "crash.ogg");
  Factory::Instance().Player = nullptr;
}

// In play: walking into a hopping enemy plays the crash, shrinks the player in the
// enemy's spray, and the level starts again with "Try again".
TEST(Enemy, WalkingIntoOneSpraysThePlayerAwayAndRestartsTheLevel) {
  using namespace std::chrono_literals;
  Scenario s;
  s.LoadLevel(LevelText()
                  .Player({0, 1})
                  .Platform({0, -1}, {80, 2})
                  .Entry(R"({"Name": "Enemy", "Transform": {"Position": {"X": 6, "Y": 1}, "Scale": {"X": 2, "Y": 2},
                      "Rotation": 0, "ZLayer": 0.2},
                      "Body": {"IsStatic": false, "IsCollidable": true, "IsGhost": false},
                      "Sprite": {"Filename": "container2"},
                      "EnemyScript": "", "EnemyTriggerScript": "", "PlayerAnimationScript": ""})")
                  .Text(),
              15);
  s.Run(0.6s);
  const std::uint32_t firstPlayer = s.Player()->Id;
  auto* death = s.Player()->GetComponent<DeathAnimation>();
  s.Press(Keys::Right);
  ASSERT_TRUE(s.RunUntil([&] { return death->dying; }, 5s)) << s.Where();
  s.Release(Keys::Right);
  EXPECT_EQ(death->cause, EnemyTrigger::DeathCause);
  EXPECT_EQ(s.CountSound("crash.ogg"), 1u);

  s.RunFrames(2);
  auto sprays = s.ObjectsWith<ParticleEmitter>();
  ASSERT_EQ(sprays.size(), 1u);
  ParticleEmitter enemySpray;
  ApplyDeathSpray(enemySpray, DeathSpray::Enemy);
  EXPECT_EQ(sprays[0]->GetComponent<ParticleEmitter>()->InitCreationDistribution,
            enemySpray.InitCreationDistribution);

  ASSERT_TRUE(s.RunUntil([&] { return s.Player() && s.Player()->Id != firstPlayer; }, 3s)) << s.Where();
  EXPECT_EQ(s.Level(), 15);
  s.RunFrames(2);
  const auto messages = s.Messages();
  EXPECT_NE(std::find(messages.begin(), messages.end(), "Try again"), messages.end());
}

}  // namespace
}  // namespace Framework
