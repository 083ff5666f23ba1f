// Windows: owns the game window and turns the platform's event queue into the
// game's input. Every frame it drains SDL's events, keeps the mouse record in world
// units, keeps the view fitted to the window's size, and posts exactly one
// KeyboardEvent (plus a MouseEvent when the mouse did something). A game controller
// (Gamepad) plays beside the keyboard and mouse: its sticks and d-pad hold the arrow
// keys, A holds Space, its triggers and shoulders click, Start and B press Escape, and
// its right stick puts the cursor around the player. What the game does
// about keys, focus and the close request, and which part of the world the window
// shows, are answered through Hooks, which the game connects at start-up; this class
// only reports.
//
// Invariants: Fullscreen matches the mode last asked for through SetFullscreen;
// Mouse.Button and Mouse.ButtonEventType describe one button event for one frame
// only, and every button event the game reads gets a frame of its own, in the order
// they came (a quick click whose press and release arrive together is a press in
// this frame and a release in the next); the KeyboardEvent's KeyState stays valid
// for the whole run, and holds every key SDL's array (or the test's) holds.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <functional>
#include <string>

#include "engine/Events.h"
#include "engine/Gamepad.h"
#include "engine/InterfaceSystem.h"
#include "engine/Vec2.h"

namespace Framework {

class Windows : public InterfaceSystem {
 public:
  // SDL's mouse button event kinds, as the mouse record stores them.
  static constexpr std::uint32_t ButtonDown = SDL_MOUSEBUTTONDOWN;  // 1025
  static constexpr std::uint32_t ButtonUp = SDL_MOUSEBUTTONUP;      // 1026
  // How far from the player, in world units, the right stick puts the cursor: about
  // where a thrown bomb lands at a comfortable throw.
  static constexpr float AimRadius = 6.0f;

  // The part of the world the window shows: its centre and its half extents.
  struct ViewArea {
    Vec2 Centre;
    float HalfWidth = 0.0f;
    float HalfHeight = 0.0f;
  };
  // The game's answers to the window. An unset hook ignores its moment; an unset
  // View shows the area around the origin with no extent.
  struct WindowHooks {
    std::function<void()> CloseRequested;
    // One key went down (repeats are filtered out here).
    std::function<void(SDL_Keycode)> KeyPressed;
    // Minimised or focus lost.
    std::function<void()> FocusLost;
    std::function<void()> Restored;
    std::function<void()> FocusGained;
    std::function<ViewArea()> View;
    // The drawable's width over its height changed: the view takes the new shape.
    std::function<void(float aspect)> FitView;
    // Whether a menu shows: the controller's B steps back only there.
    std::function<bool()> MenuShown;
    // Where the player stands, the centre the right stick aims around; none, no aiming.
    std::function<std::optional<Vec2>()> AimCentre;
    // Sees every platform event first (the level editor); true when it took the
    // event, which then goes no further. The mouse record follows motion regardless.
    std::function<bool(const SDL_Event&)> EventTaken;
  };
  // Static, so the game can connect them without opening the window.
  static inline WindowHooks Hooks;

  // Creates the window on first call (before Graphics, which makes its GL context).
  static Windows& Instance();
  ~Windows() override;
  Windows(const Windows&) = delete;
  Windows& operator=(const Windows&) = delete;

  // The event pump; neither argument is used.
  void Update(float dt, bool paused) override;
  virtual std::string GetName() const { return "Windows"; }

  // Switches between desktop full screen and a window; nothing happens when already there.
  void SetFullscreen(bool fullscreen);
  // Viewport, the camera's visible width and matrices for the current drawable size,
  // then the mouse goes to the centre of the window.
  void ApplyWindowSize();
  // World position of a pixel of the drawable (origin top left).
  Vec2 ScreenToWorld(float px, float py) const;
  // World position of a point in SDL's window coordinates (mouse events); on a
  // high-DPI screen these differ from drawable pixels.
  Vec2 WindowPointToWorld(int x, int y) const;

  // The keyboard's key-state array, which the controller's keys join in the one posted
  // with every KeyboardEvent. Null (the default) means SDL's own array. Tests hand in their own, since SDL's changes only with real input.
  void SetKeyState(const std::uint8_t* keys) { keyState_ = keys; }
  const std::uint8_t* KeyState() const;

  bool Fullscreen = true;
  SDL_Window* Window = nullptr;
  MouseRecord Mouse;
  // The controller; its state reaches the game only through this class.
  Gamepad Pad;

 private:
  // One button event the game reads, waiting for its frame.
  struct ButtonPress {
    std::uint8_t Button;
    std::uint32_t Type;
  };
  // Button events further back than this are dropped: a stalled game must not
  // replay a flood of old clicks when it comes back.
  static constexpr std::size_t MaxWaitingButtons = 16;

  Windows();
  // One platform event; true when it moved the mouse, which the game hears of.
  bool HandleEvent(const SDL_Event& event);
  void QueueButton(std::uint8_t button, std::uint32_t type);
  // Gives the oldest waiting button event this frame; true when it was the left
  // button's, which the game hears of through a MouseEvent.
  bool TakeNextButton();
  // The frame's KeyboardEvent, and its MouseEvent when the mouse did something.
  void PostInput(bool mouseActivity);
  // Keeps the cursor's world place: around the player after the stick aimed, else under the pointer.
  void PlaceCursor();
  void HandleWindowEvent(const SDL_WindowEvent& event);
  static void Report(const std::function<void()>& hook);
  void UpdateMouseFromPointer();
  // The controller's part of this frame: arrow keys and Space into keys_, clicks
  // into the button queue, Escape through KeyPressed, the cursor from the right stick.
  void MergePad(const Gamepad::State& pad);

  const std::uint8_t* keyState_ = nullptr;
  // The posted key state: the keyboard's array with the controller's keys added.
  std::array<std::uint8_t, SDL_NUM_SCANCODES> keys_{};
  Gamepad::State lastPad_;
  // Where the right stick last put the cursor, from the player; kept until the mouse
  // moves, so that a throw after letting go of the stick still goes where it aimed.
  std::optional<Vec2> stickAim_;
  std::deque<ButtonPress> waitingButtons_;
};

}  // namespace Framework
