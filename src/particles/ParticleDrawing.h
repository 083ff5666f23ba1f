// ParticleDrawing: hands every live particle to the renderer's instanced batch as
// an untextured quad, in the ParticleSystem's order (emitters by creation, then
// each emitter's particles in spawn order).
#pragma once

namespace Framework {

class Graphics;
class ParticleSystem;

void CollectParticles(const ParticleSystem& particles, Graphics& graphics);

}  // namespace Framework
