// Mat4: a 4x4 float matrix stored column-major, the layout OpenGL reads, so a
// translation lives in elements 12 to 14 and Data() can go straight to glUniformMatrix4fv.
// A thin face over glm::mat4 that keeps the game's (row, col) reading and its rule that
// a singular matrix never turns into NaNs.
// Invariant: Data()[col * 4 + row] is At(row, col); the object is exactly 16 floats, so
// arrays of it upload as instance attributes.
#pragma once

#include <array>

#include <glm/mat4x4.hpp>

namespace Framework {

struct Mat4 {
  glm::mat4 Value{1.0f};

  static Mat4 Identity() { return Mat4{}; }
  static Mat4 Translation(float x, float y, float z);
  static Mat4 Scale(float x, float y, float z);
  // Rotation about (0, 0, 1) by `radians`, counter-clockwise when y grows upwards.
  static Mat4 RotationZ(float radians);

  float At(int row, int col) const { return Value[col][row]; }
  float& At(int row, int col) { return Value[col][row]; }
  const float* Data() const { return &Value[0][0]; }

  Mat4 operator*(const Mat4& other) const { return Mat4{Value * other.Value}; }
  // Applies the matrix to the point (x, y, z, 1); returns x, y, z, w.
  std::array<float, 4> Apply(float x, float y, float z) const;
  // The inverse; a singular matrix yields the identity (no NaNs reach the GPU).
  Mat4 Inverse() const;

  bool operator==(const Mat4&) const = default;
};

static_assert(sizeof(Mat4) == 16 * sizeof(float), "Mat4 arrays upload as packed floats");

}  // namespace Framework
