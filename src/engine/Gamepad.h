// Gamepad: the first game controller attached, through SDL's game-controller API,
// read once a frame as a plain State (buttons held, sticks and triggers). Controllers
// come and go while the game runs: the first one attached is used, and when it is
// unplugged the next one still attached takes over. A test hands in its own State
// through SetState, as it hands in a key-state array to the window.
//
// Invariant: Read() describes one controller or none; with no controller (and no
// test state) every button is up and every axis at rest.
#pragma once

#include <SDL.h>

#include "engine/Vec2.h"

namespace Framework {

class Gamepad {
 public:
  // What the controller shows this frame. Sticks run from -1 to 1 with y up (as the
  // world's y); triggers from 0 (at rest) to 1 (pulled fully).
  struct State {
    bool A = false;
    bool B = false;
    bool Start = false;
    bool DpadUp = false;
    bool DpadDown = false;
    bool DpadLeft = false;
    bool DpadRight = false;
    bool LeftShoulder = false;
    bool RightShoulder = false;
    Vec2 LeftStick;
    Vec2 RightStick;
    float LeftTrigger = 0.0f;
    float RightTrigger = 0.0f;
  };

  // A stick pushed less far than this counts as at rest: worn sticks never quite
  // return to the centre.
  static constexpr float DeadZone = 0.3f;
  // A trigger pulled further than this counts as pressed.
  static constexpr float TriggerPressed = 0.5f;

  Gamepad();
  ~Gamepad();
  Gamepad(const Gamepad&) = delete;
  Gamepad& operator=(const Gamepad&) = delete;

  // A controller added or removed (SDL_CONTROLLERDEVICEADDED / REMOVED); other events
  // are ignored. True when the controller in use was the one removed.
  bool HandleEvent(const SDL_Event& event);
  // This frame's state: the test's when one is set, else the controller's.
  State Read() const;
  bool Connected() const { return controller_ != nullptr; }

  // Null (the default) means the controller's own state.
  void SetState(const State* state) { testState_ = state; }

  // The stick with its dead zone applied: zero inside, the raw value outside.
  static Vec2 Live(Vec2 stick);

 private:
  void OpenFirst();

  SDL_GameController* controller_ = nullptr;
  SDL_JoystickID instance_ = -1;
  const State* testState_ = nullptr;
  bool available_ = false;
};

}  // namespace Framework
