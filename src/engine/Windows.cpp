#include "engine/Windows.h"

#include <GL/glew.h>

#include <iostream>
#include <memory>

#include "engine/EventSystem.h"

namespace Framework {
namespace {

bool Pulled(float trigger) { return trigger > Gamepad::TriggerPressed; }

// Size of the window when not in full screen: two thirds of the desktop, centred.
SDL_Rect WindowedBounds() {
  SDL_Rect display{0, 0, 0, 0};
  SDL_GetDisplayBounds(0, &display);
  const int w = static_cast<int>(display.w / 1.5);
  const int h = static_cast<int>(display.h / 1.5);
  return {display.x + (display.w - w) / 2, display.y + (display.h - h) / 2, w, h};
}

}  // namespace

Windows& Windows::Instance() {
  static Windows windows;
  return windows;
}

Windows::Windows() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::cout << "Graphics could not initialize! Error: " << SDL_GetError() << "\n";
    return;
  }
  if (!SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "1")) {
    std::cout << "Warning: Linear texture filtering not enabled!";
  }
  SDL_Rect display{0, 0, 0, 0};
  SDL_GetDisplayBounds(0, &display);
  // Made as large as the desktop: without a window manager nothing resizes a window that
  // asks for desktop full screen, and its pixels beyond the asked-for size would not exist.
  // The windowed size (two thirds of the desktop) is set whenever full screen is left.
  Window = SDL_CreateWindow("Tumbrix", SDL_WINDOWPOS_CENTERED_DISPLAY(0), SDL_WINDOWPOS_CENTERED_DISPLAY(0),
                            display.w > 0 ? display.w : 1280, display.h > 0 ? display.h : 720,
                            SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_ALLOW_HIGHDPI);
  Fullscreen = true;
  if (Window == nullptr) {
    std::cout << "Window could not be created! Error: " << SDL_GetError() << "\n";
  }
  std::cout.flush();
  // The game draws its own cursor.
  SDL_ShowCursor(SDL_DISABLE);
}

Windows::~Windows() {
  if (Window != nullptr) SDL_DestroyWindow(Window);
  Window = nullptr;
  // This runs at process exit. SDL's video shutdown would unload the display libraries it
  // opened (X11, GL) while the process still holds their allocations, which then show up
  // as leaks in unknown code; the operating system closes the display connection anyway.
}

const std::uint8_t* Windows::KeyState() const {
  return keyState_ != nullptr ? keyState_ : SDL_GetKeyboardState(nullptr);
}

Vec2 Windows::ScreenToWorld(float px, float py) const {
  const ViewArea view = Hooks.View ? Hooks.View() : ViewArea{};
  int w = 0, h = 0;
  if (Window != nullptr) SDL_GL_GetDrawableSize(Window, &w, &h);
  // A window without an area (none made, or minimised to nothing) maps everything to the centre.
  if (w <= 0 || h <= 0) return view.Centre;
  return {view.Centre.x + (px / static_cast<float>(w) - 0.5f) * view.HalfWidth,
          view.Centre.y + (0.5f - py / static_cast<float>(h)) * view.HalfHeight};
}

Vec2 Windows::WindowPointToWorld(int x, int y) const {
  int ww = 0, wh = 0, dw = 0, dh = 0;
  if (Window != nullptr) {
    SDL_GetWindowSize(Window, &ww, &wh);
    SDL_GL_GetDrawableSize(Window, &dw, &dh);
  }
  // SDL reports the mouse in window points; the drawable may have more pixels per point.
  const float sx = ww > 0 ? static_cast<float>(dw) / static_cast<float>(ww) : 1.0f;
  const float sy = wh > 0 ? static_cast<float>(dh) / static_cast<float>(wh) : 1.0f;
  return ScreenToWorld(static_cast<float>(x) * sx, static_cast<float>(y) * sy);
}

void Windows::UpdateMouseFromPointer() {
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  const Vec2 world = WindowPointToWorld(x, y);
  Mouse.MouseX = world.x;
  Mouse.MouseY = world.y;
}

