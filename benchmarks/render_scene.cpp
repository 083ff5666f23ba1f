// Frame time of the renderer: the test scene (platforms, a lamp-lit box, a textured
// crate, two lines of text, the cursor) and a busier world of several hundred quads
// and lights. Needs a display (run under xvfb-run) and is run from the build folder,
// where game/ holds the shaders and the font.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include "engine/Windows.h"
#include "graphics/DirLight.h"
#include "graphics/Graphics.h"
#include "graphics/PointLight.h"
#include "graphics/Sprite.h"
#include "levels/TextEncoding.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "support/PngWriter.h"

namespace fs = std::filesystem;
using namespace Framework;

namespace {

void WriteSolid(const fs::path& path, int size, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(size) * size * 4);
  for (std::size_t i = 0; i < px.size(); i += 4) {
    px[i] = r;
    px[i + 1] = g;
    px[i + 2] = b;
    px[i + 3] = 255;
  }
  WritePng(path, size, size, px);
}

// A run-time folder of the benchmark's own beside game/.
bool PrepareFolder() {
  const fs::path game = fs::absolute("game");
  if (!fs::exists(game / "shaders" / "00_list_file.txt")) return false;
  const fs::path folder = fs::absolute("bench-render");
  fs::remove_all(folder);
  fs::create_directories(folder / "textures");
  fs::copy(game / "shaders", folder / "shaders", fs::copy_options::recursive);
  if (fs::exists(game / "fonts")) fs::copy(game / "fonts", folder / "fonts", fs::copy_options::recursive);
  WriteSolid(folder / "textures" / "KIV_cursor.png", 8, 250, 250, 250);
  WriteSolid(folder / "textures" / "container2.png", 32, 170, 120, 60);
  std::ofstream(folder / "textures" / "00_list_file.txt") << "KIV_cursor.png\ncontainer2.png\n";
  fs::current_path(folder);
  return true;
}

GameObject* Box(Vec2 at, Vec2 size, float z, Color3 color) {
  Factory& factory = Factory::Instance();
  GameObject* object = factory.CreateObject();
  auto* t = factory.AddComponent<Transform>(*object);
  t->Position = at;
  t->Scale = size;
  t->ZLayer = z;
  factory.AddComponent<Sprite>(*object)->Color = color;
  return object;
}

void BuildTestScene() {
  Factory& factory = Factory::Instance();
  auto* sun = factory.AddComponent<DirLight>(*Box({0, 40}, {1, 1}, 1, {1, 1, 1}));
  sun->Direction = {-0.3f, -1.0f, -1.0f};
  sun->Color = {0.75f, 0.72f, 0.65f};
  Box({0, -13}, {70, 4}, 1, {0.35f, 0.55f, 0.25f});
  Box({-16, -3}, {10, 1.5f}, 1, {0.55f, 0.5f, 0.45f});
  Box({13, 2}, {8, 1.5f}, 1, {0.55f, 0.5f, 0.45f});
  Box({-1, 6}, {6, 1.5f}, 1, {0.55f, 0.5f, 0.45f});
  Box({-6, -9.5f}, {3, 3}, 0.8f, {0.85f, 0.3f, 0.2f});
  auto* lamp = factory.AddComponent<PointLight>(*Box({-3.5f, -6}, {0.4f, 0.4f}, 0.5f, {1, 0.9f, 0.5f}));
  lamp->Color = {1, 0.85f, 0.4f};
  lamp->Radius = 8;
  Box({6, -9}, {4, 4}, 0.7f, {1, 1, 1})->GetComponent<Sprite>()->SetFilename(std::string("container2"));
}

void DrawAndWait(Graphics& graphics, bool text) {
  graphics.DrawFrame(1.0f / 60.0f);
  if (text) {
    graphics.RenderText(u"TUMBRIX - LEVEL 1", -26, 12, 12, {1, 1, 1});
    graphics.RenderText(Utf8ToUtf16("УРОВЕНЬ 1: НАЧАЛО"), -26, 9, 12, {1, 0.8f, 0.2f});
  }
  glFinish();
}

bool Ready() {
  static const bool ready = [] {
    if (!PrepareFolder()) return false;
    Windows& windows = Windows::Instance();
    if (windows.Window == nullptr) return false;
    Graphics::Instance().Initialize();
    // A plain 1280x720 window: without a window manager full screen never resizes.
    windows.SetFullscreen(false);
    Graphics::Instance().Update(0, false);
    return Graphics::Instance().IsReady();
  }();
  return ready;
}

void BM_TestSceneFrame(benchmark::State& state) {
  if (!Ready()) {
    state.SkipWithError("no display or no game/ folder");
    return;
  }
  Factory::Instance().DestroyAll();
  BuildTestScene();
  Graphics& graphics = Graphics::Instance();
  for (auto _ : state) DrawAndWait(graphics, true);
  state.counters["quads"] = static_cast<double>(graphics.InstanceModels.size());
}
BENCHMARK(BM_TestSceneFrame)->Unit(benchmark::kMillisecond);

void BM_BusyWorldFrame(benchmark::State& state) {
  if (!Ready()) {
    state.SkipWithError("no display or no game/ folder");
    return;
  }
  Factory::Instance().DestroyAll();
  BuildTestScene();
  const int quads = static_cast<int>(state.range(0));
  for (int i = 0; i < quads; ++i) {
    GameObject* o = Box({-50.0f + (i % 50) * 2.0f, -14.0f + (i / 50) * 2.5f}, {1.5f, 1.5f}, 0.6f,
                        {0.2f + (i % 7) * 0.1f, 0.5f, 0.8f - (i % 5) * 0.1f});
    if (i % 25 == 0) Factory::Instance().AddComponent<PointLight>(*o)->Color = {1.0f, 0.8f, 0.5f};
  }
  Graphics& graphics = Graphics::Instance();
  for (auto _ : state) DrawAndWait(graphics, false);
  state.counters["quads"] = static_cast<double>(graphics.InstanceModels.size());
  state.counters["lights"] = static_cast<double>(graphics.FrameLights.size());
}
BENCHMARK(BM_BusyWorldFrame)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
