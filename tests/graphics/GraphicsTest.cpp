// The renderer drawing into a real (virtual-display) framebuffer: pixels are read
// back and compared with where the world and the camera say things should be.
#include "graphics/Graphics.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>

#include <GL/glew.h>

#include <gtest/gtest.h>

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "graphics/AssetStore.h"
#include "graphics/DirLight.h"
#include "graphics/InstanceBatch.h"
#include "graphics/PointLight.h"
#include "graphics/Sprite.h"
#include "graphics/WorldTarget.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "engine/Windows.h"
#include "support/GlFixture.h"

namespace Framework {
namespace {

using GraphicsRender = GlFixture;

// The world is drawn small and scaled up by a whole factor: whatever the window's
// shape, the scaled picture must cover it with less than one target pixel to spare,
// stay centred, keep at least the art's rows, and the world must keep its size.
TEST(WorldTargetLayout, CoversAnyWindowByAWholeFactorAroundItsCentre) {
  const WorldTarget::Layout fullHd = WorldTarget::LayoutFor(1920, 1080);
  EXPECT_EQ(fullHd, (WorldTarget::Layout{3, 640, 360, 0, 0, 1.0f, 1.0f}));
  const int sizes[][2] = {{1440, 1080}, {2560, 1080}, {1281, 721}, {1366, 768}, {800, 600},
                          {333, 200},   {3841, 2161}, {1, 1},      {359, 1079}};
  for (const auto& [w, h] : sizes) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    const WorldTarget::Layout l = WorldTarget::LayoutFor(w, h);
    EXPECT_EQ(l.Factor, std::max(1, h / WorldTarget::ArtRows));
    EXPECT_GE(l.Height, std::min(h, WorldTarget::ArtRows));
    for (const auto& [size, target, offset, scale] :
         {std::tuple{w, l.Width, l.OffsetX, l.ScaleX}, std::tuple{h, l.Height, l.OffsetY, l.ScaleY}}) {
      const int spare = target * l.Factor - size;
      EXPECT_GE(spare, 0);
      EXPECT_LT(spare, l.Factor);
      EXPECT_LE(std::abs(2 * offset + spare), 1);
      EXPECT_FLOAT_EQ(scale * static_cast<float>(target * l.Factor), static_cast<float>(size));
    }
  }
}

bool IsRed(Pixel p) { return p.R > 200 && p.G < 60 && p.B < 60; }
bool IsGreen(Pixel p) { return p.G > 200 && p.R < 60 && p.B < 60; }
bool IsBlue(Pixel p) { return p.B > 200 && p.R < 60 && p.G < 60; }

template <class L>
L* AddLight(GameObject* object) {
  return Factory::Instance().AddComponent<L>(*object);
}

float UniformFloat(const char* name, int component = 0) {
  const GLuint program = AssetStore::Instance().Program("Instance").Program;
  GLfloat values[4] = {-1, -1, -1, -1};
  glGetUniformfv(program, glGetUniformLocation(program, name), values);
  return values[component];
}

int UniformInt(const char* name) {
  const GLuint program = AssetStore::Instance().Program("Instance").Program;
  GLint value = -1;
  glGetUniformiv(program, glGetUniformLocation(program, name), &value);
  return value;
}

TEST_F(GraphicsRender, AQuadLandsWhereItsPositionAndTheCameraSay) {
  Graphics& graphics = Graphics::Instance();
  EXPECT_FLOAT_EQ(graphics.Camera.ViewHalfWidth, 32.0f * Width / Height);
  graphics.Camera.Position = {6.0f, -3.0f, 0.0f};
  AddBox({10.0f, 2.0f}, {4.0f, 2.0f}, 1.0f, {1.0f, 0.0f, 0.0f});
  Render();
  EXPECT_TRUE(IsRed(AtWorld(10.0f, 2.0f)));
  EXPECT_TRUE(IsRed(AtWorld(11.7f, 2.8f)));
  EXPECT_TRUE(IsRed(AtWorld(8.3f, 1.2f)));
  EXPECT_TRUE(IsSky(AtWorld(12.3f, 2.0f)));
  EXPECT_TRUE(IsSky(AtWorld(7.7f, 2.0f)));
  EXPECT_TRUE(IsSky(AtWorld(10.0f, 3.3f)));
  EXPECT_TRUE(IsSky(AtWorld(10.0f, 0.7f)));
  // With the camera on the box, the box is at the centre of the screen.
  graphics.Camera.Position = {10.0f, 2.0f, 0.0f};
  Render();
  EXPECT_TRUE(IsRed(At(Width / 2, Height / 2)));
  EXPECT_TRUE(IsSky(At(Width / 4, Height / 2)));
}

TEST_F(GraphicsRender, ASmallerLayerIsInFrontWhateverTheDrawingOrder) {
  const Graphics& graphics = Graphics::Instance();
  AddBox({0.0f, 0.0f}, {6.0f, 6.0f}, 1.0f, {1.0f, 0.0f, 0.0f});   // far, made first
  AddBox({2.0f, 0.0f}, {6.0f, 6.0f}, 0.5f, {0.0f, 1.0f, 0.0f});   // near, made second
  AddBox({-2.0f, 0.0f}, {6.0f, 6.0f}, 1.5f, {0.0f, 0.0f, 1.0f});  // farthest, made last
  // A textured sprite (drawn before the instanced quads) in front of the far box.
  // (Particles in front of the nearest layer: ParticleDrawingTest.)
  AddTextured(kSplitTexture, {-10.0f, 0.0f}, {4.0f, 4.0f}, 0.3f);
  AddBox({-10.0f, 0.0f}, {8.0f, 8.0f}, 0.9f, {0.0f, 1.0f, 0.0f});
  Render();
  EXPECT_TRUE(IsGreen(AtWorld(0.5f, 0.0f)));   // near green over far red
  EXPECT_TRUE(IsRed(AtWorld(-1.5f, 0.0f)));    // red over the farthest blue
  EXPECT_TRUE(IsBlue(AtWorld(-4.5f, 0.0f)));   // blue alone
  EXPECT_TRUE(IsRed(AtWorld(-10.0f, 1.0f)));   // texture's top half over the green box
  EXPECT_TRUE(IsBlue(AtWorld(-10.0f, -1.0f)));  // texture's bottom half
  EXPECT_TRUE(IsGreen(AtWorld(-10.0f, 3.0f)));  // box around the texture
  EXPECT_EQ(graphics.InstanceModels.size(), 4u);
}

// A textured sprite shows its texture upright, over its own area, tinted and faded.
TEST_F(GraphicsRender, ATexturedSpriteShowsItsTextureUprightInItsColourAndAlpha) {
  // Over the sky (115, 204, 235): the top half of "split" is red, the bottom half blue.
  struct Look {
    Color3 Tint;
    float Alpha;
    Pixel Top, Bottom;
    int Tolerance;
  };
  const Look looks[] = {
      {{1.0f, 1.0f, 1.0f}, 1.0f, {255, 0, 0, 255}, {0, 0, 255, 255}, 0},  // the texture's own pixels
      {{0.5f, 1.0f, 0.25f}, 1.0f, {128, 0, 0, 255}, {0, 0, 64, 255}, 1},
      {{1.0f, 1.0f, 1.0f}, 0.5f, {185, 102, 118, 255}, {58, 102, 245, 255}, 2},
  };
  GameObject* object = AddTextured(kSplitTexture, {0.0f, 0.0f}, {8.0f, 8.0f}, 0.5f);
  auto* sprite = object->GetComponent<Sprite>();
  EXPECT_TRUE(sprite->BuffersMade);
  ASSERT_NE(sprite->TextureRef, nullptr);
  auto near = [](Pixel got, Pixel want, int tolerance) {
    return std::abs(got.R - want.R) <= tolerance && std::abs(got.G - want.G) <= tolerance &&
           std::abs(got.B - want.B) <= tolerance;
  };
  for (const Look& look : looks) {
    sprite->Color = look.Tint;
    sprite->Alpha = look.Alpha;
    Render();
    const Pixel top = AtWorld(0.0f, 2.0f), bottom = AtWorld(0.0f, -2.0f);
    EXPECT_TRUE(near(top, look.Top, look.Tolerance)) << look.Alpha << ": " << top.R << "," << top.G << "," << top.B;
    EXPECT_TRUE(near(bottom, look.Bottom, look.Tolerance))
        << look.Alpha << ": " << bottom.R << "," << bottom.G << "," << bottom.B;
  }
  // A stretched picture's edges are its own edge rows: nothing bleeds in from the
  // opposite edge (a line of blue along the top of the red half).
  sprite->Color = {1.0f, 1.0f, 1.0f};
  sprite->Alpha = 1.0f;
  Render();
  EXPECT_EQ(AtWorld(0.0f, 3.95f), (Pixel{255, 0, 0, 255}));
  EXPECT_EQ(AtWorld(0.0f, -3.95f), (Pixel{0, 0, 255, 255}));
  EXPECT_EQ(sprite->TextureRef->Width, 16);  // decoded when first drawn
  EXPECT_TRUE(IsSky(AtWorld(0.0f, 4.5f)));
  // Textured sprites are not part of the instanced draw.
  EXPECT_TRUE(Graphics::Instance().InstanceModels.empty());
  // A fade below the alpha test's 0.1 is gone altogether.
  sprite->Alpha = 0.05f;
  Render();
  EXPECT_TRUE(IsSky(AtWorld(0.0f, 2.0f)));

  // By number: type 3 is "container2", which the test folder provides.
  GameObject* crate = AddBox({12.0f, 0.0f}, {4.0f, 4.0f}, 0.5f, {1, 1, 1});
  crate->GetComponent<Sprite>()->SetFilename(3);
  EXPECT_EQ(crate->GetComponent<Sprite>()->TextureRef, AssetStore::Instance().FindTexture("container2"));
  // An unknown name binds the flat colour that stands in for a missing picture.
  sprite->SetFilename(std::string("no-such-texture"));
  EXPECT_TRUE(sprite->TextureRef->Missing);
}

TEST_F(GraphicsRender, AnInvisibleSpriteIsNotDrawnButItsLightStillShines) {
  Graphics& graphics = Graphics::Instance();
  GameObject* lamp = AddBox({-6.0f, -5.0f}, {2.0f, 2.0f}, 0.2f, {1.0f, 0.0f, 1.0f}, 0.0f);
  auto* point = AddLight<PointLight>(lamp);
  point->Color = {1.0f, 1.0f, 1.0f};
  point->Radius = 5.0f;
  GameObject* sunObject = AddBox({40.0f, 40.0f}, {1.0f, 1.0f}, 1.0f, {1, 1, 1}, 0.0f);
  auto* sun = AddLight<DirLight>(sunObject);
  sun->Direction = {0.0f, 0.0f, -1.0f};
  sun->Color = {0.2f, 0.2f, 0.2f};
  // A long grey floor under the lamp.
  AddBox({0.0f, -5.0f}, {30.0f, 4.0f}, 1.0f, {0.6f, 0.6f, 0.6f});
  Render();
  ASSERT_EQ(graphics.FrameLights.size(), 2u);
  EXPECT_EQ(graphics.FrameLights[0], point);
  EXPECT_EQ(graphics.InstanceModels.size(), 1u);  // only the floor
  EXPECT_EQ(UniformInt("num_lights_used"), 1);
  // Under the lamp the floor is lit; beyond the lamp's radius the light has faded to nothing.
  const Pixel lit = AtWorld(-6.0f, -5.0f);
  const Pixel dark = AtWorld(6.0f, -5.0f);
  const Pixel edge = AtWorld(-6.0f + 5.2f, -5.0f);
  EXPECT_GT(lit.R, dark.R + 60);
  EXPECT_NEAR(edge.R, dark.R, 2);
  // Ambient light keeps the unlit part from being black.
  EXPECT_GT(dark.R, 25);
  // Switching the lamp off removes it from the frame's lights.
  point->On = false;
  Render();
  EXPECT_EQ(graphics.FrameLights.size(), 1u);
  EXPECT_EQ(UniformInt("num_lights_used"), 0);
  EXPECT_NEAR(AtWorld(-6.0f, -5.0f).R, dark.R, 2);
}

// A long floor is lit piece by piece, each piece looping over only the lamps that
// reach it: the glow runs on across the pieces' edges, and a piece reached by more
// lamps than it can list still adds up every one of them.
TEST_F(GraphicsRender, ALongQuadIsLitInPiecesWithoutSeamsByEveryLampThatReachesIt) {
  AddLight<DirLight>(AddBox({0.0f, 8.0f}, {1.0f, 1.0f}, 1.0f, {1, 1, 1}, 0.0f));
  AddBox({0.0f, -5.0f}, {30.0f, 4.0f}, 1.0f, {0.6f, 0.6f, 0.6f});
  std::vector<PointLight*> lamps;
  constexpr int kLamps = InstanceBatch::PieceLightSlots + 4;
  for (int i = 0; i < kLamps; ++i) {
    lamps.push_back(AddLight<PointLight>(AddBox({-6.0f, -5.0f}, {1.0f, 1.0f}, 0.2f, {1, 1, 1}, 0.0f)));
    lamps.back()->Color = {0.02f, 0.02f, 0.02f};
    lamps.back()->Radius = 5.0f;
  }
  Render();
  const Pixel many = AtWorld(-6.0f, -5.0f);
  // The 30-unit floor is cut into eight pieces; two of their edges lie in the glow.
  for (float edge : {-7.5f, -3.75f}) EXPECT_NEAR(AtWorld(edge - 0.1f, -5.0f).R, AtWorld(edge + 0.1f, -5.0f).R, 8) << edge;
  for (std::size_t i = 1; i < lamps.size(); ++i) lamps[i]->On = false;
  lamps[0]->Color = {0.02f * kLamps, 0.02f * kLamps, 0.02f * kLamps};
  Render();
  EXPECT_NEAR(AtWorld(-6.0f, -5.0f).R, many.R, 2);
  EXPECT_GT(many.R, AtWorld(6.0f, -5.0f).R + 40);
}

// Each picture is sent only the lamps that reach it: the crate by the right lamp
// glows though the left lamp comes first in the frame's list, and the crate
// between them, reached by neither, is drawn as it is.
TEST_F(GraphicsRender, EachTexturedSpriteGlowsByTheLampsThatReachIt) {
  // A level's sun: the point lights sent are counted against it, as in every level.
  AddLight<DirLight>(AddBox({0.0f, 8.0f}, {1.0f, 1.0f}, 1.0f, {1, 1, 1}, 0.0f));
  std::vector<PointLight*> lamps;
  for (float x : {-8.0f, 8.0f}) {
    lamps.push_back(AddLight<PointLight>(AddBox({x, 0.0f}, {1.0f, 1.0f}, 0.2f, {1, 1, 1}, 0.0f)));
    lamps.back()->Color = {1.0f, 1.0f, 1.0f};
    lamps.back()->Radius = 3.0f;
  }
  for (float x : {-8.0f, 0.0f, 8.0f}) AddBox({x, 0.0f}, {2.0f, 2.0f}, 0.5f, {1, 1, 1})->GetComponent<Sprite>()->SetFilename(3);
  Render();
  const Pixel lit[3] = {AtWorld(-8.0f, 0.0f), AtWorld(0.0f, 0.0f), AtWorld(8.0f, 0.0f)};
  for (PointLight* lamp : lamps) lamp->On = false;
  Render();
  EXPECT_GT(lit[0].R, AtWorld(-8.0f, 0.0f).R + 30);
  EXPECT_EQ(lit[1].R, AtWorld(0.0f, 0.0f).R);
  EXPECT_GT(lit[2].R, AtWorld(8.0f, 0.0f).R + 30);
}

TEST_F(GraphicsRender, LightUniformsHoldTheFramesLights) {
  Graphics& graphics = Graphics::Instance();
  graphics.Camera.Position = {2.0f, 1.0f, 0.0f};
  auto* sun = AddLight<DirLight>(AddBox({0.0f, 0.0f}, {1.0f, 1.0f}, 1.0f, {1, 1, 1}));
  sun->Direction = {0.5f, -1.0f, -0.25f};
  sun->Color = {0.9f, 0.8f, 0.7f};
  AddLight<PointLight>(AddBox({10.0f, 5.0f}, {1.0f, 1.0f}, 0.5f, {1, 1, 1}))->Offset = {1.0f, 2.0f, 0.25f};
  GameObject* b = AddBox({-4.0f, -2.0f}, {1.0f, 1.0f}, 0.0f, {1, 1, 1});
  AddLight<PointLight>(b);
  // A PointLight hides a DirLight on the same object.
  AddLight<DirLight>(b)->Direction = {9.0f, 9.0f, 9.0f};
  // Lights on objects without a Sprite, or without a Transform, are never sent.
  GameObject* bare = Factory::Instance().CreateObject();
  Factory::Instance().AddComponent<Transform>(*bare);
  AddLight<PointLight>(bare)->Radius = 100.0f;
  GameObject* floating = Factory::Instance().CreateObject();
  Factory::Instance().AddComponent<Sprite>(*floating);
  AddLight<PointLight>(floating)->Radius = 200.0f;

  Render();
  // What reaches the program: camera-relative places with their offsets (the count rules: LightUniformsTest).
  ASSERT_EQ(graphics.FrameLights.size(), 3u);
  EXPECT_EQ(UniformInt("num_lights_used"), 2);
  EXPECT_FLOAT_EQ(UniformFloat("CameraPos", 0), 2.0f);
  EXPECT_FLOAT_EQ(UniformFloat("dirLight.color", 1), 0.8f);
  EXPECT_FLOAT_EQ(UniformFloat("pointLightsPosition[0]", 0), 9.0f);  // 1 + 10 - 2
  EXPECT_FLOAT_EQ(UniformFloat("pointLightsRadius[1]"), 9.0f);

  // A frame with nothing for the lit program leaves its uniforms as they were.
  Factory::Instance().DestroyAll();
  AddLight<DirLight>(AddBox({0.0f, 0.0f}, {1.0f, 1.0f}, 1.0f, {1, 1, 1}, 0.0f))->Direction = {0.0f, 1.0f, 0.0f};
  Render();
  EXPECT_TRUE(graphics.InstanceModels.empty());
  EXPECT_FLOAT_EQ(UniformFloat("dirLight.direction", 0), 0.5f);
  EXPECT_EQ(UniformInt("num_lights_used"), 2);
}

TEST_F(GraphicsRender, TimedMessagesAgeOncePerFrameAndExpire) {
  Graphics& graphics = Graphics::Instance();
  EventSystem& events = EventSystem::Instance();
  GraphicsEvent ignored;  // the default command shows nothing
  events.Send(ignored);
  EXPECT_TRUE(graphics.Messages.empty());
  for (auto [text, lifetime] : {std::pair{"ONCE", 0.0f}, {"SHORT", 0.15f}, {"LONG", 1.0f}}) {
    GraphicsEvent message;
    message.Command = GraphicsCommand::ShowText;
    message.Text = text;
    message.Lifetime = lifetime;
    events.Send(message);
  }
  ASSERT_EQ(graphics.Messages.size(), 3u);
  Render(0.1f);
  ASSERT_EQ(graphics.Messages.size(), 2u);  // lifetime 0: drawn exactly once
  EXPECT_EQ(graphics.Messages[0]->Text, "SHORT");
  Render(0.1f);
  ASSERT_EQ(graphics.Messages.size(), 1u);
  EXPECT_EQ(graphics.Messages[0]->Text, "LONG");
  EXPECT_FLOAT_EQ(graphics.Messages[0]->Elapsed, 0.2f);  // still aged in the frame the first expired
}

TEST_F(GraphicsRender, TheCursorFollowsTheMouse) {
  // The cursor's upper left corner sits on the mouse point.
  Windows& windows = Windows::Instance();
  windows.Mouse.MouseX = 10.0f;
  windows.Mouse.MouseY = 10.0f;
  Render();
  const Pixel inside = AtWorld(10.3f, 9.7f);
  EXPECT_GT(inside.R, 200);
  EXPECT_GT(inside.G, 200);
  EXPECT_TRUE(IsSky(AtWorld(9.8f, 10.2f)));
}

}  // namespace
}  // namespace Framework
