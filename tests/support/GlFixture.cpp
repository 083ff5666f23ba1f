#include "support/GlFixture.h"

#include <GL/glew.h>
#include <dlfcn.h>

#include <cmath>

#include "engine/Windows.h"
#include "graphics/Graphics.h"
#include "graphics/Sprite.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "support/Files.h"
#include "support/PngWriter.h"

namespace Framework {

namespace fs = std::filesystem;

namespace {

// An RGBA image of `size` x `size` texels, rows top first, coloured by `paint(x, y, texel)`.
template <class Paint>
std::vector<std::uint8_t> Image(int size, Paint paint) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(size) * size * 4);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) paint(x, y, &px[(static_cast<std::size_t>(y) * size + x) * 4]);
  }
  return px;
}

void WriteTestTextures(const fs::path& textures) {
  // The cursor: a light square with a dark rim, its lower right corner cut away.
  WritePng(textures / "KIV_cursor.png", 8, 8, Image(8, [](int x, int y, std::uint8_t* p) {
             const bool rim = x == 0 || y == 0 || x == 7 || y == 7;
             p[0] = p[1] = p[2] = rim ? 20 : 250;
             p[3] = (x + y < 10) ? 255 : 0;
           }));
  WritePng(textures / "split.png", 16, 16, Image(16, [](int, int y, std::uint8_t* p) {
             p[0] = y < 8 ? 255 : 0;  // the first rows in the file are the top
             p[1] = 0;
             p[2] = y < 8 ? 0 : 255;
             p[3] = 255;
           }));
  // A wooden crate with a framed, grained face.
  WritePng(textures / "container2.png", 32, 32, Image(32, [](int x, int y, std::uint8_t* p) {
             const bool frame = x < 3 || y < 3 || x > 28 || y > 28 || std::abs(x - y) < 2;
             const int grain = ((y * 7 + x / 5) % 9) * 4;
             p[0] = static_cast<std::uint8_t>(frame ? 110 : 170 + grain);
             p[1] = static_cast<std::uint8_t>(frame ? 70 : 120 + grain / 2);
             p[2] = static_cast<std::uint8_t>(frame ? 30 : 60);
             p[3] = 255;
           }));
  WriteFileText(textures / "00_list_file.txt", "KIV_cursor.png\nsplit.png\ncontainer2.png\n");
}

// The GL driver is unloaded when the display closes at exit, before the leak check
// runs; its own start-up allocations then show up as leaks from "unknown modules",
// which no suppression can name. Keeping the already-loaded driver resident lets the
// check see (and the suppressions match) where those allocations come from.
void KeepGlDriverLoaded() {
  for (const char* library : {"libGLX_mesa.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "libLLVM-15.so.1"}) {
    dlopen(library, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
}

}  // namespace

PixelFrame ReadBackBuffer() {
  glFinish();
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  PixelFrame frame;
  frame.Width = viewport[2];
  frame.Height = viewport[3];
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(frame.Width) * frame.Height * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, frame.Width, frame.Height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  frame.Pixels.reserve(rgba.size() / 4);
  for (std::size_t i = 0; i < rgba.size(); i += 4) frame.Pixels.push_back({rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]});
  return frame;
}

void GlFixture::SetUp() {
  const fs::path game = TUMBRIX_GAME_DIR;
  folder_ = std::make_unique<TempFolder>("tumbrix-gl");
  const fs::path& folder = folder_->Path;
  fs::create_directory_symlink(game / "shaders", folder / "shaders");
  if (fs::exists(game / "fonts" / "00_list_file.txt")) {
    fs::create_directory_symlink(game / "fonts", folder / "fonts");
  } else {
    WriteFileText(folder / "fonts" / "00_list_file.txt", "");
  }
  WriteTestTextures(folder / "textures");
  workingDirectory_ = std::make_unique<WorkingDirectory>(folder);

  Windows& windows = Windows::Instance();
  ASSERT_NE(windows.Window, nullptr) << "no window: is a display available?";
  Graphics& graphics = Graphics::Instance();
  graphics.Initialize();
  ASSERT_TRUE(graphics.IsReady());
  KeepGlDriverLoaded();
  // Keep the cursor out of the pictures the tests look at.
  windows.Mouse.MouseX = 10000.0f;
  windows.Mouse.MouseY = 10000.0f;
  SDL_GL_GetDrawableSize(windows.Window, &Width, &Height);
}

void GlFixture::TearDown() {
  Factory::Instance().DestroyAll();
  workingDirectory_.reset();
  folder_.reset();
}

GameObject* GlFixture::AddBox(Vec2 position, Vec2 size, float zLayer, Color3 color, float alpha) {
  Factory& factory = Factory::Instance();
  GameObject* object = factory.CreateObject();
  auto* t = factory.AddComponent<Transform>(*object);
  t->Position = position;
  t->Scale = size;
  t->ZLayer = zLayer;
  auto* s = factory.AddComponent<Sprite>(*object);
  s->Color = color;
  s->Alpha = alpha;
  return object;
}

GameObject* GlFixture::AddTextured(const std::string& name, Vec2 position, Vec2 size, float zLayer) {
  GameObject* object = AddBox(position, size, zLayer, Color3{1, 1, 1});
  object->GetComponent<Sprite>()->SetFilename(name);
  return object;
}

void GlFixture::Render(float dt) {
  Graphics::Instance().DrawFrame(dt);
  glFinish();
}

void GlFixture::ClearBlack() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

float GlFixture::ColumnOf(float worldX) const {
  const Camera& camera = Graphics::Instance().Camera;
  return ((worldX - camera.Position.x) / camera.ViewHalfWidth + 0.5f) * static_cast<float>(Width);
}

float GlFixture::RowOf(float worldY) const {
  const Camera& camera = Graphics::Instance().Camera;
  return ((worldY - camera.Position.y) / camera.ViewHalfHeight + 0.5f) * static_cast<float>(Height);
}

Pixel GlFixture::At(int px, int py) const {
  std::uint8_t rgba[4] = {0, 0, 0, 0};
  glReadBuffer(GL_BACK);
  glReadPixels(px, py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

Pixel GlFixture::AtWorld(float x, float y) const {
  return At(static_cast<int>(std::lround(ColumnOf(x))), static_cast<int>(std::lround(RowOf(y))));
}

bool GlFixture::IsSky(Pixel p) {
  return std::abs(p.R - 115) <= 2 && std::abs(p.G - 204) <= 2 && std::abs(p.B - 235) <= 2;
}

}  // namespace Framework
