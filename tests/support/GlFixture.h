// GlFixture: the game's window and GL context (under the virtual display) with the
// Graphics system initialised on them, in a run-time folder of the test's own that
// holds the game's shaders, its font when installed and three small textures made
// here, so that draw tests read pixels back and compare them with where the world
// and the camera say things should be.
// Invariant: ColumnOf/RowOf and AtWorld use the same world-to-pixel mapping as the
// renderer's camera, with pixel row 0 at the bottom (GL order).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/Events.h"
#include "engine/Vec2.h"
#include "objects/GameObject.h"
#include "support/TempFolder.h"

namespace Framework {

struct Pixel {
  int R = 0, G = 0, B = 0, A = 0;
  bool operator==(const Pixel&) const = default;
};

// A frame read back from the GL back buffer, bottom row first.
struct PixelFrame {
  int Width = 0, Height = 0;
  std::vector<Pixel> Pixels;
  const Pixel& At(int x, int y) const {
    return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)];
  }
  bool operator==(const PixelFrame&) const = default;
};

// Waits for drawing to finish and reads the back buffer at the viewport's size.
PixelFrame ReadBackBuffer();

// Texture "split" is 16x16: its top half pure red, its bottom half pure blue.
inline constexpr const char* kSplitTexture = "split";

class GlFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // An object with a Transform and an untextured Sprite.
  GameObject* AddBox(Vec2 position, Vec2 size, float zLayer, Color3 color, float alpha = 1.0f);
  // An object with a Transform and a Sprite bound to the texture `name`.
  GameObject* AddTextured(const std::string& name, Vec2 position, Vec2 size, float zLayer);

  // Draws one frame into the back buffer (not shown) and waits for it.
  void Render(float dt = 0.0f);
  // Clears the back buffer to opaque black, depth reset, for drawing single items.
  static void ClearBlack();

  // Pixel column and row (bottom row 0) of a world position under the current camera.
  float ColumnOf(float worldX) const;
  float RowOf(float worldY) const;
  // The drawn colour at a pixel / at a world position.
  Pixel At(int px, int py) const;
  Pixel AtWorld(float x, float y) const;
  // The colour the renderer clears the world to.
  static bool IsSky(Pixel p);

  int Width = 0, Height = 0;

 private:
  std::unique_ptr<TempFolder> folder_;
  std::unique_ptr<WorkingDirectory> workingDirectory_;
};

}  // namespace Framework
