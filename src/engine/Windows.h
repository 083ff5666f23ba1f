// Windows: owns the game window and turns the platform's event queue into the
// game's input. Every frame it drains SDL's events, keeps the mouse record in world
// units, keeps the view fitted to the window's size, and posts exactly one
// KeyboardEvent (plus a MouseEvent when the mouse did something). What the game does
// about keys, focus and the close request is GameFlow's; this class only reports them.
//
// Invariants: Fullscreen matches the mode last asked for through SetFullscreen;
// Mouse.Button and Mouse.ButtonEventType describe one button event for one frame
// only, and every button event the game reads gets a frame of its own, in the order
// they came (a quick click whose press and release arrive together is a press in
// this frame and a release in the next); the KeyboardEvent's KeyState stays valid
// for the whole run.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <string>

#include "engine/Events.h"
#include "engine/InterfaceSystem.h"
#include "engine/Vec2.h"

namespace Framework {

class Windows : public InterfaceSystem {
 public:
  // SDL's mouse button event kinds, as the mouse record stores them.
  static constexpr std::uint32_t ButtonDown = SDL_MOUSEBUTTONDOWN;  // 1025
  static constexpr std::uint32_t ButtonUp = SDL_MOUSEBUTTONUP;      // 1026

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

  // The key-state array posted with every KeyboardEvent. Null (the default) means
  // SDL's own array. Tests hand in their own, since SDL's changes only with real input.
  void SetKeyState(const std::uint8_t* keys) { keyState_ = keys; }
  const std::uint8_t* KeyState() const;

  bool Fullscreen = true;
  SDL_Window* Window = nullptr;
  MouseRecord Mouse;

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
  void QueueButton(std::uint8_t button, std::uint32_t type);
  void HandleWindowEvent(const SDL_WindowEvent& event);
  void UpdateMouseFromPointer();

  const std::uint8_t* keyState_ = nullptr;
  std::deque<ButtonPress> waitingButtons_;
};

}  // namespace Framework
