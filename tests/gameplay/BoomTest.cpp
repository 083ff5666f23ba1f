// Explosions as the world feels them: who is shoved, how hard and where to.
#include <gtest/gtest.h>

#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "gameplay/BoomReactScript.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "support/Scenario.h"

namespace Framework {
namespace {

using namespace std::chrono_literals;

TEST(BoomTest, ABlastShovesReactingObjectsWithinEightUnits) {
  struct Case {
    Vec2 blastFromCrate;
    bool paused;
    Vec2 force;
  } cases[] = {
      {{-7.9f, 0}, false, {1800, 0}},
      {{0, 7.9f}, false, {0, -1800}},
      {{-8.0f, 0}, false, {0, 0}},
      {{0, 0}, false, {0, 1800}},  // right at the centre: straight up
      {{-3, 0}, true, {0, 0}},
  };
  Scenario s;
  s.LoadLevel(LevelText().Crate({0, 0.5f}, {1, 1}).Text(), 12);
  GameObject* crate = s.ObjectsWith<BoomReactScript>().at(0);
  auto* body = crate->GetComponent<Body>();
  const Vec2 at = crate->GetComponent<Transform>()->Position;
  for (const Case& c : cases) {
    body->Impulse = {0, 0};
    Engine::Instance().Paused = c.paused;
    BoomEvent boom;
    boom.Strength = 1800;
    boom.X = at.x + c.blastFromCrate.x;
    boom.Y = at.y + c.blastFromCrate.y;
    EventSystem::Instance().Send(boom);
    EXPECT_NEAR(body->Impulse.x, c.force.x, 1e-2f) << c.blastFromCrate.x << ", " << c.blastFromCrate.y;
    EXPECT_NEAR(body->Impulse.y, c.force.y, 1e-2f) << c.blastFromCrate.x << ", " << c.blastFromCrate.y;
  }
  Engine::Instance().Paused = false;
}

}  // namespace
}  // namespace Framework
