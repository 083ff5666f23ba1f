// The desktop icon: the game's bomb on a rounded patch of sky, drawn once at
// sixteen art pixels square and scaled by whole factors, so every size the
// desktop asks for stays crisp pixel art.
#include "Icon.h"

#include "Painters.h"
#include "Palette.h"

namespace Framework::Art {

Canvas PaintIcon() {
  Canvas icon(kIconArtPixels, kIconArtPixels, Rgba{0, 0, 0, 0});
  icon.FillRoundRect(0, 0, kIconArtPixels, kIconArtPixels, 3, Pal::Ink);
  icon.FillRoundRect(1, 1, kIconArtPixels - 2, kIconArtPixels - 2, 2, Pal::SkyDeep);
  // The bomb is 12 art pixels square; centre it, its fuse spark towards the top right.
  icon.Blit(PaintBomb(), 2, 2);
  return icon;
}

}  // namespace Framework::Art
