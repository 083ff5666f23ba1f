// RenderFixture: a real window and GL context (under the virtual display) with the
// game's shaders, the font when installed, and small textures made by the test, in a
// run-time folder of the test's own, so draw tests can read pixels back.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Events.h"
#include "engine/Vec2.h"
#include "objects/GameObject.h"

namespace Framework {

struct Pixel {
  int R = 0, G = 0, B = 0, A = 0;
};

class RenderFixture : public ::testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;

  // An object with a Transform and an untextured Sprite.
  GameObject* AddBox(Vec2 position, Vec2 size, float zLayer, Color3 color, float alpha = 1.0f);
  // An object with a Transform and a Sprite bound to the texture `name`.
  GameObject* AddTextured(const std::string& name, Vec2 position, Vec2 size, float zLayer);

  // Draws one frame into the back buffer (not shown) and waits for it.
  void Render(float dt = 0.0f);
  // The drawn colour at a world position / a pixel (origin bottom left).
  Pixel AtWorld(float x, float y) const;
  Pixel At(int px, int py) const;
  // Writes the back buffer as a PNG.
  bool SaveScreenshot(const std::filesystem::path& path) const;

  static bool IsSky(Pixel p);

  int Width = 0, Height = 0;
  std::filesystem::path Folder;

 private:
  std::filesystem::path previous_;
};

// Texture "split" is 16x16: its top half pure red, its bottom half pure blue.
inline constexpr const char* kSplitTexture = "split";

}  // namespace Framework
