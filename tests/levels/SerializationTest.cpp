// Level files in and out: what a load builds, how it fails and recovers, the
// saved text, and saves that cannot complete.
#include "levels/Serialization.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "graphics/Sprite.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "physics/Physics.h"
#include "support/Capture.h"
#include "support/LevelFixture.h"

namespace Framework {
namespace {

using SerializationLoadTest = LevelFixture;

TEST_F(SerializationLoadTest, EntriesAreBuiltInOrderWithOnlyTheComponentsTheyNameAndAbsentMembersZero) {
  WriteFileText(SlotFile(20), LevelWithMarkers({3, 1, 2}));
  serialization.Load(SlotFile(20));
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{3, 1, 2}));

  // The saver's keys: "Object #10" and "Object #11" sort between #1 and #2.
  std::string level = "{\"Factory\": {\"Game_Objects\": {";
  for (int n = 1; n <= 11; ++n) {
    if (n > 1) level += ", ";
    level += "\"Object #" + std::to_string(n) + "\": {\"Transform\": {\"Position\": {\"X\": " + std::to_string(n) + "}}}";
  }
  level += "}}}";
  WriteFileText(SlotFile(21), level);
  serialization.Load(SlotFile(21));
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{1, 10, 11, 2, 3, 4, 5, 6, 7, 8, 9}));

  // Entries get only the components they name; absent members read as zero.
  WriteFileText(SlotFile(20), R"({"Factory": {"Game_Objects": [
      {}, null, {"Transform": {}}, {"Name": "ignored", "Unknown": 5, "sprite": 1, "Sprite": {"Filename": "x"}},
      {"Body": {"IsStatic": 1, "Bounce": {"X": 0.25}}, "Transform": {"Scale": {"X": 4, "Y": 2}, "ZLayer": -3}}
  ]}})");
  serialization.Load(SlotFile(20));
  auto& objects = Factory::Instance().Objects;
  ASSERT_EQ(objects.size(), 5u);
  std::vector<GameObject*> built;
  for (auto& [id, object] : objects) built.push_back(object.get());
  EXPECT_TRUE(built[0]->Components.empty());
  EXPECT_TRUE(built[1]->Components.empty());
  // Names are written on save but never read back.
  EXPECT_EQ(built[3]->Name, "");
  // Only the named component: a Sprite, which keeps its texture name.
  ASSERT_EQ(built[3]->Components.size(), 1u);
  ASSERT_NE(built[3]->GetComponent<Sprite>(), nullptr);
  EXPECT_EQ(built[3]->GetComponent<Sprite>()->Filename, "x");

  auto* zero = built[2]->GetComponent<Transform>();
  ASSERT_NE(zero, nullptr);
  EXPECT_EQ(zero->Position, (Vec2{0, 0}));
  EXPECT_EQ(zero->Scale, (Vec2{0, 0}));  // not the class default of (1, 1)
  EXPECT_EQ(zero->Rotation, 0.0f);
  EXPECT_EQ(zero->ZLayer, 0.0f);

  // The Transform is attached first although the file names the Body first, so
  // the body takes its size from it; absent Body members are 0, not the defaults.
  auto* transform = built[4]->GetComponent<Transform>();
  auto* body = built[4]->GetComponent<Body>();
  ASSERT_NE(transform, nullptr);
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(transform->ZLayer, -3.0f);
  EXPECT_EQ(body->OwnerTransform, transform);
  EXPECT_EQ(body->Shape->HalfWidth, 2.0f);
  EXPECT_TRUE(body->IsStatic);
  EXPECT_FALSE(body->IsCollidable);
  EXPECT_EQ(body->Bounce.X, 0.25f);
  EXPECT_EQ(body->Bounce.Y, 0.0f);
  EXPECT_EQ(body->Friction.X, 0.0f);
  EXPECT_EQ(body->Friction.XG, 0.0f);
}

