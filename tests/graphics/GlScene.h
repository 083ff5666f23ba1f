// A drawing test's world: the game window, the Graphics system initialised on it
// (GL context, assets from the run-time folder) and pixel read-back helpers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/Windows.h"
#include "graphics/Graphics.h"

namespace Framework::testing_gl {

struct Pixel {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Pixel&) const = default;
};

class GlScene : public ::testing::Test {
 protected:
  void SetUp() override {
    Windows& windows = Windows::Instance();
    ASSERT_NE(windows.Window, nullptr) << "no display: run under xvfb-run";
    Graphics& graphics = Graphics::Instance();
    if (graphics.Window == nullptr) graphics.Window = windows.Window;
    graphics.Initialize();
    ASSERT_NE(graphics.Context, nullptr);
    SDL_GL_GetDrawableSize(windows.Window, &width, &height);
    glViewport(0, 0, width, height);
  }

  // Clears to opaque black with the depth buffer reset.
  static void ClearBlack() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  // The back buffer, bottom row first.
  std::vector<Pixel> ReadPixels() const {
    std::vector<Pixel> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  }
  const Pixel& At(const std::vector<Pixel>& pixels, int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  }

  // Pixel column and row (bottom row 0) of a world position under the current camera.
  float ColumnOf(float worldX) const {
    const Camera& c = Graphics::Instance().Camera;
    return ((worldX - c.Position.x) / c.ViewHalfWidth + 0.5f) * static_cast<float>(width);
  }
  float RowOf(float worldY) const {
    const Camera& c = Graphics::Instance().Camera;
    return ((worldY - c.Position.y) / c.ViewHalfHeight + 0.5f) * static_cast<float>(height);
  }

  int width = 0;
  int height = 0;
};

}  // namespace Framework::testing_gl
