// Pushers: the right click arms them; the player closer than 8 units is shoved
// once and the pusher goes; a player out of reach leaves it red and swelling up
// to the size of its reach.
#include <gtest/gtest.h>

#include "engine/Engine.h"
#include "engine/Windows.h"
#include "gameplay/PusherScript.h"
#include "graphics/Sprite.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "support/EventRecorder.h"
#include "support/PhysicsScene.h"
#include "support/WorldSteps.h"

namespace Framework {
namespace {

using PusherTest = WorldFixture;

TEST_F(PusherTest, ShovesAPlayerWithinReachOnceAndVanishes) {
  struct Case {
    float distance;
    bool shoved;
  };
  for (Case c : {Case{7.9f, true}, Case{8.0f, false}}) {
    Factory& factory = Factory::Instance();
    factory.DestroyAll();
    Body* pusherBody = PhysicsScene::AddStaticBox({0, 0}, {1, 1});
    GameObject* pusher = pusherBody->Owner;
    factory.AddComponent<Sprite>(*pusher);
    factory.AddComponent<PusherScript>(*pusher);
    Body* player = PhysicsScene::AddStaticBox({c.distance, 0}, {1, 2});  // static: only the Impulse is read
    factory.Player = player->Owner;
    const std::uint32_t pusherId = pusher->Id;
    EventRecorder<AudioEvent> sounds;

    MouseRecord& mouse = Windows::Instance().Mouse;
    mouse.Button = 3;
    mouse.ButtonEventType = Windows::ButtonDown;
    Scripting::Instance().Update(Engine::FrameTime, false);
    mouse = MouseRecord{};
    EXPECT_EQ(player->Impulse.x, c.shoved ? 1500.0f : 0.0f) << c.distance;
    EXPECT_EQ(player->Impulse.y, 0.0f);
    StepWorld(10);
    EXPECT_EQ(factory.Find(pusherId) != nullptr, !c.shoved) << c.distance;
    ASSERT_EQ(sounds.Events.size(), 1u);
    EXPECT_EQ(sounds.Events[0].SoundName, "push.ogg");
    if (!c.shoved) {
      // Still armed: red, and grown by 5 units per second.
      EXPECT_EQ(pusher->GetComponent<Sprite>()->Color.G, 0.0f);
      EXPECT_NEAR(pusher->GetComponent<Transform>()->Scale.x, 1.0f + 11 * 5.0f / 60.0f, 1e-3f);
      StepWorld(600);
      EXPECT_EQ(pusher->GetComponent<Transform>()->Scale, (Vec2{16.0f, 16.0f})) << "no larger than its reach";
      // The player walking into reach is shoved then.
      player->Owner->GetComponent<Transform>()->Position.x = 3.0f;
      StepWorld(2);
      EXPECT_EQ(factory.Find(pusherId), nullptr);
    }
  }
  Factory::Instance().Player = nullptr;
}

}  // namespace
}  // namespace Framework
