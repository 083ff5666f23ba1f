// What the lit program is told about a frame's lights, without a GL context:
// the count rules past the ordinary frames that GraphicsTest draws.
#include "graphics/LightUniforms.h"

#include <memory>

#include <gtest/gtest.h>

#include "graphics/DirLight.h"
#include "graphics/PointLight.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"

namespace Framework {
namespace {

class LightUniformsTest : public ::testing::Test {
 protected:
  PointLight* AddPoint(Vec2 at, float zLayer, Vec3 offset, Color3 color, float radius) {
    auto object = std::make_unique<GameObject>();
    auto* t = object->Attach(std::make_unique<Transform>());
    t->Position = at;
    t->ZLayer = zLayer;
    auto* light = object->Attach(std::make_unique<PointLight>());
    light->Offset = offset;
    light->Color = color;
    light->Radius = radius;
    objects_.push_back(std::move(object));
    return light;
  }
  DirLight* AddDir(Vec3 direction, Color3 color) {
    auto object = std::make_unique<GameObject>();
    object->Attach(std::make_unique<Transform>());
    auto* light = object->Attach(std::make_unique<DirLight>());
    light->Direction = direction;
    light->Color = color;
    objects_.push_back(std::move(object));
    return light;
  }
  LightUniforms Gather(const std::vector<Light*>& lights, Vec3 camera = {}, int max = 32) {
    return LightUniforms::Gather(lights, camera, max, positions, colors, radii);
  }

  std::vector<float> positions{99.0f}, colors{99.0f}, radii{99.0f};  // stale data must go

 private:
  std::vector<std::unique_ptr<GameObject>> objects_;
};

TEST_F(LightUniformsTest, TheCountLeavesOutTheLastPointWithoutADirectionalLightAndIsClamped) {
  PointLight* a = AddPoint({0, 0}, 0, {}, {1, 0, 0}, 5);
  PointLight* b = AddPoint({1, 0}, 0, {}, {0, 1, 0}, 5);
  PointLight* c = AddPoint({2, 0}, 0, {}, {0, 0, 1}, 5);
  LightUniforms u = Gather({a, b, c});
  EXPECT_FALSE(u.HasDirLight);
  EXPECT_EQ(u.DirDirection, (Vec3{0.0f, 0.0f, 0.0f}));
  EXPECT_EQ(u.PointCount, 2);
  EXPECT_EQ(radii.size(), 3u);
  EXPECT_EQ(Gather({}).PointCount, 0);

  // Several directional lights never count more point lights than were gathered.
  DirLight* first = AddDir({0.0f, -1.0f, 0.0f}, {1.0f, 0.0f, 0.0f});
  DirLight* second = AddDir({1.0f, 1.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
  DirLight* third = AddDir({0.0f, 0.0f, -1.0f}, {0.0f, 0.0f, 1.0f});
  PointLight* lamp = AddPoint({0, 0}, 0, {}, {1, 1, 1}, 5);
  // n - 1 would be 3 with one point light's data: the count is clamped to 1.
  u = Gather({first, lamp, second, third});
  EXPECT_EQ(u.PointCount, 1);
  EXPECT_EQ(radii.size(), 1u);
  // The last directional light wins.
  EXPECT_EQ(u.DirDirection, (Vec3{0.0f, 0.0f, -1.0f}));
  EXPECT_FLOAT_EQ(u.DirColor.B, 1.0f);
  // Only directional lights: nothing to send at all.
  u = Gather({first, second});
  EXPECT_EQ(u.PointCount, 0);

  std::vector<Light*> lights{first};
  for (int i = 0; i < 40; ++i) lights.push_back(AddPoint({float(i), 0}, 0, {}, {1, 1, 1}, 3));
  EXPECT_EQ(Gather(lights, {}, 32).PointCount, 32);
  EXPECT_EQ(radii.size(), 40u);
}

}  // namespace
}  // namespace Framework
