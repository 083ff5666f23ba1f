// Level files are edited by players: world scripts on objects that lack the
// Transform or Body they need do nothing, and each says so once.
#include <gtest/gtest.h>

#include <string>

#include "engine/Windows.h"
#include "support/Capture.h"
#include "support/Files.h"
#include "support/WorldSteps.h"

namespace Framework {
namespace {

using BareObjectsTest = WorldFixture;

TEST_F(BareObjectsTest, ScriptsMissingTheirPartsDoNothingAndSaySoOnce) {
  WriteFileText(SlotFile(12), R"({"Factory": {"Game_Objects": [
    {"CloudScript": ""},
    {"MovingPlatformScript": {"Speed": 2, "Delay": 1, "Point1": {"X": 0, "Y": 0}, "Point2": {"X": 4, "Y": 0}}},
    {"Transform": {}, "EnemyScript": ""},
    {"PusherScript": ""},
    {"CreditsScript": ""},
    {"WinTriggerScript": "", "EnemyTriggerScript": "", "WormHeadScript": "", "WormSegmentScript": ""}]}})");
  const std::string said = StdoutOf([&] {
    Serialization::Instance().CurrentLevel = 12;
    Serialization::Instance().Load(SlotFile(12));
    MouseRecord& mouse = Windows::Instance().Mouse;
    mouse.Button = 3;
    mouse.ButtonEventType = Windows::ButtonDown;
    StepWorld();
    mouse = MouseRecord{};
    StepWorld(150);
  });
  for (const char* script : {"CloudScript", "MovingPlatformScript", "EnemyScript", "PusherScript", "CreditsScript"}) {
    const std::string line = std::string(script) + ": object";
    const auto first = said.find(line);
    ASSERT_NE(first, std::string::npos) << script << "\n" << said;
    EXPECT_EQ(said.find(line, first + 1), std::string::npos) << script << " said it twice\n" << said;
  }
  EXPECT_EQ(Serialization::Instance().CurrentLevel, 12);
}

}  // namespace
}  // namespace Framework
