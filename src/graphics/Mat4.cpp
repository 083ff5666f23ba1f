#include "graphics/Mat4.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/mat2x2.hpp>
#include <glm/matrix.hpp>

namespace Framework {

Mat4 Mat4::Translation(float x, float y, float z) {
  return Mat4{glm::translate(glm::mat4(1.0f), glm::vec3(x, y, z))};
}

Mat4 Mat4::Scale(float x, float y, float z) { return Mat4{glm::scale(glm::mat4(1.0f), glm::vec3(x, y, z))}; }

Mat4 Mat4::RotationZ(float radians) {
  // Built from the 2x2 block so z stays exactly 1 (glm::rotate's general axis form
  // can round it).
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  return Mat4{glm::mat4(glm::mat2(c, s, -s, c))};
}

std::array<float, 4> Mat4::Apply(float x, float y, float z) const {
  const glm::vec4 p = Value * glm::vec4(x, y, z, 1.0f);
  return {p.x, p.y, p.z, p.w};
}

Mat4 Mat4::Inverse() const {
  // glm divides by the determinant without looking at it.
  const Mat4 inverse{glm::inverse(Value)};
  const bool finite = std::all_of(inverse.Data(), inverse.Data() + 16, [](float v) { return std::isfinite(v); });
  return finite ? inverse : Identity();
}

}  // namespace Framework
