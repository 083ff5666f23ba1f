#include "RenderFixture.h"

#include <cmath>
#include <fstream>

#include <GL/glew.h>
#include <dlfcn.h>

#include "engine/Windows.h"
#include "graphics/Graphics.h"
#include "graphics/Sprite.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "support/PngWriter.h"

namespace Framework {

namespace fs = std::filesystem;

namespace {

void WriteImage(const fs::path& path, int w, int h, const std::vector<std::uint8_t>& rgba) {
  WritePng(path, w, h, rgba);
}

// The cursor: a white arrow-ish square with a dark rim.
std::vector<std::uint8_t> CursorImage() {
  std::vector<std::uint8_t> px(8 * 8 * 4);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool rim = x == 0 || y == 0 || x == 7 || y == 7;
      std::uint8_t* p = &px[(y * 8 + x) * 4];
      p[0] = p[1] = p[2] = rim ? 20 : 250;
      p[3] = (x + y < 10) ? 255 : 0;
    }
  }
  return px;
}

std::vector<std::uint8_t> SplitImage() {
  std::vector<std::uint8_t> px(16 * 16 * 4);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      std::uint8_t* p = &px[(y * 16 + x) * 4];
      p[0] = y < 8 ? 255 : 0;  // rows in file order: the first rows are the top
      p[1] = 0;
      p[2] = y < 8 ? 0 : 255;
      p[3] = 255;
    }
  }
  return px;
}

// A wooden crate look for the screenshot scene.
std::vector<std::uint8_t> CrateImage() {
  std::vector<std::uint8_t> px(32 * 32 * 4);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      std::uint8_t* p = &px[(y * 32 + x) * 4];
      const bool frame = x < 3 || y < 3 || x > 28 || y > 28 || std::abs(x - y) < 2;
      const int grain = ((y * 7 + x / 5) % 9) * 4;
      p[0] = static_cast<std::uint8_t>(frame ? 110 : 170 + grain);
      p[1] = static_cast<std::uint8_t>(frame ? 70 : 120 + grain / 2);
      p[2] = static_cast<std::uint8_t>(frame ? 30 : 60);
      p[3] = 255;
    }
  }
  return px;
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

void RenderFixture::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const fs::path game = TUMBRIX_GAME_DIR;
  Folder = game.parent_path() / "test-render" / (std::string(info->test_suite_name()) + "." + info->name());
  fs::remove_all(Folder);
  fs::create_directories(Folder / "shaders");
  fs::create_directories(Folder / "textures");
  fs::create_directories(Folder / "fonts");
  for (const auto& entry : fs::directory_iterator(game / "shaders")) {
    fs::copy_file(entry.path(), Folder / "shaders" / entry.path().filename());
  }
  if (fs::exists(game / "fonts" / "00_list_file.txt")) {
    for (const auto& entry : fs::directory_iterator(game / "fonts")) {
      fs::copy_file(entry.path(), Folder / "fonts" / entry.path().filename());
    }
  } else {
    std::ofstream(Folder / "fonts" / "00_list_file.txt");
  }
  WriteImage(Folder / "textures" / "KIV_cursor.png", 8, 8, CursorImage());
  WriteImage(Folder / "textures" / "split.png", 16, 16, SplitImage());
  WriteImage(Folder / "textures" / "container2.png", 32, 32, CrateImage());
  std::ofstream(Folder / "textures" / "00_list_file.txt") << "KIV_cursor.png\nsplit.png\ncontainer2.png\n";

  previous_ = fs::current_path();
  fs::current_path(Folder);

  Windows& windows = Windows::Instance();
  ASSERT_NE(windows.Window, nullptr) << "no window: is a display available?";
  Graphics& graphics = Graphics::Instance();
  graphics.Initialize();
  ASSERT_TRUE(graphics.IsReady());
  KeepGlDriverLoaded();
  // Let the desktop full-screen size arrive, as the first frames of the game would.
  // Without a window manager a desktop full-screen request never resizes the X window,
  // so the GL framebuffer would keep the window's first size; draw into a plain window.
  windows.SetFullscreen(false);
  windows.Update(0.0f, false);
  graphics.Update(0.0f, false);
  // Keep the cursor out of the pictures the tests look at.
  windows.Mouse.MouseX = 10000.0f;
  windows.Mouse.MouseY = 10000.0f;
  SDL_GL_GetDrawableSize(windows.Window, &Width, &Height);
}

void RenderFixture::TearDown() {
  Factory::Instance().DestroyAll();
  if (!previous_.empty()) fs::current_path(previous_);
}

GameObject* RenderFixture::AddBox(Vec2 position, Vec2 size, float zLayer, Color3 color, float alpha) {
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

GameObject* RenderFixture::AddTextured(const std::string& name, Vec2 position, Vec2 size, float zLayer) {
  GameObject* object = AddBox(position, size, zLayer, Color3{1, 1, 1});
  object->GetComponent<Sprite>()->SetFilename(name);
  return object;
}

void RenderFixture::Render(float dt) {
  Graphics::Instance().DrawFrame(dt);
  glFinish();
}

Pixel RenderFixture::At(int px, int py) const {
  std::uint8_t rgba[4] = {0, 0, 0, 0};
  glReadBuffer(GL_BACK);
  glReadPixels(px, py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

Pixel RenderFixture::AtWorld(float x, float y) const {
  const Camera& camera = Graphics::Instance().Camera;
  const float px = Width * 0.5f + (x - camera.Position.x) / camera.ViewHalfWidth * Width;
  const float py = Height * 0.5f + (y - camera.Position.y) / camera.ViewHalfHeight * Height;
  return At(static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py)));
}

bool RenderFixture::SaveScreenshot(const fs::path& path) const {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(Width) * Height * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  // GL rows run bottom-up; image files top-down.
  return WritePng(path, Width, Height, rgba, /*bottomUp=*/true);
}

bool RenderFixture::IsSky(Pixel p) {
  return std::abs(p.R - 115) <= 2 && std::abs(p.G - 204) <= 2 && std::abs(p.B - 235) <= 2;
}

}  // namespace Framework
