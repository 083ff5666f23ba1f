#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Framework::Art {

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(std::max(width, 1)), height_(std::max(height, 1)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

Rgba Canvas::Get(int x, int y) const {
  if (!Inside(x, y)) return kClear;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Canvas::Set(int x, int y, Rgba c) {
  if (!Inside(x, y)) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = c;
}

void Canvas::Fill(Rgba c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void Canvas::FillRect(int x, int y, int w, int h, Rgba c) {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + w, width_), y1 = std::min(y + h, height_);
  for (int yy = y0; yy < y1; ++yy)
    for (int xx = x0; xx < x1; ++xx) pixels_[static_cast<std::size_t>(yy) * width_ + xx] = c;
}

void Canvas::OutlineRect(int x, int y, int w, int h, Rgba c, int thickness) {
  FillRect(x, y, w, thickness, c);
  FillRect(x, y + h - thickness, w, thickness, c);
  FillRect(x, y, thickness, h, c);
  FillRect(x + w - thickness, y, thickness, h, c);
}

void Canvas::FillRoundRect(int x, int y, int w, int h, int radius, Rgba c) {
  for (int row = 0; row < h; ++row) {
    // Distance into the corner band, from the nearer edge.
    const int edge = std::min(row, h - 1 - row);
    int inset = 0;
    if (edge < radius) {
      const float dy = static_cast<float>(radius - edge) - 0.5f;
      inset = radius - static_cast<int>(std::floor(std::sqrt(std::max(0.0f, radius * radius - dy * dy)) + 0.5f));
    }
    FillRect(x + inset, y + row, w - 2 * inset, 1, c);
  }
}

void Canvas::FillCircle(float cx, float cy, float r, Rgba c) { FillEllipse(cx, cy, r, r, c); }

void Canvas::FillEllipse(float cx, float cy, float rx, float ry, Rgba c) {
  if (rx <= 0.0f || ry <= 0.0f) return;
  const int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
  const int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
      if (dx * dx + dy * dy <= 1.0f) Set(x, y, c);
    }
  }
}

void Canvas::FillPolygon(const std::vector<PointF>& points, Rgba c) {
  if (points.size() < 3) return;
  for (int y = 0; y < height_; ++y) {
    const float sy = y + 0.5f;
    std::vector<float> crossings;
    for (std::size_t i = 0; i < points.size(); ++i) {
      const PointF a = points[i], b = points[(i + 1) % points.size()];
      if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy)) {
        crossings.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
      }
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      // Pixel centres inside [left, right).
      const int xl = static_cast<int>(std::ceil(crossings[i] - 0.5f));
      const int xr = static_cast<int>(std::ceil(crossings[i + 1] - 0.5f));
      FillRect(xl, y, xr - xl, 1, c);
    }
  }
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgba c) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x0 += sx; }
    if (e2 <= dx) { err += dx; y0 += sy; }
  }
}

void Canvas::Blit(const Canvas& src, int x, int y) {
  for (int yy = 0; yy < src.height_; ++yy)
    for (int xx = 0; xx < src.width_; ++xx) {
      const Rgba c = src.pixels_[static_cast<std::size_t>(yy) * src.width_ + xx];
      if (c.a != 0) Set(x + xx, y + yy, c);
    }
}

void Canvas::Outline(Rgba ink) {
  const std::vector<Rgba> before = pixels_;
  auto opaque = [&](int x, int y) {
    return Inside(x, y) && before[static_cast<std::size_t>(y) * width_ + x].a != 0;
  };
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      if (opaque(x, y)) continue;
      if (opaque(x - 1, y) || opaque(x + 1, y) || opaque(x, y - 1) || opaque(x, y + 1)) Set(x, y, ink);
    }
}

void Canvas::Replace(Rgba from, Rgba to) {
  for (Rgba& p : pixels_)
    if (p == from) p = to;
}

Canvas Canvas::Upscaled(int factor) const {
  factor = std::max(factor, 1);
  Canvas out(width_ * factor, height_ * factor);
  for (int y = 0; y < out.height_; ++y)
    for (int x = 0; x < out.width_; ++x)
      out.pixels_[static_cast<std::size_t>(y) * out.width_ + x] =
          pixels_[static_cast<std::size_t>(y / factor) * width_ + x / factor];
  return out;
}

}  // namespace Framework::Art

namespace Framework::Art {

Canvas CanvasFromRows(std::initializer_list<const char*> rows, const std::map<char, Rgba>& legend) {
  int width = 0;
  for (const char* row : rows) width = std::max(width, static_cast<int>(std::string(row).size()));
  Canvas out(width, static_cast<int>(rows.size()));
  int y = 0;
  for (const char* row : rows) {
    const std::string line(row);
    for (int x = 0; x < static_cast<int>(line.size()); ++x) {
      const auto it = legend.find(line[static_cast<std::size_t>(x)]);
      if (it != legend.end()) out.Set(x, y, it->second);
    }
    ++y;
  }
  return out;
}

}  // namespace Framework::Art
