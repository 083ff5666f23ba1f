// The editing model on a loaded world: what selects what, and every command with
// its undo and redo, seen on the objects themselves.
#include "editor/EditorDocument.h"

#include <gtest/gtest.h>

#include <glm/common.hpp>

#include "levels/Serialization.h"
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

}  // namespace
}  // namespace Framework
