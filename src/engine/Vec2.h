// Vec2: a pair of floats for world positions, sizes and velocities. It is GLM's vector,
// so its length is glm::length(v) (v.length() is the component count, 2).
// Invariant: a default Vec2 is (0, 0); the build defines GLM_FORCE_CTOR_INIT for that.
#pragma once

#include <glm/geometric.hpp>
#include <glm/vec2.hpp>

namespace Framework {

using Vec2 = glm::vec2;

}  // namespace Framework
