// The editor in the running game: F4 pauses the world under it and gives play
// back where it was; its keys act only while it is open; the mouse selects,
// drags on the grid or freely, boxes and zooms.
#include "editor/EditorSession.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "engine/Engine.h"
#include "levels/Serialization.h"
#include "objects/Transform.h"
#include "support/Scenario.h"

namespace Framework {
namespace {

Vec2 PositionOf(const EditorDocument& document, EditorHandle handle) {
  return document.Object(handle)->GetComponent<Transform>()->Position;
}

void Click(EditorSession& editor, Vec2 from, Vec2 to, std::uint16_t modifiers = 0) {
  editor.PointerDown(from, SDL_BUTTON_LEFT, modifiers);
  editor.PointerMove(to, modifiers);
  editor.PointerUp(to, SDL_BUTTON_LEFT, modifiers);
}

TEST(EditorSessionTest, F4EditsOverAPausedWorldAndGivesPlayBackWhereItWas) {
  Scenario s;
  s.LoadLevel(LevelText().Player({0, 1}).Platform({0, -1}, {40, 2}).Platform({10, 5}, {2, 1}).Text());
  EditorSession& editor = EditorSession::Instance();
  Camera view;
  view.Position = {3, 4, 0};
  editor.View = &view;
  s.Press(Keys::Right);
  s.Run(Seconds(0.5));

  EXPECT_FALSE(editor.OnKey(SDLK_g, 0));
  EXPECT_FALSE(editor.OnKey(SDLK_z, KMOD_CTRL));  // Ctrl+Z is the game's z while closed
  ASSERT_TRUE(editor.OnKey(SDLK_F4, 0));
  ASSERT_TRUE(editor.IsOpen());
  const Vec2 stopped = s.PlayerPosition();
  s.Run(Seconds(0.5));
  EXPECT_EQ(s.PlayerPosition(), stopped);

  // Grab the small platform and drag it: its corner lands on the grid; Alt moves freely.
  Click(editor, {10, 5}, {12.3f, 5.2f});
  ASSERT_EQ(editor.Document.Selection().size(), 1u);
  const EditorHandle platform = editor.Document.Selection()[0];
  EXPECT_EQ(PositionOf(editor.Document, platform), Vec2(12, 5.5f));
  Click(editor, {12, 5.5f}, {12.3f, 5.5f}, KMOD_ALT);
  EXPECT_EQ(PositionOf(editor.Document, platform), Vec2(12.3f, 5.5f));
  EXPECT_TRUE(editor.OnKey(SDLK_g, 0));
  EXPECT_FALSE(editor.GridOn);
  EXPECT_TRUE(editor.OnKey(SDLK_z, KMOD_CTRL));
  EXPECT_TRUE(editor.OnKey(SDLK_z, KMOD_CTRL));
  EXPECT_EQ(PositionOf(editor.Document, platform), Vec2(10, 5));
  EXPECT_TRUE(editor.OnKey(SDLK_y, KMOD_CTRL));
  EXPECT_EQ(PositionOf(editor.Document, platform), Vec2(12, 5.5f));

  // A box over empty space takes what lies inside it; Ctrl+D and Delete act on it.
  const std::size_t objects = s.ObjectCount();
  Click(editor, {8.5f, 4}, {14, 7});
  EXPECT_EQ(editor.Document.Selection(), std::vector<EditorHandle>{platform});
  // Its upper right handle pulled out: the lower left corner stays, the other lands on the grid.
  EXPECT_TRUE(editor.OnKey(SDLK_g, 0));
  Click(editor, {13, 6}, {14.2f, 7.1f});
  const Transform* resized = editor.Document.Object(platform)->GetComponent<Transform>();
  EXPECT_EQ(resized->Position, Vec2(12.5f, 6));
  EXPECT_EQ(resized->Scale, Vec2(3, 2));
  EXPECT_TRUE(editor.OnKey(SDLK_z, KMOD_CTRL));
  EXPECT_TRUE(editor.OnKey(SDLK_d, KMOD_CTRL));
  EXPECT_EQ(s.ObjectCount(), objects + 1);
  EXPECT_TRUE(editor.OnKey(SDLK_DELETE, 0));
  EXPECT_EQ(s.ObjectCount(), objects);
  Click(editor, {0, 30}, {0, 30});  // a click on nothing
  EXPECT_TRUE(editor.Document.Selection().empty());

  // The wheel zooms about the mouse: the point under it stays put.
  const float height = view.ViewHalfHeight;
  editor.Wheel(2, {3, 10});
  EXPECT_LT(view.ViewHalfHeight, height);
  EXPECT_NEAR(view.Position.x, 3.0f, 1e-4f);
  EXPECT_LT(view.Position.y, 10.0f);
  EXPECT_GT(view.Position.y, 4.0f);

  // F5 plays from the mouse; Escape brings back the level and its history untouched.
  const Json::Value edited = Serialization::Instance().WriteLevel(editor.Document.Objects());
  const std::size_t listed = editor.Document.Order().size();
  editor.PointerMove({-5, 8}, 0);
  ASSERT_TRUE(editor.OnKey(SDLK_F5, 0));
  EXPECT_EQ(s.PlayerPosition(), Vec2(-5, 8));
  s.Run(Seconds(1));
  EXPECT_LT(s.PlayerPosition().y, 2.0f);
  ASSERT_TRUE(editor.OnKey(SDLK_ESCAPE, 0));
  EXPECT_TRUE(Engine::Instance().Paused);
  EXPECT_EQ(s.PlayerPosition(), stopped);
  EXPECT_TRUE(Serialization::Instance().WriteLevel(editor.Document.Objects()) == edited);
  ASSERT_TRUE(editor.Document.Undo());  // the deleted copy comes back
  EXPECT_EQ(editor.Document.Order().size(), listed + 1);

  // Unsaved edits make quitting ask through a menu; the menu has the camera while it
  // is up, and the editor's view comes back when it goes.
  EXPECT_TRUE(editor.UnsavedEdits());
  bool menu = true;
  editor.MenuShown = [&] { return menu; };
  editor.Update(Scenario::Step, true);
  EXPECT_FALSE(editor.HoldsCamera());
  const Vec3 editing = view.Position;
  view.Position = {50, 50, 0};
  menu = false;
  editor.Update(Scenario::Step, true);
  EXPECT_EQ(view.Position, editing);
  editor.MenuShown = nullptr;

  // A restart builds a new world: the editor follows it.
  s.LoadSlot(10);
  editor.Update(Scenario::Step, true);
  EXPECT_EQ(editor.Document.Order().size(), 3u);
  EXPECT_EQ(PositionOf(editor.Document, editor.Document.Order()[2]), Vec2(10, 5));

  // 2 hides the play band from the drawing (1 and 3 are the bands behind and in front);
  // F1 shows the key card and Escape hides it, leaving the editor open.
  EXPECT_TRUE(editor.OnKey(SDLK_2, 0));
  EXPECT_FALSE(editor.DepthShown(0.5f));
  EXPECT_TRUE(editor.DepthShown(0.9f));
  EXPECT_TRUE(editor.OnKey(SDLK_F1, 0));
  EXPECT_TRUE(editor.KeyCardShown());
  EXPECT_TRUE(editor.OnKey(SDLK_ESCAPE, 0));
  EXPECT_FALSE(editor.KeyCardShown());
  ASSERT_TRUE(editor.OnKey(SDLK_F4, 0));
  EXPECT_FALSE(editor.IsOpen());
  EXPECT_TRUE(editor.DepthShown(0.5f));  // every band comes back with play
  EXPECT_FALSE(Engine::Instance().Paused);
  EXPECT_EQ(view.Position, Vec3(3, 4, 0));
  EXPECT_EQ(view.ViewHalfHeight, height);
  const Vec2 resumed = s.PlayerPosition();
  s.Run(Seconds(0.5));
  EXPECT_GT(s.PlayerPosition().x, resumed.x);
  editor.View = nullptr;
}

SDL_Event Typed(const char* text) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  std::snprintf(event.text.text, sizeof event.text.text, "%s", text);
  return event;
}

TEST(EditorSessionTest, WhileAValueIsTypedEveryKeyIsTheFieldsAndEnterMakesItOneUndoStep) {
  Scenario s;
  s.LoadLevel(LevelText().Player({0, 1}).Platform({0, -1}, {40, 2}).Text());
  EditorSession& editor = EditorSession::Instance();
  ASSERT_TRUE(editor.OnKey(SDLK_F4, 0));
  const EditorHandle floor = editor.Document.Order()[1];
  editor.Document.Select({floor});
  auto rotation = [&] { return editor.Document.Object(floor)->GetComponent<Transform>()->Rotation; };

  ASSERT_TRUE(editor.Properties.Begin(editor.Document, "Transform.Rotation"));
  EXPECT_TRUE(editor.OnEvent(Typed("0.2")));
  // Delete, the band keys and G would edit the level or the view: here they are the field's.
  for (SDL_Keycode key : {SDLK_DELETE, SDLK_1, SDLK_g, SDLK_BACKSPACE}) EXPECT_TRUE(editor.OnKey(key, 0));
  EXPECT_TRUE(editor.OnEvent(Typed("5")));
  EXPECT_EQ(rotation(), 0.0f);  // nothing changes before Enter
  EXPECT_TRUE(editor.OnKey(SDLK_RETURN, 0));
  EXPECT_EQ(rotation(), 0.5f);
  EXPECT_EQ(editor.Document.Selection(), std::vector<EditorHandle>{floor});
  EXPECT_TRUE(editor.GridOn);
  EXPECT_TRUE(editor.DepthShown(0.9f));

  // Escape drops what was typed; the value left is one step, which Ctrl+Z takes back.
  ASSERT_TRUE(editor.Properties.Begin(editor.Document, "Transform.Rotation"));
  EXPECT_TRUE(editor.OnEvent(Typed("3")));
  EXPECT_TRUE(editor.OnKey(SDLK_ESCAPE, 0));
  EXPECT_FALSE(editor.Properties.Editing());
  EXPECT_EQ(rotation(), 0.5f);
  EXPECT_TRUE(editor.OnKey(SDLK_z, KMOD_CTRL));
  EXPECT_EQ(rotation(), 0.0f);
  EXPECT_FALSE(editor.Document.CanUndo());
}

}  // namespace
}  // namespace Framework
