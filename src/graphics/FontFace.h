// FontFace: one FreeType face rasterised once at a pixel height of 16 into one
// red-channel atlas texture, a cell per character, plus the quad buffer text is
// drawn with. One texture for every character lets a whole string be drawn at once:
// a software renderer pays more for each draw than for a glyph's pixels.
// The font is drawn on a grid of eight pixels per character, so at 16 every font
// pixel is two texels: scaled up with nearest filtering, letters keep hard pixel
// edges at any size, and the small atlas stays in the processor's cache.
//
// Invariants: Glyphs holds only the codes 0-127 and 1040-1103 (ASCII and Cyrillic
// А to я) that loaded; any other code finds the empty glyph, which draws nothing
// and does not move the pen. TextScale is fixed at construction and never 0.
#pragma once

#include <GL/glew.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <map>
#include <string>

namespace Framework {

struct Glyph {
  struct IntPair {
    std::int32_t x = 0, y = 0;
  };
  // Where the bitmap lies in the atlas, in texture coordinates (left, top, right, bottom).
  float U0 = 0.0f, V0 = 0.0f, U1 = 0.0f, V1 = 0.0f;
  IntPair Size;        // bitmap width and rows in pixels
  IntPair Bearing;     // bitmap left and top in pixels
  std::uint32_t Advance = 0;  // horizontal advance in 1/64 pixel
};

class FontFace {
 public:
  static constexpr FT_UInt PixelHeight = 16;  // two texels per font pixel
  // The atlas: a grid of cells, each a bitmap of up to PixelHeight square with an
  // empty border of CellGap pixels, so that filtering never picks up a neighbour.
  static constexpr int CellGap = 1;
  static constexpr int CellSize = static_cast<int>(PixelHeight) + 2 * CellGap;
  static constexpr int AtlasColumns = 16;

  // Initialises FreeType, makes the text quad buffer (when a GL context is current)
  // and fixes TextScale from the window's aspect ratio (width / height).
  explicit FontFace(float viewAspect);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  // Opens the face, sizes it and fills the glyph cache. Failures are reported and
  // leave the cache as far as it got; returns whether the face opened.
  bool LoadFont(const std::string& path);

  // The divisor that turns a text size into world units per glyph: 8, 10, 11 or 9 for
  // 16:9, 4:3, 5:4 and 16:10, and for any other shape the value that keeps text the
  // same share of the screen width (about 14.2 / aspect, the curve the table follows).
  static float ScaleForAspect(float viewAspect);
  static bool IsCachedCode(std::uint32_t code);

  // The cached glyph, or the empty glyph for a code that is not cached.
  const Glyph& GlyphFor(char16_t code) const;

  FT_Library Library = nullptr;
  FT_Face Face = nullptr;
  GLuint Vao = 0, Vbo = 0;
  // Every cached glyph's bitmap; 0 without a GL context or a face.
  GLuint Atlas = 0;
  GLint ProjectionLocation = -1;
  GLint TextColorLocation = -1;
  float TextScale = 0.0f;
  std::map<char16_t, Glyph> Glyphs;
};

}  // namespace Framework
