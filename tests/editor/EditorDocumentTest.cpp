// The editing model on a loaded world: what selects what, and every command with
// its undo and redo, seen on the objects themselves.
#include "editor/EditorDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include <glm/common.hpp>
#include <json/writer.h>

#include "editor/EditorPalette.h"
#include "editor/PropertyPanel.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "objects/FactoryTable.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "support/Capture.h"
#include "support/Scenario.h"

namespace Framework {
namespace {

// The whole world as the level writer sees it: what undo must bring back exactly.
Json::Value WorldOf(const EditorDocument& document) {
  return Serialization::Instance().WriteLevel(document.Objects());
}

Vec2 PositionOf(const EditorDocument& document, EditorHandle handle) {
  return document.Object(handle)->GetComponent<Transform>()->Position;
}

TEST(EditorDocumentTest, ClicksBoxesAndShiftClicksSelectTheObjectsAPlayerSees) {
  Scenario s;
  // A wide floor far back, a block in front of it, and one apart.
  s.LoadLevel(LevelText()
                  .Platform({0, 0}, {40, 4})
                  .Entry(R"({"Transform": {"Position": {"X": 2, "Y": 0}, "Scale": {"X": 2, "Y": 2}, "ZLayer": 0.05}})")
                  .Platform({10, 10}, {2, 2})
                  .Text());
  EditorDocument document;
  document.Open();
  ASSERT_EQ(document.Order().size(), 3u);
  const EditorHandle floor = document.Order()[0], block = document.Order()[1], apart = document.Order()[2];

  document.SelectAt({2.5f, 0.5f}, false);
  EXPECT_EQ(document.Selection(), std::vector<EditorHandle>{block});  // the nearer one
  document.SelectAt({-15, 0}, false);
  EXPECT_EQ(document.Selection(), std::vector<EditorHandle>{floor});
  document.SelectAt({10, 10}, true);
  EXPECT_EQ(document.Selection(), (std::vector<EditorHandle>{floor, apart}));
  document.SelectAt({10, 10}, true);  // shift-click again takes it out
  EXPECT_EQ(document.Selection(), std::vector<EditorHandle>{floor});
  document.SelectAt({0, 30}, false);
  EXPECT_TRUE(document.Selection().empty());

  // Only what lies wholly inside the box: the floor sticks out of it.
  document.SelectBox({-5, -5}, {12, 12}, false);
  EXPECT_EQ(document.Selection(), (std::vector<EditorHandle>{block, apart}));

  // The block stands in the foreground band: hidden, it leaves the selection and
  // neither a click nor a box finds it; the floor behind it is clicked instead.
  document.ShowBand(EditorDocument::Band::Foreground, false);
  EXPECT_EQ(document.Selection(), std::vector<EditorHandle>{apart});
  document.SelectAt({2.5f, 0.5f}, false);
  EXPECT_EQ(document.Selection(), std::vector<EditorHandle>{floor});
  document.SelectBox({-5, -5}, {12, 12}, false);
  EXPECT_EQ(document.Selection(), std::vector<EditorHandle>{apart});
}

TEST(EditorDocumentTest, EveryCommandChangesTheWorldAndUndoRedoBringBackEachSideExactly) {
  Scenario s;
  s.UseShippedLevels();
  s.LoadSlot(11);
  EditorDocument document;
  document.Open();
  const Json::Value original = WorldOf(document);
  const std::size_t count = document.Order().size();
  const EditorHandle first = document.Order()[1];
  const Vec2 start = PositionOf(document, first);
  const Vec2 size = document.Object(first)->GetComponent<Transform>()->Scale;

  // Each step: check what it did, undo to the world before it, redo to the world after it.
  auto step = [&](const char* name, const std::function<bool()>& command, const std::function<void()>& check) {
    SCOPED_TRACE(name);
    const Json::Value before = WorldOf(document);
    ASSERT_TRUE(command());
    check();
    const Json::Value after = WorldOf(document);
    ASSERT_TRUE(document.Undo());
    EXPECT_TRUE(WorldOf(document) == before);
    ASSERT_TRUE(document.Redo());
    EXPECT_TRUE(WorldOf(document) == after);
    check();
  };

  document.Select({first});
  step("free move", [&] { return document.Move({0.3f, -0.2f}, false); },
       [&] { EXPECT_EQ(PositionOf(document, first), start + Vec2(0.3f, -0.2f)); });
  step("snapped move", [&] { return document.Move({0.4f, 0.0f}, true); }, [&] {
    const Vec2 corner = PositionOf(document, first) - size * 0.5f;
    EXPECT_EQ(corner, glm::round(corner));
  });
  step("resize", [&] { return document.Resize(first, {0, 0}, {6, -2}); }, [&] {
    const Transform* t = document.Object(first)->GetComponent<Transform>();
    EXPECT_EQ(t->Position, Vec2(3, -1));
    EXPECT_EQ(t->Scale, Vec2(6, 2));
  });
  document.SelectBox({-1000, -1000}, {1000, 1000}, false);
  const std::size_t many = document.Selection().size();
  const std::size_t live = s.ObjectCount();
  ASSERT_GT(many, count / 2);
  step("delete", [&] { return document.Delete(); }, [&] {
    EXPECT_EQ(document.Order().size(), count - many);
    EXPECT_EQ(s.ObjectCount(), live - many);
  });
  ASSERT_TRUE(document.Undo());
  document.Select({first});
  step("duplicate", [&] { return document.Duplicate({1, 1}); }, [&] {
    ASSERT_EQ(document.Selection().size(), 1u);
    EXPECT_NE(document.Selection()[0], first);
    EXPECT_EQ(PositionOf(document, document.Selection()[0]), PositionOf(document, first) + Vec2(1, 1));
  });
  document.Select({first});
  const std::string copied = document.Copy();
  step("paste", [&] { return document.Paste(copied, Vec2{100, 50}); }, [&] {
    EXPECT_EQ(document.Order().size(), count + 2);
    EXPECT_EQ(PositionOf(document, document.Selection()[0]), Vec2(100, 50));
  });
  document.Select({first});
  step("property", [&] { return document.SetProperty(first, "Body.Friction.X", 0.5); },
       [&] { EXPECT_EQ(document.Object(first)->GetComponent<Body>()->Friction.X, 0.5f); });

  // Refused edits change nothing and leave no step behind.
  const Json::Value before = WorldOf(document);
  const std::string refusals = StdoutOf([&] {
    EXPECT_FALSE(document.SetProperty(first, "Body.Nothing", 1));
    EXPECT_FALSE(document.SetProperty(first, "Transform.Rotation", "sideways"));
    EXPECT_FALSE(document.Paste("not json"));
  });
  EXPECT_EQ(CountOf(refusals, "\n"), 3) << refusals;
  EXPECT_TRUE(WorldOf(document) == before);

  while (document.Undo()) {}
  EXPECT_TRUE(WorldOf(document) == original);
  EXPECT_FALSE(document.Modified());
}

Vec2 FieldOf(const EditorDocument& document, EditorHandle handle, const char* component, const char* field) {
  const Json::Value entry = Serialization::Instance().WriteEntry(*document.Object(handle));
  return {entry[component][field]["X"].asFloat(), entry[component][field]["Y"].asFloat()};
}

TEST(EditorDocumentTest, ADragFollowsTheMouseAtOnceAndUndoesAsOneStep) {
  Scenario s;
  // A moving platform's track and a drifting saw's box are world places that travel with them.
  s.LoadLevel(LevelText()
                  .Platform({0, 0}, {3, 1})
                  .Entry(R"({"Transform": {"Position": {"X": 0, "Y": 5}, "Scale": {"X": 2, "Y": 1}},
                            "MovingPlatformScript": {"Delay": 2, "Speed": 1, "Point1": {"X": 0, "Y": 5},
                                                     "Point2": {"X": 6, "Y": 5}}})")
                  .Entry(R"({"Transform": {"Position": {"X": 10, "Y": 5}, "Scale": {"X": 1, "Y": 1}},
                            "DynamicHazardScript": {"Rate": {"X": 1, "Y": 0}, "Min": {"X": 8, "Y": 3},
                                                    "Max": {"X": 12, "Y": 7}}})")
                  .Text());
  EditorDocument document;
  document.Open();
  const EditorHandle platform = document.Order()[0], mover = document.Order()[1], saw = document.Order()[2];
  document.Select({mover, saw});
  ASSERT_TRUE(document.Move({2, -1}, false));
  EXPECT_EQ(PositionOf(document, mover), Vec2(2, 4));
  EXPECT_EQ(FieldOf(document, mover, "MovingPlatformScript", "Point2"), Vec2(8, 4));
  EXPECT_EQ(FieldOf(document, saw, "DynamicHazardScript", "Max"), Vec2(14, 6));
  document.BeginDrag();
  document.DragBy({-1, 0}, false);
  ASSERT_TRUE(document.EndDrag());
  EXPECT_EQ(PositionOf(document, mover), Vec2(1, 4));
  EXPECT_EQ(FieldOf(document, saw, "DynamicHazardScript", "Max"), Vec2(13, 6));
  ASSERT_TRUE(document.Undo());
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(PositionOf(document, mover), Vec2(0, 5));
  EXPECT_EQ(FieldOf(document, mover, "MovingPlatformScript", "Point2"), Vec2(6, 5));
  EXPECT_EQ(FieldOf(document, saw, "DynamicHazardScript", "Min"), Vec2(8, 3));