// The reader takes comments, repeated keys (the last wins) and trailing text; gravity
// comes from the level (0 without "Physics"), and "Game_Objects" of any type but an
// array or an object builds nothing.
TEST_F(SerializationLoadTest, ReaderIsLenientGravityComesFromTheLevelAndOtherObjectTypesBuildNothing) {
  WriteFileText(SlotFile(20), R"(// a level
{ /* block */ "Physics": {"Gravity": -3, "Gravity": -7.5},
  "Factory": {"Game_Objects": [{"Transform": {"Position": {"X": 1, "X": 4}}}]}}
trailing words that are not JSON)");
  EXPECT_EQ(StdoutOf([&] { serialization.Load(SlotFile(20)); }), "Game loaded\n");
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{4}));
  EXPECT_EQ(Physics::Instance().Gravity, -7.5f);
  WriteFileText(SlotFile(21), R"({"Factory": {"Game_Objects": []}})");
  serialization.Load(SlotFile(21));
  EXPECT_EQ(Physics::Instance().Gravity, 0.0f);
  EXPECT_TRUE(Factory::Instance().Objects.empty());
  // Building reads the document without adding the members it looked for.
  WriteFileText(SlotFile(22), "{}");
  serialization.Load(SlotFile(22));
  EXPECT_EQ(serialization.Root, Json::Value(Json::objectValue));
  for (const char* objects : {"\"none\"", "7", "null", "true"}) {
    serialization.Load(SlotFile(20));
    WriteFileText(SlotFile(21), std::string(R"({"Factory": {"Game_Objects": )") + objects + "}}");
    serialization.Load(SlotFile(21));
    EXPECT_TRUE(Factory::Instance().Objects.empty()) << objects;
  }
}

TEST_F(SerializationLoadTest, MissingFileReportsAndRebuildsThePreviousWorld) {
  // Before any level there is nothing to rebuild: the world is empty.
  Factory::Instance().CreateObject();
  StdoutOf([&] { serialization.Load(SlotFile(33)); });
  EXPECT_TRUE(Factory::Instance().Objects.empty());

  WriteFileText(SlotFile(20), LevelWithMarkers({5, 6}, -4.0f));
  serialization.Load(SlotFile(20));
  const std::uint32_t firstIds = Factory::Instance().NextId;

  EXPECT_EQ(StdoutOf([&] { serialization.Load(SlotFile(33)); }), "Could not open " + SlotFile(33) + ": No such file or directory\nFailed to load\n");
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{5, 6}));
  EXPECT_EQ(Physics::Instance().Gravity, -4.0f);
  // Rebuilt objects are new objects: ids are never reused.
  EXPECT_GT(Factory::Instance().Objects.begin()->first, firstIds);
}

// (Where the autosave goes: SaveLocationTest.)
TEST(SerializationSlotsTest, LevelFilesAreNumberedBySlotWithinTheFifty) {
  Serialization& serialization = Serialization::Instance();
  EXPECT_EQ(serialization.GetLevelFile(0), "saves/Save0.json");
  EXPECT_EQ(serialization.GetLevelFile(49), "saves/Save49.json");
  const std::string refused = StdoutOf([&] {
    EXPECT_EQ(serialization.GetLevelFile(50), "");
    EXPECT_EQ(serialization.GetLevelFile(-1), "");
  });
  EXPECT_NE(refused.find("No level slot 50"), std::string::npos);
}

// Saving ----------------------------------------------------------------------

using SerializationSaveTest = LevelFixture;

GameObject* MakePlatform(Vec2 position, Vec2 scale) {
  Factory& factory = Factory::Instance();
  GameObject* object = factory.CreateObject();
  object->Name = "Platform";
  auto* transform = factory.AddComponent<Transform>(*object);
  transform->Position = position;
  transform->Scale = scale;
  transform->ZLayer = 0.5f;
  auto* body = factory.AddComponent<Body>(*object);
  body->IsStatic = true;
  return object;
}

TEST_F(SerializationSaveTest, TwelveObjectsAreNumberedOneToTwelveAndAnEmptyWorldSavesNoEntries) {
  for (int i = 0; i < 12; ++i) MakePlatform({static_cast<float>(i), 0.0f}, {1.0f, 1.0f});
  serialization.WriteWorld();
  const Json::Value& entries = serialization.Root["Factory"]["Game_Objects"];
  ASSERT_EQ(entries.size(), 12u);
  for (int n = 1; n <= 12; ++n) {
    const Json::Value& entry = entries["Object #" + std::to_string(n)];
    // Numbered in the Factory's (creation) order.
    EXPECT_EQ(entry["Transform"]["Position"]["X"].asFloat(), static_cast<float>(n - 1));
  }
  Factory::Instance().DestroyAll();
  serialization.WriteWorld();
  EXPECT_TRUE(serialization.Root["Factory"]["Game_Objects"].isObject());
  EXPECT_EQ(serialization.Root["Factory"]["Game_Objects"].size(), 0u);
}

