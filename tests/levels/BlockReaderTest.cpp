#include "levels/BlockReader.h"

#include <gtest/gtest.h>

#include <string>

#include "support/JsonText.h"

namespace Framework {
namespace {

TEST(BlockReaderTest, ConvertsTheWayTheLevelFormatDescribes) {
  const Json::Value block = ParseJson(R"({"f": 2, "t": true, "b": 0.5, "u": 7.9, "s": "name", "n": null,
                                      "xy": {"X": -1.5}, "zero": 0})");
  BlockReader reader(block, "Block");
  EXPECT_EQ(reader.Float("f"), 2.0f);
  EXPECT_EQ(reader.Float("t"), 1.0f);   // a bool read as a number
  EXPECT_TRUE(reader.Bool("b"));        // a non-zero number read as a bool
  EXPECT_FALSE(reader.Bool("zero"));
  EXPECT_EQ(reader.UInt("u"), 7u);      // truncated toward zero
  EXPECT_EQ(reader.String("s"), "name");
  // Missing members and nulls read as zero values.
  EXPECT_EQ(reader.Float("missing"), 0.0f);
  EXPECT_EQ(reader.Float("n"), 0.0f);
  EXPECT_FALSE(reader.Bool("n"));
  EXPECT_EQ(reader.String("missing"), "");
  EXPECT_EQ(reader.XY("xy"), (Vec2{-1.5f, 0.0f}));
  EXPECT_EQ(reader.XY("missing"), (Vec2{0.0f, 0.0f}));
  EXPECT_FALSE(reader.Failed());
  // A null block reads like an empty one.
  BlockReader nothing(Json::Value(), "Nothing");
  EXPECT_EQ(nothing.XY("Position"), (Vec2{0.0f, 0.0f}));
  EXPECT_FALSE(nothing.Failed());
}

TEST(BlockReaderTest, KeepsTheFirstFailureWithItsPathAndReasonAndRefusesHugeFloatsAndScalarMembers) {
  const Json::Value block = ParseJson(R"({"Position": {"X": "left", "Y": []}, "Max": -5, "Ok": 3})");
  BlockReader reader(block, "Transform");
  EXPECT_EQ(reader.XY("Position"), (Vec2{0.0f, 0.0f}));
  ASSERT_TRUE(reader.Failed());
  EXPECT_EQ(reader.FailedKey(), "Transform.Position.X");
  EXPECT_EQ(reader.FailureReason(), "Value is not convertible to float.");
  // Later reads, even good ones, return zero values and keep the first failure.
  EXPECT_EQ(reader.Float("Ok"), 0.0f);
  EXPECT_EQ(reader.FailedKey(), "Transform.Position.X");

  // Huge floats and members of scalars are refused.
  const Json::Value numbers = ParseJson(R"({"Far": 1e39, "Near": 3.4e38, "Scalar": 4})");
  {
    BlockReader reader(numbers, "T");
    EXPECT_EQ(reader.Float("Near"), 3.4e38f);
    EXPECT_FALSE(reader.Failed());
    EXPECT_EQ(reader.Float("Far"), 0.0f);
    EXPECT_EQ(reader.FailedKey(), "T.Far");
    EXPECT_EQ(reader.FailureReason(), "number out of 32-bit float range");
  }
  {
    BlockReader reader(numbers, "T");
    EXPECT_EQ(reader.XY("Scalar"), (Vec2{0.0f, 0.0f}));
    EXPECT_EQ(reader.FailedKey(), "T.Scalar.X");
    EXPECT_NE(reader.FailureReason().find("requires objectValue"), std::string::npos);
  }
  {
    // A block that is itself a scalar fails at its first member.
    BlockReader reader(Json::Value("text"), "Sprite");
    EXPECT_EQ(reader.String("Filename"), "");
    EXPECT_EQ(reader.FailedKey(), "Sprite.Filename");
  }
}

}  // namespace
}  // namespace Framework
