#include "graphics/Mat4.h"

#include <cmath>
#include <utility>

namespace Framework {

Mat4 Mat4::Translation(float x, float y, float z) {
  Mat4 t;
  t.M[12] = x;
  t.M[13] = y;
  t.M[14] = z;
  return t;
}

Mat4 Mat4::Scale(float x, float y, float z) {
  Mat4 s;
  s.M[0] = x;
  s.M[5] = y;
  s.M[10] = z;
  return s;
}

Mat4 Mat4::RotationZ(float radians) {
  Mat4 r;
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  r.At(0, 0) = c;
  r.At(0, 1) = -s;
  r.At(1, 0) = s;
  r.At(1, 1) = c;
  return r;
}

Mat4 Mat4::operator*(const Mat4& other) const {
  Mat4 out;
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += At(row, k) * other.At(k, col);
      out.At(row, col) = sum;
    }
  }
  return out;
}

std::array<float, 4> Mat4::Apply(float x, float y, float z) const {
  const float in[4] = {x, y, z, 1.0f};
  std::array<float, 4> out{};
  for (int row = 0; row < 4; ++row) {
    for (int k = 0; k < 4; ++k) out[row] += At(row, k) * in[k];
  }
  return out;
}

Mat4 Mat4::Inverse() const {
  // Gauss-Jordan with partial pivoting on [A | I], in double for headroom.
  double a[4][8];
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      a[r][c] = At(r, c);
      a[r][c + 4] = (r == c) ? 1.0 : 0.0;
    }
  }
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int r = col + 1; r < 4; ++r) {
      if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
    }
    if (std::fabs(a[pivot][col]) < 1e-12) return Mat4{};
    if (pivot != col) {
      for (int c = 0; c < 8; ++c) std::swap(a[pivot][c], a[col][c]);
    }
    const double inv = 1.0 / a[col][col];
    for (int c = 0; c < 8; ++c) a[col][c] *= inv;
    for (int r = 0; r < 4; ++r) {
      if (r == col || a[r][col] == 0.0) continue;
      const double f = a[r][col];
      for (int c = 0; c < 8; ++c) a[r][c] -= f * a[col][c];
    }
  }
  Mat4 out;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) out.At(r, c) = static_cast<float>(a[r][c + 4]);
  }
  return out;
}

}  // namespace Framework
