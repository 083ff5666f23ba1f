#include "graphics/Sprite.h"

#include <cstdio>
#include <iostream>

#include <GL/glew.h>
#include <SDL.h>

#include "engine/Commands.h"
#include "graphics/AssetStore.h"

namespace Framework {

namespace {

// Texture names by sprite type; "" is an untextured type.
constexpr const char* kSpriteTypes[Sprite::SpriteTypeCount] = {
    "",                     // 0
    "player",               // 1
    "",                     // 2
    "container2",           // 3
    "",                     // 4
    "",                     // 5
    "",                     // 6 sky-blue quad
    "empty-button",         // 7
    "empty-button-gray",    // 8
    "empty-button-pressed", // 9
    "back-button",          // 10
    "tumbrix-logo",         // 11
    "mainmenu-button",      // 12
    "mainmenu_alt",         // 13
    "next_alt",             // 14
    "no-button",            // 15
    "options-button",       // 16
    "options-header",       // 17
    "paused",               // 18
    "previous_alt",         // 19
    "quit-button",          // 20
    "quit-confirmation",    // 21
    "yes-button",           // 22
    "start-button",         // 23
    "throw_indicator",      // 24
    "splash",               // 25
    "credits",              // 26
    "",                     // 27
    "",                     // 28
    "",                     // 29
    "",                     // 30
    "HowToPlay",            // 31
    "KIV_cursor",           // 32
    "tutorial1",            // 33
    "tutorial2",            // 34
    "winscreen",            // 35
    "tutorial1_RU",         // 36
    "tutorial2_RU",         // 37
    "winscreen_RU",         // 38
};

// Position (x, y, z), colour (r, g, b), texture coordinate (u, v) per vertex.
constexpr float kSpriteQuad[32] = {
    0.5f,  0.5f,  0.5f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f,  //
    0.5f,  -0.5f, 0.5f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f,  //
    -0.5f, -0.5f, 0.5f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f,  //
    -0.5f, 0.5f,  0.5f, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f,  //
};
constexpr GLuint kSpriteIndices[6] = {0, 1, 3, 1, 2, 3};

// Textures live on the GPU: without a current context (tools, tests of level files)
// a sprite keeps only its texture name.
bool GlContextCurrent() { return SDL_GL_GetCurrentContext() != nullptr; }

}  // namespace

const char* Sprite::SpriteTypeFilename(int type) {
  if (type < 0 || type >= SpriteTypeCount) return "";
  return kSpriteTypes[type];
}

Sprite::~Sprite() {
  if (!BuffersMade) return;
  glDisableVertexAttribArray(0);
  glDeleteBuffers(1, &Vbo);
  glDeleteBuffers(1, &Ebo);
  glDeleteVertexArrays(1, &Vao);
}

void Sprite::SetFilename(int spriteType) {
  if (spriteType > SpriteType::Keep) {
    std::cout << "SPRITE: SetFilename: type is greater than total number of sprites";
    return;
  }
  if (spriteType >= 0 && spriteType < SpriteTypeCount) {
    Filename = kSpriteTypes[spriteType];
    if (spriteType == SpriteType::Sky) Color = SkyColor;
    if (spriteType == SpriteType::EmptyButton) Color = {0.0196f, 0.3176f, 0.4196f};
  }
  if (Filename.empty() || !GlContextCurrent()) return;
  // A type whose texture is missing is reported by the store and shows its flat colour.
  SetTexture(AssetStore::Instance().Texture(Filename));
}

void Sprite::SetFilename(const std::string& name) {
  Filename = name;
  if (!GlContextCurrent()) return;
  SetTexture(AssetStore::Instance().Texture(name));
}

void Sprite::SetTexture(TextureData& texture) {
  TextureRef = &texture;
  AssetStore::UseProgram(AssetStore::Instance().Program("Texture"));
  if (!BuffersMade) {
    glGenBuffers(1, &Vbo);
    glGenBuffers(1, &Ebo);
    glGenVertexArrays(1, &Vao);
    BuffersMade = true;
  }
  glBindVertexArray(Vao);
  glBindBuffer(GL_ARRAY_BUFFER, Vbo);
  glBufferData(GL_ARRAY_BUFFER, sizeof(kSpriteQuad), kSpriteQuad, GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, Ebo);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(kSpriteIndices), kSpriteIndices, GL_STATIC_DRAW);
  constexpr GLsizei stride = 8 * sizeof(float);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(0));
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(3 * sizeof(float)));
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(6 * sizeof(float)));
  glEnableVertexAttribArray(2);
  glBindVertexArray(0);
}

void Sprite::Draw(const ShaderProgram& program, const Mat4& matrix, float z) const {
  Draw(program, matrix, z, Color, Alpha);
}

void Sprite::Draw(const ShaderProgram& program, const Mat4& matrix, float z, Color3 tint, float alpha) const {
  if (!BuffersMade) return;  // never bound to a texture: nothing to draw with
  // The picture is decoded and sent to the GPU when it is first shown.
  if (TextureRef != nullptr && !TextureRef->Uploaded) AssetStore::UploadTexture(*TextureRef);
  glBindVertexArray(Vao);
  AssetStore::UseProgram(program);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, TextureRef ? TextureRef->TextureId : 0);
  glUniformMatrix4fv(program.TransformLocation, 1, GL_FALSE, matrix.Data());
  glUniform1f(glGetUniformLocation(program.Program, "z_layer"), z);
  // Uniforms keep their value between draws: every textured draw sets its own look.
  glUniform3f(program.TintLocation, tint.R, tint.G, tint.B);
  glUniform1f(program.AlphaLocation, alpha);
  glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, nullptr);
  glBindVertexArray(0);
}

}  // namespace Framework
