// The editor in the running game: F4 pauses the world under it and gives play
// back where it was; its keys act only while it is open; the mouse selects,
// drags on the grid or freely, boxes and zooms.
#include "editor/EditorSession.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "editor/Replay.h"
#include "engine/Engine.h"
#include "levels/Serialization.h"
#include "objects/Transform.h"
#include "support/Capture.h"
#include "support/Files.h"
#include "support/Scenario.h"
#include "support/TempFolder.h"

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

TEST(EditorSessionTest, UnsavedEditsAreBackedUpEveryMinuteAndALevelChangedOnDiskIsReloaded) {
  Scenario s;
  s.LoadLevel(LevelText().Player({0, 1}).Platform({0, -1}, {40, 2}).Platform({10, 5}, {2, 1}).Text());
  TempFolder backups{"tumbrix-backups"};
  EditorSession& editor = EditorSession::Instance();
  editor.Backup.Folder = backups.Path;
  std::uint32_t now = 0;
  editor.Clock = [&] { return now; };
  const std::string level = Serialization::Instance().LevelFiles[10];
  const std::string backup = editor.Backup.FileFor(level).string();
  ASSERT_TRUE(editor.OnKey(SDLK_F4, 0));
  Click(editor, {10, 5}, {14, 5});
  editor.Update(Scenario::Step, true);
  now += EditorBackup::kInterval - 1;
  editor.Update(Scenario::Step, true);
  EXPECT_FALSE(std::filesystem::exists(backup));
  now += 1;
  editor.Update(Scenario::Step, true);
  EXPECT_NE(ReadFileText(backup).find("\"X\": 14.0"), std::string::npos) << ReadFileText(backup);

  // A crash: the next run opens the editor on the level as its file has it, and is offered the edit back.
  ASSERT_TRUE(editor.OnKey(SDLK_F4, 0));
  s.LoadSlot(10);
  editor.Backup = EditorBackup();
  editor.Backup.Folder = backups.Path;
  std::function<void()> yes;
  editor.Ask = [&](const std::u16string&, std::function<void()> y, std::function<void()>) { yes = std::move(y); };
  ASSERT_TRUE(editor.OnKey(SDLK_F4, 0));
  ASSERT_TRUE(yes);
  yes();
  const EditorHandle platform = editor.Document.Order()[2];
  EXPECT_EQ(PositionOf(editor.Document, platform), Vec2(14, 5.5f));
  ASSERT_TRUE(editor.Document.Undo());
  EXPECT_EQ(PositionOf(editor.Document, platform), Vec2(10, 5));
  ASSERT_TRUE(editor.Document.Redo());
  ASSERT_TRUE(editor.OnKey(SDLK_s, KMOD_CTRL));
  EXPECT_FALSE(std::filesystem::exists(backup));

  // Another program rewrites the level: the next look at the file reloads it as one undoable step.
  WriteFileText(level, LevelText().Player({0, 1}).Platform({0, -1}, {40, 2}).Platform({20, 8}, {2, 1}).Text());
  now += LevelWatch::kPollInterval;
  editor.Update(Scenario::Step, true);
  EXPECT_EQ(PositionOf(editor.Document, platform), Vec2(20, 8));
  EXPECT_FALSE(editor.UnsavedEdits());
  ASSERT_TRUE(editor.Document.Undo());
  EXPECT_EQ(PositionOf(editor.Document, platform), Vec2(14, 5.5f));
  editor.Close();
  editor.Clock = nullptr;
  editor.Ask = nullptr;
}

