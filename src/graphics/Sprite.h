// Sprite: the look of a game object: a texture (or none), a tint and an opacity.
// A sprite without a Filename is a plain coloured quad drawn in the renderer's one
// instanced, lit call; a textured sprite draws itself through its own quad buffers.
// Invariant: Vao, Vbo and Ebo exist exactly when BuffersMade is set, and are made
// only with a GL context current (by SetTexture). Without a current context the
// SetFilename forms record the name only, so level files can be read without a window.
#pragma once

#include <cstdint>
#include <string>

#include "engine/Commands.h"
#include "engine/Events.h"
#include "graphics/Mat4.h"
#include "objects/Component.h"

namespace Framework {

struct ShaderProgram;
struct TextureData;

class Sprite : public Component {
 public:
  // The sky: the colour of a Sky sprite and of the screen behind the world.
  static constexpr Color3 SkyColor{0.45f, 0.8f, 0.92f};
  // Numbers 0 to 38 name a texture in the type table; 39 leaves the sprite as it is.
  static constexpr int SpriteTypeCount = SpriteType::Keep;
  // Texture name of a sprite type ("" for an untextured type or a number out of range).
  static const char* SpriteTypeFilename(int type);

  Sprite() : Component("Sprite") {}
  ~Sprite() override;

  void Initialize() override {}

  // Takes the look of a sprite type: its texture name (types 6 and 7 also set the tint).
  // A number above 39 is reported and changes nothing.
  void SetFilename(int spriteType);
  // Binds the texture of that name; an unknown name binds the store's flat colour.
  void SetFilename(const std::string& name);
  std::string GetFilename() const { return Filename; }
  // Binds `texture` (its pixels reach the GPU when first drawn); makes the quad buffers on first use.
  void SetTexture(TextureData& texture);
  // Draws the textured quad with `program`, the full transform `matrix` and depth `z`,
  // each texel's colour multiplied by Color and its opacity by Alpha.
  void Draw(const ShaderProgram& program, const Mat4& matrix, float z) const;
  // The same with another tint and opacity than the sprite's own (a sprite whose
  // Color and Alpha describe something else, as a menu header's tint does).
  void Draw(const ShaderProgram& program, const Mat4& matrix, float z, Color3 tint, float alpha) const;

  float Alpha = 1.0f;
  Color3 Color{1.0f, 1.0f, 1.0f};
  TextureData* TextureRef = nullptr;
  std::string Filename;
  std::uint32_t Vao = 0, Vbo = 0, Ebo = 0;
  bool BuffersMade = false;
};

}  // namespace Framework
