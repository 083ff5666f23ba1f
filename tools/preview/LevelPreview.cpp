// level_preview: draws a whole level file to one PNG, for reviewing a layout at a
// glance: every sprite from the game's own textures at its place and size, plain
// quads in their colour, far things first. Collision boxes can be outlined
// (--bodies): solid ones white, ghosts cyan, hazards red, the exit green, the
// player yellow. Lights and particles are not drawn; the game shows those.
//
//   level_preview <level.json> <textures folder> <out.png> [--scale N] [--bodies]
//                 [--window x0 y0 x1 y1]
//
// Without --window the picture spans everything that is drawn, clipped to the
// band a player can see (40 units below the lowest body top to 40 above the
// highest), so the deep rock under the ground does not fill the page.

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb_image.h>
#include <stb_image_write.h>
#pragma GCC diagnostic pop

#include <json/json.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

struct Image {
  int w = 0, h = 0;
  std::vector<std::uint8_t> rgba;  // empty when the texture could not be read
};

struct Piece {
  float x = 0, y = 0, w = 0, h = 0, rot = 0, z = 0;
  std::string texture;
  float r = 1, g = 1, b = 1, a = 1;
  bool drawn = false;
  bool body = false, ghost = false, hazard = false, exit = false, player = false;
};

struct Box {
  float x0 = std::numeric_limits<float>::max(), y0 = x0;
  float x1 = std::numeric_limits<float>::lowest(), y1 = x1;
  void Grow(float ax, float ay, float bx, float by) {
    x0 = std::min(x0, ax), y0 = std::min(y0, ay), x1 = std::max(x1, bx), y1 = std::max(y1, by);
  }
  bool Empty() const { return x0 > x1; }
};

// The renderer's clear colour, what the game shows where nothing is drawn.
constexpr std::uint8_t kSky[3] = {115, 204, 235};
// Below this opacity the game's alpha test discards a texel.
constexpr float kAlphaTest = 0.1f;

float Num(const Json::Value& v, const char* key) {
  const Json::Value& m = v[key];
  return m.isNumeric() ? m.asFloat() : 0.0f;
}

bool Flag(const Json::Value& v, const char* key) {
  const Json::Value& m = v[key];
  return m.isBool() ? m.asBool() : false;
}

bool ReadLevel(const std::string& path, std::vector<Piece>& pieces) {
  std::ifstream in(path);
  if (!in) {
    std::cout << "level_preview: cannot open " << path << '\n';
    return false;
  }
  Json::CharReaderBuilder builder;
  Json::Value root;
  std::string errors;
  if (!Json::parseFromStream(builder, in, &root, &errors)) {
    std::cout << "level_preview: " << path << " is not valid JSON: " << errors << '\n';
    return false;
  }
  const Json::Value objects = root["Factory"]["Game_Objects"];
  if (!objects.isArray() && !objects.isObject()) return true;
  for (const Json::Value& entry : objects) {
    if (!entry.isObject() || !entry["Transform"].isObject()) continue;
    const Json::Value& t = entry["Transform"];
    Piece p;
    p.x = Num(t["Position"], "X"), p.y = Num(t["Position"], "Y");
    p.w = Num(t["Scale"], "X"), p.h = Num(t["Scale"], "Y");
    p.rot = Num(t, "Rotation"), p.z = Num(t, "ZLayer");
    if (entry["Sprite"].isObject()) {
      const Json::Value& s = entry["Sprite"];
      p.drawn = true;
      p.texture = s["Filename"].isString() ? s["Filename"].asString() : "";
      p.r = Num(s["Color"], "R"), p.g = Num(s["Color"], "G"), p.b = Num(s["Color"], "B");
      p.a = Num(s, "Alfa");
    }
    if (entry["Body"].isObject()) {
      p.body = true;
      p.ghost = Flag(entry["Body"], "IsGhost");
    }
    p.hazard = entry.isMember("StaticHazardScript") || entry.isMember("DynamicHazardScript") ||
               entry.isMember("EnemyTriggerScript");
    p.exit = entry.isMember("WinTriggerScript");
    p.player = entry.isMember("Player_Controller");
    pieces.push_back(p);
  }
  return true;
}