// The objects of the world as comparable records, in creation order: the number
// of components, then the Transform's values and the Body's (after a -1) where there are such.
std::vector<std::vector<float>> DescribeWorld() {
  std::vector<std::vector<float>> records;
  for (const auto& [id, object] : Factory::Instance().Objects) {
    std::vector<float> record{static_cast<float>(object->Components.size())};
    if (auto* t = object->GetComponent<Transform>()) {
      record.insert(record.end(), {t->Position.x, t->Position.y, t->Scale.x, t->Scale.y, t->Rotation, t->ZLayer});
    }
    if (auto* b = object->GetComponent<Body>()) {
      record.insert(record.end(), {-1.0f, float(b->IsStatic), float(b->IsCollidable), float(b->IsGhost), b->Bounce.X,
                                   b->Bounce.Y, b->Friction.X, b->Friction.XG, b->Friction.Y});
    }
    records.push_back(record);
  }
  return records;
}

TEST_F(SerializationSaveTest, RoundTripRebuildsTheSameObjectsComponentsAndValues) {
  WriteFileText(SlotFile(12), R"({"Physics": {"Gravity": -9.8100004196167}, "Factory": {"Game_Objects": [
    {"Transform": {"Position": {"X": 0.1, "Y": -7.25}, "Scale": {"X": 64, "Y": 1.5}, "Rotation": 0.3, "ZLayer": 2},
     "Body": {"IsStatic": true, "IsCollidable": true, "Friction": {"X": 0.9, "Y": 0.8, "XG": 0.7},
              "Bounce": {"X": 0.1, "Y": 0.2}}},
    {"Transform": {"Position": {"X": 3, "Y": 4}, "Scale": {"X": 1, "Y": 2}},
     "Body": {"IsGhost": true, "IsCollidable": false, "Friction": {"X": 1e-7, "Y": 123456.789, "XG": -0.5}}},
    {"Transform": {"Position": {"X": -1e10, "Y": 3.4e38}}},
    {},
    {"Player_Controller": ""}
  ]}})");
  serialization.CurrentLevel = 12;
  serialization.Load(SlotFile(12));
  const auto original = DescribeWorld();
  ASSERT_EQ(original.size(), 5u);
  const float gravity = Physics::Instance().Gravity;

  ASSERT_TRUE(serialization.Save(serialization.AutosavePath));
  const std::string firstSave = ReadFileText(serialization.AutosavePath);
  Physics::Instance().Gravity = 0.0f;
  serialization.Load(serialization.AutosavePath);
  EXPECT_EQ(DescribeWorld(), original);
  EXPECT_EQ(Physics::Instance().Gravity, gravity);

  // Saving the rebuilt world gives the same text again (fewer than ten objects,
  // so the key order is the creation order).
  ASSERT_TRUE(serialization.Save(dir.File("second.json")));
  EXPECT_EQ(ReadFileText(dir.File("second.json")), firstSave);
}

TEST_F(SerializationSaveTest, SuccessfulSaveReplacesTheOldFileAndLeavesNoTemporary) {
  WriteFileText(serialization.AutosavePath, "old save");
  MakePlatform({1, 2}, {3, 4});
  EXPECT_EQ(StdoutOf([&] { EXPECT_TRUE(serialization.Save(serialization.AutosavePath)); }), "Game saved\n\n");
  EXPECT_NE(ReadFileText(serialization.AutosavePath), "old save");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path), std::filesystem::directory_iterator()), 1);
}

