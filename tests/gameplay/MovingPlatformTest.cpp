// Moving platforms: their legs and turns and hostile settings. (Their level block,
// and the player riding them, walking on them and jumping off, are played in the
// replays of levels 5 and 8.)
#include <gtest/gtest.h>

#include <string>

#include "gameplay/MovingPlatformScript.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "support/Capture.h"
#include "support/LevelFixture.h"
#include "support/PhysicsScene.h"
#include "support/WorldSteps.h"

namespace Framework {
namespace {

class MovingPlatformTest : public LevelFixture {
 protected:
  // A static platform driven by a script between two points.
  MovingPlatformScript& MakePlatform(Vec2 point1, Vec2 point2, float speed, float delay, Vec2 size = {4.0f, 1.0f}) {
    Body* body = PhysicsScene::AddStaticBox(point1, size);
    auto* script = Factory::Instance().AddComponent<MovingPlatformScript>(*body->Owner);
    script->SetDelay(delay);
    script->SetSpeed(speed);
    script->SetPoint1(point1);
    script->SetPoint2(point2);
    script->Initialize();
    return *script;
  }
  static Vec2 PositionOf(const Component& component) {
    return component.Owner->GetComponent<Transform>()->Position;
  }
};

// A trip longer than the delay turns back half way, towards Point1. (Arriving
// exactly at an end and waiting there: the replays of levels 5 and 8.)
TEST_F(MovingPlatformTest, ATripLongerThanTheDelayTurnsBackHalfWayAndHostileSettingsAreClamped) {
  MovingPlatformScript& slow = MakePlatform({10, 0}, {20, 0}, 1.0f, 1.0f);
  StepWorld(61);
  const float turnedAt = PositionOf(slow).x;
  EXPECT_NEAR(turnedAt, 11.0f, 0.05f);
  StepWorld(30);
  EXPECT_LT(PositionOf(slow).x, turnedAt);
  EXPECT_LT(slow.Velocity().x, 0.0f);

  // Hostile settings are clamped; coinciding points stay still.
  MovingPlatformScript* still = nullptr;
  MovingPlatformScript* wild = nullptr;
  MovingPlatformScript* backwards = nullptr;
  const std::string said = StdoutOf([&] {
    still = &MakePlatform({5, 5}, {5, 5}, 3.0f, 1.0f);
    wild = &MakePlatform({0, 0}, {1e30f, 0}, 1e30f, 0.0f);
    backwards = &MakePlatform({0, 10}, {10, 10}, -4.0f, -1.0f);
    StepWorld(120);
  });
  EXPECT_EQ(PositionOf(*still), (Vec2{5, 5}));
  EXPECT_EQ(wild->GetSpeed(), MovingPlatformScript::MaxSpeed);
  EXPECT_EQ(wild->GetDelay(), MovingPlatformScript::MinDelay);
  EXPECT_LE(PositionOf(*wild).x, MovingPlatformScript::MaxSpeed * 2.0f);
  EXPECT_EQ(backwards->GetSpeed(), 0.0f);
  EXPECT_EQ(PositionOf(*backwards), (Vec2{0, 10}));
  EXPECT_NE(said.find("Speed 1e+30"), std::string::npos) << said;
  EXPECT_NE(said.find("Speed -4"), std::string::npos) << said;
}

}  // namespace
}  // namespace Framework
