#include "ScenePreview.h"

#include "Painters.h"
#include "Palette.h"

namespace Framework::Art {

Canvas PaintScenePreview(const PixelFont& font) {
  // 640 x 360 art pixels: about the 32-unit-high view at 16:9.
  Canvas c(640, 360);
  DrawLandscape(c, 300);
  const Canvas platform = PaintPlatform(), stone = PaintStoneBlock();
  for (int x = 168; x < 168 + 4 * platform.Width(); x += platform.Width()) c.Blit(platform, x, 220);
  for (int x = 420; x < 420 + 3 * platform.Width(); x += platform.Width()) c.Blit(platform, x, 170);
  for (int y = 300 - 2 * stone.Height(); y < 300; y += stone.Height()) c.Blit(stone, 600, y);
  const Canvas spikes = PaintSpikes();
  for (int x = 300; x < 300 + 4 * spikes.Width(); x += spikes.Width()) c.Blit(spikes, x, 300 - spikes.Height());
  c.Blit(PaintSaw(), 330, 150);
  c.Blit(PaintCrate(), 110, 300 - 24);
  c.Blit(PaintCrate(), 122, 300 - 48);
  c.Blit(PaintSignpost(), 40, 300 - 24);
  c.Blit(PaintPlayer(), 220, 220 - 24);
  c.Blit(PaintEnemy(), 470, 170 - 16);
  c.Blit(PaintEnemy(), 520, 300 - 16);
  c.Blit(PaintExit(font), 560, 300 - 48 - 2 * stone.Height() + 48);
  c.Blit(PaintBomb(), 262, 180);
  DrawBurst(c, 250, 262, 12);
  c.Blit(PaintCloud(), 380, 60);
  return c;
}

}  // namespace Framework::Art
