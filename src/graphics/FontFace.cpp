#include "graphics/FontFace.h"

#include <SDL.h>

#include <cmath>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

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
  // The quads of one text, (x, y, u, v) per vertex, rewritten for every text drawn.
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
  if (Atlas != 0 && GlReady()) glDeleteTextures(1, &Atlas);
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
  int cells = 0;
  for (std::uint32_t code = 0; code <= 1103; ++code) cells += IsCachedCode(code) ? 1 : 0;
  const int atlasWidth = AtlasColumns * CellSize;
  const int atlasHeight = (cells + AtlasColumns - 1) / AtlasColumns * CellSize;
  const bool gl = GlReady();
  if (gl) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glGenTextures(1, &Atlas);
    glBindTexture(GL_TEXTURE_2D, Atlas);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, atlasWidth, atlasHeight, 0, GL_RED, GL_UNSIGNED_BYTE, nullptr);
    // Zeroed a row of cells at a time, so that the gaps between cells are empty
    // without holding a second copy of the whole atlas.
    const std::vector<unsigned char> empty(static_cast<std::size_t>(atlasWidth) * CellSize, 0);
    for (int row = 0; row < atlasHeight; row += CellSize) {
      glTexSubImage2D(GL_TEXTURE_2D, 0, 0, row, atlasWidth, CellSize, GL_RED, GL_UNSIGNED_BYTE, empty.data());
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  }
  int cell = 0;
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
    const int left = cell % AtlasColumns * CellSize + CellGap;
    const int top = cell / AtlasColumns * CellSize + CellGap;
    ++cell;
    if (glyph.Size.x > CellSize - 2 * CellGap || glyph.Size.y > CellSize - 2 * CellGap) {
      std::cout << "FontFace: " << path << ": character " << code << " is larger than its atlas cell and is not drawn\n";
      glyph.Size = {};
    }
    glyph.U0 = static_cast<float>(left) / static_cast<float>(atlasWidth);
    glyph.V0 = static_cast<float>(top) / static_cast<float>(atlasHeight);
    glyph.U1 = static_cast<float>(left + glyph.Size.x) / static_cast<float>(atlasWidth);
    glyph.V1 = static_cast<float>(top + glyph.Size.y) / static_cast<float>(atlasHeight);
    // FreeType's rows run top down with `pitch` bytes each; a negative pitch (rows
    // bottom up) is not something this font produces, and such a glyph stays empty.
    if (gl && glyph.Size.x > 0 && glyph.Size.y > 0 && slot->bitmap.pitch > 0) {
      glPixelStorei(GL_UNPACK_ROW_LENGTH, slot->bitmap.pitch);
      glTexSubImage2D(GL_TEXTURE_2D, 0, left, top, glyph.Size.x, glyph.Size.y, GL_RED, GL_UNSIGNED_BYTE,
                      slot->bitmap.buffer);
      glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    }
    Glyphs[static_cast<char16_t>(code)] = glyph;
  }
  if (gl) glBindTexture(GL_TEXTURE_2D, 0);
  return true;
}

}  // namespace Framework
