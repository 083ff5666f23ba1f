// How the player dies: spikes from above, below and beside, and two hazards at
// once. (A moving hazard's kill and the restart are played in ReplayTest.)
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "gameplay/DeathAnimation.h"
#include "levels/Serialization.h"
#include "objects/Transform.h"
#include "particles/ParticleEmitter.h"
#include "support/Capture.h"
#include "support/Scenario.h"

namespace Framework {
namespace {

using namespace std::chrono_literals;

enum class Edge { Bottom, Top };

// The player shrinks into a static hazard with one edge fixed (the bottom when
// the hazard is below or level with its centre, the top when above).
TEST(HazardTest, StaticHazardsShrinkThePlayerIntoThemAndTwoAtOnceStartOneAnimation) {
  struct Case {
    const char* name;
    std::string level;
    SDL_Scancode key;
    Edge fixed;
  } cases[] = {
      {"spikes below", LevelText().Player({0, 3}).Platform({0, -1}, {80, 2}).Spikes({0, 0.25f}, {4, 0.5f}).Text(),
       SDL_SCANCODE_UNKNOWN, Edge::Bottom},
      {"spikes above", LevelText().Player({0, 1}).Platform({0, -1}, {80, 2}).Spikes({0, 4.5f}, {4, 1}).Text(),
       Keys::Jump, Edge::Top},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scenario s;
    s.LoadLevel(c.level, 12);
    s.Run(0.6s);
    const std::uint32_t firstPlayer = s.Player()->Id;
    auto* death = s.Player()->GetComponent<DeathAnimation>();
    auto* transform = s.Player()->GetComponent<Transform>();
    s.Press(c.key);
    ASSERT_TRUE(s.RunUntil([&] { return death->Dying(); }, 3s)) << s.Where();
    s.Release(c.key);
    auto edge = [&] { return transform->Position.y + (c.fixed == Edge::Top ? 0.5f : -0.5f) * transform->Scale.y; };
    const float edgeAtDeath = edge();
    ASSERT_TRUE(s.RunUntil([&] { return transform->Scale.y <= 0.0f; }, 2s)) << s.Where();
    EXPECT_NEAR(edge(), edgeAtDeath, 0.05f);
    EXPECT_EQ(s.CountSound("crash.ogg"), 1u);
    // The restart that follows is played in the shipped levels (ReplayTest).
    EXPECT_EQ(s.Player()->Id, firstPlayer);
  }

  // Falling onto two spikes at once: two deaths are announced in one frame, and the first one decides the animation.
  Scenario s;
  EventRecorder<DeathEvent> deaths;
  s.LoadLevel(LevelText()
                  .Player({0, 3})
                  .Platform({0, -1}, {80, 2})
                  .Spikes({-0.5f, 0.25f}, {1, 0.5f})
                  .Spikes({0.5f, 0.25f}, {1, 0.5f})
                  .Text(),
              12);
  auto* death = s.Player()->GetComponent<DeathAnimation>();
  ASSERT_TRUE(s.RunUntil([&] { return death->Dying(); }, 3s)) << s.Where();
  s.RunFrames(1);
  ASSERT_EQ(deaths.Events.size(), 2u);
  EXPECT_EQ(death->Killer(), deaths.Events[0].Source);
  EXPECT_EQ(s.CountSound("crash.ogg"), 2u);
  s.RunFrames(1);
  EXPECT_EQ(s.ObjectsWith<ParticleEmitter>().size(), 1u) << "one spray";
  const std::uint32_t firstPlayer = s.Player()->Id;
  // One restart: the new player lives on.
  ASSERT_TRUE(s.RunUntil([&] { return s.Player()->Id != firstPlayer; }, 3s)) << s.Where();
  const std::uint32_t secondPlayer = s.Player()->Id;
  s.RunFrames(30);
  EXPECT_EQ(s.Player()->Id, secondPlayer);
}

// A playtester reads one line per win: the game time since the level was entered,
// and every start-over on the way (a death, or R) counted as a death.
TEST(HazardTest, AWinSaysTheGameTimeAndTheDeathsSinceTheLevelWasEntered) {
  Scenario s;
  s.LoadLevel(LevelText()
                  .Player({0, 1})
                  .Platform({0, -1}, {40, 2})
                  .Spikes({7, 0.5f}, {2, 1})
                  .Entry(R"({"Transform": {"Position": {"X": 15, "Y": 10}, "Scale": {"X": 2, "Y": 20}, "Rotation": 0,
                     "ZLayer": 0.7}, "Body": {"IsStatic": true, "IsGhost": true, "IsCollidable": true},
                     "WinTriggerScript": ""})")
                  .Text());
  const std::uint32_t firstPlayer = s.Player()->Id;
  s.Press(Keys::Right);
  ASSERT_TRUE(s.RunUntil([&] { return s.Player()->Id != firstPlayer; }, 5s)) << "into the spikes: " << s.Where();
  s.Release(Keys::Right);
  s.TapWindowKey(SDL_SCANCODE_R, SDLK_r);
  s.Press(Keys::Right);
  ASSERT_TRUE(s.RunUntil([&] { return s.PlayerPosition().x > 4.5f; }, 3s)) << s.Where();
  s.Hold(Keys::Jump, 0.2s);
  const std::string said = StdoutOf([&] { s.RunUntil([&] { return s.CountSound("winlevel.ogg") > 0; }, 5s); });
  const std::string head = "Playtest: level 1 won in ";
  const std::size_t at = said.find(head);
  ASSERT_NE(at, std::string::npos) << said;
  std::istringstream line(said.substr(at + head.size()));
  double seconds = 0.0;
  std::string unit, gameTime, deaths;
  line >> seconds >> unit >> gameTime >> gameTime >> deaths;
  EXPECT_NEAR(seconds, s.Time(), 0.1);
  EXPECT_EQ(deaths, "2");
}

}  // namespace
}  // namespace Framework
