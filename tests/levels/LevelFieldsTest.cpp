// One field list drives both reading a block and writing it back: nested pairs,
// channel maps, unsigned integers and setters run in the list's order. (A bad
// member named by its dotted path, through a level's emitter: ComponentRowsTest.)
#include "levels/LevelFields.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "support/JsonText.h"

namespace Framework {
namespace {

struct Curve {
  bool Decay = false;
  std::uint32_t Method = 0;
  float Target = 0.0f;
};

// Shaped like the emitters and moving platforms that level files describe.
class Mover : public Component {
 public:
  Mover() : Component("Mover") {}
  float GetDelay() const { return delay_; }
  void SetDelay(float delay) {
    delay_ = delay;
    calls.push_back("Delay");
  }
  Vec2 GetPoint1() const { return point1_; }
  // Depends on the delay being set first, as a platform's velocity does.
  void SetPoint1(Vec2 point) {
    point1_ = point;
    calls.push_back("Point1 after delay " + std::to_string(delay_));
  }

  std::uint32_t MaxToSpawn = 0;
  std::array<Pair<float>, 11> Channels{};
  Pair<Curve> Lifetime{};
  std::vector<std::string> calls;

 private:
  float delay_ = 0.0f;
  Vec2 point1_{};
};

const FieldList<Pair<Curve>>* CurvePairFields() {
  static const FieldList<Pair<Curve>> fields = {
      PairedMember<Curve>("Decay", &Curve::Decay),
      PairedMember<Curve>("Method", &Curve::Method),
      PairedMember<Curve>("Target", &Curve::Target),
  };
  return &fields;
}

const FieldsOf<Mover>& MoverFields() {
  static const FieldsOf<Mover> fields({
      Property<Mover>("Delay", &Mover::GetDelay, &Mover::SetDelay),
      Property<Mover>("Point1", &Mover::GetPoint1, &Mover::SetPoint1),
      Member<Mover>("MaxToSpawn", &Mover::MaxToSpawn),
      Member<Mover>("Channels", &Mover::Channels, ChannelsOf<11, PairOf<Plain<float>>>()),
      Member<Mover>("Lifetime", &Mover::Lifetime, BlockOf<Pair<Curve>>{CurvePairFields()}),
  });
  return fields;
}

Json::Value MoverBlock() {
  Json::Value block = ParseJson(R"({
    "Point1": {"X": 1.5, "Y": -2.5},
    "Delay": 0.25,
    "MaxToSpawn": 10000000,
    "Lifetime": {"Decay": {"Low": true, "High": false}, "Method": {"Low": 1, "High": 3},
                 "Target": {"Low": 0.5, "High": 4.5}}
  })");
  for (int i = 0; i <= 10; ++i) {
    block["Channels"][std::to_string(i)]["Low"] = i * 0.5;
    block["Channels"][std::to_string(i)]["High"] = i * 2.0;
  }
  return block;
}

TEST(LevelFieldsTest, ABlockReadIntoAComponentIsWrittenBackAsItWasRead) {
  const Json::Value block = MoverBlock();
  BlockReader reader(block, "Mover");
  ComponentApplier apply = MoverFields().Read(reader);
  ASSERT_FALSE(reader.Failed()) << reader.FailedKey();

  GameObject object;
  Mover* mover = object.Attach(std::make_unique<Mover>());
  apply(object);
  EXPECT_EQ(mover->calls, (std::vector<std::string>{"Delay", "Point1 after delay 0.250000"}));
  EXPECT_EQ(mover->Channels[7].High, 14.0f);
  EXPECT_TRUE(mover->Lifetime.Low.Decay);
  EXPECT_EQ(mover->Lifetime.High.Method, 3u);

  // Same text: the pairs sit inside each member and "MaxToSpawn" stays an integer.
  EXPECT_EQ(JsonText(MoverFields().Write(*mover)), JsonText(block));
}

}  // namespace
}  // namespace Framework
