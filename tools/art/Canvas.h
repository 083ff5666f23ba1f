// Canvas: an RGBA image addressed in art pixels, with the few drawing primitives
// the texture painters need (rectangles, circles, polygons, lines, outlines).
// Invariant: Pixels() always holds Width() * Height() colours, row 0 at the top;
// drawing outside the canvas is clipped silently, never an error.
#pragma once

#include <cstdint>
#include <vector>

namespace Framework::Art {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  constexpr bool operator==(const Rgba&) const = default;
};

inline constexpr Rgba kClear{0, 0, 0, 0};

struct PointF {
  float x = 0.0f;
  float y = 0.0f;
};

class Canvas {
 public:
  Canvas(int width, int height, Rgba fill = kClear);

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<Rgba>& Pixels() const { return pixels_; }

  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Rgba Get(int x, int y) const;
  void Set(int x, int y, Rgba c);

  void Fill(Rgba c);
  void FillRect(int x, int y, int w, int h, Rgba c);
  void OutlineRect(int x, int y, int w, int h, Rgba c, int thickness = 1);
  // A rectangle with its corners cut by `radius` pixels (pixel-art rounding).
  void FillRoundRect(int x, int y, int w, int h, int radius, Rgba c);
  // Circles and ellipses are sampled at pixel centres, so a centre of 7.5 with
  // radius 4 gives a symmetric 8-pixel disc.
  void FillCircle(float cx, float cy, float r, Rgba c);
  void FillEllipse(float cx, float cy, float rx, float ry, Rgba c);
  void FillPolygon(const std::vector<PointF>& points, Rgba c);
  void Line(int x0, int y0, int x1, int y1, Rgba c);
  // Copies every non-transparent pixel of `src` with its top left at (x, y).
  void Blit(const Canvas& src, int x, int y);
  // Paints `ink` into every transparent pixel that touches an opaque one
  // (4-neighbourhood): the dark rim that holds every shape of the style together.
  void Outline(Rgba ink);
  // Recolours the opaque pixels of the given colour.
  void Replace(Rgba from, Rgba to);
  // Each pixel becomes a `factor` x `factor` block of texels, so the renderer's
  // linear magnification blurs only block edges, not whole art pixels.
  Canvas Upscaled(int factor) const;

 private:
  int width_;
  int height_;
  std::vector<Rgba> pixels_;
};

}  // namespace Framework::Art

#include <initializer_list>
#include <map>
#include <string>

namespace Framework::Art {

// Builds a canvas from rows of characters, each looked up in `legend`
// ('.' and any unknown character stay transparent). Hand-placed pixels suit the
// smallest sprites, where every pixel is a decision.
Canvas CanvasFromRows(std::initializer_list<const char*> rows, const std::map<char, Rgba>& legend);

}  // namespace Framework::Art
