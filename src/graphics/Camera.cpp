#include "graphics/Camera.h"

#include <cmath>

namespace Framework {

void Camera::FitAspect(float aspect) {
  ViewHalfWidth = ViewHalfHeight * aspect;
  const Vec3 kept = Position;
  Position = {0.0f, 0.0f, 0.0f};
  RebuildMatrices();
  Position = {kept.x, kept.y, 0.0f};
}

void Camera::RebuildMatrices() {
  // The base matrix holds the axes in its upper 3x3 block and the camera position in
  // its translation; the position is always taken as zero here, because every quad's
  // world matrix already subtracts it.
  BaseMatrix = Mat4{glm::mat4(glm::vec4(AxisX, 0.0f), glm::vec4(AxisY, 0.0f), glm::vec4(0.0f, 0.0f, 1.0f, 0.0f),
                             glm::vec4(0.0f, 0.0f, 0.0f, 1.0f))};
  View = BaseMatrix.Inverse();
  const float halfWidth = ViewHalfWidth != 0.0f ? ViewHalfWidth : 1.0f;
  const float halfHeight = ViewHalfHeight != 0.0f ? ViewHalfHeight : 1.0f;
  Projection = Mat4::Scale(1.0f / halfWidth, 1.0f / halfHeight, 1.0f);
}

void Camera::PanTo(Vec3 target, float duration, float dt) {
  if (!Panning) {
    PanTarget = {target.x, target.y, 0.0f};
    PanStart = Position;
    PanElapsed = 0.0f;
    Panning = true;
    PanDuration = duration + PanPadding;
    return;
  }
  PanElapsed += dt;
  if (PanElapsed >= PanDuration) {
    // The pan ends where the last step left it; it is not snapped onto the target.
    Panning = false;
    return;
  }
  Position.x += ((PanTarget.x - PanStart.x) / PanDuration) * dt;
  Position.y += ((PanTarget.y - PanStart.y) / PanDuration) * dt;
}

void Camera::Follow(float dt, const FollowInputs& inputs) {
  if (Panning) {
    PanTo(PanTarget, 0.0f, dt);
  } else if (inputs.MenuShown) {
    DriftAngle += dt;
    Position.y += static_cast<float>(std::sin(static_cast<double>(DriftAngle)) / DriftDivisor);
    Position.x += static_cast<float>(std::cos(static_cast<double>(DriftAngle)) / DriftDivisor);
  } else if (inputs.HasPlayer) {
    const float deadZone = ViewHalfWidth / 12.0f;
    const float d = inputs.Player.x - Position.x;
    if (d > deadZone || d < -deadZone) Position.x += d * dt;
    float k = dt;
    // A player far below the camera (falling) is caught up with quickly.
    if (inputs.Player.y - Position.y < -ViewHalfHeight / 5.0f) k = FollowBoost * dt;
    Position.y += (inputs.Player.y + VerticalAim - Position.y) * k;
  }
  if (inputs.CurrentLevel == PinnedLevel) {
    Position.x = 0.0f;
    Position.y = 0.0f;
  }
}

void Camera::SnapTo(Vec2 position) {
  Position.x = position.x;
  Position.y = position.y;
}

}  // namespace Framework
