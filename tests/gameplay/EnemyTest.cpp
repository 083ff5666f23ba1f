// Enemies: built by their archetype, they hop right and left once a second on
// their platform, hold their hop while locked, and kill the player on contact.
#include <gtest/gtest.h>

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "gameplay/EnemyScript.h"
#include "gameplay/EnemyTrigger.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "physics/Physics.h"
#include "support/EventRecorder.h"
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
  };
  Factory::Instance().Execute(build);
  return enemy;
}

TEST(Enemy, HopsRightThenLeftEverySecondAndWaitsWhileLocked) {
  Physics::Instance().Gravity = -30.0f;
  PhysicsScene::AddStaticBox({0, -1}, {40, 1});
  GameObject* enemy = BuildEnemy({0, 0});
  ASSERT_NE(enemy, nullptr);
  auto* hopper = enemy->GetComponent<EnemyScript>();
  auto* body = enemy->GetComponent<Body>();
  ASSERT_NE(hopper, nullptr);
  ASSERT_NE(enemy->GetComponent<EnemyTrigger>(), nullptr);

  // The velocity just after each hop shows its direction.
  std::vector<float> hops;
  for (int frame = 0; frame < 250; ++frame) {
    const float before = hopper->hopX;
    StepWorld();
    if (hopper->hopX != before) hops.push_back(body->Velocity.x);
  }
  ASSERT_EQ(hops.size(), 4u);
  EXPECT_GT(hops[0], 0.0f);
  EXPECT_LT(hops[1], 0.0f);
  EXPECT_GT(hops[2], 0.0f);
  EXPECT_LT(hops[3], 0.0f);

  // Locked past its second, it waits; the hop comes on the first frame after the lock.
  hopper->hopTimer = 0.0f;
  hopper->hopLock = true;
  const float next = hopper->hopX;
  StepWorld(90);
  EXPECT_EQ(hopper->hopX, next);
  hopper->hopLock = false;
  StepWorld();
  EXPECT_EQ(hopper->hopX, -next);
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

}  // namespace
}  // namespace Framework
