#version 330 core
in vec4 vColor;
in vec2 vTexCoord;
out vec4 FragColor;

uniform sampler2D image;

void main() { FragColor = texture(image, vTexCoord) * vColor; }
