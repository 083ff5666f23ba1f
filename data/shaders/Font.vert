#version 330 core
// Text: one quad per character; attribute 0 carries (x, y, u, v) in view units.
layout (location = 0) in vec4 vertex;
out vec2 TexCoords;

uniform mat4 projection;

// Text sits in front of the world and of the menu parts (depth 0.01), behind the cursor (0).
const float TextDepth = 0.005;

void main()
{
    gl_Position = projection * vec4(vertex.xy, 0.0, 1.0);
    gl_Position.z = TextDepth;
    TexCoords = vertex.zw;
}
