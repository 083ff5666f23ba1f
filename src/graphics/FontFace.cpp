#include "graphics/FontFace.h"

#include <SDL.h>

#include <cmath>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace Framework {
namespace {

bool GlReady() { return SDL_GL_GetCurrentContext() != nullptr && glGenVertexArrays != nullptr; }

const Glyph kEmptyGlyph{};

}  // namespace

FontFace::FontFace(float viewAspect) : TextScale(ScaleForAspect(viewAspect)) {
  if (FT_Init_FreeType(&Library) != 0) {
    std::cout << "ERROR::FREETYPE: Could not init FreeType Library\n";
    Library = nullptr;
  }
  if (!GlReady()) return;
  // One quad of six (x, y, u, v) vertices, rewritten for every character drawn.
  glGenVertexArrays(1, &Vao);
  glGenBuffers(1, &Vbo);
  glBindVertexArray(Vao);
  glBindBuffer(GL_ARRAY_BUFFER, Vbo);
  glBufferData(GL_ARRAY_BUFFER, sizeof(float) * 6 * 4, nullptr, GL_DYNAMIC_DRAW);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindVertexArray(0);
}

FontFace::~FontFace() {
  if (Face != nullptr) FT_Done_Face(Face);
  if (Library != nullptr) FT_Done_FreeType(Library);
}

float FontFace::ScaleForAspect(float viewAspect) {
  struct Row {
    float Ratio, Scale;
  };
  static constexpr Row kTable[] = {{1.7777778f, 8.0f}, {1.3333334f, 10.0f}, {1.25f, 11.0f}, {1.6f, 9.0f}};
  constexpr float kTolerance = 0.001f;
  for (const Row& row : kTable) {
    if (viewAspect >= row.Ratio - kTolerance && viewAspect <= row.Ratio + kTolerance) return row.Scale;
  }
  // The table keeps text a fixed share of the screen width: its scales sit close to
  // 14.2 / aspect. Other shapes follow the same curve instead of getting no scale at all.
  constexpr float kWidthShare = 14.2f;
  if (!(viewAspect > 0.0f) || !std::isfinite(viewAspect)) return 8.0f;
  return kWidthShare / viewAspect;
}

bool FontFace::IsCachedCode(std::uint32_t code) { return code <= 127 || (code >= 1040 && code <= 1103); }

const Glyph& FontFace::GlyphFor(char16_t code) const {
  auto it = Glyphs.find(code);
  return it == Glyphs.end() ? kEmptyGlyph : it->second;
}

bool FontFace::LoadFont(const std::string& path) {
  if (Library == nullptr || FT_New_Face(Library, path.c_str(), 0, &Face) != 0) {
    std::error_code ignored;
    std::cout << "ERROR::FREETYPE: Failed to load font " << path
              << (std::filesystem::exists(path, ignored) ? " (not a font FreeType can read)" : " (no such file)")
              << ", text is not drawn\n";
    Face = nullptr;
    // Without a face there is nothing to size or rasterise: the font draws nothing.
    return false;
  }
  FT_Set_Pixel_Sizes(Face, 0, PixelHeight);
  const bool gl = GlReady();
  if (gl) glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (std::uint32_t code = 0; code <= 1103; ++code) {
    if (!IsCachedCode(code)) continue;
    if (FT_Load_Char(Face, code, FT_LOAD_RENDER) != 0) {
      std::cout << "ERROR::FREETYTPE: Failed to load Glyph\n";
      continue;
    }
    const FT_GlyphSlot slot = Face->glyph;
    Glyph glyph;
    glyph.Size = {static_cast<std::int32_t>(slot->bitmap.width), static_cast<std::int32_t>(slot->bitmap.rows)};
    glyph.Bearing = {slot->bitmap_left, slot->bitmap_top};
    glyph.Advance = static_cast<std::uint32_t>(slot->advance.x);
    if (gl) {
      glGenTextures(1, &glyph.TextureId);
      glBindTexture(GL_TEXTURE_2D, glyph.TextureId);
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, glyph.Size.x, glyph.Size.y, 0, GL_RED, GL_UNSIGNED_BYTE,
                   slot->bitmap.buffer);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
    Glyphs[static_cast<char16_t>(code)] = glyph;
  }
  if (gl) glBindTexture(GL_TEXTURE_2D, 0);
  return true;
}

}  // namespace Framework
