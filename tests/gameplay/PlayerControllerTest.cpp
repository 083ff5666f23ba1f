// The player as someone at the keyboard meets it: throwing, jumping, pausing, and
// seeing a bomb thrown at its own feet.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "engine/Commands.h"
#include "engine/Engine.h"
#include "gameplay/PlayerController.h"
#include "gameplay/ThrowIndicatorScript.h"
#include "graphics/PointLight.h"
#include "graphics/Sprite.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "objects/Factory.h"
#include "support/GlFixture.h"
#include "support/Scenario.h"

namespace Framework {
namespace {

using namespace std::chrono_literals;

// A long floor with its top at y = 0 and the player standing on it at x = 0.
std::string FlatLevel() { return LevelText().Player({0, 1}).Platform({0, -1}, {80, 2}).Text(); }

std::string IndicatorTexture(const Scenario& s) {
  auto indicators = s.ObjectsWith<ThrowIndicatorScript>();
  return indicators.size() == 1 ? indicators[0]->GetComponent<Sprite>()->Filename : "(none or several)";
}

TEST(PlayerControllerTest, ThreeBombsAtATimeAndARightClickDetonatesThemAll) {
  Scenario s;
  s.LoadLevel(FlatLevel());
  s.Run(1s);  // grown in and standing
  // With nothing out, a right click is harmless.
  s.ClickRightAt({5, 3});
  EXPECT_EQ(s.CountSound("push.ogg"), 0u);
  EXPECT_EQ(IndicatorTexture(s), "throw_indicator_3");

  const char* shown[] = {"throw_indicator_2", "throw_indicator_1", "throw_indicator", "throw_indicator"};
  for (int i = 0; i < 4; ++i) {
    s.ClickLeftAt({5, 3});
    EXPECT_EQ(IndicatorTexture(s), shown[i]) << "throw " << i + 1;
    s.Run(0.3s);
  }
  EXPECT_EQ(s.CountSound("throw.ogg"), 3u) << "the fourth throw is refused without a sound";
  EXPECT_EQ(s.ObjectsNamed("Pusher").size(), 3u);

  s.PressButtonAt(3, {5, 3});
  EXPECT_EQ(s.CountSound("push.ogg"), 3u) << "every bomb explodes in the click's frame";
  EXPECT_EQ(IndicatorTexture(s), "throw_indicator_3");
  s.Run(0.3s);
  EXPECT_TRUE(s.ObjectsNamed("Pusher").empty()) << "bombs are removed once the blast is over";

  s.ClickLeftAt({5, 3});
  EXPECT_EQ(s.CountSound("throw.ogg"), 4u) << "the supply is back after the detonation";
}

TEST(PlayerControllerTest, ThrowsAreAtLeastTheCooldownApartAimKeepsItsLastDirectionAndPauseAddsNoForce) {
  Scenario s;
  s.LoadLevel(FlatLevel());
  s.Run(1s);
  s.AimAt({10, 1});
  s.RunFrames(1);
  // Two clicks 2 frames apart: one bomb. The cursor sits exactly on the player for
  // the first, so the throw keeps the last direction (to the right).
  s.ClickLeftAt(s.PlayerPosition());
  s.ClickLeftAt({10, 1});
  EXPECT_EQ(s.CountSound("throw.ogg"), 1u);
  s.Run(0.3s);
  auto bombs = s.ObjectsNamed("Pusher");
  ASSERT_EQ(bombs.size(), 1u);
  EXPECT_GT(bombs[0]->GetComponent<Transform>()->Position.x, s.PlayerPosition().x + 2.0f);
  s.ClickLeftAt({10, 1});
  EXPECT_EQ(s.CountSound("throw.ogg"), 2u);

  // A paused game adds no force: the player stays where it stood.
  const Vec2 before = s.PlayerPosition();
  Engine::Instance().Paused = true;
  s.Press(Keys::Right);
  s.Tap(Keys::Jump);
  s.Run(0.5s);
  s.Release(Keys::Right);
  EXPECT_EQ(s.PlayerBody()->Force, (Vec2{0, 0}));
  EXPECT_EQ(s.PlayerBody()->Impulse, (Vec2{0, 0}));
  Engine::Instance().Paused = false;
  s.Run(0.2s);
  EXPECT_EQ(s.PlayerPosition(), before) << s.Where();
}

// Jumping is allowed for a short grace time after walking off a ledge.
TEST(PlayerControllerTest, JumpGraceAfterWalkingOffALedge) {
  struct Case {
    Seconds afterLeaving;
    bool jumps;
  } cases[] = {{0.05s, true}, {0.15s, false}};
  for (const Case& c : cases) {
    Scenario s;
    // A ledge ending at x = 2, and a floor far below.
    s.LoadLevel(LevelText().Player({0, 1}).Platform({-6, -1}, {16, 2}).Platform({0, -40}, {80, 2}).Text());
    s.Run(1s);
    s.Press(Keys::Right);
    ASSERT_TRUE(s.RunUntil([&] { return !s.PlayerBody()->Grounded; }, 2s)) << s.Where();
    s.Run(c.afterLeaving);
    s.Tap(Keys::Jump);
    EXPECT_EQ(s.CountSound("beep.ogg"), c.jumps ? 1u : 0u) << c.afterLeaving.count() << " s after leaving";
  }
}

// Holding jump jumps once per ground contact; the landing squash (which keeps the
// player's area) holds the next jump until it is over.
TEST(PlayerControllerTest, OneJumpPerLandingAndNoneUntilTheSquashEnds) {
  Scenario s;
  s.LoadLevel(FlatLevel());
  s.Run(1s);
  auto* controller = s.Player()->GetComponent<PlayerController>();
  auto* transform = s.Player()->GetComponent<Transform>();
  s.Press(Keys::Jump);
  s.Run(0.5s);
  EXPECT_EQ(s.CountSound("beep.ogg"), 1u);
  EXPECT_GT(s.PlayerPosition().y, 3.0f) << s.Where();

  ASSERT_TRUE(s.RunUntil([&] { return controller->JumpLocked(); }, 3s)) << s.Where();
  int squashFrames = 0;
  float smallestHeight = transform->Scale.y;
  while (controller->JumpLocked() && squashFrames < 60) {
    EXPECT_NEAR(transform->Scale.x * transform->Scale.y, 2.0f, 1e-3f) << "frame " << squashFrames;
    smallestHeight = std::min(smallestHeight, transform->Scale.y);
    EXPECT_EQ(s.CountSound("beep.ogg"), 1u) << "no jump during the squash";
    s.RunFrames(1);
    ++squashFrames;
  }
  EXPECT_GE(squashFrames, 10);
  EXPECT_LE(squashFrames, 14);
  EXPECT_LT(smallestHeight, 1.0f);
  EXPECT_EQ(transform->Scale.y, 2.0f);
  EXPECT_EQ(s.CountSound("beep.ogg"), 2u) << "the held key jumps again as soon as the squash ends";

  // Held into the next landing and let go during its squash: no jump follows...
  ASSERT_TRUE(s.RunUntil([&] { return controller->JumpLocked(); }, 3s)) << s.Where();
  s.Release(Keys::Jump);
  ASSERT_TRUE(s.RunUntil([&] { return !controller->JumpLocked(); }, 1s)) << s.Where();
  s.RunFrames(2);
  EXPECT_EQ(s.CountSound("beep.ogg"), 2u) << "let go before the squash ended";
  // ...but a tap during the squash is not lost: the jump comes as it ends.
  s.Tap(Keys::Jump);
  ASSERT_TRUE(s.RunUntil([&] { return controller->JumpLocked(); }, 3s)) << s.Where();
  s.Tap(Keys::Jump);
  EXPECT_EQ(s.CountSound("beep.ogg"), 3u);
  ASSERT_TRUE(s.RunUntil([&] { return !controller->JumpLocked(); }, 1s)) << s.Where();
  s.RunFrames(2);
  EXPECT_EQ(s.CountSound("beep.ogg"), 4u) << s.Where();
}

// A slow machine takes longer steps: a jump must rise as high and a walk go as
// far as at 60 fps, or levels built at 60 fps change under the player (a jump
// pushed as one frame's force rises twice as high at 40 fps). Within 5 %: the
// step's own rounding leaves about 3 %.
TEST(PlayerControllerTest, JumpsAndWalksTheSameAtFortyFpsAsAtSixty) {
  auto play = [](float step) {
    Scenario s;
    s.LoadLevel(LevelText().PlayerAirFriction(0.9f).Player({0, 1}).Platform({0, -1}, {400, 2}).Text());
    s.Run(1s);
    s.Press(Keys::Right);
    s.Press(Keys::Jump);
    float highest = s.PlayerPosition().y;
    for (int frame = 0; frame * step < 1.2f; ++frame) {
      Engine::Instance().RunFrame(step);
      highest = std::max(highest, s.PlayerPosition().y);
    }
    return Vec2{s.PlayerPosition().x, highest};
  };
  const Vec2 sixty = play(Engine::FrameTime);
  const Vec2 forty = play(Engine::MaxStep);
  EXPECT_GT(sixty.y, 5.0f);
  EXPECT_NEAR(forty.y, sixty.y, 0.05f * sixty.y) << "the highest point of the jump";
  EXPECT_NEAR(forty.x, sixty.x, 0.05f * sixty.x) << "how far it went in 1.2 s";
}

TEST(PlayerControllerTest, FirefliesOnlyOnTheirLevels) {
  struct Case {
    std::int32_t slot;
    std::size_t fireflies;
  } cases[] = {{10, 10}, {11, 10}, {12, 0}, {16, 10}, {17, 10}, {18, 10}, {15, 0}};
  for (const Case& c : cases) {
    Scenario s;
    s.LoadLevel(FlatLevel(), c.slot);
    auto lights = s.ObjectsWith<PointLight>();
    EXPECT_EQ(lights.size(), c.fireflies) << "slot " << c.slot;
    for (GameObject* firefly : lights) {
      const Vec2 at = firefly->GetComponent<Transform>()->Position;
      EXPECT_TRUE(at.x >= -10 && at.x < 30 && at.y >= -10 && at.y < 30) << at.x << ", " << at.y;
      EXPECT_NE(firefly->GetComponent<Sprite>(), nullptr);
    }
  }
}

// The indicator sits 1.8 units towards the cursor, pointing at it; a cursor right
// on the player leaves it where it was.
TEST(PlayerControllerTest, IndicatorFollowsTheCursor) {
  struct Case {
    Vec2 cursorOffset;
    Vec2 expectedOffset;
    float expectedAngle;
  } cases[] = {
      {{5, 0}, {1.8f, 0}, 0.0f},
      {{-5, 0}, {-1.8f, 0}, -3.14159265f},
      {{0, 3}, {0, 1.8f}, 1.57079633f},
      {{0, 0}, {0, 1.8f}, 1.57079633f},
  };
  Scenario s;
  s.LoadLevel(FlatLevel());
  s.Run(1s);
  Transform* indicator = s.ObjectsWith<ThrowIndicatorScript>().at(0)->GetComponent<Transform>();
  for (const Case& c : cases) {
    const Vec2 player = s.PlayerPosition();
    s.AimAt(player + c.cursorOffset);
    s.RunFrames(1);
    EXPECT_NEAR(indicator->Position.x - player.x, c.expectedOffset.x, 1e-4f) << c.cursorOffset.x << "," << c.cursorOffset.y;
    EXPECT_NEAR(indicator->Position.y - player.y, c.expectedOffset.y, 1e-4f) << c.cursorOffset.x << "," << c.cursorOffset.y;
    EXPECT_NEAR(indicator->Rotation, c.expectedAngle, 1e-5f);
  }
}

// Thrown straight down, the bomb lands at the player's feet, where the throw
// indicator points: it must show in front of the indicator, not vanish behind it.
using ThrownBombLook = GlFixture;

TEST_F(ThrownBombLook, ABombAtThePlayersFeetShowsInFrontOfTheIndicator) {
  // Each built with the controller's own callback.
  auto build = [](std::int32_t command, std::function<void(GameObject*)> place) {
    FactoryEvent request;
    request.Command = command;
    request.Callback = place;
    Factory::Instance().Execute(request);
    return Factory::Instance().Objects.rbegin()->second.get();
  };
  GameObject* marker = build(FactoryCommand::BuildThrowIndicator, &PlayerController::PlaceThrowIndicator);
  // Where its script puts it with the cursor below the player at the origin; an
  // opaque picture stands in for its texture.
  marker->GetComponent<Transform>()->Position = {0.0f, -1.8f};
  marker->GetComponent<Sprite>()->SetFilename(std::string(kSplitTexture));
  auto throwDown = [](GameObject* bomb) { PlayerController::InitThrownBomb(bomb, {0.0f, 0.0f}, {0.0f, -1.0f}); };
  const Vec2 bomb = build(FactoryCommand::BuildBomb, throwDown)->GetComponent<Transform>()->Position;
  Render();
  const Pixel shown = AtWorld(bomb.x, bomb.y - 0.2f);  // inside both
  EXPECT_TRUE(shown.R > 180 && shown.G > 180 && shown.B > 180) << shown.R << " " << shown.G << " " << shown.B;
}

}  // namespace
}  // namespace Framework
