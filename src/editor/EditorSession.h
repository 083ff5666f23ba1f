// EditorSession: the level editor inside the running game. F4 on a game level
// pauses the world and opens the editor over it; F4 again gives play back with the
// camera and the pause as they were. While it is open the left button selects and
// moves objects (or draws a box from empty space), the corner handles of a lone
// selected object resize it, the right button draws a box,
// the wheel zooms, the middle button and the arrow keys pan, and its own keys edit (G, Delete, Ctrl+D, Ctrl+Z, Ctrl+Y, Ctrl+A, Ctrl+C,
// Ctrl+V, Ctrl+S); 1, 2 and 3 hide or show the background, play and foreground
// bands, Tab the palette (place objects) and P the property panel, and F1 shows a card of all of them. Every other key keeps its meaning in the game. The input calls
// take world units and SDL's modifier bits, so tests drive them without a window.
// F5 plays from the mouse and F6 records that play as a replay. Unsaved edits are
// backed up every minute and offered back after a crash; the level file changed
// by another program is reloaded as one step (both by the Clock it is given).
//
// Invariants: while open the world stays paused and the camera holds still but for
// the editor's own pan and zoom (a menu over the editor, such as the quit
// confirmation, moves it, and the editor's view comes back when the menu goes); closed, the session takes no input but F4 and
// leaves the world and the camera alone; the document always describes the world
// last built (a new one, after a restart or a level change, is opened afresh); a
// test play leaves the player's progress (the autosave, the last level) as it was.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "editor/EditorBackup.h"
#include "editor/EditorDocument.h"
#include "editor/EditorPalette.h"
#include "editor/LevelSaver.h"
#include "editor/PropertyPanel.h"
#include "editor/LevelWatch.h"
#include "editor/ReplayRecorder.h"
#include "engine/Engine.h"
#include "engine/InterfaceSystem.h"
#include "engine/Vec2.h"
#include "graphics/Camera.h"

namespace Framework {

class Graphics;

class EditorSession : public InterfaceSystem {
 public:
  static EditorSession& Instance();

  // Keeps the world paused, pans with held arrow keys, follows a rebuilt world.
  void Update(float dt, bool paused) override;
  // One platform event from the window; true when the editor took it.
  bool OnEvent(const SDL_Event& event);

  bool IsOpen() const { return open_; }
  // Open, not running a test and under no menu (the quit confirmation): the camera is the editor's.
  bool HoldsCamera() const { return open_ && !testing_ && !MenuUp(); }
  bool Testing() const { return testing_; }
  void Open();
  void Close();
  // F5: the player stands at the mouse and the level runs. Escape or F4 (or the
  // player dying or winning, which builds another world) puts back the level, the
  // view and the history exactly as they were before the test.
  void StartTest();
  void EndTest();
  // F6 during a test: the test starts over from its start, seeded, and is recorded
  // as a replay beside the level until F6 again, a win, a death or the test's end.
  void ToggleRecording();
  bool Recording() const { return recorder_.Recording(); }

  // A key went down with these modifiers; true when the editor acted on it.
  bool OnKey(SDL_Keycode key, std::uint16_t modifiers);
  void PointerDown(Vec2 world, std::uint8_t button, std::uint16_t modifiers);
  void PointerMove(Vec2 world, std::uint16_t modifiers);
  void PointerUp(Vec2 world, std::uint8_t button, std::uint16_t modifiers);
  // Zooms by `steps` wheel notches, keeping the point under the mouse in place.
  void Wheel(float steps, Vec2 world);

  // Selection outlines, the grid, the box being dragged and the key card, over the world.
  void Draw(Graphics& graphics) const;
  // Whether the world's drawing shows things at this depth: only the open editor hides bands.
  bool DepthShown(float depth) const { return !HoldsCamera() || Document.Shown(depth); }
  bool KeyCardShown() const { return keyCard_; }
  // Edits not yet saved that the world still holds (a level built since has dropped them).
  bool UnsavedEdits() const;

  EditorDocument Document;
  LevelSaver Saver;
  EditorPalette Palette;
  PropertyPanel Properties;
  EditorBackup Backup;
  bool GridOn = true;
  // The view the editor pans and zooms; null: the view stays as it is.
  Camera* View = nullptr;
  // Connections to the game; each may stay empty.
  // Whether a menu is shown: the menus then have the mouse and the editor does not open.
  std::function<bool()> MenuShown;
  // The held keys (SDL scancodes), for panning with the arrows.
  std::function<const std::uint8_t*()> KeyState;
  // Milliseconds, for the minute's backup and the look at the level file each
  // second; empty: SDL's clock.
  MillisecondClock Clock;
  // Puts a yes-or-no question to the player (the game's confirmation menu).
  std::function<void(const std::u16string& question, std::function<void()> yes, std::function<void()> no)> Ask;

 private:
  EditorSession() = default;
  // The view's visible height, for zoom limits and pan speed.
  float ViewHeight() const;
  bool Modifier(std::uint16_t modifiers, std::uint16_t mask) const { return (modifiers & mask) != 0; }
  bool MenuUp() const { return MenuShown && MenuShown(); }
  std::uint32_t Now() const { return Clock ? Clock() : SDL_GetTicks(); }
  // The file of the level being edited.
  std::string LevelFile() const;
  // A fresh document: the file watched from now on, and a backup a crash left offered back.
  void OpenDocument();
  void ReloadFromDisk();
  LevelWatch watch_;

  bool open_ = false;
  bool testing_ = false;
  EditorDocument::Kept beforeTest_;
  Vec2 testStart_{0.0f, 0.0f};
  ReplayRecorder recorder_;
  std::optional<Camera> editView_;
  std::int32_t testedLevel_ = 0;
  // The player's last level when the test began: a test that wins moves it on.
  std::int32_t lastLevelBeforeTest_ = 0;
  bool wasPaused_ = false;
  std::optional<Camera> playView_;
  // The editor's view while a menu over it has the camera; put back when the menu goes.
  std::optional<Camera> menuView_;
  std::uint64_t world_ = 0;
  // The gesture under way with the left button: a drag of the selection, or a box.
  enum class Gesture { None, Drag, Box, Pan, Resize };
  Gesture gesture_ = Gesture::None;
  // The one selected object's corner under the point, if any: its handle resizes it.
  std::optional<Vec2> CornerAt(Vec2 world) const;
  float HandleSize() const;
  Vec2 Snapped(Vec2 world, std::uint16_t modifiers) const;
  // A resize holds the opposite corner still; the Transform shows the new box until release.
  EditorHandle resized_ = 0;
  Vec2 fixedCorner_{0.0f, 0.0f};
  Vec2 resizeStartPosition_{0.0f, 0.0f};
  Vec2 resizeStartScale_{0.0f, 0.0f};
  Vec2 pressedAt_{0.0f, 0.0f};
  Vec2 pointer_{0.0f, 0.0f};
  bool adding_ = false;
  bool keyCard_ = false;
  void DrawKeyCard(Graphics& graphics) const;
};

}  // namespace Framework