void Windows::SetFullscreen(bool fullscreen) {
  if (fullscreen == Fullscreen) return;
  if (Window != nullptr) {
    if (fullscreen) {
      // Cover the desktop first, for platforms where no window manager does it.
      SDL_Rect display{0, 0, 0, 0};
      SDL_GetDisplayBounds(0, &display);
      if (display.w > 0 && display.h > 0) {
        SDL_SetWindowPosition(Window, display.x, display.y);
        SDL_SetWindowSize(Window, display.w, display.h);
      }
      SDL_SetWindowFullscreen(Window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
      SDL_SetWindowFullscreen(Window, 0);
      // Some platforms keep the full-screen size after leaving it; ask for a usable window.
      const SDL_Rect bounds = WindowedBounds();
      SDL_SetWindowSize(Window, bounds.w, bounds.h);
      SDL_SetWindowPosition(Window, bounds.x, bounds.y);
    }
  }
  UpdateMouseFromPointer();
  ApplyWindowSize();
  Fullscreen = fullscreen;
}

void Windows::ApplyWindowSize() {
  if (Window == nullptr) return;
  int w = 0, h = 0;
  SDL_GL_GetDrawableSize(Window, &w, &h);
  if (w <= 0 || h <= 0) return;  // minimised to nothing: keep the last good view
  if (SDL_GL_GetCurrentContext() != nullptr) glViewport(0, 0, w, h);

  if (Hooks.FitView) Hooks.FitView(static_cast<float>(w) / static_cast<float>(h));

  int ww = 0, wh = 0;
  SDL_GetWindowSize(Window, &ww, &wh);
  // Warping takes window points, which on a high-DPI screen are fewer than pixels.
  SDL_WarpMouseInWindow(Window, ww / 2, wh / 2);
}

void Windows::Update(float, bool) {
  Mouse.Button = 0;
  Mouse.ButtonEventType = 0;
  bool mouseActivity = false;
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) mouseActivity = HandleEvent(event) || mouseActivity;
  MergePad(Pad.Read());
  mouseActivity = TakeNextButton() || mouseActivity;
  PostInput(mouseActivity);
  PlaceCursor();
}

bool Windows::HandleEvent(const SDL_Event& event) {
  if (Hooks.EventTaken && Hooks.EventTaken(event) && event.type != SDL_MOUSEMOTION) return false;
  switch (event.type) {
    case SDL_QUIT: Report(Hooks.CloseRequested); break;
    case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
    case SDL_KEYDOWN:
      // The global keys are switches: holding one down must not flip it again with every repeat.
      if (event.key.keysym.sym != 0 && event.key.repeat == 0 && Hooks.KeyPressed) Hooks.KeyPressed(event.key.keysym.sym);
      break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
      // A controller pulled out mid-game is the player gone, as when the window loses focus.
      if (Pad.HandleEvent(event)) Report(Hooks.FocusLost);
      break;
    case SDL_MOUSEMOTION: {
      stickAim_.reset();
      const Vec2 world = WindowPointToWorld(event.motion.x, event.motion.y);
      Mouse.MouseX = world.x;
      Mouse.MouseY = world.y;
      return true;
    }
    case SDL_MOUSEBUTTONDOWN:
      // Scripts read the right button from the record; it alone raises no MouseEvent.
      if (event.button.button == SDL_BUTTON_LEFT || event.button.button == SDL_BUTTON_RIGHT) {
        QueueButton(event.button.button, ButtonDown);
      }
      break;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_LEFT) QueueButton(SDL_BUTTON_LEFT, ButtonUp);
      break;
    default: break;
  }
  return false;
}

bool Windows::TakeNextButton() {
  if (waitingButtons_.empty()) return false;
  const ButtonPress next = waitingButtons_.front();
  waitingButtons_.pop_front();
  Mouse.Button = next.Button;
  Mouse.ButtonEventType = next.Type;
  return next.Button == SDL_BUTTON_LEFT;
}

