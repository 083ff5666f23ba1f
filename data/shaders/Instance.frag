#version 330 core
// Lighting of the plain coloured quads: a little ambient so nothing is pitch black,
// the scene's directional light, point lights that fade smoothly to nothing at their
// radius, and a narrow bevel along each quad's edges so boxes read as solid blocks.
in vec4 vColor;
in vec3 vWorldPos;
in vec2 vLocal;
in vec2 vSize;
// The point lights that reach this piece of the quad, one byte each; a count of 255
// means every light of the frame.
flat in uvec4 vLightWords;
flat in uint vLightCount;

out vec4 FragColor;

struct DirectionalLight {
  vec3 direction;
  vec3 color;
};

const int kMaxPointLights = 32;

uniform vec3 CameraPos;
uniform DirectionalLight dirLight;
uniform int num_lights_used;
uniform vec3 pointLightsPosition[kMaxPointLights];
uniform vec3 pointLightsColor[kMaxPointLights];
uniform float pointLightsRadius[kMaxPointLights];

const float kAmbient = 0.28;
const float kBevelWidth = 0.18;    // world units
const float kLightHeight = 2.0;    // point lights hover this far in front of the quads

// The surface normal: facing the viewer, tilted outwards near the edges.
vec3 BevelNormal() {
  vec2 dist = (vec2(0.5) - abs(vLocal)) * vSize;      // distance to the nearest edges
  float width = min(kBevelWidth, 0.25 * min(vSize.x, vSize.y));
  vec2 tilt = vec2(0.0);
  if (width > 0.0) tilt = sign(vLocal) * (1.0 - smoothstep(0.0, width, dist));
  return normalize(vec3(tilt * 0.9, 1.0));
}

void main() {
  vec3 n = BevelNormal();
  vec3 base = vColor.rgb;
  vec3 light = vec3(kAmbient);

  float dirLength = length(dirLight.direction);
  if (dirLength > 1e-4) {
    vec3 toLight = -dirLight.direction / dirLength;
    // Half-Lambert keeps in-plane lights from leaving faces black; edges facing the
    // light catch more of it than those turned away.
    float facing = dot(n, normalize(toLight + vec3(0.0, 0.0, 0.6)));
    light += dirLight.color * (0.3 + 0.55 * clamp(facing, 0.0, 1.0));
    // A faint highlight towards the viewer, who sits CameraPos.z above the scene.
    vec3 viewDir = normalize(vec3(-vWorldPos.xy * 0.02, max(CameraPos.z, 0.5)));
    float specular = pow(max(dot(reflect(-normalize(toLight + vec3(0.0, 0.0, 0.6)), n), viewDir), 0.0), 24.0);
    light += dirLight.color * specular * 0.12;
  } else {
    // No directional light in the scene: show the quads in their own colours.
    light += vec3(1.0 - kAmbient) * (0.75 + 0.25 * n.z + 0.25 * n.y);
  }

  int used = clamp(num_lights_used, 0, kMaxPointLights);
  bool every = vLightCount == 255u;
  int count = every ? used : min(int(vLightCount), used);
  for (int k = 0; k < count; ++k) {
    int i = every ? k : int((vLightWords[k >> 2] >> uint(8 * (k & 3))) & 255u);
    if (i >= used) continue;
    float radius = pointLightsRadius[i];
    if (radius <= 0.0) continue;
    vec2 delta = pointLightsPosition[i].xy - vWorldPos.xy;
    float d = length(delta);
    if (d >= radius) continue;
    // Smooth all the way: full strength at the lamp, nothing at (and beyond) its radius.
    float fade = 1.0 - smoothstep(0.0, radius, d);
    vec3 toLight = normalize(vec3(delta, kLightHeight));
    float facing = max(dot(n, toLight), 0.0);
    light += pointLightsColor[i] * fade * (0.35 + 0.85 * facing);
  }

  // Bevel: light from the upper left, shadow towards the lower right.
  float shade = clamp(1.0 + 0.35 * dot(n.xy, vec2(-0.45, 0.9)), 0.6, 1.2);
  FragColor = vec4(clamp(base * light * shade, 0.0, 1.0), vColor.a);
}