const Image& Texture(std::map<std::string, Image>& cache, const std::string& folder, const std::string& name) {
  auto it = cache.find(name);
  if (it != cache.end()) return it->second;
  Image img;
  int channels = 0;
  const std::string path = folder + "/" + name + ".png";
  if (std::uint8_t* data = stbi_load(path.c_str(), &img.w, &img.h, &channels, 4)) {
    img.rgba.assign(data, data + static_cast<std::size_t>(img.w) * img.h * 4);
    stbi_image_free(data);
  } else {
    std::cout << "level_preview: no texture " << path << " (drawn magenta)\n";
  }
  return cache.emplace(name, std::move(img)).first->second;
}

class Canvas {
 public:
  Canvas(const Box& view, float scale)
      : view_(view), scale_(scale),
        w_(std::max(1, static_cast<int>(std::ceil((view.x1 - view.x0) * scale)))),
        h_(std::max(1, static_cast<int>(std::ceil((view.y1 - view.y0) * scale)))),
        px_(static_cast<std::size_t>(w_) * h_ * 3) {
    for (std::size_t i = 0; i < px_.size(); i += 3) std::copy(kSky, kSky + 3, px_.begin() + i);
  }

  // Fills the rotated rectangle of `p`, sampling `img` (nearest texel) or the
  // flat colour when `img` is null.
  void Draw(const Piece& p, const Image* img) {
    const float c = std::cos(p.rot), s = std::sin(p.rot);
    const float ex = (std::abs(c * p.w) + std::abs(s * p.h)) / 2, ey = (std::abs(s * p.w) + std::abs(c * p.h)) / 2;
    const int px0 = std::max(0, static_cast<int>((p.x - ex - view_.x0) * scale_));
    const int px1 = std::min(w_ - 1, static_cast<int>((p.x + ex - view_.x0) * scale_));
    const int py0 = std::max(0, static_cast<int>((view_.y1 - (p.y + ey)) * scale_));
    const int py1 = std::min(h_ - 1, static_cast<int>((view_.y1 - (p.y - ey)) * scale_));
    if (p.w == 0 || p.h == 0) return;
    for (int py = py0; py <= py1; ++py) {
      for (int px = px0; px <= px1; ++px) {
        const float wx = view_.x0 + (px + 0.5f) / scale_ - p.x, wy = view_.y1 - (py + 0.5f) / scale_ - p.y;
        const float u = (c * wx + s * wy) / p.w + 0.5f, v = (-s * wx + c * wy) / p.h + 0.5f;
        if (u < 0 || u >= 1 || v < 0 || v >= 1) continue;
        float r = p.r, g = p.g, b = p.b, a = p.a;
        if (img && !img->rgba.empty()) {
          const int tx = std::min(img->w - 1, static_cast<int>(u * img->w));
          const int ty = std::min(img->h - 1, static_cast<int>((1 - v) * img->h));
          const std::uint8_t* t = &img->rgba[(static_cast<std::size_t>(ty) * img->w + tx) * 4];
          r *= t[0] / 255.f, g *= t[1] / 255.f, b *= t[2] / 255.f, a *= t[3] / 255.f;
        } else if (img) {
          r = 1, g = 0, b = 1;
        }
        if (a <= kAlphaTest) continue;
        Blend(px, py, r, g, b, std::min(a, 1.0f));
      }
    }
  }

  void Outline(const Piece& p, float r, float g, float b) {
    const int x0 = static_cast<int>((p.x - p.w / 2 - view_.x0) * scale_), x1 = static_cast<int>((p.x + p.w / 2 - view_.x0) * scale_);
    const int y0 = static_cast<int>((view_.y1 - (p.y + p.h / 2)) * scale_), y1 = static_cast<int>((view_.y1 - (p.y - p.h / 2)) * scale_);
    for (int x = x0; x <= x1; ++x) Blend(x, y0, r, g, b, 1), Blend(x, y1, r, g, b, 1);
    for (int y = y0; y <= y1; ++y) Blend(x0, y, r, g, b, 1), Blend(x1, y, r, g, b, 1);
  }

