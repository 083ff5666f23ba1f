// Clouds and fireflies: drift and wander at their fixed speeds, and a seeded run
// repeats them exactly.
#include <gtest/gtest.h>

#include <vector>

#include "engine/Commands.h"
#include "engine/Events.h"
#include "engine/Random.h"
#include "gameplay/CloudScript.h"
#include "gameplay/FireflyScript.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "support/WorldSteps.h"

namespace Framework {
namespace {

// A cloud and a firefly, attached the way the level loader and the player do it
// (commands 36 and 40, each with a callback, so each is initialised twice), with
// the random seam seeded once the old world is gone.
std::vector<Vec2> DriftFor(int frames, Vec2* cloudVelocity = nullptr, float* fireflySpeed = nullptr) {
  Factory& factory = Factory::Instance();
  factory.DestroyAll();
  Random::SetMasterSeed(7);
  std::vector<GameObject*> objects;
  for (std::int32_t command : {FactoryCommand::AddCloudScript, FactoryCommand::AddFireflyScript}) {
    GameObject* object = factory.CreateObject();
    factory.AddComponent<Transform>(*object);
    FactoryEvent attach;
    attach.Command = command;
    attach.Object = object;
    attach.Callback = [](GameObject*) {};
    factory.Execute(attach);
    objects.push_back(object);
  }
  auto* cloud = objects[0]->GetComponent<CloudScript>();
  const Vec2 drawn = cloud->Velocity();
  std::vector<Vec2> track;
  for (int i = 0; i < frames; ++i) {
    const Vec2 before = objects[1]->GetComponent<Transform>()->Position;
    StepWorld();
    const Vec2 step = objects[1]->GetComponent<Transform>()->Position - before;
    if (fireflySpeed) {
      EXPECT_NEAR(glm::length(step) * 60.0f, *fireflySpeed, 1e-3f);
    }
    track.push_back(objects[1]->GetComponent<Transform>()->Position);
  }
  EXPECT_EQ(cloud->Velocity(), drawn) << "a cloud keeps its velocity";
  if (cloudVelocity) *cloudVelocity = drawn;
  track.push_back(objects[0]->GetComponent<Transform>()->Position);
  return track;
}

TEST(Drifters, CloudsDriftSteadilyFirefliesWanderAtTheirSpeedAndSeededRunsRepeat) {
  Vec2 cloud;
  float speed = 0.25f;
  const std::vector<Vec2> first = DriftFor(600, &cloud, &speed);
  EXPECT_LE(std::abs(cloud.x), CloudScript::MaxDriftX);
  EXPECT_LE(std::abs(cloud.y), CloudScript::MaxDriftY);
  EXPECT_NEAR(first.back().x, cloud.x * 10.0f, 1e-3f);
  // Over ten seconds the firefly turns: its path is not a straight line.
  const Vec2 a = first[0], mid = first[299], end = first[599];
  const float cross = (mid.x - a.x) * (end.y - a.y) - (mid.y - a.y) * (end.x - a.x);
  EXPECT_GT(std::abs(cross), 1e-4f);

  EXPECT_EQ(DriftFor(600), first);
  Random::ClearMasterSeed();
}

}  // namespace
}  // namespace Framework
