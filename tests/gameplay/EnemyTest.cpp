// Enemies: built by their archetype, they hop right and left once a second and
// hold a hop while they squash on landing. (That one kills the player and the
// level starts over is played in the shipped levels: ReplayTest.)
#include <gtest/gtest.h>

#include "engine/Commands.h"
#include "engine/Engine.h"
#include "gameplay/EnemyScript.h"
#include "gameplay/EnemyTrigger.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "physics/Physics.h"
#include "support/PhysicsScene.h"
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

}  // namespace
}  // namespace Framework
