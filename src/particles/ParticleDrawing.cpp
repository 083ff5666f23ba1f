#include "particles/ParticleDrawing.h"

#include "graphics/Graphics.h"
#include "particles/ParticleSystem.h"

namespace Framework {

void CollectParticles(const ParticleSystem& particles, Graphics& graphics) {
  using C = ParticleChannel;
  for (const auto& [serial, list] : particles.Particles) {
    for (const Particle& p : list) {
      const auto& v = p.Values;
      const Vec3 position{v[C::PositionX], v[C::PositionY], 1.0f};
      const Vec3 scale{v[C::ScaleX], v[C::ScaleY], 1.0f};
      graphics.AddInstance(graphics.WorldMatrix(position, scale, v[C::Rotation]),
                           graphics.ModelMatrix(position, scale, v[C::Rotation]),
                           Rgba{v[C::Red], v[C::Green], v[C::Blue], v[C::Alpha]}, Graphics::ParticleDepth);
    }
  }
}

}  // namespace Framework
