// Enemies: built by their archetype, they hop right and left once a second,
// hold a hop while they squash on landing, and kill the player on contact.
#include <gtest/gtest.h>

#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/Events.h"
#include "gameplay/EnemyScript.h"
#include "gameplay/EnemyTrigger.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "physics/Physics.h"
#include "gameplay/DeathAnimation.h"
#include "particles/ParticleEffects.h"
#include "particles/ParticleEmitter.h"
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

// Dropped from a height, the enemy lands just before its first second is up: that
// hop waits for the first frame after the landing squash; then it hops right and
// left in turn, a second or more apart.
TEST(Enemy, HopsRightThenLeftAndAHopDueWhileItSquashesWaitsForTheSquash) {
  Physics::Instance().Gravity = -30.0f;
  PhysicsScene::AddStaticBox({0, -1}, {40, 1});
  GameObject* enemy = BuildEnemy({0, 10});
  ASSERT_NE(enemy, nullptr);
  ASSERT_NE(enemy->GetComponent<EnemyTrigger>(), nullptr);
  auto* hopper = enemy->GetComponent<EnemyScript>();
  auto* body = enemy->GetComponent<Body>();
  auto* transform = enemy->GetComponent<Transform>();
  int landedAt = -1, squashEndedAt = -1;
  std::vector<int> hops;  // frames
  for (int frame = 0; frame < 320; ++frame) {
    const float before = hopper->NextHopX();
    StepWorld();
    const bool squashed = transform->Scale.y < 1.0f;
    if (landedAt < 0 && body->Grounded) landedAt = frame;
    if (landedAt >= 0 && squashEndedAt < 0 && frame > landedAt + 1 && !squashed) squashEndedAt = frame;
    if (squashed && !hopper->HopLocked()) ADD_FAILURE() << "unlocked while squashed, frame " << frame;
    if (hopper->NextHopX() == before) continue;
    // The velocity just after a hop shows its direction: right first.
    EXPECT_EQ(body->Velocity.x > 0.0f, hops.size() % 2 == 0) << "hop " << hops.size();
    if (!hops.empty() && frame - hops.back() < 59) ADD_FAILURE() << "hop " << hops.size() << " too soon";
    hops.push_back(frame);
  }
  const int second = static_cast<int>(EnemyScript::HopInterval / Engine::FrameTime);
  ASSERT_LT(landedAt, second) << "lands within its first second";
  ASSERT_GT(squashEndedAt, second + 1) << "and still squashes when the second is up";
  ASSERT_GE(hops.size(), 3u);
  EXPECT_EQ(hops[0], squashEndedAt + 1);
}

// In play: the enemy hops on its ground harmlessly; walking into it plays the crash,
// shrinks the player in the enemy's spray, and the level starts again with "Try again".
TEST(Enemy, WalkingIntoOneSpraysThePlayerAwayAndRestartsTheLevel) {
  using namespace std::chrono_literals;
  Scenario s;
  s.LoadLevel(LevelText()
                  .Player({0, 1})
                  .Platform({0, -1}, {80, 2})
                  .Entry(R"({"Transform": {"Position": {"X": 6, "Y": 1}, "Scale": {"X": 2, "Y": 2}},
                      "Body": {"IsCollidable": true, "Friction": {"X": 0.99, "XG": 0.9, "Y": 0.99}}, "Sprite": {"Filename": "container2"},
                      "EnemyScript": "", "EnemyTriggerScript": "", "PlayerAnimationScript": ""})")
                  .Text(),
              15);
  s.Run(1.5s);
  EXPECT_EQ(s.CountSound("crash.ogg"), 0u) << "the enemy hopping on the ground harms nobody";
  const std::uint32_t firstPlayer = s.Player()->Id;
  auto* death = s.Player()->GetComponent<DeathAnimation>();
  s.Press(Keys::Right);
  ASSERT_TRUE(s.RunUntil([&] { return death->Dying(); }, 5s)) << s.Where();
  s.Release(Keys::Right);
  EXPECT_EQ(death->Cause(), EnemyTrigger::DeathCause);
  EXPECT_EQ(death->Killer(), s.ObjectsWith<EnemyScript>().at(0));
  EXPECT_EQ(s.CountSound("crash.ogg"), 1u);

  s.RunFrames(2);
  const auto sprays = s.ObjectsWith<ParticleEmitter>();
  ASSERT_EQ(sprays.size(), 1u);
  ParticleEmitter enemySpray;
  ApplyDeathSpray(enemySpray, DeathSpray::Enemy);
  EXPECT_EQ(sprays[0]->GetComponent<ParticleEmitter>()->InitCreationDistribution, enemySpray.InitCreationDistribution);

  ASSERT_TRUE(s.RunUntil([&] { return s.Player() && s.Player()->Id != firstPlayer; }, 3s)) << s.Where();
  EXPECT_EQ(s.Level(), 15);
  s.RunFrames(2);
  EXPECT_GT(s.CountMessage("Try again"), 0u);
}

}  // namespace
}  // namespace Framework
