// A small lit level scene drawn whole: platforms, a box lit by a firefly lamp, a
// textured crate and a line of English and of Russian text. The picture is kept
// as a test artifact (<build>/test-artifacts/scene.png) for people to look at.
#include <gtest/gtest.h>

#include "graphics/AssetStore.h"
#include "graphics/DirLight.h"
#include "graphics/Graphics.h"
#include "graphics/PointLight.h"
#include "levels/TextEncoding.h"
#include "objects/Factory.h"
#include "support/GlFixture.h"

namespace Framework {
namespace {

class Scene : public GlFixture {
 protected:
  // Samples of a line of text's box, from x0 to x1 above the baseline y, close to `wanted`.
  int CountTextPixels(float x0, float x1, float y, Pixel wanted) const {
    int count = 0;
    for (float x = x0; x < x1; x += 0.1f) {
      for (float dy = 0.0f; dy < 1.2f; dy += 0.1f) {
        const Pixel p = AtWorld(x, y + dy);
        if (std::abs(p.R - wanted.R) < 40 && std::abs(p.G - wanted.G) < 40 && std::abs(p.B - wanted.B) < 40) ++count;
      }
    }
    return count;
  }
};

TEST_F(Scene, ALitLevelWithACrateAndTwoLinesOfTextLooksRight) {
  Graphics& graphics = Graphics::Instance();
  Factory& factory = Factory::Instance();
  GameObject* sunObject = AddBox({0.0f, 40.0f}, {1.0f, 1.0f}, 1.0f, {1, 1, 1}, 0.0f);
  auto* sun = factory.AddComponent<DirLight>(*sunObject);
  sun->Direction = {-0.3f, -1.0f, -1.0f};
  sun->Color = {0.75f, 0.72f, 0.65f};

  AddBox({0.0f, -13.0f}, {70.0f, 4.0f}, 1.0f, {0.35f, 0.55f, 0.25f});   // ground
  AddBox({-16.0f, -3.0f}, {10.0f, 1.5f}, 1.0f, {0.55f, 0.5f, 0.45f});   // platforms
  AddBox({13.0f, 2.0f}, {8.0f, 1.5f}, 1.0f, {0.55f, 0.5f, 0.45f});
  AddBox({-1.0f, 6.0f}, {6.0f, 1.5f}, 1.0f, {0.55f, 0.5f, 0.45f});
  AddBox({-6.0f, -9.5f}, {3.0f, 3.0f}, 0.8f, {0.85f, 0.3f, 0.2f});  // the lit box
  GameObject* firefly = AddBox({-3.5f, -6.0f}, {0.4f, 0.4f}, 0.5f, {1.0f, 0.9f, 0.5f});
  auto* lamp = factory.AddComponent<PointLight>(*firefly);
  lamp->Color = {1.0f, 0.85f, 0.4f};
  lamp->Radius = 8.0f;
  GameObject* wisp = AddBox({16.0f, 6.0f}, {0.4f, 0.4f}, 0.5f, {0.6f, 0.8f, 1.0f});
  auto* blue = factory.AddComponent<PointLight>(*wisp);
  blue->Color = {0.3f, 0.5f, 1.0f};
  blue->Radius = 7.0f;
  AddTextured("container2", {6.0f, -9.0f}, {4.0f, 4.0f}, 0.7f);
  AddBox({-22.0f, -9.0f}, {1.2f, 4.0f}, 0.9f, {0.8f, 0.75f, 0.3f});  // a post, far from any lamp

  Render(0.0f);
  const Color3 white{1.0f, 1.0f, 1.0f};
  const Color3 gold{1.0f, 0.8f, 0.2f};
  graphics.RenderText(u"TUMBRIX - LEVEL 1", -26.0f, 12.0f, 12.0f, white);
  graphics.RenderText(Utf8ToUtf16("УРОВЕНЬ 1: НАЧАЛО"), -26.0f, 9.0f, 12.0f, gold);
  EXPECT_TRUE(SaveBackBuffer(ArtifactPath("scene.png")));

  ASSERT_EQ(graphics.FrameLights.size(), 3u);
  // The box is brighter on its side facing the lamp than on its far side.
  const Pixel nearLamp = AtWorld(-4.8f, -8.5f);
  const Pixel farSide = AtWorld(-7.2f, -10.5f);
  EXPECT_GT(nearLamp.R + nearLamp.G, farSide.R + farSide.G + 30);
  // Nothing is black, even far from the lamps.
  const Pixel post = AtWorld(-22.0f, -9.0f);
  EXPECT_GT(post.R, 40);
  // The crate shows its wood, unlit by the lamp.
  const Pixel crate = AtWorld(6.4f, -8.6f);
  EXPECT_GT(crate.R, crate.B + 60);
  EXPECT_TRUE(IsSky(AtWorld(0.0f, 16.0f - 0.5f)));
  if (AssetStore::Instance().Font("PressStart2P").Face != nullptr) {
    EXPECT_GT(CountTextPixels(-26.0f, -10.0f, 12.0f, {255, 255, 255, 255}), 40);
    EXPECT_GT(CountTextPixels(-26.0f, -10.0f, 9.0f, {255, 204, 51, 255}), 40);
  }
}

}  // namespace
}  // namespace Framework
