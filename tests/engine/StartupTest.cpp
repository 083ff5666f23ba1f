// The whole game started as the executable starts it, from the built run-time
// folder: every system registered in update order, level slot 0 loaded, and the
// first screen drawn with the generated splash picture.
#include "engine/Startup.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "audio/AudioSystem.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "engine/Windows.h"
#include "graphics/Graphics.h"
#include "graphics/Sprite.h"
#include "levels/Serialization.h"
#include "menus/MenuSystem.h"
#include "objects/Factory.h"
#include "objects/Scripting.h"
#include "physics/Physics.h"
#include "support/PngWriter.h"

namespace Framework {
namespace {

TEST(Startup, SystemsAreRegisteredInUpdateOrder) {
  StartGame();
  const std::vector<InterfaceSystem*> expected = {
      &AudioSystem::Instance(), &Windows::Instance(), &Graphics::Instance(), &Scripting::Instance(),
      &EventSystem::Instance(), &MenuSystem::Instance(), &Physics::Instance(), &Factory::Instance(), &Serialization::Instance()};
  EXPECT_EQ(Engine::Instance().Systems, expected);
  StopGame();
  EXPECT_TRUE(Engine::Instance().Systems.empty());
}

TEST(Startup, FirstScreenShowsTheSplashPictureAcrossTheView) {
  StartGame();
  Engine& engine = Engine::Instance();
  for (int frame = 0; frame < 3; ++frame) engine.RunFrame(frame == 0 ? 0.0f : 0.016f);

  EXPECT_EQ(Serialization::Instance().CurrentLevel, 0);
  ASSERT_EQ(Factory::Instance().Objects.size(), 1u);
  auto* sprite = Factory::Instance().Objects.begin()->second->GetComponent<Sprite>();
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(sprite->Filename, "splash");

  Graphics::Instance().DrawFrame(0.016f);
  glFinish();
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  const int w = viewport[2], h = viewport[3];
  ASSERT_GT(w, 0);
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(w) * h * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  auto at = [&](double fx, double fy) {  // fractions of the view, origin bottom left
    const auto i = (static_cast<std::size_t>(fy * h) * w + static_cast<std::size_t>(fx * w)) * 4;
    return std::array<int, 3>{rgba[i], rgba[i + 1], rgba[i + 2]};
  };
  // The picture's ground reaches the bottom corners: brown earth, where a missing
  // or misplaced picture would leave the sky colour the frame is cleared to.
  for (double fx : {0.02, 0.5, 0.98}) {
    const auto p = at(fx, 0.02);
    EXPECT_GT(p[0], p[2]) << "earth is red-brown, not sky blue, at x fraction " << fx;
  }
  // The title's warm letters sit in the upper part of the picture, the right way up.
  int warm = 0;
  for (int i = 0; i < 200; ++i) {
    const auto p = at(0.2 + 0.6 * i / 200.0, 0.78);
    if (p[0] > 200 && p[2] < 150) ++warm;
  }
  EXPECT_GT(warm, 40) << "title colours across the top of the view";

  const auto out = std::filesystem::path(TUMBRIX_GAME_DIR).parent_path() / "test-artifacts" / "first-screen.png";
  EXPECT_TRUE(WritePng(out, w, h, rgba, /*bottomUp=*/true));
  StopGame();
}

}  // namespace
}  // namespace Framework
