#version 330 core
// Plain shapes with per-vertex colours: menu tints, outlines and debug lines.
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec4 aColor;

uniform mat4 transform;

out vec4 vColor;

// Overlay shapes sit just behind the menu parts (0.01) and in front of the world.
const float kOverlayLayer = 0.015;

float LayerDepth(float layer) { return layer / (1.0 + abs(layer)); }

void main() {
  vec4 p = transform * vec4(aPos, 1.0);
  p.z = LayerDepth(kOverlayLayer) * p.w;
  gl_Position = p;
  vColor = aColor;
}
