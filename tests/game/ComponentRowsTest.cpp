// The emitter's row, the richest of the game's component rows: every key of its
// block in level files read and written back as it was, unreadable settings refused
// with one line and no crash, and the Factory's emitter command.
#include "game/ComponentRows.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "particles/ParticleEmitter.h"
#include "support/Capture.h"
#include "support/Files.h"
#include "support/JsonText.h"
#include "support/LevelFixture.h"

namespace Framework {
namespace {

// A full emitter block with a different value in every slot (all exact in
// binary, so the saved doubles print as written).
Json::Value FullEmitterBlock() {
  Json::Value block(Json::objectValue);
  block["InitSpawnRate"] = 120.5;
  block["MaxToSpawn"] = 10000000;
  block["TimeToBeActive"] = 3.25;
  block["Active"] = true;
  block["InitLifeTimeDistribution"]["Low"] = 0.5;
  block["InitLifeTimeDistribution"]["High"] = 1.75;
  block["SpawnRateInterpolator"] = ParseJson(R"({"Decay": true, "Method": 9, "Target": -4.5, "TimeTarget": 2.0})");
  block["LifetimeInterpolatorConfig"] = ParseJson(R"({"Decay": {"Low": false, "High": true},
      "Method": {"Low": 3, "High": 15}, "Target": {"Low": 0.25, "High": -8.0},
      "TimeTarget": {"Low": 1.5, "High": 6.0}})");
  for (int c = 0; c <= 10; ++c) {
    const std::string key = std::to_string(c);
    block["InitCreationDistribution"][key]["Low"] = -c * 0.5;
    block["InitCreationDistribution"][key]["High"] = c * 1.25;
    Json::Value& pair = block["EmitterInterpolatorConfigs"][key];
    pair["Decay"]["Low"] = c % 2 == 0;
    pair["Decay"]["High"] = c % 3 == 0;
    pair["Method"]["Low"] = c;
    pair["Method"]["High"] = 20 - c;
    pair["Target"]["Low"] = c * 0.125;
    pair["Target"]["High"] = -c * 2.0;
    pair["TimeTarget"]["Low"] = c + 0.5;
    pair["TimeTarget"]["High"] = c * 4.0;
    Json::Value& particle = block["ParticleInterpolatorConfig"][key];
    particle["Decay"] = c % 2 == 1;
    particle["Method"] = c + 1;
    particle["Target"] = c * 0.75;
    particle["TimeTarget"] = c * 0.5 + 1.0;
  }
  return block;
}

std::string LevelWithEmitter(const Json::Value& emitter) {
  Json::Value root = ParseJson(R"({"Physics": {"Gravity": -10}})");
  Json::Value entry(Json::objectValue);
  entry["Transform"] = ParseJson(R"({"Position": {"X": 2, "Y": 3}})");
  entry["ParticleEmitter"] = emitter;
  root["Factory"]["Game_Objects"].append(entry);
  return JsonText(root);
}

class EmitterBlockTest : public LevelFixture {
 protected:
  // Loads a level of one object with this emitter block; what the load printed.
  std::string LoadEmitter(const Json::Value& block) {
    WriteFileText(SlotFile(2), LevelWithEmitter(block));
    return StdoutOf([&] { Serialization::Instance().Load(SlotFile(2)); });
  }
  // The level's one object holds it, unless the block was refused.
  ParticleEmitter* LoadedEmitter() {
    const auto world = WorldObjects();
    return world.empty() ? nullptr : world[0]->GetComponent<ParticleEmitter>();
  }
};

TEST_F(EmitterBlockTest, AFullBlockIsWrittenBackExactlyAndTheEmitterStartsFromIt) {
  const Json::Value block = FullEmitterBlock();
  LoadEmitter(block);
  ParticleEmitter* emitter = LoadedEmitter();
  ASSERT_NE(emitter, nullptr);
  // "Active" started it from its settings, at its object's place.
  EXPECT_TRUE(emitter->Active);
  EXPECT_EQ(emitter->SpawnRate, 120.5f);
  EXPECT_EQ(emitter->CreationDistribution[10].High, 12.5f);
  EXPECT_EQ(emitter->EmitterPosition.x, 2.0f);

  serialization.WriteWorld();
  const Json::Value& saved = serialization.Root["Factory"]["Game_Objects"]["Object #1"]["ParticleEmitter"];
  EXPECT_EQ(JsonText(saved), JsonText(block));
  EXPECT_NE(JsonText(saved).find("\"MaxToSpawn\" : 10000000,"), std::string::npos);
}

TEST_F(EmitterBlockTest, UnreadableValuesSkipTheEntryAndTheFactoryRestartsAnEmitterAfterItsCallback) {
  struct Case {
    const char* path;  // dotted, under the emitter block
    Json::Value value;
  };
  const Case cases[] = {
      {"MaxToSpawn", -1},
      {"MaxToSpawn", 1e12},
      {"InitSpawnRate", "NaN"},
      {"TimeToBeActive", 1e300},
      {"InitCreationDistribution.7.Low", "-inf"},
      {"EmitterInterpolatorConfigs.3.Method.High", -5},
      {"ParticleInterpolatorConfig.10.Method", 4294967296.0},
      {"LifetimeInterpolatorConfig.Target", 4},
  };
  for (const Case& c : cases) {
    Json::Value block = FullEmitterBlock();
    Json::Value* member = &block;
    std::string path = c.path;
    for (std::size_t dot; (dot = path.find('.')) != std::string::npos; path.erase(0, dot + 1)) {
      member = &(*member)[path.substr(0, dot)];
    }
    (*member)[path] = c.value;

    const std::string out = LoadEmitter(block);
    EXPECT_EQ(LoadedEmitter(), nullptr) << c.path;
    EXPECT_NE(out.find("ParticleEmitter." + std::string(c.path)), std::string::npos) << c.path << ": " << out;
    EXPECT_NE(out.find("entry skipped"), std::string::npos) << c.path;
  }

  // The Factory starts an emitter again after its callback.
  FactoryEvent event;
  event.Command = FactoryCommand::CreateObject;
  EventSystem::Instance().Send(event);
  event.Command = FactoryCommand::AddParticleEmitter;
  event.Callback = [](GameObject* object) { object->GetComponent<ParticleEmitter>()->InitSpawnRate = 7.0f; };
  EventSystem::Instance().Send(event);
  // The extra Initialize after the callback started the emitter from the new rate.
  EXPECT_EQ(event.Object->GetComponent<ParticleEmitter>()->SpawnRate, 7.0f);
}

}  // namespace
}  // namespace Framework