  bool Write(const std::string& path) const {
    return stbi_write_png(path.c_str(), w_, h_, 3, px_.data(), w_ * 3) != 0;
  }

  int Width() const { return w_; }
  int Height() const { return h_; }

 private:
  void Blend(int x, int y, float r, float g, float b, float a) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    std::uint8_t* d = &px_[(static_cast<std::size_t>(y) * w_ + x) * 3];
    const float src[3] = {r, g, b};
    for (int i = 0; i < 3; ++i)
      d[i] = static_cast<std::uint8_t>(std::clamp(src[i] * 255.f * a + d[i] * (1 - a), 0.f, 255.f));
  }

  Box view_;
  float scale_;
  int w_, h_;
  std::vector<std::uint8_t> px_;
};

// Everything drawn, but only 40 units above and below the solid ground, so a
// sky that reaches far up does not shrink the level to a strip.
Box DefaultWindow(const std::vector<Piece>& pieces) {
  Box drawn, solid;
  for (const Piece& p : pieces) {
    if (p.drawn) drawn.Grow(p.x - p.w / 2, p.y - p.h / 2, p.x + p.w / 2, p.y + p.h / 2);
    if (p.body) solid.Grow(p.x, p.y + p.h / 2, p.x, p.y + p.h / 2);
  }
  if (drawn.Empty()) drawn.Grow(-16, -16, 16, 16);
  Box window = drawn;
  if (!solid.Empty()) window.y0 = std::max(drawn.y0, solid.y0 - 40), window.y1 = std::min(drawn.y1, solid.y1 + 40);
  return window;
}

// Collision boxes in colours by role: player yellow, exit green, hazard red, ghost cyan, the rest white.
void OutlineBodies(Canvas& canvas, const std::vector<Piece>& pieces) {
  for (const Piece& p : pieces) {
    if (!p.body) continue;
    if (p.player) canvas.Outline(p, 1, 1, 0);
    else if (p.exit) canvas.Outline(p, 0, 1, 0);
    else if (p.hazard) canvas.Outline(p, 1, 0, 0);
    else if (p.ghost) canvas.Outline(p, 0, 1, 1);
    else canvas.Outline(p, 1, 1, 1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cout << "usage: level_preview <level.json> <textures folder> <out.png> [--scale N] [--bodies]"
                 " [--window x0 y0 x1 y1]\n";
    return 2;
  }
  float scale = 8;
  bool bodies = false;
  Box window;
  for (int i = 4; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--scale" && i + 1 < argc) {
      scale = std::clamp(std::stof(argv[++i]), 0.5f, 64.0f);
    } else if (arg == "--bodies") {
      bodies = true;
    } else if (arg == "--window" && i + 4 < argc) {
      const float x0 = std::stof(argv[i + 1]), y0 = std::stof(argv[i + 2]);
      window.Grow(x0, y0, std::stof(argv[i + 3]), std::stof(argv[i + 4]));
      i += 4;
    } else {
      std::cout << "level_preview: unknown option " << arg << '\n';
      return 2;
    }
  }
  std::vector<Piece> pieces;
  if (!ReadLevel(argv[1], pieces)) return 1;

  if (window.Empty()) window = DefaultWindow(pieces);
  // Keep the page to a size an image viewer opens comfortably.
  scale = std::min(scale, 16000.0f / std::max(1.0f, std::max(window.x1 - window.x0, window.y1 - window.y0)));

  std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.z > b.z; });
  Canvas canvas(window, scale);
  std::map<std::string, Image> textures;
  for (const Piece& p : pieces) {
    if (!p.drawn || p.a <= 0) continue;
    canvas.Draw(p, p.texture.empty() ? nullptr : &Texture(textures, argv[2], p.texture));
  }
  if (bodies) OutlineBodies(canvas, pieces);
  if (!canvas.Write(argv[3])) {
    std::cout << "level_preview: cannot write " << argv[3] << '\n';
    return 1;
  }
  std::cout << argv[3] << ": " << canvas.Width() << "x" << canvas.Height() << ", " << pieces.size()
            << " objects\n";
  return 0;
}
