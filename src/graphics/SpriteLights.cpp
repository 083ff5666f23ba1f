#include "graphics/SpriteLights.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace Framework {

void SpriteLights::BeginFrame(GLuint program, const std::vector<float>& positions, const std::vector<float>& colors,
                              const std::vector<float>& radii, int count) {
  positions_ = &positions;
  colors_ = &colors;
  radii_ = &radii;
  count_ = count;
  countLocation_ = glGetUniformLocation(program, "num_lights_used");
  positionLocation_ = glGetUniformLocation(program, "pointLightsPosition");
  colorLocation_ = glGetUniformLocation(program, "pointLightsColor");
  radiusLocation_ = glGetUniformLocation(program, "pointLightsRadius");
  // The whole list is what the program holds after the frame's upload.
  sent_.clear();
  for (int i = 0; i < count; ++i) sent_.push_back(i);
}

int SpriteLights::Select(Vec2 centre, Vec2 half) {
  wanted_.clear();
  for (int i = 0; i < count_; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const float dx = std::max(std::fabs((*positions_)[3 * at] - centre.x) - half.x, 0.0f);
    const float dy = std::max(std::fabs((*positions_)[3 * at + 1] - centre.y) - half.y, 0.0f);
    const float radius = (*radii_)[at];
    if (dx * dx + dy * dy < radius * radius) wanted_.push_back(i);
  }
  if (wanted_ != sent_) {
    // Only the count changes when the lights wanted lead the ones held (none, most often).
    const bool prefix = wanted_.size() <= sent_.size() && std::equal(wanted_.begin(), wanted_.end(), sent_.begin());
    sent_.swap(wanted_);
    if (prefix) {
      glUniform1i(countLocation_, static_cast<GLint>(sent_.size()));
    } else {
      Send();
    }
  }
  return static_cast<int>(sent_.size());
}

void SpriteLights::Send() {
  packedPositions_.clear();
  packedColors_.clear();
  packedRadii_.clear();
  for (int i : sent_) {
    const auto at = static_cast<std::size_t>(i);
    for (std::size_t k = 0; k < 3; ++k) {
      packedPositions_.push_back((*positions_)[3 * at + k]);
      packedColors_.push_back((*colors_)[3 * at + k]);
    }
    packedRadii_.push_back((*radii_)[at]);
  }
  const auto n = static_cast<GLsizei>(sent_.size());
  glUniform1i(countLocation_, n);
  if (n == 0) return;
  glUniform3fv(positionLocation_, n, packedPositions_.data());
  glUniform3fv(colorLocation_, n, packedColors_.data());
  glUniform1fv(radiusLocation_, n, packedRadii_.data());
}

void SpriteLights::Clear() {
  // The values stay in the program; with a count of none they are not read.
  glUniform1i(countLocation_, 0);
  sent_.clear();
}

}  // namespace Framework
