// GameFlow: the game's answer to what the player does to the window as a whole:
// the global keys, Escape, the close request, losing and regaining focus, and the
// debug operations behind the f, x and z keys. Windows does the platform work and
// reports each of these moments through its hooks, which the game connects here;
// nothing here reads SDL's event queue, so each step can be driven directly.
//
// The pause menu, stepping back through the menus and the quit confirmation are the
// menu system's; this class decides when they happen.
//
// Invariant: MusicPausedByWindow is set exactly while the music is paused because
// the window lost focus or was minimised, so only the window resumes what the
// window paused.
#pragma once

#include <SDL.h>

#include <functional>

namespace Framework {

class GameFlow {
 public:
  static GameFlow& Instance();
  GameFlow(const GameFlow&) = delete;
  GameFlow& operator=(const GameFlow&) = delete;

  // One global key went down (repeats are filtered out by the caller); keys
  // outside the table are left to the KeyboardEvent's listeners.
  void OnKey(SDL_Keycode key);
  void OnEscape();
  // The player asked the platform to close the window.
  void OnCloseRequest();
  // True while there is work not yet saved (the level editor's edits): F10 then
  // asks first through the quit confirmation, as closing the window does. Empty: none.
  std::function<bool()> UnsavedWork;
  // Minimised or focus lost: the game and the music pause.
  void OnFocusLost();
  void OnRestored();
  void OnFocusGained();

  // Debug operations: free flight for the player and stepping through the play
  // levels. They only post requests; nothing changes until delivery.
  void ToggleFlyMode();
  void LoadNextLevel();
  void LoadPreviousLevel();

  bool MusicPausedByWindow = false;

 private:
  GameFlow() = default;

  // A play level losing the window, or Escape during play, opens the pause menu.
  void OpenPauseMenu();
  // Escape while paused walks back through the open menus.
  void StepBackThroughMenus();

  // Posts the music resume when the window was what paused it.
  void ResumeMusicPausedByWindow();
};

}  // namespace Framework
