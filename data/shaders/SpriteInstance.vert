#version 330 core
// Textured quads drawn in one instanced call (the "TextureInstance" program).
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec4 aColor;
layout(location = 2) in mat4 aModel;
layout(location = 10) in float aDepth;

out vec4 vColor;
out vec2 vTexCoord;

float LayerDepth(float layer) { return layer / (1.0 + abs(layer)); }

void main() {
  vec4 p = aModel * vec4(aPos, 1.0);
  p.z = LayerDepth(aDepth) * p.w;
  gl_Position = p;
  vColor = aColor;
  vTexCoord = vec2(aPos.x + 0.5, 0.5 - aPos.y);
}
