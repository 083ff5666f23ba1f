#version 330 core
// Every untextured quad and particle of a frame, drawn in one instanced call.
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec4 aColor;
layout(location = 2) in mat4 aModel;   // projection * view * world
layout(location = 6) in mat4 aWorld;   // camera-relative world placement
layout(location = 10) in float aDepth;
layout(location = 11) in vec4 aPiece;       // the part of the quad drawn: left, bottom, right, top
layout(location = 12) in uvec4 aLightWords; // the lights that reach it, one byte each
layout(location = 13) in uint aLightCount;  // how many (255: every light)

out vec4 vColor;
out vec3 vWorldPos;   // camera-relative, like the point-light positions
out vec2 vLocal;      // position inside the quad, -0.5 .. 0.5
out vec2 vSize;       // the quad's width and height in world units
flat out uvec4 vLightWords;
flat out uint vLightCount;

float LayerDepth(float layer) { return layer / (1.0 + abs(layer)); }

void main() {
  // The unit quad's corners (at -0.5 and 0.5) become the piece's.
  vec2 local = mix(aPiece.xy, aPiece.zw, aPos.xy + 0.5);
  vec4 p = aModel * vec4(local, aPos.z, 1.0);
  p.z = LayerDepth(aDepth) * p.w;
  gl_Position = p;
  vColor = aColor;
  vWorldPos = (aWorld * vec4(local, 0.0, 1.0)).xyz;
  vLocal = local;
  vLightWords = aLightWords;
  vLightCount = aLightCount;
  vSize = vec2(length(aWorld[0].xyz), length(aWorld[1].xyz));
}
