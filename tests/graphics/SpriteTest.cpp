// Sprite settings that need no GL context: the type table's side effects and its limits.
#include "graphics/Sprite.h"

#include <gtest/gtest.h>

namespace Framework {
namespace {

TEST(SpriteType, NumbersAboveTheTableAreReportedOnlyPast39) {
  Sprite sprite;
  sprite.Filename = "";
  testing::internal::CaptureStdout();
  sprite.SetFilename(39);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(sprite.GetFilename(), "");
  testing::internal::CaptureStdout();
  sprite.SetFilename(40);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "SPRITE: SetFilename: type is greater than total number of sprites");
  EXPECT_EQ(sprite.TextureRef, nullptr);
  EXPECT_FALSE(sprite.BuffersMade);
}

TEST(SpriteType, UntexturedTypesKeepAPlainQuadAndTwoOfThemTint) {
  Sprite sky;
  sky.SetFilename(6);
  EXPECT_EQ(sky.GetFilename(), "");
  EXPECT_FLOAT_EQ(sky.Color.R, 0.45f);
  EXPECT_FLOAT_EQ(sky.Color.G, 0.8f);
  EXPECT_FLOAT_EQ(sky.Color.B, 0.92f);
  EXPECT_FALSE(sky.BuffersMade);

  Sprite plain;
  plain.SetFilename(2);
  EXPECT_EQ(plain.GetFilename(), "");
  EXPECT_FLOAT_EQ(plain.Color.R, 1.0f);
  EXPECT_FLOAT_EQ(plain.Alpha, 1.0f);

  EXPECT_STREQ(Sprite::SpriteTypeFilename(7), "empty-button");
  EXPECT_STREQ(Sprite::SpriteTypeFilename(32), "KIV_cursor");
  EXPECT_STREQ(Sprite::SpriteTypeFilename(38), "winscreen_RU");
  EXPECT_STREQ(Sprite::SpriteTypeFilename(39), "");
  EXPECT_STREQ(Sprite::SpriteTypeFilename(-1), "");
}

}  // namespace
}  // namespace Framework
