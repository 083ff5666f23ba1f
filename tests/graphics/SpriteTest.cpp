// Sprite settings that need no GL context: the type table's side effects and its limits.
#include "graphics/Sprite.h"

#include <gtest/gtest.h>

#include "engine/Commands.h"
#include "support/Capture.h"

namespace Framework {
namespace {

TEST(SpriteType, NumbersPastTheTableAreReportedAndTheKeepTypeLeavesTheSprite) {
  Sprite sprite;
  sprite.Filename = "";
  EXPECT_EQ(StdoutOf([&] { sprite.SetFilename(SpriteType::Keep); }), "");
  EXPECT_EQ(sprite.GetFilename(), "");
  EXPECT_EQ(StdoutOf([&] { sprite.SetFilename(SpriteType::Keep + 1); }),
            "SPRITE: SetFilename: type is greater than total number of sprites");
  EXPECT_EQ(sprite.TextureRef, nullptr);
  EXPECT_FALSE(sprite.BuffersMade);
  EXPECT_STREQ(Sprite::SpriteTypeFilename(SpriteType::Keep), "");
  EXPECT_STREQ(Sprite::SpriteTypeFilename(-1), "");
}

TEST(SpriteType, UntexturedTypesKeepAPlainQuadAndTheSkyTints) {
  Sprite sky;
  sky.SetFilename(SpriteType::Sky);
  EXPECT_EQ(sky.GetFilename(), "");
  EXPECT_FLOAT_EQ(sky.Color.R, 0.45f);
  EXPECT_FLOAT_EQ(sky.Color.G, 0.8f);
  EXPECT_FLOAT_EQ(sky.Color.B, 0.92f);
  EXPECT_FALSE(sky.BuffersMade);

  Sprite plain;
  plain.SetFilename(SpriteType::Platform);
  EXPECT_EQ(plain.GetFilename(), "");
  EXPECT_FLOAT_EQ(plain.Color.R, 1.0f);
  EXPECT_FLOAT_EQ(plain.Alpha, 1.0f);
}

}  // namespace
}  // namespace Framework
