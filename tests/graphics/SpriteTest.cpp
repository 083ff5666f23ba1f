// Sprite types that need no GL context: the limits of the type table.
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

}  // namespace
}  // namespace Framework
