// Level art: tiles, hazards, props and scenery. Tiles keep their left and right
// edges free of rims and patterns that would break, so rows of them join seamlessly.
#include "Lettering.h"
#include "Painters.h"
#include "Palette.h"
#include "TextureSet.h"

#include <cmath>
#include <numbers>
#include <tuple>

namespace Framework::Art {

namespace {

// A fixed scatter pattern: the same pixels every run, no random source needed.
unsigned Scatter(int x, int y) {
  unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

// Dirt with dark crumbs and light pebbles, periodic in the tile size.
void PaintDirt(Canvas& c, int top) {
  c.FillRect(0, top, c.Width(), c.Height() - top, Pal::Wood);
  for (int y = top; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      const unsigned h = Scatter(x, y) % 41;
      if (h == 0) {
        c.Set(x, y, Pal::Bark);
        c.Set(x + 1, y, Pal::Bark);
      } else if (h == 1 && y + 1 < c.Height()) {
        c.Set(x, y, Pal::Sand);
        c.Set(x, y + 1, Pal::Bark);
      }
    }
}

// Canvas with everything painted so far rimmed in ink.
Canvas Rimmed(Canvas c) {
  c.Outline(Pal::Ink);
  return c;
}

// Colours a dome's pixels by height: light cap, body, darker base band.
void ShadeDome(Canvas& c, Rgba body, Rgba light, Rgba dark, float cx, float cy, float rx, float ry) {
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      if (c.Get(x, y) != body) continue;
      const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
      // Light from the upper left.
      const float lit = -dx * 0.6f - dy * 0.8f;
      if (lit > 0.75f) c.Set(x, y, light);
      else if (lit < -0.35f) c.Set(x, y, dark);
    }
}

}  // namespace

Canvas PaintGroundGrass() {
  Canvas c(24, 24);
  PaintDirt(c, 6);
  c.FillRect(0, 0, 24, 1, Pal::Ink);
  c.FillRect(0, 1, 24, 1, Pal::LeafLight);
  c.FillRect(0, 2, 24, 4, Pal::Leaf);
  // A scalloped grass edge hanging into the dirt; period 6 divides the tile.
  for (int x = 0; x < 24; ++x) {
    const int depth = (x % 6 == 1 || x % 6 == 2 || x % 6 == 3) ? 8 : 7;
    c.FillRect(x, 6, 1, depth - 6, Pal::Leaf);
    c.Set(x, depth, Pal::LeafDark);
  }
  for (int x = 2; x < 24; x += 6) c.Set(x, 2, Pal::LeafLight);
  return c;
}

Canvas PaintGroundDirt() {
  Canvas c(24, 24);
  PaintDirt(c, 0);
  return c;
}

Canvas PaintStoneBlock() {
  Canvas c(24, 24, Pal::Mist);
  for (int row = 0; row < 3; ++row) {
    const int y = row * 8;
    c.FillRect(0, y, 24, 1, Pal::Snow);
    c.FillRect(0, y + 6, 24, 1, Pal::Slate);
    c.FillRect(0, y + 7, 24, 1, Pal::Night);
    const int offset = row % 2 == 0 ? 11 : 5;
    for (int j = offset; j < 24; j += 12) {
      c.FillRect(j, y, 1, 7, Pal::Night);
      c.Set(j + 1 < 24 ? j + 1 : 0, y + 1, Pal::Snow);
    }
  }
  return c;
}

Canvas PaintPlatform() {
  Canvas c(24, 12, Pal::Wood);
  c.FillRect(0, 0, 24, 1, Pal::Ink);
  c.FillRect(0, 1, 24, 1, Pal::Gold);
  c.FillRect(0, 2, 24, 1, Pal::Sand);
  c.FillRect(0, 9, 24, 2, Pal::Bark);
  c.FillRect(0, 11, 24, 1, Pal::Ink);
  for (int seam : {11, 23}) c.FillRect(seam, 1, 1, 10, Pal::Bark);
  for (int nail : {2, 9, 14, 21}) { c.Set(nail, 4, Pal::Ink); c.Set(nail, 7, Pal::Ink); }
  // Wood grain.
  for (int x : {4, 5, 6, 16, 17, 18, 19}) c.Set(x, 6, Pal::Bark);
  return c;
}

Canvas PaintSpikes() {
  Canvas c(24, 12);
  // Two spikes per tile, each centred in its 12-pixel cell so rows of tiles stay regular.
  for (int k = 0; k < 2; ++k) {
    const int x0 = k * 12;
    for (int y = 1; y <= 9; ++y) {
      const int w = 2 + 2 * ((y - 1) / 2);
      const int left = x0 + (12 - w) / 2;
      c.FillRect(left, y, w / 2, 1, Pal::Snow);
      c.FillRect(left + w / 2, y, w - w / 2, 1, Pal::Mist);
    }
    c.Set(x0 + 6, 8, Pal::Slate);
    c.Set(x0 + 7, 9, Pal::Slate);
  }
  c.Outline(Pal::Ink);
  c.FillRect(0, 10, 24, 1, Pal::Slate);
  c.FillRect(0, 11, 24, 1, Pal::Ink);
  return c;
}

Canvas PaintSaw() {
  Canvas c(24, 24);
  std::vector<PointF> teeth;
  const int n = 12;
  for (int i = 0; i < n; ++i) {
    const float a = 2.0f * std::numbers::pi_v<float> * i / n;
    const float b = a + 2.0f * std::numbers::pi_v<float> / n * 0.8f;
    teeth.push_back({12.0f + 10.8f * std::cos(a), 12.0f + 10.8f * std::sin(a)});
    teeth.push_back({12.0f + 8.0f * std::cos(b), 12.0f + 8.0f * std::sin(b)});
  }
  c.FillPolygon(teeth, Pal::Mist);
  c.FillCircle(12, 12, 8.2f, Pal::Mist);
  ShadeDome(c, Pal::Mist, Pal::Snow, Pal::Slate, 12, 12, 11, 11);
  c.FillCircle(12, 12, 5.5f, Pal::Ink);
  c.FillCircle(12, 12, 4.5f, Pal::Red);
  c.FillCircle(12, 12, 2.0f, Pal::Ink);
  c.Set(10, 10, Pal::Orange);
  c.Set(11, 10, Pal::Orange);
  return Rimmed(c);
}

Canvas PaintCrate() {
  Canvas c(24, 24, Pal::Wood);
  c.OutlineRect(0, 0, 24, 24, Pal::Ink);
  c.OutlineRect(1, 1, 22, 22, Pal::Bark, 3);
  c.FillRect(2, 2, 20, 1, Pal::Sand);
  c.FillRect(2, 2, 1, 20, Pal::Sand);
  // Diagonal brace from lower left to upper right.
  for (int i = 0; i < 16; ++i) {
    const int x = 4 + i, y = 19 - i;
    c.FillRect(x - 1, y, 3, 1, Pal::Wood);
    c.Set(x - 2, y, Pal::Bark);
    c.Set(x + 2, y, Pal::Bark);
  }
  c.FillRect(4, 4, 16, 1, Pal::Bark);
  for (int p : {2, 21}) for (int q : {2, 21}) c.Set(p, q, Pal::Ink);
  // Planks between the frame.
  for (int y : {9, 14}) for (int x = 4; x < 20; ++x) if (c.Get(x, y) == Pal::Wood) c.Set(x, y, Pal::Sand);
  return c;
}

Canvas PaintCloud() {
  Canvas c(48, 24);
  c.FillCircle(13, 15, 7, Pal::Snow);
  c.FillCircle(22, 10, 8.5f, Pal::Snow);
  c.FillCircle(32, 11, 7.5f, Pal::Snow);
  c.FillCircle(39, 15, 6, Pal::Snow);
  c.FillRect(10, 14, 32, 8, Pal::Snow);
  for (int y = 18; y < 24; ++y)
    for (int x = 0; x < 48; ++x)
      if (c.Get(x, y) == Pal::Snow) c.Set(x, y, Pal::Mist);
  for (int x = 16; x < 26; ++x) c.Set(x, 4, c.Get(x, 4) == Pal::Snow ? Pal::Snow : c.Get(x, 4));
  return Rimmed(c);
}

Canvas PaintExit(const PixelFont& font) {
  Canvas c(36, 48);
  // The doorway: a stone arch around a glowing opening.
  Canvas door(36, 48);
  door.FillRect(3, 24, 30, 24, Pal::Mist);
  door.FillEllipse(18, 25, 15, 12, Pal::Mist);
  door.FillRect(9, 29, 18, 19, Pal::Gold);
  door.FillEllipse(18, 30, 9, 8, Pal::Gold);
  door.FillRect(11, 31, 14, 17, Pal::Lemon);
  door.FillEllipse(18, 31, 7, 6, Pal::Lemon);
  door.FillRect(15, 33, 6, 15, Pal::Snow);
  // Stone joints.
  for (int y : {30, 37, 44}) { door.FillRect(3, y, 6, 1, Pal::Slate); door.FillRect(27, y, 6, 1, Pal::Slate); }
  door.Outline(Pal::Ink);
  c.Blit(door, 0, 0);
  // The sign above it.
  DrawPanel(c, 0, 1, 36, 14, Pal::Leaf, Pal::LeafLight, Pal::LeafDark);
  DrawTextCentered(c, font, 18, 4, "EXIT", 8, TextLook{Pal::Snow, {}, Pal::LeafDark, {}, 1});
  c.FillRect(8, 15, 2, 10, Pal::Ink);
  c.FillRect(26, 15, 2, 10, Pal::Ink);
  return c;
}

Canvas PaintSignpost() {
  Canvas c(24, 24);
  c.FillRect(10, 12, 4, 12, Pal::Wood);
  c.FillRect(10, 12, 1, 12, Pal::Sand);
  c.FillPolygon({{2, 3}, {17, 3}, {22, 8}, {17, 13}, {2, 13}}, Pal::Wood);
  c.FillRect(2, 3, 15, 1, Pal::Sand);
  c.Outline(Pal::Ink);
  // A painted arrow on the board.
  c.FillRect(5, 7, 8, 2, Pal::Snow);
  c.FillPolygon({{12, 5}, {17, 8}, {12, 11}}, Pal::Snow);
  return c;
}

Canvas PaintHill(bool far) {
  Canvas c(96, 48);
  const Rgba body = far ? Pal::HillFar : Pal::Leaf;
  c.FillEllipse(48, 50, 46, 47, body);
  if (far) {
    // Distant hills stay flat: shading would pull them forward.
    c.Outline(Pal::TealLight);
    return c;
  }
  ShadeDome(c, body, Pal::LeafLight, Pal::LeafDark, 48, 50, 46, 47);
  // Rows of little bushes on the slope.
  for (int y = 14; y < 46; y += 8)
    for (int x = (y / 8) % 2 * 6 + 6; x < 92; x += 12)
      if (c.Get(x, y) == body && c.Get(x + 3, y + 2) == body) {
        c.FillRect(x, y, 3, 1, Pal::LeafDark);
        c.Set(x + 1, y - 1, Pal::LeafDark);
      }
  return Rimmed(c);
}

Canvas PaintPaleHill() {
  Canvas c = PaintHill(true);
  c.Replace(Pal::HillFar, Pal::HillPale);
  c.Replace(Pal::TealLight, Pal::HillPaleRim);
  return c;
}

Canvas PaintTree() {
  Canvas c(36, 60);
  c.FillRect(15, 36, 6, 24, Pal::Wood);
  c.FillRect(15, 36, 2, 24, Pal::Sand);
  c.FillRect(19, 36, 2, 24, Pal::Bark);
  c.FillCircle(18, 16, 14.5f, Pal::Leaf);
  c.FillCircle(9.5f, 29, 8.5f, Pal::Leaf);
  c.FillCircle(26.5f, 29, 8.5f, Pal::Leaf);
  c.FillRect(9, 24, 18, 14, Pal::Leaf);
  ShadeDome(c, Pal::Leaf, Pal::LeafLight, Pal::LeafDark, 18, 24, 18, 17);
  // Leaf clusters.
  for (auto [x, y] : {std::pair{12, 12}, std::pair{23, 17}, std::pair{8, 29}, std::pair{26, 31}, std::pair{16, 25}})
    if (c.Get(x, y).a != 0) { c.FillRect(x, y, 3, 1, Pal::LeafDark); c.Set(x + 1, y - 1, Pal::LeafDark); }
  return Rimmed(c);
}

Canvas PaintBush() {
  Canvas c(36, 18);
  c.FillCircle(9, 12, 7, Pal::Leaf);
  c.FillCircle(18, 9, 8.5f, Pal::Leaf);
  c.FillCircle(27, 12, 7, Pal::Leaf);
  c.FillRect(7, 12, 22, 6, Pal::Leaf);
  ShadeDome(c, Pal::Leaf, Pal::LeafLight, Pal::LeafDark, 18, 14, 17, 10);
  c.Set(12, 10, Pal::Red);
  c.Set(22, 8, Pal::Red);
  c.Set(25, 13, Pal::Red);
  return Rimmed(c);
}

Canvas PaintGrassTufts() {
  Canvas c(24, 12);
  // Two clumps of three blades: a tall one in the middle, shorter ones leaning out.
  struct Blade { float x, h, lean; };
  for (float cx : {6.0f, 17.0f})
    for (Blade b : {Blade{cx - 2.0f, 5, -2}, Blade{cx + 2.0f, 6, 2}, Blade{cx, 9, 0.5f}}) {
      c.FillPolygon({{b.x - 1.0f, 12.0f}, {b.x + b.lean + 0.5f, 12.0f - b.h}, {b.x + 1.0f, 12.0f}}, Pal::Leaf);
    }
  for (int x = 0; x < 24; ++x)
    for (int y = 0; y < 8; ++y)
      if (c.Get(x, y) == Pal::Leaf) { c.Set(x, y, Pal::LeafLight); break; }
  return Rimmed(c);
}

Canvas PaintWarning() {
  Canvas c(24, 36);
  c.FillRect(10, 14, 4, 22, Pal::Wood);
  c.FillRect(10, 14, 1, 22, Pal::Sand);
  c.FillRect(13, 14, 1, 22, Pal::Bark);
  // A diamond board, the shape every road sign of danger shares.
  c.FillPolygon({{12, 0}, {23.5f, 11.5f}, {12, 23}, {0.5f, 11.5f}}, Pal::Lemon);
  c.Outline(Pal::Ink);
  c.FillPolygon({{12, 3}, {20.5f, 11.5f}, {12, 20}, {3.5f, 11.5f}}, Pal::Gold);
  c.FillPolygon({{12, 5}, {18.5f, 11.5f}, {12, 18}, {5.5f, 11.5f}}, Pal::Lemon);
  // The spike it warns of, in ink.
  c.FillPolygon({{8, 15}, {12, 7}, {16, 15}}, Pal::Ink);
  return c;
}

Canvas PaintPine() {
  Canvas c(36, 72);
  c.FillRect(16, 54, 4, 18, Pal::Wood);
  c.FillRect(16, 54, 1, 18, Pal::Sand);
  c.FillRect(19, 54, 1, 18, Pal::Bark);
  // Four tiers of needles, widest at the bottom.
  for (int tier = 0; tier < 4; ++tier) {
    const float top = 2.0f + tier * 13.0f, half = 6.0f + tier * 4.0f;
    c.FillPolygon({{18, top}, {18 + half, top + 18}, {18 - half, top + 18}}, Pal::LeafDark);
  }
  for (int y = 0; y < 58; ++y)
    for (int x = 0; x < 18; ++x)
      if (c.Get(x, y) == Pal::LeafDark && c.Get(x - 1, y).a == 0) c.Set(x, y, Pal::Leaf);
  return Rimmed(c);
}

Canvas PaintMoon() {
  Canvas c(24, 24);
  c.FillCircle(12, 12, 10.5f, Pal::Snow);
  for (auto [x, y, r] : {std::tuple{8.0f, 9.0f, 2.5f}, std::tuple{15.0f, 15.0f, 3.0f}, std::tuple{14.0f, 6.0f, 1.5f}})
    c.FillCircle(x, y, r, Pal::Mist);
  return Rimmed(c);
}

Canvas PaintSun() {
  Canvas c(36, 36);
  c.FillCircle(18, 18, 16.5f, Pal::Orange);
  c.FillCircle(18, 18, 13.5f, Pal::Gold);
  c.FillCircle(15, 14, 6.0f, Pal::Lemon);
  return c;
}

Canvas PaintLantern() {
  Canvas c(24, 48);
  c.FillRect(10, 16, 4, 32, Pal::Night);
  c.FillRect(10, 16, 1, 32, Pal::Slate);
  c.FillRect(6, 44, 12, 4, Pal::Night);
  // The lamp: a cap, a glowing pane, a base.
  c.FillRect(5, 2, 14, 3, Pal::Night);
  c.FillRect(6, 5, 12, 9, Pal::Lemon);
  c.FillRect(8, 6, 3, 6, Pal::Snow);
  c.FillRect(5, 14, 14, 2, Pal::Night);
  c.FillRect(11, 0, 2, 2, Pal::Night);
  return Rimmed(c);
}

void AddLevelTextures(TextureList& list) {
  list.push_back({"ground-grass", [](const PixelFont&) { return PaintGroundGrass(); }});
  list.push_back({"ground-dirt", [](const PixelFont&) { return PaintGroundDirt(); }});
  list.push_back({"stone-block", [](const PixelFont&) { return PaintStoneBlock(); }});
  list.push_back({"platform", [](const PixelFont&) { return PaintPlatform(); }});
  list.push_back({"spikes", [](const PixelFont&) { return PaintSpikes(); }});
  list.push_back({"saw", [](const PixelFont&) { return PaintSaw(); }});
  list.push_back({"crate", [](const PixelFont&) { return PaintCrate(); }});
  list.push_back({"cloud", [](const PixelFont&) { return PaintCloud(); }});
  list.push_back({"exit", [](const PixelFont& f) { return PaintExit(f); }});
  list.push_back({"signpost", [](const PixelFont&) { return PaintSignpost(); }});
  list.push_back({"hill", [](const PixelFont&) { return PaintHill(false); }});
  list.push_back({"hill-far", [](const PixelFont&) { return PaintHill(true); }});
  list.push_back({"tree", [](const PixelFont&) { return PaintTree(); }});
  list.push_back({"bush", [](const PixelFont&) { return PaintBush(); }});
  list.push_back({"grass", [](const PixelFont&) { return PaintGrassTufts(); }});
  list.push_back({"hill-pale", [](const PixelFont&) { return PaintPaleHill(); }});
  list.push_back({"warning", [](const PixelFont&) { return PaintWarning(); }});
  list.push_back({"pine", [](const PixelFont&) { return PaintPine(); }});
  list.push_back({"moon", [](const PixelFont&) { return PaintMoon(); }});
  list.push_back({"sun", [](const PixelFont&) { return PaintSun(); }});
  list.push_back({"lantern", [](const PixelFont&) { return PaintLantern(); }});
}

}  // namespace Framework::Art
