// Vec2: a plain pair of floats for world positions, sizes and velocities.
#pragma once

#include <cmath>

namespace Framework {

struct Vec2 {
  float x = 0.0f;
  float y = 0.0f;

  constexpr Vec2 operator+(Vec2 o) const { return {x + o.x, y + o.y}; }
  constexpr Vec2 operator-(Vec2 o) const { return {x - o.x, y - o.y}; }
  constexpr Vec2 operator*(float s) const { return {x * s, y * s}; }
  constexpr Vec2 operator/(float s) const { return {x / s, y / s}; }
  constexpr Vec2& operator+=(Vec2 o) { x += o.x; y += o.y; return *this; }
  constexpr Vec2& operator-=(Vec2 o) { x -= o.x; y -= o.y; return *this; }
  constexpr Vec2& operator*=(float s) { x *= s; y *= s; return *this; }
  constexpr bool operator==(const Vec2&) const = default;
  float Length() const { return std::sqrt(x * x + y * y); }
};

}  // namespace Framework
