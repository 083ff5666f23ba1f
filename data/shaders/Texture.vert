#version 330 core
// One textured quad (sprite, cursor, menu part) with its own depth layer.
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec3 aColor;
layout(location = 2) in vec2 aTexCoord;

uniform mat4 transform;
uniform float z_layer;
// The quad's camera-relative world placement, like the point-light positions; only
// the world's sprites set it, the rest draw unlit and never read it.
uniform mat4 world = mat4(1.0);

out vec2 vTexCoord;
out vec2 vWorldPos;

// Any layer maps into the clip range, monotonically: a smaller layer is nearer.
float LayerDepth(float layer) { return layer / (1.0 + abs(layer)); }

void main() {
  vec4 p = transform * vec4(aPos, 1.0);
  p.z = LayerDepth(z_layer) * p.w;
  gl_Position = p;
  // Image rows arrive top row first; v = 1 is the top of the quad.
  vTexCoord = vec2(aTexCoord.x, 1.0 - aTexCoord.y);
  vWorldPos = (world * vec4(aPos.xy, 0.0, 1.0)).xy;
}
