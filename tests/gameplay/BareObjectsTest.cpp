// Level files are edited by players: scripts on objects that lack the Transform or
// Body they need do nothing whatever the player does, and each says so once,
// naming the object.
#include <gtest/gtest.h>

#include <string>

#include "engine/EventSystem.h"
#include "support/Capture.h"
#include "support/Scenario.h"

namespace Framework {
namespace {

using namespace std::chrono_literals;

TEST(BareObjectsTest, ScriptsMissingTheirPartsDoNothingAndSaySoOnce) {
  Scenario s;
  const std::string said = StdoutOf([&] {
    s.LoadLevel(LevelText()
                    .Entry(R"({"Transform": {"Scale": {"X": 1, "Y": 2}}, "Player_Controller": "", "PlayerAnimationScript": ""})")
                    .Entry(R"({"Transform": {"Scale": {"X": 1, "Y": 1}}, "BoomReactScript": ""})")
                    .Entry(R"({"DynamicHazardScript": {}, "StaticHazardScript": ""})")
                    .Entry(R"({"CloudScript": ""})")
                    .Entry(R"({"MovingPlatformScript": {"Speed": 2, "Delay": 1, "Point1": {"X": 0, "Y": 0}, "Point2": {"X": 4, "Y": 0}}})")
                    .Entry(R"({"Transform": {}, "EnemyScript": ""})")
                    .Entry(R"({"PusherScript": ""})")
                    .Entry(R"({"CreditsScript": ""})")
                    .Entry(R"({"WinTriggerScript": "", "EnemyTriggerScript": "", "WormHeadScript": "", "WormSegmentScript": ""})")
                    .Platform({0, -1}, {80, 2})
                    .Text(),
                12);
    for (int i = 0; i < 3; ++i) {
      s.Hold(Keys::Right, 0.3s);
      s.Tap(Keys::Jump);
      s.ClickLeftAt({3, 3});
      s.ClickRightAt({3, 3});
      BoomEvent boom;
      boom.Strength = 1800;
      EventSystem::Instance().Send(boom);
    }
    s.Run(1.5s);
  });
  for (const char* line : {"Player_Controller: object 1 \"\" has no Body", "BoomReactScript: object 2 \"\" has no Body",
                           "DynamicHazardScript: object 3 \"\" has no Transform", "CloudScript: object",
                           "MovingPlatformScript: object", "EnemyScript: object", "PusherScript: object",
                           "CreditsScript: object"}) {
    EXPECT_EQ(CountOf(said, line), 1) << line << "\n" << said;
  }
  EXPECT_TRUE(s.ObjectsNamed("Pusher").empty());
  EXPECT_EQ(s.Level(), 12);
}

}  // namespace
}  // namespace Framework
