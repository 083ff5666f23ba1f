#version 330 core
in vec2 vTexCoord;
out vec4 FragColor;

uniform sampler2D image;
// The sprite's Color and Alpha: fades and tinted pictures multiply the texel.
// White and 1 leave every texel exactly as it is.
uniform vec3 tint = vec3(1.0);
uniform float alpha = 1.0;

void main() {
  vec4 texel = texture(image, vTexCoord);
  FragColor = vec4(texel.rgb * tint, texel.a * alpha);
}