void Windows::PostInput(bool mouseActivity) {
  auto keyboard = std::make_unique<KeyboardEvent>();
  keyboard->KeyState = keys_.data();
  EventSystem::Instance().Post(std::move(keyboard));
  if (mouseActivity) EventSystem::Instance().Post(std::make_unique<MouseEvent>(&Mouse));
}

void Windows::PlaceCursor() {
  // The world under a still mouse changes as the camera moves; a cursor the stick
  // placed follows the player instead.
  const std::optional<Vec2> centre = stickAim_ && Hooks.AimCentre ? Hooks.AimCentre() : std::nullopt;
  if (centre) {
    Mouse.MouseX = centre->x + stickAim_->x;
    Mouse.MouseY = centre->y + stickAim_->y;
  } else {
    UpdateMouseFromPointer();
  }
}

void Windows::MergePad(const Gamepad::State& pad) {
  const std::uint8_t* keyboard = KeyState();
  for (std::size_t i = 0; i < keys_.size(); ++i) keys_[i] = keyboard != nullptr ? keyboard[i] : 0;
  const Vec2 walk = Gamepad::Live(pad.LeftStick);
  // The stick leans towards an arrow when it is past the dead zone along that axis.
  auto hold = [&](SDL_Scancode key, bool down) {
    if (down) keys_[key] = 1;
  };
  hold(SDL_SCANCODE_LEFT, pad.DpadLeft || walk.x <= -Gamepad::DeadZone);
  hold(SDL_SCANCODE_RIGHT, pad.DpadRight || walk.x >= Gamepad::DeadZone);
  hold(SDL_SCANCODE_UP, pad.DpadUp || walk.y >= Gamepad::DeadZone);
  hold(SDL_SCANCODE_DOWN, pad.DpadDown || walk.y <= -Gamepad::DeadZone);
  hold(SDL_SCANCODE_SPACE, pad.A);

  // Presses act on their edge only: a held button or trigger does not repeat.
  const bool throwing = pad.RightShoulder || Pulled(pad.RightTrigger);
  const bool wasThrowing = lastPad_.RightShoulder || Pulled(lastPad_.RightTrigger);
  const bool blasting = pad.LeftShoulder || Pulled(pad.LeftTrigger);
  const bool wasBlasting = lastPad_.LeftShoulder || Pulled(lastPad_.LeftTrigger);
  if (throwing && !wasThrowing) QueueButton(SDL_BUTTON_LEFT, ButtonDown);
  if (!throwing && wasThrowing) QueueButton(SDL_BUTTON_LEFT, ButtonUp);
  if (blasting && !wasBlasting) QueueButton(SDL_BUTTON_RIGHT, ButtonDown);
  if (Hooks.KeyPressed) {
    if (pad.Start && !lastPad_.Start) Hooks.KeyPressed(SDLK_ESCAPE);
    if (pad.B && !lastPad_.B && Hooks.MenuShown && Hooks.MenuShown()) Hooks.KeyPressed(SDLK_ESCAPE);
  }

  const Vec2 aim = Gamepad::Live(pad.RightStick);
  if (aim.x != 0.0f || aim.y != 0.0f) stickAim_ = aim * (AimRadius / glm::length(aim));
  lastPad_ = pad;
}

void Windows::Report(const std::function<void()>& hook) {
  if (hook) hook();
}

void Windows::QueueButton(std::uint8_t button, std::uint32_t type) {
  if (waitingButtons_.size() >= MaxWaitingButtons) waitingButtons_.pop_front();
  waitingButtons_.push_back({button, type});
}

void Windows::HandleWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED: ApplyWindowSize(); break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_FOCUS_LOST: Report(Hooks.FocusLost); break;
    case SDL_WINDOWEVENT_RESTORED: Report(Hooks.Restored); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: Report(Hooks.FocusGained); break;
    default: break;
  }
}

}  // namespace Framework
