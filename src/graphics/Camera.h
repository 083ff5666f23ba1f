// Camera: which part of the world the screen shows, and how that view moves.
// It follows the player with a horizontal dead zone and a point 5 units above the
// player, pans linearly when the menus ask, drifts in a slow circle while a menu is
// shown, and is pinned to the origin in level slot 3 (the credits world).
// Movement is written as plain functions of dt and a FollowInputs snapshot, so it
// needs neither a GL context nor the other systems.
// Invariant: View, Projection and BaseMatrix never depend on Position (positions are
// subtracted per drawn quad instead); they change only through RebuildMatrices.
#pragma once

#include "engine/Vec2.h"
#include "engine/Vec3.h"
#include "graphics/Mat4.h"
#include "levels/LevelSlots.h"

namespace Framework {

class Camera {
 public:
  // What Follow needs to know about the rest of the game this frame.
  struct FollowInputs {
    bool HasPlayer = false;
    Vec2 Player;               // the player's Transform position, when HasPlayer
    bool MenuShown = false;    // the menu system has an active menu
    int CurrentLevel = -1;     // the level slot being played
  };

  // Slot of the credits world, where the camera is pinned at the origin.
  static constexpr int PinnedLevel = LevelSlot::Credits;
  // Extra seconds added to every pan, so a pan of 0 s still ends after one step.
  static constexpr float PanPadding = 0.0001f;
  // The idle circle advances by cos/sin of the angle divided by this (95 pi).
  static constexpr double DriftDivisor = 298.45132;
  // The camera aims this many units above the player.
  static constexpr float VerticalAim = 5.0f;

  // Base matrix from the axes (position taken as zero), View as its inverse and the
  // projection from ViewHalfWidth / ViewHalfHeight. Called at start-up and whenever
  // the window size changes (after ViewHalfWidth has been updated).
  void RebuildMatrices();
  // The window's drawable took a new width-to-height ratio: the view keeps its
  // height, takes the matching width, and rebuilds its matrices; z goes back to 0.
  void FitAspect(float aspect);

  // Once per frame, before anything is drawn.
  void Follow(float dt, const FollowInputs& inputs);
  // Starts a pan towards target (x, y) lasting `duration` seconds when none runs;
  // otherwise advances the running pan by dt (the new target is then ignored).
  void PanTo(Vec3 target, float duration, float dt);
  // Jumps to (x, y), keeping z; used when a level changes.
  void SnapTo(Vec2 position);

  Mat4 View;
  Mat4 Projection;
  float ViewHalfHeight = 32.0f;
  float ViewHalfWidth = 32.0f;
  Vec3 AxisX{0.5f, 0.0f, 0.0f};
  Vec3 AxisY{0.0f, 0.5f, 0.0f};
  Vec3 Position{0.0f, 0.0f, 0.0f};
  float FollowBoost = 10.0f;
  bool Panning = false;
  Vec3 PanTarget{};
  Vec3 PanStart{};
  float PanDuration = 0.0f;
  Mat4 BaseMatrix;
  // Seconds since the running pan started; survives level changes.
  float PanElapsed = 0.0f;
  // Angle of the idle circle in radians; only ever grows.
  float DriftAngle = 0.0f;
};

}  // namespace Framework