TEST_F(SerializationSaveTest, SaveWhereNoFileCanGoFailsReportsItAndTouchesNothing) {
  // A regular file standing where the folder should be: no one, not even root, can write under it.
  WriteFileText(dir.File("blocker"), "x");
  const std::string target = dir.File("blocker") + "/autosave.json";
  MakePlatform({1, 2}, {3, 4});
  EXPECT_EQ(StdoutOf([&] { EXPECT_FALSE(serialization.Save(target)); }), "Could not open " + target + ": Not a directory\nFailed to save\n\n");
  // Root keeps the world just built.
  EXPECT_EQ(serialization.Root["Factory"]["Game_Objects"].size(), 1u);
  EXPECT_EQ(ReadFileText(dir.File("blocker")), "x");

  // A save folder that cannot be made says why; one removed while playing is made again.
  const std::string deeper = dir.File("blocker") + "/Tumbrix/autosave.json";
  EXPECT_EQ(StdoutOf([&] { EXPECT_FALSE(serialization.Save(deeper)); }),
            "Could not open " + deeper + ": cannot make the folder " + dir.File("blocker") +
                "/Tumbrix (Not a directory)\nFailed to save\n\n");
  const std::string gone = dir.File("gone") + "/Tumbrix/autosave.json";
  EXPECT_TRUE(serialization.Save(gone));
  EXPECT_TRUE(serialization.Load(gone));

  // A folder (with a file in it) where the save should go: the rename fails, the folder stays.
  const std::string occupied = dir.File("occupied");
  WriteFileText(occupied + "/keep.txt", "keep");
  const std::string output = StdoutOf([&] { EXPECT_FALSE(serialization.Save(occupied)); });
  EXPECT_NE(output.find("Could not replace " + occupied), std::string::npos) << output;
  EXPECT_NE(output.find("Failed to save\n\n"), std::string::npos);
  EXPECT_EQ(ReadFileText(occupied + "/keep.txt"), "keep");
  EXPECT_FALSE(std::filesystem::exists(occupied + ".tmp"));
}

TEST_F(SerializationSaveTest, SaveInterruptedPartWayLeavesThePreviousAutosaveIntact) {
  MakePlatform({1, 2}, {3, 4});
  ASSERT_TRUE(serialization.Save(serialization.AutosavePath));
  const std::string previous = ReadFileText(serialization.AutosavePath);

  for (int i = 0; i < 5; ++i) MakePlatform({9, 9}, {1, 1});
  // A full disk, as the system reports it: every write to /dev/full fails for lack of space.
  std::filesystem::create_symlink("/dev/full", serialization.AutosavePath + ".tmp");
  EXPECT_EQ(StdoutOf([&] { EXPECT_FALSE(serialization.Save(serialization.AutosavePath)); }),
            "Could not write " + serialization.AutosavePath + ": No space left on device\nFailed to save\n\n");
  EXPECT_EQ(ReadFileText(serialization.AutosavePath), previous);
  EXPECT_FALSE(std::filesystem::is_symlink(serialization.AutosavePath + ".tmp"));

  std::size_t offered = 0;
  // The disk fills up half way through the text.
  serialization.WriteText = [&offered](std::ostream& out, const std::string& text) {
    offered = text.size();
    out.write(text.data(), static_cast<std::streamsize>(text.size() / 2));
    return false;
  };
  const std::string output = StdoutOf([&] { EXPECT_FALSE(serialization.Save(serialization.AutosavePath)); });
  EXPECT_NE(output.find("Failed to save\n\n"), std::string::npos);
  EXPECT_GT(offered, previous.size());
  EXPECT_EQ(ReadFileText(serialization.AutosavePath), previous);
  EXPECT_FALSE(std::filesystem::exists(serialization.AutosavePath + ".tmp"));

  // A stream that goes bad after a complete write (a failed flush) is a failure too.
  serialization.WriteText = [](std::ostream& out, const std::string& text) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.setstate(std::ios::badbit);
    return true;
  };
  StdoutOf([&] { EXPECT_FALSE(serialization.Save(serialization.AutosavePath)); });
  EXPECT_EQ(ReadFileText(serialization.AutosavePath), previous);

  // With the disk back, the save goes through and the autosave loads the six objects.
  serialization.WriteText = nullptr;
  EXPECT_TRUE(serialization.Save(serialization.AutosavePath));
  serialization.Load(serialization.AutosavePath);
  EXPECT_EQ(Factory::Instance().Objects.size(), 6u);
}

}  // namespace
}  // namespace Framework