  document.Select({platform});
  document.BeginDrag();
  document.DragBy({1.2f, 0.0f}, false);
  EXPECT_EQ(PositionOf(document, platform), Vec2(1.2f, 0));
  document.DragBy({2.2f, 0.3f}, true);  // the lower left corner (0.7, -0.2) lands on (1, 0)
  EXPECT_EQ(PositionOf(document, platform), Vec2(2.5f, 0.5f));
  ASSERT_TRUE(document.EndDrag());
  EXPECT_EQ(document.Object(platform)->GetComponent<Body>()->Position, Vec2(2.5f, 0.5f));
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(PositionOf(document, platform), Vec2(0, 0));
  EXPECT_FALSE(document.CanUndo());
}

Json::Value EntryOf(const EditorDocument& document, EditorHandle handle) {
  return Serialization::Instance().WriteEntry(*document.Object(handle));
}

TEST(EditorDocumentTest, EachPaletteKindPlacesWhatItsLevelEntryBuildsOnTheGridAndUndoTakesItAway) {
  Scenario s;
  s.UseShippedLevels();
  s.LoadSlot(10);
  EditorDocument document;
  document.Open();
  const GameObject* player = Factory::Instance().Player;
  const std::size_t live = s.ObjectCount();
  EditorPalette palette;
  palette.Collect(EditorPalette::GameLevelFiles());
  // Writing the archetypes' templates leaves the world and its player as they were.
  EXPECT_EQ(s.ObjectCount(), live);
  EXPECT_EQ(Factory::Instance().Player, player);
  for (std::int32_t command = 0; command <= FactoryCommand::LastArchetype; ++command) {
    if (const Archetype* archetype = FindArchetype(command)) {
      EXPECT_TRUE(palette.Find(EditorPalette::kArchetypes, std::string(archetype->Name))) << archetype->Name;
    }
  }
  struct Kind {
    const char* Group;
    const char* Label;
    std::vector<const char*> Components;
  };
  const std::vector<Kind> kinds = {
      {EditorPalette::kArchetypes, "Platform", {"Body", "Sprite"}},
      {EditorPalette::kArchetypes, "Player", {"Body", "Player_Controller"}},
      {EditorPalette::kArchetypes, "DynamicHazard", {"Body", "DynamicHazardScript", "Sprite"}},
      {EditorPalette::kObjects, "Spikes", {"Body", "StaticHazardScript"}},
      {EditorPalette::kObjects, "Saw", {"Body", "DynamicHazardScript", "Sprite"}},
      {EditorPalette::kObjects, "Crate", {"Body", "BoomReactScript", "Sprite"}},
      {EditorPalette::kObjects, "Enemy", {"EnemyScript", "EnemyTriggerScript", "PlayerAnimationScript"}},
      {EditorPalette::kObjects, "Moving platform", {"Body", "MovingPlatformScript"}},
      {EditorPalette::kObjects, "Pusher", {"PusherScript", "Sprite"}},
      {EditorPalette::kObjects, "Exit", {"Body", "WinTriggerScript"}},
      {EditorPalette::kScenery, "tree", {"Sprite"}},
  };
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.Label);
    palette.Chosen = palette.Find(kind.Group, kind.Label);
    ASSERT_TRUE(palette.Chosen);
    ASSERT_TRUE(palette.PlaceChosen(document, {3.3f, 7.6f}, true));
    ASSERT_EQ(document.Selection().size(), 1u);
    const Json::Value entry = EntryOf(document, document.Selection()[0]);
    for (const char* component : kind.Components) EXPECT_TRUE(entry.isMember(component)) << component;
    const Transform* t = document.Object(document.Selection()[0])->GetComponent<Transform>();
    const Vec2 corner = t->Position - glm::abs(t->Scale) * 0.5f;
    const Vec2 miss = glm::abs(corner - glm::round(corner));
    EXPECT_TRUE(miss.x < 1e-4f && miss.y < 1e-4f);  // odd sizes halve with a rounding error
    const Vec2 off = glm::abs(t->Position - Vec2(3.3f, 7.6f));
    EXPECT_TRUE(off.x <= 0.5f && off.y <= 0.5f);
    EXPECT_EQ(s.ObjectCount(), live + 1);
    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(s.ObjectCount(), live);
    EXPECT_EQ(Factory::Instance().Player, player);
  }
  EXPECT_FALSE(document.Modified());
}

