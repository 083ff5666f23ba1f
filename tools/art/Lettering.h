// Lettering: the house style for words on textures. Text is drawn as a mask in
// the game's font, then filled, rimmed with ink and given a drop shadow, so
// every label in the game reads the same way on any background.
// Invariant: all functions take positions in art pixels of the target canvas.
#pragma once

#include "Canvas.h"
#include "PixelFont.h"

#include <string_view>

namespace Framework::Art {

struct TextLook {
  Rgba Fill{244, 244, 244, 255};
  Rgba Rim{0, 0, 0, 0};       // transparent: no rim
  Rgba Shadow{0, 0, 0, 0};    // transparent: no shadow
  Rgba Lower{0, 0, 0, 0};     // when opaque, the lower half of each glyph row band
  int ShadowDepth = 1;
  int RimWidth = 1;
};

// Draws text with its top left at (x, top). Returns the width drawn.
int DrawText(Canvas& canvas, const PixelFont& font, int x, int top, std::string_view text, int size,
             const TextLook& look);
// The same, centred horizontally on `centerX`.
int DrawTextCentered(Canvas& canvas, const PixelFont& font, int centerX, int top, std::string_view text,
                     int size, const TextLook& look);

}  // namespace Framework::Art
