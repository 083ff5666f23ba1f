// Vec3: a plain triple of floats for camera positions, light offsets and directions.
#pragma once

namespace Framework {

struct Vec3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  constexpr bool operator==(const Vec3&) const = default;
};

}  // namespace Framework
