#include "Lettering.h"

namespace Framework::Art {

int DrawText(Canvas& canvas, const PixelFont& font, int x, int top, std::string_view text, int size,
             const TextLook& look) {
  const int width = font.Measure(text, size);
  if (width <= 0) return 0;
  // Room for the rim on every side and the shadow below and right.
  const int pad = look.RimWidth + look.ShadowDepth;
  Canvas mask(width + 2 * pad, size + 2 * pad);
  font.Draw(mask, pad, pad, text, size, look.Fill);
  if (look.Lower.a != 0) {
    // Two-tone letters: the bottom 3/8 of the glyph band takes the lower colour.
    const int split = pad + (size * 7 / 8) * 5 / 8;
    for (int y = split; y < mask.Height(); ++y)
      for (int xx = 0; xx < mask.Width(); ++xx)
        if (mask.Get(xx, y) == look.Fill) mask.Set(xx, y, look.Lower);
  }
  if (look.Rim.a != 0)
    for (int i = 0; i < look.RimWidth; ++i) mask.Outline(look.Rim);
  if (look.Shadow.a != 0) {
    Canvas shadow(mask.Width(), mask.Height());
    for (int y = 0; y < mask.Height(); ++y)
      for (int xx = 0; xx < mask.Width(); ++xx)
        if (mask.Get(xx, y).a != 0) shadow.Set(xx + look.ShadowDepth, y + look.ShadowDepth, look.Shadow);
    canvas.Blit(shadow, x - pad, top - pad);
  }
  canvas.Blit(mask, x - pad, top - pad);
  return width;
}

int DrawTextCentered(Canvas& canvas, const PixelFont& font, int centerX, int top, std::string_view text,
                     int size, const TextLook& look) {
  const int width = font.Measure(text, size);
  return DrawText(canvas, font, centerX - width / 2, top, text, size, look);
}

}  // namespace Framework::Art
