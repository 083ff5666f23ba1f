// Interface motifs: panels, keys, the mouse, blasts and the landscape backdrop.
#include "Lettering.h"
#include "Painters.h"
#include "Palette.h"

#include <cmath>
#include <numbers>

namespace Framework::Art {

void DrawPanel(Canvas& c, int x, int y, int w, int h, Rgba body, Rgba light, Rgba dark) {
  c.FillRoundRect(x, y, w, h, 2, Pal::Ink);
  c.FillRoundRect(x + 1, y + 1, w - 2, h - 2, 1, body);
  c.FillRect(x + 2, y + 1, w - 4, 1, light);
  c.FillRect(x + 1, y + 2, 1, h - 4, light);
  c.FillRect(x + 2, y + h - 2, w - 4, 1, dark);
  c.FillRect(x + w - 2, y + 2, 1, h - 4, dark);
}

namespace {
int DrawKeyShape(Canvas& c, int x, int y, int w) {
  c.FillRoundRect(x, y, w, 14, 2, Pal::Ink);
  c.FillRect(x + 1, y + 1, w - 2, 10, Pal::Snow);
  c.FillRect(x + 1, y + 11, w - 2, 2, Pal::Mist);
  return w;
}
}  // namespace

int DrawKeycap(Canvas& c, const PixelFont& font, int x, int y, std::string_view label) {
  const int w = std::max(14, font.Measure(label, 8) + 6);
  DrawKeyShape(c, x, y, w);
  DrawTextCentered(c, font, x + w / 2, y + 2, label, 8, TextLook{Pal::Ink, {}, {}, {}, 1});
  return w;
}

int DrawArrowKey(Canvas& c, int x, int y, Arrow direction) {
  DrawKeyShape(c, x, y, 14);
  const float cx = x + 7.0f, cy = y + 6.0f;
  switch (direction) {
    case Arrow::Left: c.FillPolygon({{cx - 4, cy}, {cx + 1, cy - 4}, {cx + 1, cy + 4}}, Pal::Ink);
                      c.FillRect(x + 8, y + 5, 3, 2, Pal::Ink); break;
    case Arrow::Right: c.FillPolygon({{cx + 4, cy}, {cx - 1, cy - 4}, {cx - 1, cy + 4}}, Pal::Ink);
                       c.FillRect(x + 3, y + 5, 3, 2, Pal::Ink); break;
    case Arrow::Up: c.FillPolygon({{cx, cy - 4}, {cx - 4, cy + 1}, {cx + 4, cy + 1}}, Pal::Ink);
                    c.FillRect(x + 6, y + 7, 2, 3, Pal::Ink); break;
  }
  return 14;
}

void DrawMouse(Canvas& c, int x, int y, bool leftLit) {
  Canvas m(16, 24);
  m.FillRoundRect(1, 3, 14, 20, 5, Pal::Snow);
  m.FillRect(2, 17, 12, 5, Pal::Mist);
  m.Outline(Pal::Ink);
  m.FillRect(8, 4, 1, 7, Pal::Ink);
  m.FillRect(2, 11, 13, 1, Pal::Ink);
  // The lit button.
  const int bx = leftLit ? 3 : 9;
  m.FillRect(bx, 5, 5, 5, Pal::Orange);
  m.FillRect(bx, 5, 5, 1, Pal::Gold);
  m.FillRect(8, 0, 1, 3, Pal::Ink);
  c.Blit(m, x, y);
}

void DrawBurst(Canvas& c, int cx, int cy, int r) {
  Canvas b(2 * r + 3, 2 * r + 3);
  const float o = r + 1.5f;
  auto star = [&](float outer, float inner, Rgba col) {
    std::vector<PointF> pts;
    for (int i = 0; i < 16; ++i) {
      const float a = std::numbers::pi_v<float> * i / 8.0f + 0.2f;
      const float rr = (i % 2 == 0) ? outer : inner;
      pts.push_back({o + rr * std::cos(a), o + rr * std::sin(a)});
    }
    b.FillPolygon(pts, col);
  };
  star(static_cast<float>(r), r * 0.6f, Pal::Red);
  star(r * 0.75f, r * 0.45f, Pal::Orange);
  b.FillCircle(o, o, r * 0.4f, Pal::Lemon);
  b.FillCircle(o - r * 0.1f, o - r * 0.1f, r * 0.18f, Pal::Snow);
  b.Outline(Pal::Ink);
  c.Blit(b, cx - static_cast<int>(o), cy - static_cast<int>(o));
}

void DrawLandscape(Canvas& c, int groundTop) {
  c.Fill(Pal::Sky);
  const Canvas cloud = PaintCloud();
  c.Blit(cloud, c.Width() / 24, c.Height() / 9);
  c.Blit(cloud, c.Width() * 7 / 8, c.Height() / 12);
  c.Blit(cloud, c.Width() / 4 - 10, groundTop / 2 + 10);
  // The far hills form one silhouette with a single rim, so overlaps leave no stray lines.
  Canvas far(c.Width(), c.Height());
  for (int x = 36; x < c.Width() + 96; x += 150) far.FillEllipse(x, groundTop + 8, 92, 94, Pal::HillFar);
  far.Outline(Pal::TealLight);
  c.Blit(far, 0, 0);
  const Canvas hill = PaintHill(false);
  for (int x = -20; x < c.Width(); x += 210) c.Blit(hill, x, groundTop - hill.Height() + 2);
  const Canvas tree = PaintTree(), bush = PaintBush();
  for (int x = 70; x < c.Width(); x += 260) c.Blit(tree, x, groundTop - tree.Height());
  for (int x = 150; x < c.Width(); x += 190) c.Blit(bush, x, groundTop - bush.Height());
  const Canvas grass = PaintGroundGrass(), dirt = PaintGroundDirt(), tufts = PaintGrassTufts();
  for (int x = 0; x < c.Width(); x += grass.Width()) {
    c.Blit(grass, x, groundTop);
    for (int y = groundTop + grass.Height(); y < c.Height(); y += dirt.Height()) c.Blit(dirt, x, y);
  }
  for (int x = 30; x < c.Width(); x += 96) c.Blit(tufts, x, groundTop - tufts.Height() + 1);
}

}  // namespace Framework::Art
