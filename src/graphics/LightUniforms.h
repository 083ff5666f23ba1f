// LightUniforms: what the "Instance" program is told about this frame's lights,
// worked out from the collected lights without touching GL so it can be checked alone.
// Invariant: PointCount never exceeds the point lights actually gathered nor the
// program's array size, so no uniform array is ever read past its end, whatever mix
// of directional and point lights was collected.
#pragma once

#include <vector>

#include "engine/Events.h"
#include "engine/Vec3.h"

namespace Framework {

class Light;

struct LightUniforms {
  Vec3 DirDirection{};   // (0, 0, 0) when no directional light was collected
  bool HasDirLight = false;
  Color3 DirColor;       // only meaningful with HasDirLight (the uniform is left as it was otherwise)
  int PointCount = 0;    // "num_lights_used": how many entries of the arrays are used

  // Walks `lights` in order. A directional light sets the direction and colour (a later
  // one overrides an earlier one); a point light appends its camera-relative position,
  // colour and radius to the three lists (emptied first). The count is one less than
  // the number of lights, as the levels carry exactly one directional light, clamped
  // to the point lights gathered and to `maxPoints`.
  static LightUniforms Gather(const std::vector<Light*>& lights, Vec3 camera, int maxPoints,
                              std::vector<float>& positions, std::vector<float>& colors,
                              std::vector<float>& radii);
};

}  // namespace Framework
