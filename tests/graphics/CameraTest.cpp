// The camera's motion rules, driven with chosen frame times; no window needed.
#include "graphics/Camera.h"

#include <cmath>

#include <gtest/gtest.h>

namespace Framework {
namespace {

// A camera as the game sets it up on a 16:9 screen.
Camera WideCamera() {
  Camera camera;
  camera.ViewHalfWidth = 32.0f * 16.0f / 9.0f;
  camera.RebuildMatrices();
  return camera;
}

Camera::FollowInputs PlayerAt(float x, float y) {
  Camera::FollowInputs in;
  in.HasPlayer = true;
  in.Player = {x, y};
  return in;
}

TEST(CameraMatrices, ViewDoublesAndProjectionDividesByTheVisibleSpan) {
  Camera camera = WideCamera();
  EXPECT_EQ(camera.View, Mat4::Scale(2.0f, 2.0f, 1.0f));
  EXPECT_FLOAT_EQ(camera.Projection.At(0, 0), 1.0f / camera.ViewHalfWidth);
  EXPECT_FLOAT_EQ(camera.Projection.At(1, 1), 1.0f / 32.0f);
  // Half the visible width to the right of the camera lands on the screen's right edge.
  const auto edge = (camera.Projection * camera.View).Apply(camera.ViewHalfWidth / 2.0f, 16.0f, 0.0f);
  EXPECT_FLOAT_EQ(edge[0], 1.0f);
  EXPECT_FLOAT_EQ(edge[1], 1.0f);
  // Matrices never depend on where the camera is.
  camera.Position = {50.0f, -20.0f, 3.0f};
  const Mat4 view = camera.View;
  camera.RebuildMatrices();
  EXPECT_EQ(camera.View, view);
}

// One frame of following: inside the dead zone only the height moves, outside it x
// closes the distance times dt, y aims 5 units above the player, and a player
// further below than a fifth of the view is followed ten times faster.
TEST(CameraFollow, OneFrameClosesTheGapAtTheDistanceTimesDt) {
  const Camera wide = WideCamera();
  const float deadZone = wide.ViewHalfWidth / 12.0f, threshold = wide.ViewHalfHeight / 5.0f;  // 6.4
  struct Case {
    Vec2 player;
    float dt;
    Vec2 camera;
  } cases[] = {
      {{deadZone * 0.9f, 0.0f}, 0.1f, {0.0f, 0.5f}},
      {{10.0f, -5.0f}, 0.1f, {1.0f, 0.0f}},
      {{-10.0f, 0.0f}, 0.1f, {-1.0f, 0.5f}},
      {{0.0f, -threshold + 0.5f}, 0.01f, {0.0f, (-threshold + 0.5f + 5.0f) * 0.01f}},
      {{0.0f, -20.0f}, 0.01f, {0.0f, (-20.0f + 5.0f) * 0.1f}},
  };
  for (const Case& c : cases) {
    Camera camera = wide;
    camera.Follow(c.dt, PlayerAt(c.player.x, c.player.y));
    EXPECT_NEAR(camera.Position.x, c.camera.x, 1e-5f) << c.player.x << ", " << c.player.y;
    EXPECT_NEAR(camera.Position.y, c.camera.y, 1e-5f) << c.player.x << ", " << c.player.y;
  }

  // Without a player the camera stays; a snap keeps its depth.
  Camera camera = WideCamera();
  camera.Position = {3.0f, 4.0f, 2.0f};
  camera.Follow(0.1f, Camera::FollowInputs{});
  EXPECT_EQ(camera.Position, (Vec3{3.0f, 4.0f, 2.0f}));
  camera.SnapTo({-4.0f, 9.0f});
  EXPECT_EQ(camera.Position, (Vec3{-4.0f, 9.0f, 2.0f}));
}

TEST(CameraPan, ADurationOfOneEndsAfterTheFrameThatPasses1Point0001SecondsAndARequestAdvancesIt) {
  Camera camera = WideCamera();
  camera.PanTo({10.0f, -6.0f, 99.0f}, 1.0f, 0.0f);
  EXPECT_TRUE(camera.Panning);
  EXPECT_EQ(camera.Position, (Vec3{0.0f, 0.0f, 0.0f}));  // starting does not move
  EXPECT_FLOAT_EQ(camera.PanDuration, 1.0001f);
  const float step = 1.0f / 60.0f;
  int frames = 0;
  const auto player = PlayerAt(100.0f, 100.0f);  // ignored while panning
  while (camera.Panning && frames < 1000) {
    camera.Follow(step, player);
    ++frames;
  }
  EXPECT_EQ(frames, 61);
  // Sixty moving frames cover 1.0 of 1.0001 seconds: close to, not on, the target.
  EXPECT_NEAR(camera.Position.x, 10.0f, 0.01f);
  EXPECT_NEAR(camera.Position.y, -6.0f, 0.01f);
  EXPECT_NE(camera.Position.x, 10.0f);
  // Once ended, following resumes.
  camera.Follow(step, player);
  EXPECT_GT(camera.Position.x, 10.0f);

  // A start request during a pan advances the running one instead.
  Camera other = WideCamera();
  other.PanTo({10.0f, 0.0f, 0.0f}, 1.0f, 0.0f);
  other.PanTo({-50.0f, 40.0f, 0.0f}, 5.0f, 0.1f);
  EXPECT_FLOAT_EQ(other.PanTarget.x, 10.0f);
  EXPECT_FLOAT_EQ(other.PanDuration, 1.0001f);
  EXPECT_NEAR(other.Position.x, 10.0f / 1.0001f * 0.1f, 1e-5);
  EXPECT_FLOAT_EQ(other.Position.y, 0.0f);
}

TEST(CameraDrift, AShownMenuCirclesTheCameraSlowlyButTheCreditsHoldTheOrigin) {
  Camera camera = WideCamera();
  Camera::FollowInputs in = PlayerAt(30.0f, 30.0f);
  in.MenuShown = true;
  camera.Follow(0.5f, in);
  EXPECT_FLOAT_EQ(camera.DriftAngle, 0.5f);
  EXPECT_NEAR(camera.Position.x, std::cos(0.5) / 298.45132, 1e-7);
  EXPECT_NEAR(camera.Position.y, std::sin(0.5) / 298.45132, 1e-7);

  // The credits slot holds the origin, while a pan still ends on time.
  camera.Position = {7.0f, 8.0f, 0.0f};
  in.CurrentLevel = Camera::PinnedLevel;
  camera.Follow(0.1f, in);
  EXPECT_EQ(camera.Position, (Vec3{0.0f, 0.0f, 0.0f}));
  camera.PanTo({20.0f, 20.0f, 0.0f}, 0.25f, 0.0f);
  int frames = 0;
  while (camera.Panning && frames < 100) {
    camera.Follow(0.1f, in);
    EXPECT_EQ(camera.Position, (Vec3{0.0f, 0.0f, 0.0f}));
    ++frames;
  }
  EXPECT_EQ(frames, 3);  // 0.3 s >= 0.2501 s
  // Any other slot follows again.
  in.CurrentLevel = 12;
  in.MenuShown = false;
  camera.Follow(0.1f, in);
  EXPECT_GT(camera.Position.x, 0.0f);
}

}  // namespace
}  // namespace Framework
