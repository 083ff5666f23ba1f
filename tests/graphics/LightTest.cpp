// Sprites and lights arriving through the factory's component commands.
#include "graphics/Light.h"

#include <gtest/gtest.h>

#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "graphics/DirLight.h"
#include "graphics/PointLight.h"
#include "graphics/Sprite.h"
#include "objects/Factory.h"

namespace Framework {
namespace {

GameObject* RunCommand(std::int32_t command, GameObject* target) {
  FactoryEvent event;
  event.Command = command;
  event.Object = target;
  EventSystem::Instance().Send(event);
  return event.Object;
}

TEST(LightCommands, CommandsAttachSpriteAndLightsWithTheirDefaults) {
  Factory& factory = Factory::Instance();
  factory.Initialize();
  GameObject* object = RunCommand(13, nullptr);
  ASSERT_NE(object, nullptr);

  RunCommand(16, object);
  auto* sprite = object->GetComponent<Sprite>();
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(sprite->Name, "Sprite");
  EXPECT_EQ(sprite->GetFilename(), "");  // type 2: a plain quad
  EXPECT_FLOAT_EQ(sprite->Alpha, 1.0f);

  RunCommand(29, object);
  RunCommand(30, object);
  RunCommand(31, object);
  auto* plain = object->GetComponent<Light>();
  auto* point = object->GetComponent<PointLight>();
  auto* dir = object->GetComponent<DirLight>();
  ASSERT_NE(plain, nullptr);
  ASSERT_NE(point, nullptr);
  ASSERT_NE(dir, nullptr);
  EXPECT_EQ(plain->Name, "Light");
  EXPECT_EQ(point->Name, "PointLight");
  EXPECT_EQ(dir->Name, "DirLight");
  for (const Light* light : {static_cast<const Light*>(plain), static_cast<const Light*>(point),
                             static_cast<const Light*>(dir)}) {
    EXPECT_TRUE(light->On);
    EXPECT_EQ(light->Owner, object);
    EXPECT_FLOAT_EQ(light->Color.R + light->Color.G + light->Color.B, 0.0f);
  }
  EXPECT_FLOAT_EQ(point->Radius, 9.0f);
  EXPECT_EQ(point->Offset, (Vec3{0, 0, 0}));
  EXPECT_EQ(dir->Direction, (Vec3{0, 0, 0}));
  // Three distinct classes: a PointLight is not found as a Light.
  EXPECT_NE(static_cast<const Light*>(point), plain);
}

}  // namespace
}  // namespace Framework
