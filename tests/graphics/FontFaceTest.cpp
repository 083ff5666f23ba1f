// The font face: text scale by window shape and the glyph cache (metrics only;
// drawing is checked with a GL context in the text drawing tests, and a missing
// font file with the real game in StartupTest).
#include "graphics/FontFace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>


namespace Framework {
namespace {

const std::string kFontPath = std::string(TUMBRIX_GAME_DIR) + "/fonts/PressStart2P.ttf";

TEST(FontFaceTextScale, EveryShapeKeepsTextTheSameShareOfTheWidthAndTheFaceCachesAsciiAndCyrillic) {
  EXPECT_FLOAT_EQ(FontFace::ScaleForAspect(1920.0f / 1080.0f), 8.0f);
  // Within the tolerance of 0.001 still counts as the shape.
  EXPECT_FLOAT_EQ(FontFace::ScaleForAspect(1.7777778f + 0.0009f), 8.0f);
  // Glyph width in world units is size / scale; the screen is 32 * aspect units wide.
  auto widthShare = [](float aspect) { return (1.0f / FontFace::ScaleForAspect(aspect)) / (32.0f * aspect); };
  const float wide = widthShare(2560.0f / 1080.0f);   // 21:9
  const float square = widthShare(1.0f);
  const float tall = widthShare(1080.0f / 1920.0f);   // portrait
  const float table = widthShare(1.7777778f);
  EXPECT_NEAR(wide, square, 1e-6f);
  EXPECT_NEAR(tall, square, 1e-6f);
  EXPECT_NEAR(wide, table, table * 0.01f);  // matches the 16:9 entry within 1%
  EXPECT_NEAR(FontFace::ScaleForAspect(1.7777778f + 0.002f), 8.0f, 0.08f);  // no jump (under 1%) just off the table
  // No shape gives a zero or broken scale.
  for (float aspect : {0.0f, -1.0f, 1e-9f, std::numeric_limits<float>::infinity(), std::nanf("")}) {
    const float scale = FontFace::ScaleForAspect(aspect);
    EXPECT_TRUE(std::isfinite(scale) && scale > 0.0f) << "aspect " << aspect << " gave " << scale;
  }

  // The face caches ASCII and Cyrillic А to я only.
  FontFace face(1.7777778f);
  EXPECT_FLOAT_EQ(face.TextScale, 8.0f);
  ASSERT_TRUE(face.LoadFont(kFontPath)) << kFontPath;
  EXPECT_EQ(face.Glyphs.size(), 192u);
  // Latin A and Cyrillic А (U+0410) to я (U+044F); not Ё, ё or the codes past ASCII.
  for (char16_t code : {u'A', u'А', u'я'}) EXPECT_TRUE(face.Glyphs.contains(code)) << int(code);
  for (char16_t code : {u'Ё', u'ё', char16_t(128)}) EXPECT_FALSE(face.Glyphs.contains(code)) << int(code);

  const Glyph& a = face.GlyphFor(u'A');
  EXPECT_EQ(a.Advance, FontFace::PixelHeight * 64u);  // monospaced, one em per character
  EXPECT_GT(a.Size.x, 0);
  EXPECT_GT(a.Size.y, 0);
  EXPECT_GT(a.Bearing.y, 0);
  const Glyph& missing = face.GlyphFor(u'Ё');
  EXPECT_TRUE(missing.Advance == 0u && missing.Size.x == 0 && missing.U1 == 0.0f);

  // Every glyph has a cell of its own in the atlas: no text shows a piece of another letter.
  std::vector<const Glyph*> cells;
  for (const auto& [code, glyph] : face.Glyphs) {
    if (glyph.Size.x == 0) continue;
    EXPECT_TRUE(glyph.U0 >= 0.0f && glyph.V0 >= 0.0f && glyph.U1 <= 1.0f && glyph.V1 <= 1.0f) << int(code);
    for (const Glyph* other : cells) {
      EXPECT_TRUE(glyph.U1 <= other->U0 || other->U1 <= glyph.U0 || glyph.V1 <= other->V0 || other->V1 <= glyph.V0)
          << int(code);
    }
    cells.push_back(&glyph);
  }
  EXPECT_GT(cells.size(), 150u);
}

}  // namespace
}  // namespace Framework