// A run to the right with spikes to jump on the way: a replay off by a frame or a
// unit lands on them.
std::string SpikedRun(bool withExit) {
  LevelText level;
  level.Player({0, 1}).Platform({0, -1}, {40, 2}).Spikes({7, 0.5f}, {2, 1});
  if (withExit) {
    level.Entry(R"({"Name": "Exit", "Transform": {"Position": {"X": 15, "Y": 10}, "Scale": {"X": 2, "Y": 20},
      "Rotation": 0, "ZLayer": 0.7}, "Body": {"IsStatic": true, "IsGhost": true, "IsCollidable": true,
      "Friction": {"X": 0.99, "XG": 0.9, "Y": 0.99}, "Bounce": {"X": 0, "Y": 0}},
      "WinTriggerScript": ""})");
  }
  return level.Text();
}

TEST(EditorSessionTest, F6RecordsAReplayTheHarnessPlaysToTheSameEnd) {
  TempFolder route{"tumbrix-route"};
  const std::string level = route.File("Save10.json"), replay = Replay::FileFor(level).string();
  {
    Scenario s;
    s.LoadLevel(SpikedRun(true));
    WriteFileText(Serialization::Instance().LevelFiles[11], SpikedRun(false));
    EditorSession& editor = EditorSession::Instance();
    s.RunAfterInput(&editor);
    ASSERT_TRUE(editor.OnKey(SDLK_F4, 0));
    editor.PointerMove({-3, 1}, 0);
    ASSERT_TRUE(editor.OnKey(SDLK_F5, 0));
    s.Hold(Keys::Left, Seconds(0.4));  // played before F6: the recording starts over from the start
    s.AtWindowStep([&] { editor.OnKey(SDLK_F6, 0); });
    ASSERT_TRUE(editor.Recording());
    s.Press(Keys::Right);
    ASSERT_TRUE(s.RunUntil([&] { return s.PlayerPosition().x > 4.5f; }, Seconds(3))) << s.Where();
    s.Hold(Keys::Jump, Seconds(0.2));
    const std::string said = StdoutOf([&] { s.RunUntil([&] { return !editor.Recording(); }, Seconds(10)); });
    const std::string written = Replay::FileFor(Serialization::Instance().LevelFiles[10]).string();
    EXPECT_NE(said.find("saved to " + std::filesystem::absolute(written).string()), std::string::npos) << said;
    EXPECT_FALSE(editor.Testing());  // the win ended the test
    EXPECT_EQ(Serialization::Instance().LastLevel, 10);  // and left the player's progress alone
    WriteFileText(level, ReadFileText(Serialization::Instance().LevelFiles[10]));
    WriteFileText(replay, ReadFileText(written));
    // Stopped by F6, a replay keeps where the player stood, and the harness must end there.
    ASSERT_TRUE(editor.OnKey(SDLK_F5, 0));
    s.AtWindowStep([&] { editor.OnKey(SDLK_F6, 0); });
    s.Hold(Keys::Right, Seconds(0.7));
    s.Hold(Keys::Jump, Seconds(0.2));
    s.AtWindowStep([&] { editor.OnKey(SDLK_F6, 0); });
    WriteFileText(route.File("Short.json"), ReadFileText(level));
    WriteFileText(route.File("Short.replay.json"), ReadFileText(written));
    editor.Close();
  }
  {
    Scenario s(3);
    EXPECT_TRUE(s.PlayReplay(route.File("Short.replay.json")));
    EXPECT_GT(s.PlayerPosition().y, 1.5f) << s.Where();  // in the air, mid-jump
  }
  {
    Scenario s(7);  // the replay's own seed decides
    WriteFileText(Serialization::Instance().LevelFiles[11], SpikedRun(false));
    ASSERT_TRUE(s.PlayReplay(replay));
    EXPECT_EQ(s.Level(), 11) << s.Where();
  }
  WriteFileText(level, SpikedRun(false));
  Scenario s;
  ASSERT_TRUE(s.PlayReplay(replay));
  EXPECT_EQ(s.Level(), 10) << s.Where();
  EXPECT_GT(s.PlayerPosition().x, 15.0f) << s.Where();  // over the spikes and past where the exit stood
}

}  // namespace
}  // namespace Framework
