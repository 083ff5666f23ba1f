// The whole game started as the executable starts it, from the built run-time
// folder: level slot 0 loaded and the first screen drawn with the generated
// splash picture, the right way up.
#include "engine/Startup.h"

#include <gtest/gtest.h>

#include "graphics/Graphics.h"
#include "graphics/Sprite.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "support/Frames.h"
#include "support/GlFixture.h"

namespace Framework {
namespace {

TEST(Startup, FirstScreenShowsTheSplashPictureAcrossTheView) {
  StartGame();
  RunFrames(3);

  EXPECT_EQ(Serialization::Instance().CurrentLevel, 0);
  // One splash picture; the ground that continues it for wider windows is scenery.
  int pictures = 0;
  for (const auto& [id, object] : Factory::Instance().Objects) {
    auto* sprite = object->GetComponent<Sprite>();
    if (sprite && sprite->Filename == "splash") ++pictures;
  }
  EXPECT_EQ(pictures, 1);

  Graphics::Instance().DrawFrame(Engine::FrameTime);
  const PixelFrame frame = ReadBackBuffer();
  ASSERT_GT(frame.Width, 0);
  auto at = [&](double fx, double fy) {  // fractions of the view, origin bottom left
    return frame.At(static_cast<int>(fx * frame.Width), static_cast<int>(fy * frame.Height));
  };
  // The picture's ground reaches the bottom corners: brown earth, where a missing
  // or misplaced picture would leave the sky colour the frame is cleared to.
  for (double fx : {0.02, 0.5, 0.98}) {
    EXPECT_GT(at(fx, 0.02).R, at(fx, 0.02).B) << "earth is red-brown, not sky blue, at x fraction " << fx;
  }
  // The title's warm letters sit in the upper part of the picture, the right way up.
  int warm = 0;
  for (int i = 0; i < 200; ++i) {
    const Pixel p = at(0.2 + 0.6 * i / 200.0, 0.78);
    if (p.R > 200 && p.B < 150) ++warm;
  }
  EXPECT_GT(warm, 40) << "title colours across the top of the view";
  EXPECT_TRUE(SaveBackBuffer(ArtifactPath("first-screen.png")));
  StopGame();
  EXPECT_TRUE(Engine::Instance().Systems.empty());
}

}  // namespace
}  // namespace Framework
