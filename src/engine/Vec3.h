// Vec3: a triple of floats for camera positions, light offsets and directions (GLM's
// vector). Invariant: a default Vec3 is (0, 0, 0); the build defines GLM_FORCE_CTOR_INIT
// for that.
#pragma once

#include <glm/vec3.hpp>

namespace Framework {

using Vec3 = glm::vec3;

}  // namespace Framework
