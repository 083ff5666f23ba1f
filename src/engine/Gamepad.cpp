#include "engine/Gamepad.h"

#include <cmath>
#include <iostream>

namespace Framework {
namespace {

// SDL's axes run from -32768 to 32767.
constexpr float kAxisFull = 32767.0f;

float Axis(SDL_GameController* controller, SDL_GameControllerAxis axis) {
  const float value = static_cast<float>(SDL_GameControllerGetAxis(controller, axis)) / kAxisFull;
  return value < -1.0f ? -1.0f : value;
}

bool Button(SDL_GameController* controller, SDL_GameControllerButton button) {
  return SDL_GameControllerGetButton(controller, button) != 0;
}

}  // namespace

Gamepad::Gamepad() {
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::cout << "Game controllers are not available: " << SDL_GetError() << "\n";
    return;
  }
  available_ = true;
  OpenFirst();
}

Gamepad::~Gamepad() {
  if (controller_ != nullptr) SDL_GameControllerClose(controller_);
  // The subsystem stays up: like the window's, SDL's shutdown is left to process exit.
}

void Gamepad::OpenFirst() {
  if (!available_ || controller_ != nullptr) return;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (!SDL_IsGameController(i)) continue;
    controller_ = SDL_GameControllerOpen(i);
    if (controller_ == nullptr) continue;
    instance_ = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller_));
    return;
  }
}

bool Gamepad::HandleEvent(const SDL_Event& event) {
  if (event.type == SDL_CONTROLLERDEVICEADDED) {
    OpenFirst();
    return false;
  }
  if (event.type != SDL_CONTROLLERDEVICEREMOVED || controller_ == nullptr || event.cdevice.which != instance_) {
    return false;
  }
  SDL_GameControllerClose(controller_);
  controller_ = nullptr;
  instance_ = -1;
  OpenFirst();
  return true;
}

Gamepad::State Gamepad::Read() const {
  if (testState_ != nullptr) return *testState_;
  State state;
  SDL_GameController* c = controller_;
  if (c == nullptr) return state;
  state.A = Button(c, SDL_CONTROLLER_BUTTON_A);
  state.B = Button(c, SDL_CONTROLLER_BUTTON_B);
  state.Start = Button(c, SDL_CONTROLLER_BUTTON_START);
  state.DpadUp = Button(c, SDL_CONTROLLER_BUTTON_DPAD_UP);
  state.DpadDown = Button(c, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  state.DpadLeft = Button(c, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  state.DpadRight = Button(c, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  state.LeftShoulder = Button(c, SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
  state.RightShoulder = Button(c, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
  // SDL's stick y grows downwards; the world's grows upwards.
  state.LeftStick = {Axis(c, SDL_CONTROLLER_AXIS_LEFTX), -Axis(c, SDL_CONTROLLER_AXIS_LEFTY)};
  state.RightStick = {Axis(c, SDL_CONTROLLER_AXIS_RIGHTX), -Axis(c, SDL_CONTROLLER_AXIS_RIGHTY)};
  state.LeftTrigger = Axis(c, SDL_CONTROLLER_AXIS_TRIGGERLEFT);
  state.RightTrigger = Axis(c, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
  return state;
}

Vec2 Gamepad::Live(Vec2 stick) {
  return std::hypot(stick.x, stick.y) < DeadZone ? Vec2{0.0f, 0.0f} : stick;
}

}  // namespace Framework