TEST(EditorDocumentTest, AValueTypedForAFieldBuildsWhatALevelHoldingItLoadsAndBadTextIsRefused) {
  Scenario s;
  const std::string ledge = LevelText().Platform({2, 1}, {4, 1}).Text();
  s.LoadLevel(ledge);
  EditorDocument document;
  document.Open();
  const EditorHandle handle = document.Order()[0];
  const Json::Value original = EntryOf(document, handle);
  // The name first, then each component's fields, nested blocks under their headings.
  const std::vector<PropertyPanel::Row> rows = PropertyPanel::RowsOf(original);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0].Path, "Name");
  EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](const PropertyPanel::Row& row) {
    return row.Path == "Body.Friction.XG" && row.Depth == 2 && row.Value.isNumeric();
  }));

  const std::vector<std::pair<const char*, const char*>> edits = {
      {"Transform.Rotation", " 0.5"}, {"Body.IsGhost", "true"}, {"Body.Friction.XG", "0.1"}, {"Name", "Bridge"}};
  for (const auto& [path, text] : edits) EXPECT_TRUE(PropertyPanel::Apply(document, handle, path, text)) << path;
  const Json::Value edited = EntryOf(document, handle);
  Json::Value typed = original;
  typed["Transform"]["Rotation"] = 0.5;
  typed["Body"]["IsGhost"] = true;
  typed["Body"]["Friction"]["XG"] = 0.1;
  typed["Name"] = "Bridge";

  const std::string refusals = StdoutOf([&] {
    EXPECT_FALSE(PropertyPanel::Apply(document, handle, "Transform.Scale.X", "wide"));
    EXPECT_FALSE(PropertyPanel::Apply(document, handle, "Transform.Position.X", "1e39"));  // the loader's refusal
    EXPECT_FALSE(PropertyPanel::Apply(document, handle, "Body.IsStatic", "maybe"));
  });
  EXPECT_EQ(CountOf(refusals, "\n"), 3) << refusals;
  EXPECT_TRUE(EntryOf(document, handle) == edited);
  for (std::size_t i = 0; i < edits.size(); ++i) ASSERT_TRUE(document.Undo());
  EXPECT_FALSE(document.CanUndo());
  EXPECT_TRUE(EntryOf(document, handle) == original);

  s.LoadLevel(LevelText().Entry(Json::writeString(Json::StreamWriterBuilder(), typed)).Text());
  document.Open();
  EXPECT_TRUE(EntryOf(document, document.Order()[0]) == edited);
}

}  // namespace
}  // namespace Framework
