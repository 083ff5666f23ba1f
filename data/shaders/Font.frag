#version 330 core
// The glyph bitmap's red channel is coverage; the text colour tints it.
in vec2 TexCoords;
out vec4 color;

uniform sampler2D text;
uniform vec3 textColor;

void main()
{
    float coverage = texture(text, TexCoords).r;
    color = vec4(textColor, coverage);
}
