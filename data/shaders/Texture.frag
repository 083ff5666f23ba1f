#version 330 core
in vec2 vTexCoord;
in vec2 vWorldPos;
out vec4 FragColor;

uniform sampler2D image;
// The sprite's Color and Alpha: fades and tinted pictures multiply the texel.
// White and 1 leave every texel exactly as it is.
uniform vec3 tint = vec3(1.0);
uniform float alpha = 1.0;

// The frame's point lights (lanterns, fireflies), as the plain quads get them. The
// pictures are painted already shaded, so a lamp only adds its warmth on top: with
// no light in reach (and for menus, which set no lights) a texel is drawn as it is.
const int kMaxPointLights = 32;
uniform int num_lights_used = 0;
uniform vec3 pointLightsPosition[kMaxPointLights];
uniform vec3 pointLightsColor[kMaxPointLights];
uniform float pointLightsRadius[kMaxPointLights];

// How strongly a lamp brightens the picture it stands on, at the lamp itself.
const float kGlowGain = 1.6;
// And a little light of its own, so that even the darkest paint warms near a lamp.
const float kGlowWash = 0.12;

vec3 Glow() {
  vec3 glow = vec3(0.0);
  int count = clamp(num_lights_used, 0, kMaxPointLights);
  for (int i = 0; i < count; ++i) {
    float radius = pointLightsRadius[i];
    float d = length(pointLightsPosition[i].xy - vWorldPos);
    // The same smooth fall-off as on the plain quads: nothing at the radius.
    if (d < radius) glow += pointLightsColor[i] * (1.0 - smoothstep(0.0, radius, d));
  }
  return glow;
}

void main() {
  vec4 texel = texture(image, vTexCoord);
  vec3 glow = Glow();
  FragColor = vec4(texel.rgb * tint * (vec3(1.0) + kGlowGain * glow) + kGlowWash * glow, texel.a * alpha);
}
