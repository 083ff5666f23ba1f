// Mat4: a 4x4 float matrix stored column-major, the layout OpenGL reads, so a
// translation lives in elements 12 to 14 and Data() can go straight to glUniformMatrix4fv.
// Invariant: M[col * 4 + row] is the element in row `row`, column `col`.
#pragma once

#include <array>

namespace Framework {

struct Mat4 {
  std::array<float, 16> M{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

  static Mat4 Identity() { return Mat4{}; }
  static Mat4 Translation(float x, float y, float z);
  static Mat4 Scale(float x, float y, float z);
  // Rotation about (0, 0, 1) by `radians`, counter-clockwise when y grows upwards.
  static Mat4 RotationZ(float radians);

  float At(int row, int col) const { return M[col * 4 + row]; }
  float& At(int row, int col) { return M[col * 4 + row]; }
  const float* Data() const { return M.data(); }

  Mat4 operator*(const Mat4& other) const;
  // Applies the matrix to the point (x, y, z, 1); returns x, y, z, w.
  std::array<float, 4> Apply(float x, float y, float z) const;
  // The inverse; a singular matrix yields the identity (no NaNs reach the GPU).
  Mat4 Inverse() const;

  bool operator==(const Mat4&) const = default;
};

}  // namespace Framework
