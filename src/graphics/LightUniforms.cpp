#include "graphics/LightUniforms.h"

#include <algorithm>

#include "graphics/DirLight.h"
#include "graphics/PointLight.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"

namespace Framework {

LightUniforms LightUniforms::Gather(const std::vector<Light*>& lights, Vec3 camera, int maxPoints,
                                    std::vector<float>& positions, std::vector<float>& colors,
                                    std::vector<float>& radii) {
  LightUniforms out;
  positions.clear();
  colors.clear();
  radii.clear();
  for (Light* light : lights) {
    if (light == nullptr) continue;
    if (const auto* dir = dynamic_cast<const DirLight*>(light)) {
      out.DirDirection = dir->Direction;
      out.DirColor = dir->Color;
      out.HasDirLight = true;
      continue;
    }
    const auto* point = dynamic_cast<const PointLight*>(light);
    const Transform* t = light->Owner ? light->Owner->GetComponent<Transform>() : nullptr;
    if (point == nullptr || t == nullptr) continue;
    positions.push_back(point->Offset.x + t->Position.x - camera.x);
    positions.push_back(point->Offset.y + t->Position.y - camera.y);
    positions.push_back(point->Offset.z + t->ZLayer - camera.z);
    colors.push_back(point->Color.R);
    colors.push_back(point->Color.G);
    colors.push_back(point->Color.B);
    radii.push_back(point->Radius);
  }
  const int n = static_cast<int>(lights.size());
  const int gathered = static_cast<int>(radii.size());
  out.PointCount = std::max(0, std::min({n - 1, gathered, maxPoints}));
  return out;
}

}  // namespace Framework
